#include "LedgerFont.h"
#include "LedgerGrid.h"
#include "TestSupport.h"

#include <QAbstractItemModelTester>
#include <QFontDatabase>
#include <QFontInfo>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>

namespace {

// A ledger of materials whose row texts are counted as they are asked for.
class LedgerRows : public testing::Test {
protected:
    LedgerRows()
    {
        grid.rowTextRequest = [this](int row) {
            ++asked[row];
            return row == 1 ? QString("内码|物料代码|物料名称|批号规则|") : QString("%1|M%1|物料%1|[日期]|").arg(row);
        };
        grid.SetCols(4);
        grid.resize(600, 300);
    }
    void Paint()
    {
        asked.clear();
        grid.grab();
    }
    int AskedBodyRows() const
    {
        int rows = 0;
        for (auto it = asked.cbegin(); it != asked.cend(); ++it)
            rows += it.key() > 1;
        return rows;
    }

    LedgerGrid grid;
    QHash<int, int> asked;
};

TEST_F(LedgerRows, HeaderIsRowOneAndCellsSplitAtTheBar)
{
    grid.SetRows(4);
    EXPECT_EQ(grid.model()->rowCount(), 3);
    EXPECT_EQ(grid.model()->headerData(3, Qt::Horizontal).toString(), "批号规则");
    EXPECT_EQ(grid.CellText(2, 2), "M2");
    EXPECT_EQ(grid.CellText(1, 1), "内码");
    EXPECT_EQ(grid.model()->index(0, 2).data().toString(), "物料2");
    EXPECT_FALSE(grid.model()->index(0, 3).data(Qt::EditRole).isValid());
}

TEST_F(LedgerRows, OnlyPaintedRowsAreAskedForAndEachOncePerPaint)
{
    grid.SetRows(100001);
    Paint();
    EXPECT_GT(AskedBodyRows(), 3);
    EXPECT_LT(AskedBodyRows(), 40);
    for (auto it = asked.cbegin(); it != asked.cend(); ++it) {
        if (it.key() > 1) {
            EXPECT_EQ(it.value(), 1) << "row " << it.key();
        }
    }
    // Nothing is kept: the next paint asks again.
    Paint();
    EXPECT_GT(AskedBodyRows(), 3);
    grid.Redraw();
    EXPECT_EQ(grid.CellText(2, 4), "[日期]");
}

TEST_F(LedgerRows, FlagSixteenHidesAColumnThatStillReads)
{
    grid.SetRows(3);
    grid.SetColumnFlag(1, Ledger::HiddenColumn, true);
    EXPECT_TRUE(grid.isColumnHidden(0));
    EXPECT_EQ(grid.CellText(3, 1), "3");
    grid.SetColumnWidth(2, 1440);
    EXPECT_EQ(grid.columnWidth(1), grid.logicalDpiX());
}

TEST_F(LedgerRows, CurrentRowFollowsTheUserAndTheHeader)
{
    grid.SetRows(5);
    grid.show();
    EXPECT_EQ(grid.CurrentRow(), 1);
    const QRect third = grid.visualRect(grid.model()->index(2, 1));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, third.center());
    EXPECT_EQ(grid.CurrentRow(), 4);
    QTest::keyClick(&grid, Qt::Key_Up);
    EXPECT_EQ(grid.CurrentRow(), 3);
    QTest::mouseClick(grid.horizontalHeader()->viewport(), Qt::LeftButton, {}, QPoint(20, 5));
    EXPECT_EQ(grid.CurrentRow(), 1);
}

TEST_F(LedgerRows, DoubleClickAndEnterActivateARow)
{
    int activations = 0;
    grid.activation = [&] { ++activations; };
    grid.SetRows(3);
    grid.show();
    const QRect first = grid.visualRect(grid.model()->index(0, 1));
    // A double click is a press and release, then the second press.
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, first.center());
    EXPECT_EQ(activations, 0);
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, first.center());
    EXPECT_EQ(activations, 1);
    QTest::keyClick(&grid, Qt::Key_Return);
    EXPECT_EQ(activations, 2);
}

TEST_F(LedgerRows, ModelKeepsTheItemModelContract)
{
    grid.SetRows(20);
    QAbstractItemModelTester tester(grid.model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    grid.SetRows(3);
    grid.SetCols(2);
    grid.Redraw();
    EXPECT_EQ(grid.model()->columnCount(), 2);
}

TEST(LedgerFonts, MissingChineseFontFallsBackToAnInstalledOne)
{
    const QFont song = LedgerFont({"宋体", 134, 9, false, false});
    EXPECT_EQ(song.pointSizeF(), 9);
    const QString family = QFontInfo(song).family();
    EXPECT_TRUE(QFontDatabase::writingSystems(family).contains(QFontDatabase::SimplifiedChinese)) << family.toStdString();
    const QFont title = LedgerFont({"Arial", 0, 16, true, true});
    EXPECT_TRUE(title.bold());
    EXPECT_TRUE(title.underline());
}

TEST(LedgerPrintLines, TenOfEachAndNoMore)
{
    LedgerGrid grid;
    grid.Printer().Header(9).text = "末行";
    grid.Printer().Footer(0).font.size = 12;
    EXPECT_EQ(std::as_const(grid.Printer()).Header(9).text, "末行");
    EXPECT_EQ(grid.Printer().Footer(0).font.size, 12);
    EXPECT_THROW(grid.Printer().Header(10), HostError);
    EXPECT_THROW(grid.Printer().Footer(-1), HostError);
}

}
