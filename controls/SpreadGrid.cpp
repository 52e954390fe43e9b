#include "SpreadGrid.h"

#include "SpreadGridDelegate.h"
#include "RuleGrid.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>

namespace vellbatchrule {

namespace {

// What a cell's key filter hears for a deletion: Delete takes text away as Backspace does.
constexpr QChar kBackspace = QChar(8);

bool IsCtrlTab(const QKeyEvent& event)
{
    return (event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab) && (event.modifiers() & Qt::ControlModifier);
}

bool IsDropDownKey(const QKeyEvent& event)
{
    return event.key() == Qt::Key_F4 || (event.key() == Qt::Key_Down && (event.modifiers() & Qt::AltModifier));
}

}

SpreadGrid::SpreadGrid(QWidget* parent)
    : QTableView(parent), delegate_(new SpreadGridDelegate(this)), widths_(RuleGrid::ColumnCount, 0.0)
{
    setItemDelegate(delegate_);
    verticalHeader()->hide();
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    setSelectionMode(SingleSelection);
    setEditTriggers(DoubleClicked | EditKeyPressed | AnyKeyPressed);
    setWordWrap(false);
    ApplyRowHeights();
}

// The model's cursor and the view's current cell are one: each follows the other.
void SpreadGrid::setModel(QAbstractItemModel* model)
{
    if (QAbstractItemModel* shownBefore = this->model())
        disconnect(shownBefore, nullptr, this, nullptr);   // its cursor no longer moves this grid
    QTableView::setModel(model);
    if (!model)
        return;
    const QMetaObject& shown = *model->metaObject();
    if (shown.indexOfSignal("ActiveCellSet(QModelIndex)") >= 0)
        connect(model, SIGNAL(ActiveCellSet(QModelIndex)), this, SLOT(ShowCell(QModelIndex)));
    if (shown.indexOfSignal("FocusWanted()") >= 0)
        connect(model, SIGNAL(FocusWanted()), this, SLOT(setFocus()));
    if (shown.indexOfSlot("NoteActiveCell(QModelIndex)") >= 0)
        connect(selectionModel(), SIGNAL(currentChanged(QModelIndex, QModelIndex)), model,
                SLOT(NoteActiveCell(QModelIndex)));
    setCurrentIndex(model->index(0, 0));
}

void SpreadGrid::ShowCell(const QModelIndex& index)
{
    if (!index.isValid())
        return;
    setCurrentIndex(index);
    scrollTo(index);
    setFocus(Qt::OtherFocusReason);
}

RuleGrid::CellFormat SpreadGrid::FormatOf(const QModelIndex& index)
{
    return index.data(RuleGrid::FormatRole).value<CellFormat>();
}

bool SpreadGrid::IsEditable(const QModelIndex& index)
{
    return index.flags() & Qt::ItemIsEditable;
}

double SpreadGrid::CharacterWidth() const
{
    // A spread control's width unit is a character of its fixed-pitch font, a third
    // wider than a digit of the 9-point window font it was laid out with (8 pixels to 6).
    // Keeping that ratio to a digit of this grid's font keeps each column holding its texts.
    return QFontMetricsF(font(), this).horizontalAdvance(QLatin1Char('0')) * 4.0 / 3.0;
}

void SpreadGrid::SetColumnWidthInCharacters(int column, double characters)
{
    widths_[SectionOf(column)] = characters;
    ApplyColumnWidths();
}

void SpreadGrid::ApplyColumnWidths()
{
    // A column of n characters holds n of them beside the cell's text margins and its grid line.
    const int margins = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1) + 1;
    for (int section = 0; section < RuleGrid::ColumnCount; ++section)
        if (widths_[section] > 0)
            setColumnWidth(section, qRound(widths_[section] * CharacterWidth()) + margins);
}

// A row is one line of the grid's font and its grid line, as a spread row is, and the
// header one line: a grid laid out for eight such rows shows them all at once.
void SpreadGrid::ApplyRowHeights()
{
    const int line = fontMetrics().height();
    verticalHeader()->setMinimumSectionSize(line + 1);
    verticalHeader()->setDefaultSectionSize(line + 1);
    horizontalHeader()->setFixedHeight(line);
}

void SpreadGrid::changeEvent(QEvent* event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        ApplyColumnWidths();
        ApplyRowHeights();
    }
}

