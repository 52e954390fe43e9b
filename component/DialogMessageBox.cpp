#include "DialogMessageBox.h"

#include <QMessageBox>

namespace vellbatchrule {

void DialogMessageBox::Show(const QString& text, const QString& title, Icon icon)
{
    QMessageBox box(icon == Icon::Exclamation ? QMessageBox::Warning : QMessageBox::Information, title, text,
                    QMessageBox::Ok);
    box.exec();
}

}
