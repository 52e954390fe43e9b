#pragma once

#include <QString>
#include <optional>

namespace vellbatchrule {

// Whose rule the rule editor opens on: always the selected tree node's
// group, and the material of the ledger row when the ledger has the focus
// on a material row.
struct EditorTarget {
    qint32 ParentItemID = 0;
    QString ParentItemNumberName;
    qint32 ItemID = 0;           // 0 and empty: the group's rule is edited
    QString ItemNumberName;

    // The group's tree text: "number(name)", the root's the translation of
    // 物料. A group the user may not see is refused (CommandGuard).
    static QString GroupText(qint32 groupId);
    // From a tree node: its group's ID and its text.
    static EditorTarget OfGroup(qint32 groupId, const QString& nodeText);
    // The ledger's cells of a material row: columns 1, 2 and 3.
    void TakeMaterial(const QString& itemIdText, const QString& number, const QString& name);

    // A material (with its group) or a group by ID, as the main window would
    // take it, within the user's grants: the group's text is its tree text. An
    // unknown or unseen one, or a material without batches, is refused
    // (CommandGuard).
    static EditorTarget Resolve(std::optional<qint32> itemId, std::optional<qint32> groupId);

    // Why the user may not read or write the root's rule, which reaches every
    // material: only a user who may see every group does. Empty when the user may.
    static QString RootRefusal();
    bool IsRoot() const { return ParentItemID == 0 && ItemID == 0; }

    // Sets the editor (or its window) on this target, as the main window does before it opens it.
    template <typename Editor>
    void Aim(Editor& editor) const
    {
        editor.ItemID = ItemID;
        editor.ItemNumberName = ItemNumberName;
        editor.ParentItemID = ParentItemID;
        editor.ParentItemNumberName = ParentItemNumberName;
    }
};

}
