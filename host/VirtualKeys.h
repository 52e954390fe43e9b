#pragma once

#include <QtGlobal>

namespace vellbatchrule {

// The platform's virtual-key codes, which the host's services expect of a
// key (F1 is 112).
namespace VirtualKeys {

inline constexpr qint32 F1 = 112;

// The virtual-key code of a Qt key; 0 for a key without one.
qint32 FromQtKey(int qtKey);

}

}
