#pragma once

#include "RuleGrid.h"

#include <QAbstractTableModel>
#include <QList>

namespace vellbatchrule {

// The rule grid: six columns of cells, each with its text, format and lock
// flag, the header texts and the active cell. The editor logic works it
// through RuleGrid, with or without a view; a view shows it through the
// item model and follows its active cell. User edits arrive through setData
// and are announced by CellEdited; the program's own writes announce only
// dataChanged.
class SpreadGridModel : public QAbstractTableModel, public RuleGrid {
    Q_OBJECT
public:
    // One empty row, as a new rule grid has.
    explicit SpreadGridModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant& value,
                       int role = Qt::EditRole) override;

    int RowCount() const override { return int(rows_.size()); }
    void SetRowCount(int rows) override;
    QString Text(int column, int row) const override;
    void SetText(int column, int row, const QString& text) override;
    QVariant Value(int column, int row) const override;
    CellFormat CellFormatOf(int column, int row) const override;
    void SetCellFormat(int column, int row, const CellFormat& format) override;
    bool IsLocked(int column, int row) const override;
    void SetLocked(int column, int row, bool locked) override;
    void SetFocus() override;
    void SetActiveCell(int column, int row) override;
    int ActiveColumn() const override { return activeColumn_; }
    int ActiveRow() const override { return activeRow_; }

    // Whether the logic has asked for the grid's focus since it was made.
    bool FocusWasWanted() const { return focusWanted_; }
    // The cell of the model index, counted from 1.
    static std::pair<int, int> PositionOf(const QModelIndex& index) { return {index.column() + 1, index.row() + 1}; }
    QModelIndex IndexOf(int column, int row) const { return index(row - 1, column - 1); }

public slots:
    // The view's current cell moved: the user went there.
    void NoteActiveCell(const QModelIndex& index);

signals:
    void CellEdited(const QModelIndex& index);
    // The logic put the active cell here, or asked for the grid's focus: a view follows.
    void ActiveCellSet(const QModelIndex& index);
    void FocusWanted();

private:
    struct Cell {
        QString text;
        CellFormat format;
        bool locked = false;
    };
    // Throws HostError for a position outside the cells.
    const Cell& At(int column, int row) const;
    Cell& At(int column, int row);
    void Changed(int column, int row);

    QList<QString> headers_;
    QList<QList<Cell>> rows_;
    int activeColumn_ = Level;
    int activeRow_ = 1;
    bool focusWanted_ = false;
};

}
