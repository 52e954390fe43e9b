#include "GroupTreeModel.h"

namespace vellbatchrule {

void GroupTreeModel::SetTree(GroupTree::Load tree)
{
    beginResetModel();
    tree_ = std::move(tree);
    const QList<GroupTree::Node>& nodes = tree_.nodes;
    items_.clear();
    topLevel_.clear();
    items_.reserve(nodes.size());
    for (const GroupTree::Node& node : nodes) {
        const int item = int(items_.size());
        const int parent = node.parentId < 0 ? -1 : tree_.positions.value(node.parentId, -1);
        QList<int>& siblings = parent < 0 ? topLevel_ : items_[parent].children;
        items_.append({parent, int(siblings.size()), {}});
        siblings.append(item);
    }
    endResetModel();
}

QModelIndex GroupTreeModel::IndexOf(int item) const
{
    return item < 0 ? QModelIndex() : createIndex(items_[item].row, 0, quintptr(item));
}

const GroupTreeModel::Item* GroupTreeModel::ItemOf(const QModelIndex& index) const
{
    return index.isValid() ? &items_[int(index.internalId())] : nullptr;
}

const GroupTree::Node& GroupTreeModel::NodeOf(const QModelIndex& index) const
{
    return tree_.nodes[qsizetype(index.internalId())];
}

QModelIndex GroupTreeModel::IndexOfId(qint32 id) const
{
    return IndexOf(tree_.positions.value(id, -1));
}

qint32 GroupTreeModel::IdOf(const QModelIndex& index) const
{
    return index.isValid() ? NodeOf(index).id : 0;
}

QModelIndex GroupTreeModel::LastNode() const
{
    return IndexOf(int(items_.size()) - 1);
}

QModelIndex GroupTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    const QList<int>& children = parent.isValid() ? ItemOf(parent)->children : topLevel_;
    if (column != 0 || row < 0 || row >= children.size())
        return QModelIndex();
    return IndexOf(children[row]);
}

QModelIndex GroupTreeModel::parent(const QModelIndex& child) const
{
    const Item* item = ItemOf(child);
    return item ? IndexOf(item->parent) : QModelIndex();
}

int GroupTreeModel::rowCount(const QModelIndex& parent) const
{
    if (parent.column() > 0)
        return 0;
    return int(parent.isValid() ? ItemOf(parent)->children.size() : topLevel_.size());
}

int GroupTreeModel::columnCount(const QModelIndex&) const
{
    return 1;
}

QVariant GroupTreeModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
        return tree_.TextOf(NodeOf(index));
    case Qt::UserRole:
        return GroupTree::KeyOf(NodeOf(index).id);
    case Qt::DecorationRole:
        return picture_;
    default:
        return QVariant();
    }
}

}
