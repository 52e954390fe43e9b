#pragma once

#include "MaterialFinder.h"

#include <QAbstractTableModel>

namespace vellbatchrule {

// The find box's list: what the latest search answered, a row a match.
class FoundItemsModel : public QAbstractTableModel {
public:
    enum Column { Kind, Number, Name, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    void SetMatches(QList<MaterialFinder::Match> matches);
    const MaterialFinder::Match& At(int row) const { return matches_.at(row); }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QList<MaterialFinder::Match> matches_;
};

}
