#pragma once

#include <QtGlobal>

namespace vellbatchrule {

// Windows and ledger columns are laid out in twips, 1440 to the inch; the
// screen's logical DPI turns them into pixels and back.
inline constexpr double TwipsPerInch = 1440.0;

inline int TwipsToPixels(int twips, int logicalDpi)
{
    return qRound(twips * logicalDpi / TwipsPerInch);
}

inline int PixelsToTwips(int pixels, int logicalDpi)
{
    return qRound(pixels * TwipsPerInch / logicalDpi);
}

}
