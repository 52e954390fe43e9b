#pragma once

#include "LedgerPrinter.h"

#include <QFont>

namespace vellbatchrule {

// A ledger font as Qt draws it: the character set chooses the writing
// system, and a family this platform lacks (宋体 on Linux) gives way to an
// installed family of that writing system, so no text prints as empty boxes.
QFont LedgerFont(const LedgerPrinter::Font& font);

}
