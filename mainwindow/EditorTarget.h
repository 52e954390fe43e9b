#pragma once

#include <QString>

namespace vellbatchrule {

// Whose rule the rule editor opens on: always the selected tree node's
// group, and the material of the ledger row when the ledger has the focus
// on a material row.
struct EditorTarget {
    qint32 ParentItemID = 0;
    QString ParentItemNumberName;
    qint32 ItemID = 0;           // 0 and empty: the group's rule is edited
    QString ItemNumberName;

    // From a tree node: its key ("K0", "K7") and its text.
    static EditorTarget OfNode(const QString& nodeKey, const QString& nodeText);
    // The ledger's cells of a material row: columns 1, 2 and 3.
    void TakeMaterial(const QString& itemIdText, const QString& number, const QString& name);
};

}
