#include "KeyPreview.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QWidget>

namespace vellbatchrule {

KeyPreview::KeyPreview(QWidget* window, KeyHandler onKey, TextHandler onText)
    : QObject(window), window_(window), onKey_(std::move(onKey)), onText_(std::move(onText))
{
    qApp->installEventFilter(this);   // a key reaches the application before any control
}

KeyPreview::~KeyPreview()
{
    if (qApp)
        qApp->removeEventFilter(this);
}

bool KeyPreview::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    const bool key = type == QEvent::KeyPress || type == QEvent::KeyRelease;
    auto* widget = qobject_cast<QWidget*>(watched);
    if ((!key && type != QEvent::InputMethod) || !widget || widget->window() != window_)
        return false;
    // A key climbs from the focus widget to its parents: preview it once, where it lands first.
    QWidget* focus = QApplication::focusWidget();
    if (widget != (focus && focus->window() == window_ ? focus : window_))
        return false;
    if (type == QEvent::InputMethod) {
        if (onText_)
            onText_(*static_cast<QInputMethodEvent*>(event));
        return false;
    }
    return onKey_(watched, *static_cast<QKeyEvent*>(event));
}

}
