#pragma once

#include "VellBatchRuleExport.h"

#include "HostComponent.h"

#include <QStringList>

namespace vellbatchrule {

// The host's text formatter: fills "%1", "%2", … with the values in order.
class VELLBATCHRULE_EXPORT TextFormatter : public HostComponent {
public:
    virtual QString Format(const QString& pattern, const QStringList& values) = 0;
};

}
