#include "SpreadGridModel.h"

#include "HostError.h"
#include "HostErrors.h"

namespace vellbatchrule {

SpreadGridModel::SpreadGridModel(int columns, QObject* parent)
    : QAbstractTableModel(parent), columns_(columns), headers_(columns)
{
}

int SpreadGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

int SpreadGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : columns_;
}

const SpreadGridModel::Cell& SpreadGridModel::At(const QModelIndex& index) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        throw HostError(HostErrors::SubscriptOutOfRange,
                        QStringLiteral("Subscript out of range: the grid has no such cell"),
                        QStringLiteral("SpreadGrid"));
    return rows_[index.row()][index.column()];
}

SpreadGridModel::Cell& SpreadGridModel::At(const QModelIndex& index)
{
    std::as_const(*this).At(index);   // checks the index
    return rows_[index.row()][index.column()];   // the rows share their cells until one is written
}

QVariant SpreadGridModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const Cell& cell = At(index);
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return cell.text;
    case FormatRole:
        return QVariant::fromValue(cell.format);
    case LockedRole:
        return cell.locked;
    default:
        return {};
    }
}

bool SpreadGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    const QString text = value.toString();
    if (text == At(index).text)
        return true;
    At(index).text = text;
    Changed(index);
    emit CellEdited(index);
    return true;
}

Qt::ItemFlags SpreadGridModel::flags(const QModelIndex& index) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return Qt::NoItemFlags;
    const Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    return At(index).locked ? flags : flags | Qt::ItemIsEditable;
}

QVariant SpreadGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    return section >= 0 && section < columns_ ? QVariant(headers_[section]) : QVariant();
}

bool SpreadGridModel::setHeaderData(int section, Qt::Orientation orientation, const QVariant& value, int role)
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columns_
        || (role != Qt::DisplayRole && role != Qt::EditRole))
        return false;
    headers_[section] = value.toString();
    emit headerDataChanged(orientation, section, section);
    return true;
}

void SpreadGridModel::SetRowCount(int rows)
{
    const int before = int(rows_.size());
    rows = std::max(rows, 0);
    if (rows < before) {
        beginRemoveRows(QModelIndex(), rows, before - 1);
        rows_.resize(rows);
        endRemoveRows();
    } else if (rows > before) {
        beginInsertRows(QModelIndex(), before, rows - 1);
        rows_.resize(rows, QList<Cell>(columns_));
        endInsertRows();
    }
}

QString SpreadGridModel::Text(const QModelIndex& index) const
{
    return At(index).text;
}

void SpreadGridModel::SetText(const QModelIndex& index, const QString& text)
{
    At(index).text = text;
    Changed(index);
}

RuleGrid::CellFormat SpreadGridModel::Format(const QModelIndex& index) const
{
    return At(index).format;
}

void SpreadGridModel::SetFormat(const QModelIndex& index, const RuleGrid::CellFormat& format)
{
    At(index).format = format;
    Changed(index);
}

bool SpreadGridModel::IsLocked(const QModelIndex& index) const
{
    return At(index).locked;
}

void SpreadGridModel::SetLocked(const QModelIndex& index, bool locked)
{
    At(index).locked = locked;
    Changed(index);
}

void SpreadGridModel::Changed(const QModelIndex& index)
{
    emit dataChanged(index, index);
}

}
