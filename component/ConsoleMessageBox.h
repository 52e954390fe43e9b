#pragma once

#include "MessageBox.h"

namespace vellbatchrule {

// The message box of the command line: the same text on standard error.
class ConsoleMessageBox : public MessageBox {
public:
    void Show(const QString& text, const QString& title, Icon icon) override;
};

}
