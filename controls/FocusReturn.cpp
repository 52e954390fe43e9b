#include "FocusReturn.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace vellbatchrule {

FocusReturn::FocusReturn(QWidget* taker) : QObject(taker), control_(QApplication::focusWidget()) {}

void FocusReturn::When(QWidget* taker)
{
    for (auto* earlier : taker->findChildren<FocusReturn*>(Qt::FindDirectChildrenOnly))
        delete earlier;   // a window shown again returns to the control that had the keyboard this time
    taker->installEventFilter(new FocusReturn(taker));
}

bool FocusReturn::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Hide && watched == parent() && control_ && control_->isVisible()) {
        control_->window()->activateWindow();
        control_->setFocus(Qt::OtherFocusReason);
    }
    return false;
}

}
