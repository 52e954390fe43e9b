#include "GridUser.h"
#include "HostError.h"
#include "SpreadGrid.h"
#include "SpreadGridModel.h"
#include "TestSupport.h"

#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest/QTest>

namespace {

using Kind = RuleGrid::CellKind;

// A grid with cells of every kind in row 1: free text of at most 3
// characters, a whole number from 1 to 255, a list of three items, and a
// locked cell, as a window would set them up.
class Grid : public testing::Test {
protected:
    Grid()
    {
        grid.setModel(&cells);
        grid.resize(500, 240);
        cells.SetRowCount(2);
        cells.SetCellFormat(1, 1, {Kind::FreeText, 3, 0, 0, {}});
        cells.SetCellFormat(2, 1, {Kind::WholeNumber, 0, 1, 255, {}});
        cells.SetCellFormat(3, 1, {Kind::DropDown, 0, 0, 0, {"甲", "乙", "丙"}});
        cells.SetText(4, 1, "锁");
        cells.SetLocked(4, 1, true);
        connect();
    }

    void connect()
    {
        QObject::connect(&cells, &SpreadGridModel::CellEdited, [this](const QModelIndex& index) {
            const auto [column, row] = SpreadGridModel::PositionOf(index);
            changes << QPoint(column, row);
        });
        QObject::connect(&grid, &SpreadGrid::KeyPress, [this](QChar key, bool& discard) {
            keys += key;
            discard = key == QLatin1Char('x') || (key == kBackspace && cells.ActiveColumn() == refusesDeletion);
        });
    }

    QWidget* Editor(int column, int row) const { return grid.indexWidget(grid.model()->index(row - 1, column - 1)); }

    QComboBox* OpenList(int column, int row) const
    {
        auto* list = qobject_cast<QComboBox*>(Editor(column, row));
        return list && list->view()->isVisible() ? list : nullptr;
    }

