#pragma once

#include "MessageBox.h"

namespace vellbatchrule {

// The platform's message box, as a modal dialog.
class DialogMessageBox : public MessageBox {
public:
    void Show(const QString& text, const QString& title, Icon icon) override;
};

}
