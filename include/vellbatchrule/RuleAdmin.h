#pragma once

#include "Result.h"
#include "VellBatchRuleExport.h"

#include <QDate>
#include <QIODevice>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <functional>
#include <optional>
#include <utility>

namespace vellbatchrule {

class Recordset;

// The administrator's work without the main window, on the session the host
// components publish: a rule's show, set and preview, the batch options, the
// lint, the rule file and the printout. A call that fails answers its
// Failure: the error's number and the texts, in the session's language,
// that the editor's message boxes show for it. No box opens.
class VELLBATCHRULE_EXPORT RuleAdmin {
public:
    // A material's rule (itemId) or a material group's (groupId, 0: the root); one of the two is given.
    struct Target {
        std::optional<qint32> itemId;
        std::optional<qint32> groupId;
    };

    // What a group rule does to the materials below it with a rule of their own.
    enum class OwnRules { AsStored, Replace, Spare };

    // A rule as the editor's grid shows it, in the session's language.
    struct Rule {
        QString owner;             // the material's or the group's number(name)
        QString text;              // "[日期]+[流水号]"
        QStringList captions;      // 级次, 属性, 格式, 长度, 补位符, 替换符
        QList<QStringList> rows;   // the cells of each element, in the captions' order
        QString version;           // the stored rule's: twelve hex digits of its rows, "0" for none
    };

    struct MaterialChange {
        QString number, name, ruleNow, ruleAfter;
    };
    // What setting a rule would change.
    struct RulePlan {
        QString groupRule;              // for a group, its rule now and after in a sentence; else empty
        QString reach;                  // how many materials get the rule, and how many keep their own
        QList<MaterialChange> sample;   // the first of them
        QString rest;                   // how many more there are, when the sample stops short; else empty
    };

    // The document a preview is for: what is not given comes from the sample.
    struct PreviewDocument {
        std::optional<QDate> date;
        std::optional<int> line;
        QList<std::pair<QString, QString>> values;   // property (ID or name) → value
    };

    struct Option {
        QString key;   // as in t_SystemProfile: BatchItemIsTop, …
        int state;     // 0 or 1
        QString caption;
    };

    struct LintFinding {
        QString severity, ownerKind, owner, text;
    };
    struct LintSummary {
        int rules = 0, errors = 0, warnings = 0, notes = 0;
        QString text;   // the counts in a sentence
    };

    enum class RuleFileFormat { Csv, Json };

    struct ImportReport {
        QStringList spread;   // for a dry run, each group rule's reach
        QString summary;      // how many rules were (or, in a dry run, could be) imported
    };

    // What the history records a rule set through these calls as made
    // through: "host" unless the program names itself (the command line:
    // "command"). Set once, before the first call.
    static void SetHistorySource(const QString& source);

    static Result<Rule> ShowRule(const Target& target);
    // Elements are property[:format[:length[:pad[:substitute]]]], typed into
    // the editor's rows in order and committed as the editor commits them.
    // With ifVersion, only over that version of the stored rule (Rule::version):
    // when it moved on, nothing is written and the failure names the owner
    // and the version now.
    static Result<Rule> SetRule(const Target& target, const QStringList& elements, OwnRules ownRules,
                                const QString& ifVersion = QString());
    // The same checks as SetRule, writing nothing.
    static Result<RulePlan> PlanRule(const Target& target, const QStringList& elements, OwnRules ownRules);
    // The batch number the stored rule gives the document.
    static Result<QString> PreviewRule(const Target& target, const PreviewDocument& document);

    // One change of a rule on record.
    struct HistoryEntry {
        int id = 0;
        QString time;          // by the database's clock
        int userId = 0;
        QString userName;      // as the session's property string gave it; may be empty
        QString owner;         // "material 101", "group 7" or "options"
        QString source;        // editor, command, import, restore, options, host
        QString before, after; // the rule as text
        int materials = 0;     // the materials the change reached
    };
    // The changes of the target's rule, or of every rule (a user who may see
    // every group only), newest first. Needs the history tables (init).
    // With `since`, the changes from that day on.
    static Result<QList<HistoryEntry>> ShowHistory(const std::optional<Target>& target,
                                                   const std::optional<QDate>& since = std::nullopt);
    // Entries as a file a spreadsheet or a program reads: CSV with the
    // entry's id first, or JSON ({"History": [...]}).
    static void WriteHistory(const QList<HistoryEntry>& entries, RuleFileFormat format, QTextStream& out);
    // Puts back what the entry's change replaced (for a spread, every
    // material's rule below the group as it was), in one unit of work, and
    // answers the restore's own entry. When the rule moved on since that
    // change, nothing is written and the failure names the newer change,
    // unless `force`.
    static Result<HistoryEntry> RestoreHistory(int entry, bool force = false);

    static Result<QList<Option>> ShowOptions();
    // Settings are KEY=0 or KEY=1; answers every option as written.
    static Result<QList<Option>> SetOptions(const QStringList& settings);

    // One Transact-SQL batch on the session's connection, its rows (null for
    // a batch without rows) handed to `rows`. A batch reaches every table and
    // every group: only a user who may see every material group runs one.
    static Result<void> RunSql(const QString& batch, const std::function<void(Recordset* rows)>& rows);
    // What the database holds that the user may see, section by section
    // (groups, materials, rules, batch options); a section whose query
    // failed comes with no rows.
    static Result<void> ShowDatabase(const std::function<void(const QString& title, Recordset* rows)>& section);
    // Checks every stored rule the user may see, a finding at a time.
    static Result<LintSummary> LintRules(const std::function<void(const LintFinding&)>& finding);
    // Every rule the user may see as a rule file; answers how many rules.
    // With `versions`, each rule carries its version (Rule::version) in a
    // last column, Version, for an import that must find it unchanged.
    static Result<int> ExportRules(RuleFileFormat format, QTextStream& out, bool versions = false);
    // The same into `file`, which is replaced only by a whole export.
    static Result<int> ExportRules(RuleFileFormat format, const QString& file, bool versions = false);
    // A rule file lands whole or, after any refusal, not at all. With
    // `ifUnchanged`, every rule of the file must carry its version, and the
    // stored rule must still be that version: else nothing is written and
    // the failure names the owner and the newer change.
    static Result<ImportReport> ImportRules(const QString& file, OwnRules ownRules, bool dryRun,
                                            bool ifUnchanged = false);
    // The same from a device open for reading (standard input); `name` names it in messages.
    static Result<ImportReport> ImportRules(QIODevice& device, const QString& name, OwnRules ownRules, bool dryRun,
                                            bool ifUnchanged = false);

    // The editor window alone for the target, as the main window opens it,
    // answering once it has closed. Why it could not open comes as the
    // failure, with no box shown. Needs a QApplication.
    static Result<void> EditRule(const Target& target);

    struct Printout {
        int rows = 0, pages = 0;
    };
    // The ledger of a group (0: the root) as the main window prints it, into
    // a PDF file that is replaced only by a whole printout. Needs a QApplication.
    static Result<Printout> PrintLedger(qint32 groupId, const QString& pdfFile);
};

}
