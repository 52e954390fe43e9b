#pragma once

#include "BatRuleStruct.h"
#include "RWDatabase.h"

#include <QList>
#include <QPair>
#include <QString>
#include <functional>

namespace vellbatchrule {

class RuleGrid;

// The save engine of the rule editor: checks every grid row for its
// property kind, collects the rows as records and writes them for one
// material, or spreads them to a group's materials and writes the group's
// own rule. Used for one save only.
class BatRuleSave {
public:
    void SetBatRuleItemID(qint32 id) { itemId_ = id; }
    void SetBatRuleParentItemID(qint32 id) { parentItemId_ = id; }
    void SetBatRuleParentItemNumber(const QString& number) { parentItemNumber_ = number; }
    void SetBatRuleSpread(RuleGrid* grid) { grid_ = grid; }
    void SetBatRuleItemIsTop(bool itemIsTop) { itemIsTop_ = itemIsTop; }

    // True when every row passed and was collected; a failing row is shown
    // with its message and gets the cursor.
    bool OperateSaveing();

    // Each sends one batch; false when there was nothing to write or it failed.
    bool TakingItemDetailSaves();
    bool TakingGroupDetailSaves();
    bool TakingGroupSaves();

    // The batches the writers send, for what is collected now. A restricted
    // user's spread reaches only the materials in the scopes of the rules
    // deleted (alias t2) and of the materials given the rule (t_ICItem).
    QString ItemDetailSql() const;
    QString GroupDetailSql(const RWDatabase::AccessScope& deletedScope = {},
                           const RWDatabase::AccessScope& receivingScope = {}) const;
    QString GroupSql() const;

    const QList<QPair<QString, BatRuleStruct>>& CollectedRows() const { return collected_; }

    // A grid row read as the save collects it, its texts plain, not yet
    // literals. The row must hold a level number.
    static BatRuleStruct RowElement(const RuleGrid& grid, int row);
    // The refusal of a row whose property (column 2), format, length or pad
    // character (columns 3 to 5) is missing.
    static QString MissingCellRefusal(int row, int column);

private:
    bool CheckSaveData(int row);
    void PushSaveData();
    void Refuse(int row, int column);
    bool Write(const char* failureMessage, const std::function<QString()>& compose);

    qint32 itemId_ = 0;
    qint32 parentItemId_ = 0;
    QString parentItemNumber_;
    RuleGrid* grid_ = nullptr;
    bool itemIsTop_ = false;
    BatRuleStruct current_;
    QList<QPair<QString, BatRuleStruct>> collected_;   // insertion-ordered: "<FItemID><FID>" → record
};

}
