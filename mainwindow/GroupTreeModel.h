#pragma once

#include "GroupTree.h"

#include <QAbstractItemModel>
#include <QIcon>
#include <QList>

namespace vellbatchrule {

// The material-group tree as an item model: the nodes are held once, flat,
// with their children's positions, so 20,000 groups load without making
// 20,000 widgets items. Keys ("K0", "K7") are under Qt::UserRole.
class GroupTreeModel : public QAbstractItemModel {
public:
    explicit GroupTreeModel(QObject* parent = nullptr) : QAbstractItemModel(parent) {}

    // Replaces the tree; every node's parent comes before it.
    void SetTree(GroupTree::Load tree);
    void SetPicture(const QIcon& picture) { picture_ = picture; }

    QModelIndex IndexOfKey(const QString& key) const { return IndexOfId(GroupTree::NodeId(key)); }
    QModelIndex IndexOfId(qint32 id) const;
    QModelIndex LastNode() const;
    static QString KeyOf(const QModelIndex& index) { return index.data(Qt::UserRole).toString(); }
    // The group a node stands for, 0 for the root.
    qint32 IdOf(const QModelIndex& index) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    struct Item {
        int parent = -1;   // position in items_, -1 for a top-level node
        int row = 0;       // position among its parent's children
        QList<int> children;
    };
    QModelIndex IndexOf(int item) const;
    const Item* ItemOf(const QModelIndex& index) const;
    const GroupTree::Node& NodeOf(const QModelIndex& index) const;

    GroupTree::Load tree_;   // the nodes, their texts and positions; items_[i] places nodes[i]
    QList<Item> items_;
    QList<int> topLevel_;
    QIcon picture_;
};

}
