#pragma once

#include "VellBatchRuleExport.h"

#include "HostComponent.h"

#include <QVariant>

namespace vellbatchrule {

// The host's per-process shared-property store.
class VELLBATCHRULE_EXPORT ShareProps : public HostComponent {
public:
    virtual QVariant GetProperty(quint32 processId, const QString& name) = 0;
};

}
