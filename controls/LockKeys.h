#pragma once

#include <optional>

namespace vellbatchrule {

// The keyboard's Caps Lock and Num Lock states, as the window system keeps
// them; nothing where the platform does not tell (the offscreen platform).
namespace LockKeys {

std::optional<bool> CapsLock();
std::optional<bool> NumLock();

}

}
