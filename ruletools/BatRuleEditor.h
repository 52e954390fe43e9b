#pragma once

#include "BatchOptions.h"

#include "BatRuleStruct.h"

#include <QString>
#include <functional>
#include <optional>

namespace vellbatchrule {

class BatRuleSave;
class HistoryRecorder;
class RuleGrid;

// The rule editor without its window: which rule it edits, the level count,
// the options, loading the stored rule into the grid, the three checks and
// the commit. The editor window shows it; the command line drives it.
class BatRuleEditor {
public:
    explicit BatRuleEditor(RuleGrid& grid);

    // Set before Open, as the main window does.
    qint32 ItemID = 0;
    qint32 ParentItemID = 0;
    QString ItemNumberName;
    QString ParentItemNumberName;
    bool singleItem = true;   // optSingleItem, else optGroupItem; chosen by Open
    BatchOptions options;

    // Chooses the material when one is named, else the group; loads the
    // stored rule and the options. Database errors reach the caller.
    void Open();
    // The choice alone, for a rule that is filled in afresh.
    void TakeTarget();
    QString ParentGroupNumber() const { return parentGroupNumber_; }

    // txtLevel: setting its text rebuilds the rows.
    QString LevelText() const { return levelText_; }
    void SetLevelText(const QString& text);

    void LoadRuleIntoGrid();

    // Each shows its message and answers false when the rule fails it.
    bool CheckTotalLength();
    bool CheckSerialOnce();
    bool CheckSerialLength();
    // No cell may hold a control character: no batch number can carry one.
    bool CheckPlainCells();

    // The refusals of the checks above, translated.
    static QString LevelCountRefusal();
    static QString TotalLengthRefusal();
    static QString SerialOnceRefusal();
    static QString SerialLengthRefusal(qsizetype formatLength);
    static constexpr int MaxLevels = 8;
    static constexpr int MaxTotalLength = 200;

    // What the user chooses when the rule the editor shows moved on in the
    // database since the editor read it.
    enum class Conflict { Back, Reload, Overwrite };
    // Asked inside the commit before anything is written, with the reason
    // and the stored rule's version now. Without it the commit writes as a
    // command always has.
    std::function<Conflict(const QString& reason, const QString& storedVersion)> onConflict;

    // Where the database keeps history, the commit is recorded as made
    // through this: editor, command, import. Empty: not recorded.
    QString historySource;

    // The version of the rule Open read (RuleVersion), "" after a failed read.
    QString LoadedVersion() const { return loadedRule_ ? loadedRule_->version : QString(); }
    // The commit writes only over this version of the rule Open read.
    void ExpectVersion(const QString& version);
    // The version of the rule the commit writes, as it is stored now; "" after a failed read.
    QString StoredVersion() const;

    struct CommitResult {
        bool closed = false;   // the rule and the options are written: the window closes
        bool reload = false;   // the user chose to see the rule as it is stored now
    };
    // OK pressed: checks, then the rule and the options in one unit of work.
    // A refusal or a failure is shown, writes nothing and keeps the window open.
    CommitResult Commit();

    // What OK does before it writes: the checks and the save engine's
    // collecting, refusals shown as OK shows them. Writes nothing.
    bool Prepare(BatRuleSave& save);
    // After Prepare: the number below which a group rule spreads.
    QString PreparedSpreadNumber() const { return spreadNumber_; }
    // One step of a commit: false after a failure, shown with the message, its cause and source.
    static bool CommitStep(const char* failureMessage, const std::function<void()>& step);
    // The writers of a prepared save for a material or for a group.
    static bool WriteRule(BatRuleSave& save, bool singleItem);
    // Rules and the options together, or nothing: one unit of work around
    // the writers and the options; every failure is shown by its step. With
    // the options as they were loaded, the stored ones are read again first
    // in the unit, and an option not changed since is written as stored now.
    // A change of the options is recorded in `history`, where given with `loaded`.
    static bool WriteInOneUnit(const BatchOptions& options, const std::function<bool()>& writeRules,
                               const BatchOptions* loaded = nullptr, HistoryRecorder* history = nullptr);

    // The number below which the commit spreads a group rule: the text before
    // "(" of the group's display text, or the stored number where that text
    // cannot carry it.
    static QString SpreadNumberOf(const QString& storedNumber, const QString& parentGroupNumber);
    // The part of a group's display text before its first "(", or "".
    static QString GroupNumberOf(const QString& groupText);
    // For the group with this id and display text: that number, or nothing
    // with the refusal that says why the group must not be spread (none
    // after a failed query, which has shown why). Access filter errors reach
    // the caller.
    struct SpreadTarget {
        std::optional<QString> number;
        QString refusal;
    };
    static SpreadTarget SpreadTargetOf(qint32 groupId, const QString& groupText);

private:
    int LevelCount() const;
    bool SpreadNumber(QString& number);
    // Inside the commit: whether the rule shown is still stored as it was
    // read, or the user chose to overwrite it.
    bool StillAsLoaded(Conflict& choice);

    RuleGrid& grid_;
    BatchOptions loadedOptions_;   // as Open read them
    struct LoadedRule {
        RuleOwner owner;
        qint32 id;
        QString version;
    };
    std::optional<LoadedRule> loadedRule_;   // none after a failed read
    QString levelText_ = QStringLiteral("1");
    QString parentGroupNumber_;
    QString spreadNumber_;
};

}
