#pragma once

#include "VellBatchRuleExport.h"

#include "HostComponent.h"

#include <QString>

namespace vellbatchrule {

// The platform's modal message box with one OK button.
class VELLBATCHRULE_EXPORT MessageBox : public HostComponent {
public:
    enum class Icon { Information, Exclamation };
    virtual void Show(const QString& text, const QString& title, Icon icon) = 0;
};

}
