#pragma once

#include "RuleGrid.h"

#include <QTableView>

namespace vellbatchrule {

class SpreadGridDelegate;

// The spread grid control: a table of typed, lockable cells that the user
// works as a spreadsheet. Arrows and Tab move (Tab past the last cell,
// Shift+Tab before the first and Ctrl+Tab always go on to the window),
// typing or F2 edits, Delete clears, Enter commits, Esc cancels. The active
// list cell shows its arrow; a click on it, F4 or Alt+Down opens the list.
//
// It shows a model of the rule grid's columns whose cells answer
// RuleGrid::FormatRole and LockedRole. A model that announces
// ActiveCellSet(QModelIndex) and FocusWanted() moves the grid's cursor and
// focus; the grid tells its NoteActiveCell(QModelIndex) where the user went.
class SpreadGrid : public QTableView {
    Q_OBJECT
public:
    explicit SpreadGrid(QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* model) override;

    // Column widths count characters of the grid's font.
    void SetColumnWidthInCharacters(int column, double characters);
    double CharacterWidth() const;

    // Commits the cell being edited, as leaving it would.
    void FinishEditing();

    using QTableView::edit;

public slots:
    // Makes the cell current, in sight and focused.
    void ShowCell(const QModelIndex& index);

signals:
    // A character typed into the grid or a cell's editor; set discard to drop it.
    void KeyPress(QChar key, bool& discard);
    // The text of the cell being edited, at each keystroke, before it is committed.
    void Typing(int column, int row, const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    using CellFormat = RuleGrid::CellFormat;
    using CellKind = RuleGrid::CellKind;
    static CellFormat FormatOf(const QModelIndex& index);
    static bool IsEditable(const QModelIndex& index);
    // The grid's 1-based columns are the model's sections from 0.
    static int SectionOf(int column) { return column - 1; }

    bool Discards(const QKeyEvent& event);
    bool IsOpenList(const QModelIndex& index) const;
    bool OpenDropDown(const QModelIndex& index);
    void ClearCell(const QModelIndex& index);
    bool LeavesGrid(CursorAction action) const;
    void PlaceCaret(const QModelIndex& index, bool typed);
    void ApplyColumnWidths();
    void ApplyRowHeights();

    SpreadGridDelegate* delegate_;
    QList<double> widths_;   // characters per section; 0 leaves the column as it is
};

}
