#include "LockKeys.h"

#include <QGuiApplication>

#include <X11/XKBlib.h>

namespace vellbatchrule {

namespace LockKeys {

namespace {

std::optional<bool> Indicator(const char* name)
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display)
        return std::nullopt;
    Bool on = False;
    if (!XkbGetNamedIndicator(display, XInternAtom(display, name, False), nullptr, &on, nullptr, nullptr))
        return std::nullopt;
    return on == True;
}

}

std::optional<bool> CapsLock()
{
    return Indicator("Caps Lock");
}

std::optional<bool> NumLock()
{
    return Indicator("Num Lock");
}

}

}
