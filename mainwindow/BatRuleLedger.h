#pragma once

#include "RWDatabase.h"
#include "Recordset.h"

#include <QList>
#include <QString>
#include <memory>
#include <optional>

namespace vellbatchrule {

// What the main window's ledger shows: the batch-managed materials of the
// selected group, asked for row by row as the ledger paints them, each with
// its rule as text. No row is kept: every answer runs the rule query anew.
class BatRuleLedger {
public:
    // Keeps the materials of the group as the current record set; nothing
    // when the query failed (it has shown why), else their count.
    std::optional<int> ShowGroup(qint32 groupId);

    static QString LedgerHeaderText();
    // Row 2 is the first material: "FItemID|FNumber|FName|rule text|".
    // Empty without materials or when anything fails on the way.
    QString LedgerRowText(int row);

    // The row of a material of the current group (2 for the first); none
    // when the group does not hold it.
    std::optional<int> RowOf(qint32 itemId);

    // The status line of a group of that many materials, translated.
    static QString CountText(int count);

    // The window's data-access object, for the group tree.
    RWDatabase& Database() { return database_; }

private:
    RWDatabase database_;
    std::unique_ptr<Recordset> materials_;
};

}
