#include "AdminCommands.h"

#include "BatchNumberIssuer.h"
#include "TabSeparatedRows.h"

#include <QFileInfo>

#include <cstdio>

namespace vellbatchrule {

namespace AdminCommands {

namespace {

constexpr QChar kTab = QLatin1Char('\t');

void Print(const RuleAdmin::Rule& rule, QTextStream& out)
{
    out << rule.text << '\n' << rule.captions.join(kTab) << '\n';
    for (const QStringList& row : rule.rows)
        out << row.join(kTab) << '\n';
    out << "version " << rule.version << '\n';
}

void Print(const QList<RuleAdmin::Option>& options, QTextStream& out)
{
    for (const RuleAdmin::Option& option : options)
        out << option.key << '=' << option.state << kTab << option.caption << '\n';
}

// A dry run: the reach, then a line per material: number, name, its rule now → after.
void Print(const RuleAdmin::RulePlan& plan, QTextStream& out)
{
    if (!plan.groupRule.isEmpty())
        out << plan.groupRule << '\n';
    out << plan.reach << '\n';
    for (const RuleAdmin::MaterialChange& change : plan.sample)
        out << change.number << kTab << change.name << kTab << change.ruleNow << QStringLiteral(" → ") << change.ruleAfter
            << '\n';
    if (!plan.rest.isEmpty())
        out << plan.rest << '\n';
}

void Print(const RuleAdmin::ImportReport& report, QTextStream& out)
{
    for (const QString& line : report.spread)
        out << line << '\n';
    out << report.summary << '\n';
}

// Newest first: entry, time, user, source, owner, before → after, materials reached.
void Print(const QList<RuleAdmin::HistoryEntry>& entries, QTextStream& out)
{
    for (const RuleAdmin::HistoryEntry& e : entries) {
        const QString user = e.userName.isEmpty() ? QString::number(e.userId)
                                                  : QString::number(e.userId) + QLatin1Char(' ') + e.userName;
        PrintTabSeparated({QString::number(e.id), e.time, user, e.source, e.owner,
                           e.before + QStringLiteral(" → ") + e.after, QString::number(e.materials)},
                          out);
    }
}

void Print(const QString& line, QTextStream& out)
{
    out << line << '\n';
}

// A failure as a console shows message boxes: "title: text", one line each.
int Failed(const Failure& failure)
{
    for (QString text : failure.shown) {
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        std::fprintf(stderr, "%s: %s\n", qPrintable(failure.title), qPrintable(text));
    }
    return 1;
}

// The exit code of an answer, printed when there is one, else its failure.
template <typename Answer>
int Printed(const Result<Answer>& answer, QTextStream& out)
{
    if (!answer)
        return Failed(answer.failure());
    Print(*answer, out);
    return 0;
}

QString Absolute(const QString& file)
{
    return QFileInfo(file).absoluteFilePath();
}

}

int ShowRule(const RuleAdmin::Target& target, QTextStream& out)
{
    const auto rule = RuleAdmin::ShowRule(target);
    if (!rule)
        return Failed(rule.failure());
    out << rule->owner << '\n';
    Print(*rule, out);
    return 0;
}

int SetRule(const RuleAdmin::Target& target, const QStringList& elements, RuleAdmin::OwnRules ownRules, bool dryRun,
            const QString& ifVersion, QTextStream& out)
{
    if (dryRun)
        return Printed(RuleAdmin::PlanRule(target, elements, ownRules), out);
    return Printed(RuleAdmin::SetRule(target, elements, ownRules, ifVersion), out);
}

int PreviewRule(const RuleAdmin::Target& target, const RuleAdmin::PreviewDocument& document, QTextStream& out)
{
    return Printed(RuleAdmin::PreviewRule(target, document), out);
}

int ShowHistory(const std::optional<RuleAdmin::Target>& target, const std::optional<QDate>& since,
                const std::optional<RuleAdmin::RuleFileFormat>& format, QTextStream& out)
{
    const auto entries = RuleAdmin::ShowHistory(target, since);
    if (!entries || !format)
        return Printed(entries, out);
    RuleAdmin::WriteHistory(*entries, *format, out);
    return 0;
}

int RestoreHistory(int entry, bool force, QTextStream& out)
{
    const auto restore = RuleAdmin::RestoreHistory(entry, force);
    if (!restore)
        return Failed(restore.failure());
    Print(QList<RuleAdmin::HistoryEntry>{*restore}, out);
    return 0;
}

int ShowOptions(QTextStream& out)
{
    return Printed(RuleAdmin::ShowOptions(), out);
}

int SetOptions(const QStringList& settings, QTextStream& out)
{
    return Printed(RuleAdmin::SetOptions(settings), out);
}

int RunSql(QTextStream& in, QTextStream& out)
{
    const auto ran = RuleAdmin::RunSql(in.readAll(), [&](Recordset* rows) {
        if (rows)
            PrintTabSeparated(*rows, out);
    });
    return ran ? 0 : Failed(ran.failure());
}

int ShowDatabase(QTextStream& out)
{
    const auto shown = RuleAdmin::ShowDatabase([&](const QString& title, Recordset* rows) {
        out << "== " << title << " ==\n";
        if (rows)
            PrintTabSeparated(*rows, out);
        out << '\n';
    });
    return shown ? 0 : Failed(shown.failure());
}

int LintRules(QTextStream& out)
{
    const auto summary = RuleAdmin::LintRules([&](const RuleAdmin::LintFinding& finding) {
        PrintTabSeparated({finding.severity, finding.ownerKind, finding.owner, finding.text}, out);
    });
    if (!summary)
        return Failed(summary.failure());
    out << summary->text << '\n';
    return summary->errors > 0 ? 1 : 0;
}

int ExportRules(RuleAdmin::RuleFileFormat format, const QString& file, bool versions, QTextStream& out)
{
    const auto rules =
        file.isEmpty() ? RuleAdmin::ExportRules(format, out, versions) : RuleAdmin::ExportRules(format, file, versions);
    if (!rules)
        return Failed(rules.failure());
    if (!file.isEmpty())
        out << "Wrote " << Absolute(file) << " (" << *rules << " rules)\n";
    return 0;
}

int ImportRules(const QString& file, RuleAdmin::OwnRules ownRules, bool dryRun, bool ifUnchanged, QTextStream& out)
{
    return Printed(RuleAdmin::ImportRules(file, ownRules, dryRun, ifUnchanged), out);
}

int ImportRules(QIODevice& device, const QString& name, RuleAdmin::OwnRules ownRules, bool dryRun, bool ifUnchanged,
                QTextStream& out)
{
    return Printed(RuleAdmin::ImportRules(device, name, ownRules, dryRun, ifUnchanged), out);
}

int IssueBatchNumbers(qint32 itemId, const RuleAdmin::PreviewDocument& document, int count, QTextStream& out,
                      QTextStream& err)
{
    const auto issuer = BatchNumberIssuer::Open(itemId);
    if (!issuer)
        return Failed(issuer.failure());
    const auto issued = (*issuer)->Issue(document, count);
    if (!issued)
        return Failed(issued.failure());
    if (!issued->note.isEmpty())
        err << issued->note << '\n';
    for (const QString& number : issued->numbers)
        out << number << '\n';
    return 0;
}

int PeekBatchNumber(qint32 itemId, const RuleAdmin::PreviewDocument& document, QTextStream& out)
{
    const auto issuer = BatchNumberIssuer::Open(itemId);
    if (!issuer)
        return Failed(issuer.failure());
    return Printed((*issuer)->Peek(document), out);
}

int TraceBatchNumber(qint32 itemId, const QString& number, QTextStream& out)
{
    const auto origin = BatchNumberIssuer::Trace(itemId, number);
    if (!origin)
        return Failed(origin.failure());
    for (const QString& line : origin->text)
        out << line << '\n';
    return 0;
}

int CreateCounterTable(QTextStream& out)
{
    const auto created = BatchNumberIssuer::CreateCounterTable();
    if (!created)
        return Failed(created.failure());
    const char* const tables = "(ICBatchNoSerial, ICBatchNoIssued, ICBatchNoIssuedTrace, ICBatchNoRuleHistory)\n";
    out << (*created ? "Created the component's tables where they were missing " : "The component's tables are there already ")
        << tables;
    return 0;
}

int EditRule(const RuleAdmin::Target& target, QTextStream& err)
{
    const auto edited = RuleAdmin::EditRule(target);
    if (!edited)
        err << edited.failure().text << '\n';
    return edited ? 0 : 1;
}

int PrintLedger(qint32 groupId, const QString& pdfFile, QTextStream& out)
{
    const auto printout = RuleAdmin::PrintLedger(groupId, pdfFile);
    if (!printout)
        return Failed(printout.failure());
    out << "Wrote " << Absolute(pdfFile) << " (" << printout->rows << " rows, " << printout->pages << " pages)\n";
    return 0;
}

}

}
