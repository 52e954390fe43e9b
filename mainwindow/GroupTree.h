#pragma once

#include "HostError.h"

#include <QList>
#include <QString>
#include <optional>

namespace vellbatchrule {

class Recordset;

// The material-group tree as nodes: the root "K0", then one node per group
// keyed "K" + FItemID under the node keyed "K" + FParentID, in the order the
// groups come. A group whose parent is not in the tree yet ends the tree
// there, with the failure.
namespace GroupTree {

struct Node {
    QString key;
    QString parentKey;   // empty for the root
    QString text;        // "FNumber(FName)"; the root's the translation of 物料
};

struct Load {
    QList<Node> nodes;
    std::optional<HostError> failure;
};

// The tree of the groups FetchParentItem answered, in its order.
Load FromGroups(Recordset& groups);

// The id a node stands for: its key without the "K" (the root gives 0).
qint32 NodeId(const QString& key);
QString KeyOf(qint32 id);

}

}
