#pragma once

#include "HostError.h"

#include <QHash>
#include <QList>
#include <QString>
#include <memory>
#include <optional>

namespace vellbatchrule {

class Recordset;

// The material-group tree as nodes: the root "K0", then one node per group
// keyed "K" + FItemID under the node keyed "K" + FParentID, in the order the
// groups come. A group whose parent is not in the tree yet ends the tree
// there, with the failure.
namespace GroupTree {

// Ids, not keys, and no text: 20,000 groups load without 60,000 texts, and a
// node's text is made from its row when it is shown.
struct Node {
    qint32 id = 0;         // FItemID; the root's is 0
    qint32 parentId = -1;  // -1 for the root
    int row = -1;          // its row among the groups; -1 for the root
};

struct Load {
    QList<Node> nodes;
    std::optional<HostError> failure;
    std::shared_ptr<Recordset> groups;
    QString rootText;              // the translation of 物料
    QHash<qint32, int> positions;  // a node's position in nodes, by its id
    int numberField = -1, nameField = -1;   // in groups

    // "FNumber(FName)"; the root's is rootText.
    QString TextOf(const Node& node) const;
};

// The tree of the groups FetchParentItem answered, in its order.
Load FromGroups(std::shared_ptr<Recordset> groups);

// The id a node stands for: its key without the "K" (the root gives 0).
qint32 NodeId(const QString& key);
QString KeyOf(qint32 id);

}

}
