#pragma once

#include "RuleGrid.h"

#include <QList>

namespace vellbatchrule {

// A rule grid held in memory: the editor without its window.
class MemoryRuleGrid : public RuleGrid {
public:
    MemoryRuleGrid();

    int RowCount() const override { return int(rows_.size()); }
    void SetRowCount(int rows) override;

    QString Text(int column, int row) const override;
    void SetText(int column, int row, const QString& text) override;
    QVariant Value(int column, int row) const override;

    CellFormat CellFormatOf(int column, int row) const override;
    void SetCellFormat(int column, int row, const CellFormat& format) override;
    bool IsLocked(int column, int row) const override;
    void SetLocked(int column, int row, bool locked) override;

    void SetFocus() override { hasFocus_ = true; }
    void SetActiveCell(int column, int row) override;
    int ActiveColumn() const override { return activeColumn_; }
    int ActiveRow() const override { return activeRow_; }
    bool HasFocus() const { return hasFocus_; }

private:
    struct Cell {
        QString text;
        CellFormat format;
        bool locked = false;
    };
    const Cell& At(int column, int row) const;
    Cell& At(int column, int row);

    QString headers_[ColumnCount];
    QList<QList<Cell>> rows_;
    int activeColumn_ = 1;
    int activeRow_ = 1;
    bool hasFocus_ = false;
};

}