void SpreadGrid::FinishEditing()
{
    if (QWidget* editor = indexWidget(currentIndex()); editor && state() == EditingState) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

bool SpreadGrid::Discards(const QKeyEvent& event)
{
    // Enter, Esc and Tab end or leave the edit: they are no typing.
    static const int commands[] = {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape, Qt::Key_Tab, Qt::Key_Backtab};
    const bool deletion = event.key() == Qt::Key_Delete;
    if ((event.text().isEmpty() && !deletion)
        || std::find(std::begin(commands), std::end(commands), event.key()) != std::end(commands))
        return false;
    bool discard = false;
    emit KeyPress(deletion ? kBackspace : event.text().front(), discard);
    return discard;
}

void SpreadGrid::keyPressEvent(QKeyEvent* event)
{
    // Ctrl+Tab belongs to the window, as in its other controls: the tab control turns its page.
    if (IsCtrlTab(*event)) {
        event->ignore();
        return;
    }
    const QModelIndex index = currentIndex();
    if (IsDropDownKey(*event) && OpenDropDown(index)) {
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
        ClearCell(index);
        event->accept();
        return;
    }
    if (Discards(*event)) {
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

// Delete empties the cell as Backspace over its whole text would: not in a
// locked cell, not where the cell's key filter refuses a deletion.
void SpreadGrid::ClearCell(const QModelIndex& index)
{
    if (!IsEditable(index))
        return;
    bool discard = false;
    emit KeyPress(kBackspace, discard);
    if (!discard)
        model()->setData(index, QString());
}

bool SpreadGrid::LeavesGrid(CursorAction action) const
{
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return false;
    if (action == MoveNext)
        return current.row() == model()->rowCount() - 1 && current.column() == model()->columnCount() - 1;
    return action == MovePrevious && current.row() == 0 && current.column() == 0;
}

QModelIndex SpreadGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    // Past the last cell (or before the first) Tab goes on to the window's next control.
    if (LeavesGrid(action))
        return QModelIndex();
    return QTableView::moveCursor(action, modifiers);
}

void SpreadGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    // Tab in the last cell's editor commits it and leaves the grid, as Tab on the cell does.
    const bool next = hint == QAbstractItemDelegate::EditNextItem;
    const bool leaves = (next || hint == QAbstractItemDelegate::EditPreviousItem)
                        && LeavesGrid(next ? MoveNext : MovePrevious);
    QTableView::closeEditor(editor, hint);
    if (leaves)
        focusNextPrevChild(next);
}

bool SpreadGrid::IsOpenList(const QModelIndex& index) const
{
    return index.isValid() && FormatOf(index).kind == CellKind::DropDown && IsEditable(index);
}

bool SpreadGrid::OpenDropDown(const QModelIndex& index)
{
    if (!IsOpenList(index) || !edit(index, EditKeyPressed, nullptr))
        return false;
    auto* list = qobject_cast<QComboBox*>(indexWidget(index));
    if (!list)
        return true;
    list->showPopup();
    // The arrow keys go on from the chosen item, or from the first while none is chosen.
    list->view()->setCurrentIndex(list->model()->index(std::max(list->currentIndex(), 0), list->modelColumn()));
    return true;
}

bool SpreadGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    // A list has no text to click into: a click on the active list cell opens its list.
    if ((trigger == SelectedClicked || trigger == DoubleClicked) && IsOpenList(index))
        return OpenDropDown(index);
    // A typed key opens the editor first and is then typed into it.
    const bool typed = trigger == AnyKeyPressed && event && event->type() == QEvent::KeyPress;
    if (!QTableView::edit(index, trigger, typed ? nullptr : event))
        return false;
    QWidget* editor = indexWidget(index);
    if (!editor)
        return true;
    editor->installEventFilter(this);   // once only: installing again just moves it to the front
    if (auto* line = qobject_cast<QLineEdit*>(editor); line && !line->property("tellsTyping").toBool()) {
        line->setProperty("tellsTyping", true);   // an editor edited again is told of once
        connect(line, &QLineEdit::textEdited, this, [this, index](const QString& text) {
            emit Typing(index.column() + 1, index.row() + 1, text);   // the rule grid's places count from 1
        });
    }
    PlaceCaret(index, typed);
    if (typed)
        QCoreApplication::sendEvent(editor, event);
    return true;
}

void SpreadGrid::PlaceCaret(const QModelIndex& index, bool typed)
{
    auto* line = qobject_cast<QLineEdit*>(indexWidget(index));
    if (!line)
        return;
    // Typing goes on from the end of the text, as a spread cell does; a number,
    // or a text that is full, is typed anew.
    const CellFormat format = FormatOf(index);
    const bool full = format.maxLength > 0 && line->text().size() >= format.maxLength;
    if (typed && (format.kind == CellKind::WholeNumber || full))
        line->selectAll();
    else
        line->end(false);
}

bool SpreadGrid::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && watched != this) {
        auto& key = *static_cast<QKeyEvent*>(event);
        // Past the delegate, which takes it for Tab, up to the window; leaving the editor commits it.
        if (IsCtrlTab(key)) {
            key.ignore();
            return true;
        }
        if (Discards(key))
            return true;
    }
    return QTableView::eventFilter(watched, event);
}

}
