#include "LedgerGridModel.h"

namespace vellbatchrule {

LedgerGridModel::LedgerGridModel(const RowText& rowText, QObject* parent) : QAbstractTableModel(parent), rowText_(rowText) {}

void LedgerGridModel::SetRows(int rows)
{
    Reshape(std::max(rows, 1), cols_);
}

void LedgerGridModel::SetCols(int cols)
{
    Reshape(rows_, std::max(cols, 0));
}

void LedgerGridModel::Reshape(int rows, int cols)
{
    beginResetModel();
    rows_ = rows;
    cols_ = cols;
    painted_.clear();
    header_.reset();
    endResetModel();
}

void LedgerGridModel::Redraw()
{
    SetRows(rows_);
}

void LedgerGridModel::EndPaint()
{
    painting_ = false;
    painted_.clear();
}

QStringList LedgerGridModel::Cells(int ledgerRow) const
{
    if (painting_)
        if (const auto found = painted_.constFind(ledgerRow); found != painted_.constEnd())
            return *found;
    QStringList cells = rowText_ ? rowText_(ledgerRow).split(QLatin1Char('|')) : QStringList();
    cells.resize(cols_);   // the text closes every cell with "|": nothing follows the last
    if (painting_)
        painted_.insert(ledgerRow, cells);
    return cells;
}

int LedgerGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows_ - 1;
}

int LedgerGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : cols_;
}

QVariant LedgerGridModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid) || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return QVariant();
    return Cells(index.row() + 2).value(index.column());
}

QVariant LedgerGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= cols_)
        return QVariant();
    if (!header_)
        header_ = Cells(1);
    return header_->value(section);
}

}
