#pragma once

#include "BatchOptions.h"

#include <QString>

class BatRuleSave;
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

    struct CommitResult {
        bool closed = false;   // the rule and the options are written: the window closes
    };
    // OK pressed: checks, then the rule and the options in one unit of work.
    // A refusal or a failure is shown, writes nothing and keeps the window open.
    CommitResult Commit();

private:
    int LevelCount() const;
    bool SpreadNumber(QString& number);
    bool WriteInOneUnit(BatRuleSave& save);

    RuleGrid& grid_;
    QString levelText_ = QStringLiteral("1");
    QString parentGroupNumber_;
};