    static constexpr QChar kBackspace = QChar(8);
    SpreadGridModel cells;
    SpreadGrid grid;
    GridUser user{grid};
    QList<QPoint> changes;
    QString keys;
    int refusesDeletion = 0;   // the column whose key filter refuses Backspace
};

TEST_F(Grid, ModelStaysConsistentThroughRowsCellsAndHeaders)
{
    QAbstractItemModelTester tester(grid.model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    cells.SetRowCount(8);
    cells.SetText(6, 8, "末");
    cells.SetRowCount(3);
    cells.SetLocked(2, 3, true);
    cells.SetText(1, 0, "级次");
    cells.SetRowCount(5);
    EXPECT_EQ(grid.model()->rowCount(), 5);
    EXPECT_EQ(grid.model()->columnCount(), 6);
    EXPECT_EQ(cells.Text(6, 5), "") << "a row that came back comes empty";
}

TEST_F(Grid, PositionsCountFromOneAndRowZeroIsTheHeader)
{
    cells.SetText(5, 2, "补");
    EXPECT_EQ(grid.model()->index(1, 4).data().toString(), "补");
    cells.SetText(2, 0, "属性");
    EXPECT_EQ(grid.model()->headerData(1, Qt::Horizontal).toString(), "属性");
    EXPECT_EQ(cells.Text(2, 0), "属性");
    EXPECT_TRUE(grid.verticalHeader()->isHidden());
    EXPECT_THROW(cells.Text(1, 3), HostError);
}

TEST_F(Grid, RowsThatStayKeepTheirCells)
{
    cells.SetText(1, 2, "留");
    cells.SetCellFormat(2, 2, {Kind::WholeNumber, 0, 0, 9, {}});
    cells.SetRowCount(4);
    cells.SetText(1, 4, "去");
    cells.SetRowCount(2);
    cells.SetRowCount(4);
    EXPECT_EQ(cells.Text(1, 2), "留");
    EXPECT_EQ(cells.CellFormatOf(2, 2).maximum, 9);
    EXPECT_EQ(cells.Text(1, 4), "");
    EXPECT_EQ(cells.CellFormatOf(2, 4).kind, Kind::FreeText);
}

TEST_F(Grid, ValueOfAListIsThePositionOfItsChoice)
{
    cells.SetText(3, 1, "丙");
    EXPECT_EQ(cells.Value(3, 1).toInt(), 2);
    cells.SetText(3, 1, "");
    EXPECT_EQ(cells.Value(3, 1).toInt(), -1);
    cells.SetText(2, 1, "12");
    EXPECT_EQ(cells.Value(2, 1).toDouble(), 12.0);
}

TEST_F(Grid, EachKindGetsItsEditor)
{
    ASSERT_TRUE(ShowActive(grid));
    user.Click(1, 1);
    User::Press(Qt::Key_F2);
    auto* text = qobject_cast<QLineEdit*>(Editor(1, 1));
    ASSERT_TRUE(text);
    EXPECT_EQ(text->maxLength(), 3);
    grid.FinishEditing();
    user.Click(2, 1);
    User::Press(Qt::Key_F2);
    auto* number = qobject_cast<QLineEdit*>(Editor(2, 1));
    ASSERT_TRUE(number && number->validator());
    QString typed = "256";
    int position = 3;
    EXPECT_EQ(number->validator()->validate(typed, position), QValidator::Invalid);
    typed.clear();
    EXPECT_EQ(number->validator()->validate(typed, position), QValidator::Acceptable) << "a length may be cleared";
    grid.FinishEditing();
    user.Click(3, 1);
    User::Press(Qt::Key_F2);
    auto* list = qobject_cast<QComboBox*>(Editor(3, 1));
    ASSERT_TRUE(list);
    EXPECT_FALSE(list->isEditable());
    EXPECT_EQ(list->count(), 3);
}

TEST_F(Grid, LockedCellCannotBeTypedIntoAndLooksGreyed)
{
    EXPECT_FALSE(grid.model()->index(0, 3).flags() & Qt::ItemIsEditable);
    EXPECT_TRUE(grid.model()->index(0, 4).flags() & Qt::ItemIsEditable);
    ASSERT_TRUE(ShowActive(grid));
    user.Click(4, 1);
    User::Type("9");
    EXPECT_EQ(Editor(4, 1), nullptr);
    EXPECT_EQ(cells.Text(4, 1), "锁");
    // Its background differs from the open cell beside it.
    const QImage shot = grid.viewport()->grab().toImage();
    auto background = [&](int column) {
        const QRect cell = grid.visualRect(grid.model()->index(0, column - 1));
        return shot.pixelColor(cell.right() - 3, cell.bottom() - 3);
    };
    EXPECT_NE(background(4), background(5));
}

TEST_F(Grid, OnlyTheUsersEditsAreAnnounced)
{
    cells.SetText(1, 1, "程序");
    EXPECT_TRUE(changes.isEmpty());
    ASSERT_TRUE(ShowActive(grid));
    user.Enter(1, 2, "ab");
    EXPECT_EQ(cells.Text(1, 2), "ab");
    EXPECT_EQ(changes, QList<QPoint>{QPoint(1, 2)});
    user.Enter(1, 2, "");   // Enter without a change
    EXPECT_EQ(changes.size(), 1);
}

TEST_F(Grid, TypingGoesOnFromTheEndOfTheText)
{
    cells.SetText(1, 2, "00");
    ASSERT_TRUE(ShowActive(grid));
    user.Enter(1, 2, "0");
    EXPECT_EQ(cells.Text(1, 2), "000");
    cells.SetText(2, 1, "12");
    user.Enter(2, 1, "7");
    EXPECT_EQ(cells.Text(2, 1), "7") << "a number is typed anew";
    cells.SetText(1, 1, "abc");
    user.Enter(1, 1, "d");
    EXPECT_EQ(cells.Text(1, 1), "d") << "a full cell is typed anew";
}

TEST_F(Grid, KeyNotificationDiscardsAKeyAlsoWhileEditing)
{
    ASSERT_TRUE(ShowActive(grid));
    user.Click(1, 2);
    User::Type("x");
    EXPECT_EQ(Editor(1, 2), nullptr) << "a discarded key opens no editor";
    User::Type("axb");
    ASSERT_TRUE(Editor(1, 2));
    User::Press(Qt::Key_Enter);
    EXPECT_EQ(cells.Text(1, 2), "ab");
    EXPECT_TRUE(keys.startsWith("xa")) << keys.toStdString();
    EXPECT_FALSE(keys.contains('\r')) << "Enter is no typing";
}

TEST_F(Grid, EscapeCancelsTheEdit)
{
    cells.SetText(1, 2, "原");
    ASSERT_TRUE(ShowActive(grid));
    user.Click(1, 2);
    User::Press(Qt::Key_F2);
    User::Type("zz");
    User::Press(Qt::Key_Escape);
    EXPECT_EQ(cells.Text(1, 2), "原");
    EXPECT_TRUE(changes.isEmpty());
}

TEST_F(Grid, ArrowsAndTabMoveTheActiveCell)
{
    ASSERT_TRUE(ShowActive(grid));
    cells.SetActiveCell(1, 1);
    EXPECT_TRUE(grid.hasFocus());
    User::Press(Qt::Key_Right);
    User::Press(Qt::Key_Down);
    EXPECT_EQ(cells.ActiveColumn(), 2);
    EXPECT_EQ(cells.ActiveRow(), 2);
    User::Press(Qt::Key_Tab);
    EXPECT_EQ(cells.ActiveColumn(), 3);
    User::Press(Qt::Key_Up);
    EXPECT_EQ(cells.ActiveRow(), 1);
}

// The grid and the model it shows share one cursor; a model no longer shown moves nothing.
TEST_F(Grid, TheGridFollowsTheCursorOfTheModelItShowsOnly)
{
    cells.SetActiveCell(3, 2);
    EXPECT_EQ(grid.currentIndex(), cells.index(1, 2));
    SpreadGridModel other;
    other.SetRowCount(2);
    grid.setModel(&other);
    cells.SetActiveCell(2, 1);
    EXPECT_EQ(grid.currentIndex(), other.index(0, 0)) << "the model shown before moves the grid no more";
    other.SetActiveCell(4, 2);
    EXPECT_EQ(grid.currentIndex(), other.index(1, 3));
    grid.setModel(&cells);
}

TEST_F(Grid, F4OrAltDownOpensTheListAndAChoiceCommits)
{
    ASSERT_TRUE(ShowActive(grid));
    ASSERT_TRUE(user.Choose(3, 1, "乙"));
    EXPECT_EQ(cells.Text(3, 1), "乙");
    EXPECT_EQ(changes, QList<QPoint>{QPoint(3, 1)});
    EXPECT_EQ(Editor(3, 1), nullptr) << "the choice closes the list";
    cells.SetActiveCell(3, 1);
    User::Press(Qt::Key_Down, Qt::AltModifier);
    auto* list = qobject_cast<QComboBox*>(Editor(3, 1));
    ASSERT_TRUE(list);
    EXPECT_TRUE(list->view()->isVisible());
    EXPECT_EQ(list->currentText(), "乙");
}

TEST_F(Grid, FinishingAnEditCommitsIt)
{
    ASSERT_TRUE(ShowActive(grid));
    user.Click(1, 2);
    User::Type("ok");
    grid.FinishEditing();
    EXPECT_EQ(cells.Text(1, 2), "ok");
    EXPECT_EQ(Editor(1, 2), nullptr);
}

TEST_F(Grid, ColumnWidthsCountCharactersOfTheGridsFont)
{
    grid.SetColumnWidthInCharacters(2, 10);
    grid.SetColumnWidthInCharacters(3, 5);
    const int ten = grid.columnWidth(1), five = grid.columnWidth(2);
    EXPECT_NEAR(ten - five, 5 * grid.CharacterWidth(), 1.0);
    EXPECT_NEAR(grid.CharacterWidth(), QFontMetricsF(grid.font()).horizontalAdvance('0') * 4 / 3, 0.01);
    QFont larger = grid.font();
    larger.setPointSizeF(larger.pointSizeF() * 2);
    grid.setFont(larger);
    EXPECT_GT(grid.columnWidth(1), ten * 3 / 2);
}


TEST_F(Grid, F4HighlightsTheChosenItemOrTheFirst)
{
    ASSERT_TRUE(ShowActive(grid));
    for (const auto& [text, highlighted] : {std::pair<QString, int>{"", 0}, {"丙", 2}}) {
        cells.SetText(3, 1, text);
        cells.SetActiveCell(3, 1);
        User::Press(Qt::Key_F4);
        QComboBox* list = OpenList(3, 1);
        ASSERT_TRUE(list) << text.toStdString();
        EXPECT_EQ(list->view()->currentIndex().row(), highlighted) << text.toStdString();
        EXPECT_TRUE(list->view()->selectionModel()->isSelected(list->view()->currentIndex()));
        QTest::keyClick(list->view(), Qt::Key_Enter);
        User::Settle();
        EXPECT_EQ(cells.Text(3, 1), text.isEmpty() ? "甲" : text) << "Enter takes the highlighted item";
    }
}

// The pixels at the right end of a cell that differ from its background: an arrow's.
int ArrowInk(SpreadGrid& grid, int column, int row)
{
    const QImage shot = grid.viewport()->grab().toImage();
    const QRect cell = grid.visualRect(grid.model()->index(row - 1, column - 1));
    const QRect end(cell.right() - cell.height() + 1, cell.top() + 1, cell.height() - 2, cell.height() - 2);
    int ink = 0;
    for (int x = end.left(); x <= end.right(); ++x)
        for (int y = end.top(); y <= end.bottom(); ++y)
            ink += shot.pixel(x, y) != shot.pixel(end.topLeft());
    return ink;
}

TEST_F(Grid, OneClickMarksAListCellAndASecondOpensIt)
{
    ASSERT_TRUE(ShowActive(grid));
    user.Click(1, 2);
    const int idle = ArrowInk(grid, 3, 1);
    user.Click(3, 1);
    EXPECT_GT(ArrowInk(grid, 3, 1), idle) << "the active list cell shows its arrow";
    EXPECT_EQ(Editor(3, 1), nullptr) << "the arrow keys still move from it";
    user.Click(3, 1);
    ASSERT_TRUE(OpenList(3, 1));
}

TEST_F(Grid, DeleteClearsACellThroughTheChecksOfTyping)
{
    cells.SetText(1, 1, "ab");
    cells.SetText(2, 1, "12");
    cells.SetText(3, 1, "乙");
    cells.SetText(5, 1, "留");
    refusesDeletion = 5;
    ASSERT_TRUE(ShowActive(grid));
    const struct {
        int column;
        const char* after;
    } cases[] = {{1, ""}, {2, ""}, {3, ""}, {4, "锁"}, {5, "留"}};
    for (const auto& c : cases) {
        cells.SetActiveCell(c.column, 1);
        User::Press(Qt::Key_Delete);
        EXPECT_EQ(cells.Text(c.column, 1), c.after) << c.column;
        EXPECT_EQ(Editor(c.column, 1), nullptr) << c.column;
    }
    EXPECT_EQ(changes, (QList<QPoint>{{1, 1}, {2, 1}, {3, 1}}));
    EXPECT_EQ(keys, QString(4, kBackspace)) << "the locked cell asks no filter";
    // In an editor Delete takes the character after the caret, and its filter hears it too.
    user.Click(1, 2);
    User::Type("abc");
    User::Press(Qt::Key_Home);
    User::Press(Qt::Key_Delete);
    User::Press(Qt::Key_Enter);
    EXPECT_EQ(cells.Text(1, 2), "bc");
    EXPECT_TRUE(keys.endsWith(kBackspace));
}

// The grid between two controls, as a window holds it.
class GridInWindow : public Grid {
protected:
    GridInWindow()
    {
        grid.setParent(&window);
        grid.setGeometry(0, 30, 500, 240);
        before.setParent(&window);
        after.setParent(&window);
        after.move(0, 280);
        QWidget::setTabOrder(&before, &grid);
        QWidget::setTabOrder(&grid, &after);
    }
    ~GridInWindow() override { grid.setParent(nullptr); }   // the fixture owns it

    QWidget window;
    QLineEdit before, after;
};

TEST_F(GridInWindow, TabLeavesTheGridAtItsEnds)
{
    ASSERT_TRUE(ShowActive(window));
    const struct {
        int column, row;
        Qt::Key key;
        bool editing;
        QWidget* focus;   // the grid: the grid or a cell's editor
        int toColumn, toRow;
    } cases[] = {
        {6, 1, Qt::Key_Tab, false, &grid, 1, 2},
        {6, 2, Qt::Key_Tab, false, &after, 6, 2},
        {1, 2, Qt::Key_Backtab, false, &grid, 6, 1},
        {1, 1, Qt::Key_Backtab, false, &before, 1, 1},
        {5, 2, Qt::Key_Tab, true, &grid, 6, 2},
        {6, 2, Qt::Key_Tab, true, &after, 6, 2},
        {1, 1, Qt::Key_Backtab, true, &before, 1, 1},
    };
    for (const auto& c : cases) {
        cells.SetActiveCell(c.column, c.row);
        if (c.editing) {
            User::Press(Qt::Key_F2);
            User::Type("t");
        }
        User::Press(c.key);
        QWidget* focus = User::Focus();
        if (grid.isAncestorOf(focus))
            focus = &grid;
        EXPECT_EQ(focus, c.focus) << c.column << "," << c.row << " " << c.editing;
        EXPECT_EQ(cells.ActiveColumn(), c.toColumn);
        EXPECT_EQ(cells.ActiveRow(), c.toRow);
        if (c.editing) {
            EXPECT_EQ(cells.Text(c.column, c.row), "t") << "Tab commits the edit";
        }
    }
}

}
