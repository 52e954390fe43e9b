#include "ConsoleMessageBox.h"

#include <cstdio>

namespace vellbatchrule {

void ConsoleMessageBox::Show(const QString& text, const QString& title, Icon)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    std::fprintf(stderr, "%s: %s\n", qPrintable(title), qPrintable(shown));
}

}
