#pragma once

#include "RuleGrid.h"

#include <QTableView>

namespace vellbatchrule {

class SpreadGridDelegate;
class SpreadGridModel;

// The spread grid control: a table of typed, lockable cells that the user
// works as a spreadsheet. Arrows and Tab move (Tab past the last cell,
// Shift+Tab before the first and Ctrl+Tab always go on to the window),
// typing or F2 edits, Delete clears, Enter commits, Esc cancels. The active
// list cell shows its arrow; a click on it, F4 or Alt+Down opens the list.
class SpreadGrid : public QTableView, public RuleGrid {
    Q_OBJECT
public:
    explicit SpreadGrid(QWidget* parent = nullptr);

    int RowCount() const override;
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
    int ActiveColumn() const override;
    int ActiveRow() const override;

    // Column widths count characters of the grid's font.
    void SetColumnWidthInCharacters(int column, double characters);
    double CharacterWidth() const;

    // Commits the cell being edited, as leaving it would.
    void FinishEditing();

    using QTableView::edit;

signals:
    // The user changed a cell; the program's own writes are not announced.
    void CellChanged(int column, int row);
    // A character typed into the grid or a cell's editor; set discard to drop it.
    void KeyPress(QChar key, bool& discard);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    // The one place where the grid's 1-based positions meet model indexes and sections.
    static int SectionOf(int column);
    QModelIndex IndexOf(int column, int row) const;
    static std::pair<int, int> PositionOf(const QModelIndex& index);

    bool Discards(const QKeyEvent& event);
    bool IsOpenList(const QModelIndex& index) const;
    bool OpenDropDown(const QModelIndex& index);
    void ClearCell(const QModelIndex& index);
    bool LeavesGrid(CursorAction action) const;
    void PlaceCaret(const QModelIndex& index, bool typed);
    void ApplyColumnWidths();
    void ApplyRowHeights();

    SpreadGridModel* cells_;
    SpreadGridDelegate* delegate_;
    QList<double> widths_;   // characters per section; 0 leaves the column as it is
};

}
