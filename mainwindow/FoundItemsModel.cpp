#include "FoundItemsModel.h"

#include "MParse.h"

namespace vellbatchrule {

void FoundItemsModel::SetMatches(QList<MaterialFinder::Match> matches)
{
    beginResetModel();
    matches_ = std::move(matches);
    endResetModel();
}

int FoundItemsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(matches_.size());
}

int FoundItemsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant FoundItemsModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= matches_.size())
        return QVariant();
    const MaterialFinder::Match& match = matches_.at(index.row());
    switch (index.column()) {
    case Kind:
        return match.group ? MParse::TranslateText("物料组") : MParse::TranslateText("物料");
    case Number:
        return match.number;
    case Name:
        return match.name;
    }
    return QVariant();
}

QVariant FoundItemsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    switch (section) {
    case Kind:
        return MParse::TranslateText("类别");
    case Number:
        return MParse::TranslateText("代码");
    case Name:
        return MParse::TranslateText("名称");
    }
    return QVariant();
}

}
