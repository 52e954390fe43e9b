#pragma once

#include "VellBatchRuleExport.h"

#include "HostComponent.h"

#include <QString>

namespace vellbatchrule {

// The host's help viewer.
class VELLBATCHRULE_EXPORT HelpViewer : public HostComponent {
public:
    virtual void ShowHELP(qint32& number1, qint16 reserved, QString& topic, qint32& number2,
                          QString& subsystemId, qint32& number3) = 0;
};

}
