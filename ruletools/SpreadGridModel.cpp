#include "SpreadGridModel.h"

#include "HostError.h"
#include "HostErrors.h"

namespace vellbatchrule {

SpreadGridModel::SpreadGridModel(QObject* parent) : QAbstractTableModel(parent), headers_(ColumnCount)
{
    SetRowCount(1);
}

int SpreadGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : RowCount();
}

int SpreadGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

const SpreadGridModel::Cell& SpreadGridModel::At(int column, int row) const
{
    if (column < 1 || column > ColumnCount || row < 1 || row > RowCount())
        throw HostError(HostErrors::SubscriptOutOfRange,
                        QStringLiteral("No grid cell at column %1, row %2").arg(column).arg(row),
                        QStringLiteral("RuleGrid"));
    return rows_[row - 1][column - 1];
}

SpreadGridModel::Cell& SpreadGridModel::At(int column, int row)
{
    std::as_const(*this).At(column, row);   // checks the position
    return rows_[row - 1][column - 1];      // the rows share their cells until one is written
}

QVariant SpreadGridModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const auto [column, row] = PositionOf(index);
    const Cell& cell = At(column, row);
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
    const auto [column, row] = PositionOf(index);
    const QString text = value.toString();
    if (text == At(column, row).text)
        return true;
    At(column, row).text = text;
    Changed(column, row);
    emit CellEdited(index);
    return true;
}

Qt::ItemFlags SpreadGridModel::flags(const QModelIndex& index) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return Qt::NoItemFlags;
    const Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const auto [column, row] = PositionOf(index);
    return At(column, row).locked ? flags : flags | Qt::ItemIsEditable;
}

QVariant SpreadGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    return section >= 0 && section < ColumnCount ? QVariant(headers_[section]) : QVariant();
}

bool SpreadGridModel::setHeaderData(int section, Qt::Orientation orientation, const QVariant& value, int role)
{
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount
        || (role != Qt::DisplayRole && role != Qt::EditRole))
        return false;
    headers_[section] = value.toString();
    emit headerDataChanged(orientation, section, section);
    return true;
}

void SpreadGridModel::SetRowCount(int rows)
{
    const int before = RowCount();
    rows = std::max(rows, 0);
    if (rows < before) {
        beginRemoveRows(QModelIndex(), rows, before - 1);
        rows_.resize(rows);
        endRemoveRows();
    } else if (rows > before) {
        beginInsertRows(QModelIndex(), before, rows - 1);
        rows_.resize(rows, QList<Cell>(ColumnCount));
        endInsertRows();
    }
}

QString SpreadGridModel::Text(int column, int row) const
{
    if (row == 0 && column >= 1 && column <= ColumnCount)
        return headers_[column - 1];
    return At(column, row).text;
}

void SpreadGridModel::SetText(int column, int row, const QString& text)
{
    if (row == 0 && column >= 1 && column <= ColumnCount) {
        setHeaderData(column - 1, Qt::Horizontal, text);
        return;
    }
    At(column, row).text = text;
    Changed(column, row);
}

QVariant SpreadGridModel::Value(int column, int row) const
{
    const Cell& cell = At(column, row);
    return ValueOf(cell.text, cell.format);
}

RuleGrid::CellFormat SpreadGridModel::CellFormatOf(int column, int row) const
{
    return At(column, row).format;
}

void SpreadGridModel::SetCellFormat(int column, int row, const CellFormat& format)
{
    At(column, row).format = format;
    Changed(column, row);
}

bool SpreadGridModel::IsLocked(int column, int row) const
{
    return At(column, row).locked;
}

void SpreadGridModel::SetLocked(int column, int row, bool locked)
{
    At(column, row).locked = locked;
    Changed(column, row);
}

void SpreadGridModel::SetFocus()
{
    focusWanted_ = true;
    emit FocusWanted();
}

void SpreadGridModel::SetActiveCell(int column, int row)
{
    activeColumn_ = column;
    activeRow_ = row;
    if (const QModelIndex index = IndexOf(column, row); index.isValid())
        emit ActiveCellSet(index);
}

void SpreadGridModel::NoteActiveCell(const QModelIndex& index)
{
    if (index.isValid())
        std::tie(activeColumn_, activeRow_) = PositionOf(index);
}

void SpreadGridModel::Changed(int column, int row)
{
    const QModelIndex index = IndexOf(column, row);
    emit dataChanged(index, index);
}

}
