#include "LedgerGrid.h"

#include "LedgerFont.h"
#include "Twips.h"
#include "ViewItemDelegate.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPrinter>

namespace vellbatchrule {

LedgerGrid::LedgerGrid(QWidget* parent, std::shared_ptr<SharedPrinter> printer)
    : QTableView(parent), model_(rowTextRequest), printer_(*this, std::move(printer))
{
    setModel(&model_);
    setSelectionBehavior(SelectRows);
    setSelectionMode(SingleSelection);
    setEditTriggers(NoEditTriggers);
    setWordWrap(false);
    setTextElideMode(Qt::ElideRight);
    verticalHeader()->hide();
    // Fixed row heights let the view place 100,000 rows without asking for them.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    // A caption stands where its cells start: a column wider than the view still shows it.
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    ViewItemDelegate::Use(this);
    connect(this, &QAbstractItemView::doubleClicked, this, [this] {
        if (activation)
            activation();
    });
    // Clicking the header makes the header row current, as a click on row 1.
    connect(horizontalHeader(), &QHeaderView::sectionPressed, this, [this] {
        setFocus(Qt::MouseFocusReason);
        selectionModel()->clear();
        setCurrentIndex(QModelIndex());
    });
}

LedgerGrid::~LedgerGrid() = default;

void LedgerGrid::KeepingCurrentRow(const std::function<void()>& reset)
{
    const QModelIndex current = currentIndex();
    reset();
    if (current.isValid() && current.row() < model_.rowCount())
        setCurrentIndex(model_.index(current.row(), current.column()));
}

void LedgerGrid::SetRows(int rows)
{
    KeepingCurrentRow([&] { model_.SetRows(rows); });
}

void LedgerGrid::Redraw()
{
    KeepingCurrentRow([&] { model_.Redraw(); });
}

void LedgerGrid::SetBodyColor(int red, int green, int blue)
{
    QPalette body = palette();
    body.setColor(QPalette::Base, QColor(red, green, blue));
    setPalette(body);
}

void LedgerGrid::SetColumnWidth(int column, int twips)
{
    setColumnWidth(column - 1, TwipsToPixels(twips, logicalDpiX()));
}

void LedgerGrid::SetColumnFlag(int column, int flag, bool on)
{
    if (flag & HiddenColumn)
        setColumnHidden(column - 1, on);
}

int LedgerGrid::CurrentRow() const
{
    return currentIndex().isValid() ? currentIndex().row() + 2 : 1;
}

void LedgerGrid::ShowRow(int row)
{
    int column = 0;
    while (column + 1 < model_.columnCount() && isColumnHidden(column))
        ++column;
    const QModelIndex cell = model_.index(row - 2, column);
    setCurrentIndex(cell);
    scrollTo(cell, QAbstractItemView::PositionAtTop);
}

QString LedgerGrid::CellText(int row, int column) const
{
    return model_.Cells(row).value(column - 1);
}

void LedgerGrid::SetGridFont(const LedgerPrinter::Font& font)
{
    setFont(LedgerFont(font));
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
}

void LedgerGrid::paintEvent(QPaintEvent* event)
{
    model_.BeginPaint();
    QTableView::paintEvent(event);
    model_.EndPaint();
}

void LedgerGrid::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentIndex().isValid()) {
        if (activation)
            activation();
        return;
    }
    QTableView::keyPressEvent(event);
}

}
