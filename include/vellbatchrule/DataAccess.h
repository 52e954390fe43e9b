#pragma once

#include "VellBatchRuleExport.h"

#include "HostComponent.h"
#include "ValueBag.h"
#include "ValueList.h"

namespace vellbatchrule {

// The host's access-rights service: row restrictions as SQL fragments.
class VELLBATCHRULE_EXPORT DataAccess : public HostComponent {
public:
    virtual bool IsUsed(const QString& propsString, qint32 userId) = 0;
    virtual ValueBag GetRowAccessInfo(const QString& propsString, qint32 userId, const ValueList& tables) = 0;
    // Both answer a bag with the fragments under "From" and "Where".
    virtual ValueBag GetAccessDataSQL(const ValueList& mappings, const ValueBag& accessInfo) = 0;
    virtual ValueBag GetAccessDataSQL2(const ValueList& mappings, const ValueBag& accessInfo) = 0;
};

}
