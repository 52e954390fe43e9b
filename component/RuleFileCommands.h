#pragma once

#include "VellBatchRuleExport.h"

#include <QString>
#include <QTextStream>

namespace vellbatchrule {

// The commands over every stored rule at once: the lint, and the rule file
// that carries rules from one database to another. Each answers the exit
// code: 0 only when all of it held, 1 after any error, refusal or failure.
namespace RuleFileCommands {

// What the database holds that the user may see: the groups, the materials,
// the rules and the batch options, each section's rows tab-separated under
// its column names.
VELLBATCHRULE_EXPORT int ShowDatabase(QTextStream& out);

// A line per finding: severity, owner kind, owner, text; then a summary.
// 1 when any finding is an error.
VELLBATCHRULE_EXPORT int LintRules(QTextStream& out);
// Into `file` when one is named, which is replaced only by a whole export;
// else onto `out`.
VELLBATCHRULE_EXPORT int ExportRules(bool json, const QString& file, QTextStream& out);
// itemIsTop: -1 keeps the stored option, else its new state. A dry run
// checks everything and writes nothing.
VELLBATCHRULE_EXPORT int ImportRules(const QString& file, int itemIsTop, bool dryRun, QTextStream& out);

}

}
