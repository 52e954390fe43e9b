#include "GridTyping.h"
#include "RWDatabase.h"
#include "RuleFixture.h"
#include "SpreadGridModel.h"
#include "TestSupport.h"

namespace {

class RuleGridLogic : public RuleFixture {
protected:
    RuleGridLogic() { SpreadConsole::RebuildRuleRows(grid, "1"); }

    QString Cell(int column, int row = 1) const { return grid.Text(column, row); }
    bool Locked(int column, int row = 1) const { return grid.IsLocked(column, row); }
    QString Enter(int column, const QString& text, int row = 1)
    {
        return SpreadConsole::EnterCell(grid, column, row, text);
    }

    SpreadGridModel grid;
};

TEST_F(RuleGridLogic, NewRuleHasOneEmptyRow)
{
    EXPECT_EQ(grid.RowCount(), 1);
    EXPECT_EQ(Cell(RuleGrid::Level), "1");
    for (int column = RuleGrid::Property; column <= RuleGrid::Substitute; ++column)
        EXPECT_EQ(Cell(column), "") << column;
}

TEST_F(RuleGridLogic, PropertyListOffersTwelveItemsWithoutProjectNumber)
{
    const QStringList items = SpreadConsole::PropertyListText();
    ASSERT_EQ(items.size(), 12);
    QStringList ids;
    for (const QString& item : items)
        ids << TextUtil::IdOfText(item);
    EXPECT_EQ(ids.join(","), "1,2,4,5,8,3,20,21,23,24,25,26");
    EXPECT_TRUE(items[0].contains("客户代码"));
    EXPECT_EQ(grid.CellFormatOf(RuleGrid::Property, 1).items, items);
}

TEST_F(RuleGridLogic, LineNumberProposesTwoZerosAndGrowsWithThem)
{
    Choose(grid, 1, 25);
    EXPECT_EQ(Cell(RuleGrid::Format), "00");
    EXPECT_EQ(Cell(RuleGrid::Length), "2");
    EXPECT_TRUE(Locked(RuleGrid::Length));
    EXPECT_TRUE(Locked(RuleGrid::Pad));
    Type(grid, RuleGrid::Format, 1, "000");
    EXPECT_EQ(Cell(RuleGrid::Length), "3");
}

TEST_F(RuleGridLogic, LineNumberFormatTakesOnlyZerosAndBackspace)
{
    Choose(grid, 1, 25);
    grid.SetActiveCell(RuleGrid::Format, 1);
    EXPECT_TRUE(SpreadConsole::AcceptsKey(grid, '0'));
    EXPECT_TRUE(SpreadConsole::AcceptsKey(grid, SpreadConsole::Backspace));
    EXPECT_FALSE(SpreadConsole::AcceptsKey(grid, '1'));
    EXPECT_FALSE(SpreadConsole::AcceptsKey(grid, 'a'));
    EXPECT_FALSE(Enter(RuleGrid::Format, "0a0").isEmpty());
    EXPECT_EQ(Cell(RuleGrid::Format), "00");
    grid.SetActiveCell(RuleGrid::Length, 1);
    EXPECT_TRUE(SpreadConsole::AcceptsKey(grid, '7'));
}

TEST_F(RuleGridLogic, DateFormatGivesItsLength)
{
    Choose(grid, 1, 23);
    EXPECT_EQ(grid.CellFormatOf(RuleGrid::Format, 1).items, SpreadConsole::DateFormats());
    EXPECT_EQ(SpreadConsole::DateFormats().size(), 15);
    Type(grid, RuleGrid::Format, 1, "yyyymmdd");
    EXPECT_EQ(Cell(RuleGrid::Length), "8");
    Type(grid, RuleGrid::Format, 1, "yymm");
    EXPECT_EQ(Cell(RuleGrid::Length), "4");
    EXPECT_FALSE(Enter(RuleGrid::Format, "dd.mm.yyyy").isEmpty());
    EXPECT_TRUE(Locked(RuleGrid::Length));
    EXPECT_FALSE(Enter(RuleGrid::Length, "9").isEmpty());
}

TEST_F(RuleGridLogic, CustomTextGivesItsLength)
{
    Choose(grid, 1, 24);
    Type(grid, RuleGrid::Format, 1, "A-B");
    EXPECT_EQ(Cell(RuleGrid::Length), "3");
    EXPECT_TRUE(Locked(RuleGrid::Pad));
}

TEST_F(RuleGridLogic, BaseDataLeavesLengthAndPadToTheUser)
{
    Choose(grid, 1, 4);
    EXPECT_EQ(grid.CellFormatOf(RuleGrid::Format, 1).items, (QStringList{"长代码", "短代码"}));
    EXPECT_FALSE(Locked(RuleGrid::Length));
    EXPECT_FALSE(Locked(RuleGrid::Pad));
    Type(grid, RuleGrid::Format, 1, "长代码");
    Type(grid, RuleGrid::Length, 1, "12");
    Type(grid, RuleGrid::Pad, 1, "0");
    EXPECT_FALSE(Enter(RuleGrid::Length, "256").isEmpty());
    EXPECT_FALSE(Enter(RuleGrid::Length, "0").isEmpty());
    EXPECT_FALSE(Enter(RuleGrid::Pad, "00").isEmpty());
    Type(grid, RuleGrid::Format, 1, "短代码");
    EXPECT_EQ(Cell(RuleGrid::Length), "");
    EXPECT_EQ(grid.Value(RuleGrid::Format, 1), QVariant(1));
}

TEST_F(RuleGridLogic, SerialLocksPadAndSubstituteAndKeepsItsLength)
{
    Choose(grid, 1, 20);
    Type(grid, RuleGrid::Length, 1, "6");
    Type(grid, RuleGrid::Pad, 1, "0");
    Type(grid, RuleGrid::Substitute, 1, "X");
    Choose(grid, 1, 26);
    EXPECT_EQ(Cell(RuleGrid::Length), "6");
    EXPECT_FALSE(Locked(RuleGrid::Length));
    EXPECT_TRUE(Locked(RuleGrid::Pad));
    EXPECT_TRUE(Locked(RuleGrid::Substitute));
    EXPECT_EQ(Cell(RuleGrid::Pad), "");
    EXPECT_EQ(Cell(RuleGrid::Substitute), "");
    Type(grid, RuleGrid::Format, 1, "1");
    EXPECT_EQ(Cell(RuleGrid::Length), "6");
    EXPECT_FALSE(Enter(RuleGrid::Format, "abc").isEmpty());
}

TEST_F(RuleGridLogic, DocumentNumberLocksAnEmptyFormat)
{
    for (int id : {20, 21}) {
        Choose(grid, 1, id);
        EXPECT_TRUE(Locked(RuleGrid::Format));
        EXPECT_EQ(Cell(RuleGrid::Format), "");
        EXPECT_FALSE(Locked(RuleGrid::Length));
        EXPECT_FALSE(Locked(RuleGrid::Pad));
        EXPECT_FALSE(Enter(RuleGrid::Format, "x").isEmpty());
    }
}

TEST_F(RuleGridLogic, LeavingTheSerialOpensTheSubstituteAgain)
{
    Choose(grid, 1, 26);
    Choose(grid, 1, 4);
    EXPECT_FALSE(Locked(RuleGrid::Substitute));
}

TEST_F(RuleGridLogic, LoweringTheLevelCountDropsRowsWithTheirContents)
{
    SpreadConsole::RebuildRuleRows(grid, "5");
    Row(grid, 2, 23, "yymmdd");
    Row(grid, 5, 24, "X");
    SpreadConsole::RebuildRuleRows(grid, "3");
    EXPECT_EQ(grid.RowCount(), 3);
    SpreadConsole::RebuildRuleRows(grid, "5");
    EXPECT_EQ(Cell(RuleGrid::Property, 5), "");
    EXPECT_EQ(Cell(RuleGrid::Format, 5), "");
    EXPECT_EQ(Cell(RuleGrid::Level, 5), "5");
    EXPECT_EQ(Cell(RuleGrid::Format, 2), "yymmdd");
    EXPECT_TRUE(Locked(RuleGrid::Length, 2));
}

TEST_F(RuleGridLogic, EmptyLevelCountChangesNothing)
{
    SpreadConsole::RebuildRuleRows(grid, "4");
    SpreadConsole::RebuildRuleRows(grid, "");
    EXPECT_EQ(grid.RowCount(), 4);
}

TEST_F(RuleGridLogic, StoredElementFillsItsRow)
{
    const auto rule = db.Connection().Execute(RWDatabase::BatchRuleSql(101, RuleOwner::Material));
    SpreadConsole::RebuildRuleRows(grid, "4");
    for (int row = 1; row <= 4; ++row, rule->MoveNext())
        SpreadConsole::LoadRuleElement(grid, *rule, row);
    EXPECT_EQ(Cell(RuleGrid::Property, 1), "供应商代码(8)");
    EXPECT_EQ(Cell(RuleGrid::Format, 1), "长代码");
    EXPECT_EQ(Cell(RuleGrid::Pad, 1), "0");
    EXPECT_EQ(Cell(RuleGrid::Substitute, 1), "Z");
    EXPECT_EQ(Cell(RuleGrid::Format, 2), "-");
    EXPECT_EQ(Cell(RuleGrid::Length, 3), "4");
    EXPECT_EQ(Cell(RuleGrid::Format, 4), "1");
    EXPECT_TRUE(Locked(RuleGrid::Pad, 4));
}

TEST_F(RuleGridLogic, StoredShortCodeAndProjectNumberAreShown)
{
    db.Connection().Execute("INSERT INTO ICBatchNoRule VALUES (1,55,22,0,'','',8,'0','',1)");
    auto rule = db.Connection().Execute(RWDatabase::BatchRuleSql(312, RuleOwner::Material));
    SpreadConsole::LoadRuleElement(grid, *rule, 1);
    EXPECT_EQ(Cell(RuleGrid::Format), "短代码");
    rule = db.Connection().Execute(RWDatabase::BatchRuleSql(55, RuleOwner::Material));
    SpreadConsole::LoadRuleElement(grid, *rule, 1);
    EXPECT_EQ(Cell(RuleGrid::Property), "项目号(22)");
    EXPECT_TRUE(Locked(RuleGrid::Format));
    EXPECT_EQ(Cell(RuleGrid::Length), "8");
}

TEST_F(RuleGridLogic, OnlyListedPropertiesCanBeChosen)
{
    EXPECT_FALSE(Enter(RuleGrid::Property, "项目号(22)").isEmpty());
    EXPECT_FALSE(Enter(RuleGrid::Level, "7").isEmpty());
}

}
