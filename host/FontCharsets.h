#pragma once

#include <QtGlobal>

namespace vellbatchrule {

// The character sets a font's properties name by number (Font.Charset), as
// the host's language services and the ledger printer carry them.
namespace FontCharsets {
inline constexpr qint32 Western = 0;
inline constexpr qint32 ShiftJis = 128;
inline constexpr qint32 Hangul = 129;
inline constexpr qint32 Gb2312 = 134;   // Simplified Chinese, the component's own language
inline constexpr qint32 Big5 = 136;     // Traditional Chinese
}

}
