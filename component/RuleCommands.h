#pragma once

#include "VellBatchRuleExport.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <optional>
#include <utility>

namespace vellbatchrule {

// The rule editor without its window, for scripts: show or set the rule of
// a material or a group, show or set the batch options. Messages appear as
// the user would see them, in the session's language, on standard error.
namespace RuleCommands {

// One of the two is given.
struct Target {
    std::optional<qint32> itemId;    // --item
    std::optional<qint32> groupId;   // --group
};

// Each answers the process exit code: 0 only when all of it held; 1 when
// anything was refused or failed, with what the user would have been shown.
VELLBATCHRULE_EXPORT int ShowRule(const Target& target, QTextStream& out);
// Elements are property[:format[:length[:pad[:substitute]]]]; itemIsTop is
// -1 to keep the stored option, else its new state. A dry run checks as the
// commit does and prints what it would change, writing nothing.
VELLBATCHRULE_EXPORT int SetRule(const Target& target, const QStringList& elements, int itemIsTop, bool dryRun,
                                 QTextStream& out);

// The document a preview is for: what is not given comes from the sample.
struct PreviewDocument {
    std::optional<QDate> date;
    std::optional<int> line;
    QList<std::pair<QString, QString>> values;   // property (ID or name) → value
};
// The batch number the stored rule gives.
VELLBATCHRULE_EXPORT int PreviewRule(const Target& target, const PreviewDocument& document, QTextStream& out);

VELLBATCHRULE_EXPORT int ShowOptions(QTextStream& out);
// Settings are KEY=0 or KEY=1 with the option keys of t_SystemProfile.
VELLBATCHRULE_EXPORT int SetOptions(const QStringList& settings, QTextStream& out);

// The editor window alone for the target, as the main window opens it; 0
// once it has closed (commit or Cancel), 1 with the reason on `err` when it
// could not open. Needs a QApplication.
VELLBATCHRULE_EXPORT int EditRule(const Target& target, QTextStream& err);

}

}
