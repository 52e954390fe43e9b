#pragma once

#include "RuleAdmin.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QTextStream>

namespace vellbatchrule {

// The administrator's commands of vell-batchrule: each prints what the
// component answers and returns the exit code, 0 only when all of it held.
// A failure's reason is printed on standard error as the console shows a message box.
namespace AdminCommands {

int ShowRule(const RuleAdmin::Target& target, QTextStream& out);
// With ifVersion, only over that version of the stored rule.
int SetRule(const RuleAdmin::Target& target, const QStringList& elements, RuleAdmin::OwnRules ownRules, bool dryRun,
            const QString& ifVersion, QTextStream& out);
int PreviewRule(const RuleAdmin::Target& target, const RuleAdmin::PreviewDocument& document, QTextStream& out);
// The changes of the target's rule, or of every rule, newest first.
// Without a format, as text.
int ShowHistory(const std::optional<RuleAdmin::Target>& target, const std::optional<QDate>& since,
                const std::optional<RuleAdmin::RuleFileFormat>& format, QTextStream& out);
int RestoreHistory(int entry, bool force, QTextStream& out);
int ShowOptions(QTextStream& out);
int SetOptions(const QStringList& settings, QTextStream& out);

// One Transact-SQL batch from `in`, its rows printed tab-separated.
int RunSql(QTextStream& in, QTextStream& out);
int ShowDatabase(QTextStream& out);
// 1 also when any finding is an error.
int LintRules(QTextStream& out);
// Onto `out` when no file is named.
int ExportRules(RuleAdmin::RuleFileFormat format, const QString& file, bool versions, QTextStream& out);
int ImportRules(const QString& file, RuleAdmin::OwnRules ownRules, bool dryRun, bool ifUnchanged, QTextStream& out);
int ImportRules(QIODevice& device, const QString& name, RuleAdmin::OwnRules ownRules, bool dryRun, bool ifUnchanged,
                QTextStream& out);

// Batch numbers one a line; a rule without a serial says so once on `err`.
int IssueBatchNumbers(qint32 itemId, const RuleAdmin::PreviewDocument& document, int count, QTextStream& out,
                      QTextStream& err);
int PeekBatchNumber(qint32 itemId, const RuleAdmin::PreviewDocument& document, QTextStream& out);
// When and for whom the number was issued, from which rule version, and who set that version.
int TraceBatchNumber(qint32 itemId, const QString& number, QTextStream& out);
int CreateCounterTable(QTextStream& out);

// The reason the editor could not open goes to `err`; no box waits for a click.
int EditRule(const RuleAdmin::Target& target, QTextStream& err);
int PrintLedger(qint32 groupId, const QString& pdfFile, QTextStream& out);

}

}
