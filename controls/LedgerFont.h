#pragma once

#include "LedgerPrinter.h"

#include <QFont>

namespace vellbatchrule {

// A ledger font as Qt draws it: the character set chooses the writing
// system, and a family this platform lacks (宋体 on Linux) gives way to an
// installed family of that writing system, so no text prints as empty boxes.
QFont LedgerFont(const LedgerPrinter::Font& font);

// The font as a printout's text layer keeps it: Qt's PDF engine names each
// glyph by the lowest character the font maps to it, so a family that gives
// a Kangxi radical (⼯ U+2F2F) the glyph of its ideograph (工), or a control
// character that of a digit, writes the wrong character into the PDF's text
// or cuts it short. The font's families come first where they keep every
// character, then an installed Latin and an installed Chinese family that
// do; the others stay last, for what no keeper draws.
QFont PrintableFont(const QFont& font);

}
