#pragma once

#include <QString>

namespace vellbatchrule {

// VELL_SQL_TRACE=<file>: every batch appended exactly as sent, then a
// separator on a line of its own (after a line break where the batch ends without one).
namespace SqlTrace {
inline const QString Separator = QStringLiteral("-- ---- end of batch ----\n");
void Append(const QString& batch);
}

}
