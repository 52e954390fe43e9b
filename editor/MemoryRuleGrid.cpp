#include "MemoryRuleGrid.h"

#include "HostError.h"
#include "HostErrors.h"

namespace vellbatchrule {

MemoryRuleGrid::MemoryRuleGrid()
{
    SetRowCount(1);
}

void MemoryRuleGrid::SetRowCount(int rows)
{
    rows_.resize(std::max(rows, 0));
    for (auto& row : rows_)
        row.resize(ColumnCount);
}

const MemoryRuleGrid::Cell& MemoryRuleGrid::At(int column, int row) const
{
    if (column < 1 || column > ColumnCount || row < 1 || row > RowCount())
        throw HostError(HostErrors::SubscriptOutOfRange,
                        QStringLiteral("No grid cell at column %1, row %2").arg(column).arg(row),
                        QStringLiteral("RuleGrid"));
    return rows_[row - 1][column - 1];
}

MemoryRuleGrid::Cell& MemoryRuleGrid::At(int column, int row)
{
    return const_cast<Cell&>(std::as_const(*this).At(column, row));
}

QString MemoryRuleGrid::Text(int column, int row) const
{
    if (row == 0 && column >= 1 && column <= ColumnCount)
        return headers_[column - 1];
    return At(column, row).text;
}

void MemoryRuleGrid::SetText(int column, int row, const QString& text)
{
    if (row == 0 && column >= 1 && column <= ColumnCount)
        headers_[column - 1] = text;
    else
        At(column, row).text = text;
}

QVariant MemoryRuleGrid::Value(int column, int row) const
{
    const Cell& cell = At(column, row);
    return ValueOf(cell.text, cell.format);
}

RuleGrid::CellFormat MemoryRuleGrid::CellFormatOf(int column, int row) const
{
    return At(column, row).format;
}

void MemoryRuleGrid::SetCellFormat(int column, int row, const CellFormat& format)
{
    At(column, row).format = format;
}

bool MemoryRuleGrid::IsLocked(int column, int row) const
{
    return At(column, row).locked;
}

void MemoryRuleGrid::SetLocked(int column, int row, bool locked)
{
    At(column, row).locked = locked;
}

void MemoryRuleGrid::SetActiveCell(int column, int row)
{
    activeColumn_ = column;
    activeRow_ = row;
}

}
