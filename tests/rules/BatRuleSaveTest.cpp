#include "BatRuleSave.h"
#include "BatchTexts.h"
#include "GridTyping.h"
#include "HostText.h"
#include "RuleFixture.h"
#include "SpreadGridModel.h"
#include "TestSupport.h"

namespace {

class SaveEngine : public RuleFixture {
protected:
    SaveEngine()
    {
        save.SetBatRuleItemID(1024);
        save.SetBatRuleParentItemID(7);
        save.SetBatRuleParentItemNumber("03.02");
        save.SetBatRuleSpread(&grid);
        save.SetBatRuleItemIsTop(false);
    }

    void Levels(int rows) { SpreadConsole::RebuildRuleRows(grid, QString::number(rows)); }

    // The rule of the worked example: date yymmdd, serial of format 1 and length 4.
    void DateAndSerial()
    {
        Levels(2);
        Row(grid, 1, 23, "yymmdd");
        Row(grid, 2, 26, "1", "4");
    }

    SpreadGridModel grid;
    BatRuleSave save;
};

TEST_F(SaveEngine, RowWithoutPropertyStopsTheCheckThere)
{
    Levels(3);
    Row(grid, 1, 23, "yymmdd");
    Row(grid, 3, 20);   // would fail on its length, but is never reached
    EXPECT_FALSE(save.OperateSaveing());
    EXPECT_EQ(Messages(), QStringList{"系统检测到[级次=2]的编码属性未设置，请重新设置！"});
    EXPECT_EQ(grid.ActiveRow(), 2);
    EXPECT_EQ(grid.ActiveColumn(), 2);
    EXPECT_TRUE(grid.FocusWasWanted());
    EXPECT_EQ(save.CollectedRows().size(), 1);
}

TEST_F(SaveEngine, SerialWithoutFormatOrLengthIsRefused)
{
    Levels(1);
    Row(grid, 1, 26, "", "4");
    EXPECT_FALSE(save.OperateSaveing());
    Type(grid, RuleGrid::Format, 1, "1");
    Type(grid, RuleGrid::Length, 1, "");
    EXPECT_FALSE(save.OperateSaveing());
    EXPECT_EQ(Messages(), (QStringList{"系统检测到[级次=1]的编码属性的格式未设置，请重新设置！",
                                       "系统检测到[级次=1]的编码属性的长度未设置，请重新设置！"}));
    EXPECT_EQ(grid.ActiveColumn(), 4);
}

TEST_F(SaveEngine, DocumentNumberNeedsItsPadCharacter)
{
    Levels(2);
    Row(grid, 1, 23, "yymmdd");
    Row(grid, 2, 20, QString(), "10");
    EXPECT_FALSE(save.OperateSaveing());
    EXPECT_EQ(Messages(), QStringList{"系统检测到[级次=2]的编码属性的补位符未设置，请重新设置！"});
    EXPECT_EQ(grid.ActiveColumn(), 5);
    EXPECT_EQ(grid.ActiveRow(), 2);
}

TEST_F(SaveEngine, MessagesFollowTheLanguage)
{
    MMTS::ParsePropsString("UserID=16394");
    ResetModuleState();
    db.RegisterAsHost("UserID=16394;LANGUAGE=en");
    CurrentModuleState().hostConnection = connection;
    LoadingPropertyList();
    Levels(1);
    EXPECT_FALSE(save.OperateSaveing());
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_FALSE(Messages().first().contains("系统"));
    EXPECT_TRUE(Messages().first().contains("1"));
}

TEST_F(SaveEngine, CollectsEachKindAsItsFieldsWant)
{
    Levels(5);
    Row(grid, 1, 4, "短代码", "6", "0");
    Row(grid, 2, 25);
    Type(grid, RuleGrid::Format, 2, "");   // a line number whose format was emptied
    Row(grid, 3, 24, "AB-");
    Row(grid, 4, 20, QString(), "10", "0", "X");
    Row(grid, 5, 26, "1", "4");
    ASSERT_TRUE(save.OperateSaveing()) << Messages().join("\n").toStdString();
    const auto& rows = save.CollectedRows();
    ASSERT_EQ(rows.size(), 5);
    EXPECT_EQ(rows[0].first, "10241");
    const BatRuleStruct& code = rows[0].second;
    EXPECT_EQ(code.FUseShortNumber, 1);
    EXPECT_EQ(code.FFormatDate, "''");
    EXPECT_EQ(code.FSelDefine, "''");
    EXPECT_EQ(code.FCharacter, "'0'");
    EXPECT_EQ(code.FSubCharacter, "''");
    EXPECT_EQ(rows[1].second.FFormatDate, "''");
    EXPECT_EQ(rows[1].second.FWidth, 0);
    EXPECT_EQ(rows[2].second.FSelDefine, "'AB-'");
    EXPECT_EQ(rows[2].second.FWidth, 3);
    EXPECT_EQ(rows[3].second.FSubCharacter, "'X'");
    EXPECT_EQ(rows[3].second.FFormatDate, "''");
    EXPECT_EQ(rows[4].first, "10245");
    EXPECT_EQ(rows[4].second.FSelDefine, "'1'");
    EXPECT_EQ(rows[4].second.FItemID, 1024);
}

TEST_F(SaveEngine, ItemSaveSendsTheWorkedExample)
{
    DateAndSerial();
    ASSERT_TRUE(save.OperateSaveing());
    EXPECT_TRUE(save.TakingItemDetailSaves());
    const QString head = " Insert into ICBatchNoRule(FID,FItemID,FPropertyID,FUseShortNumber,FFormatDate,FSelDefine,"
                         "FWidth,FCharacter,FSubCharacter)\r\n";
    EXPECT_EQ(connection->batches, QStringList{" Delete from ICBatchNoRule \r\n Where FItemID=1024\r\n" + head
                                               + " Values(1,1024,23,0,'yymmdd','',6,'','')\r\n" + head
                                               + " Values(2,1024,26,0,'','1',4,'','')\r\n"});
    EXPECT_TRUE(save.CollectedRows().isEmpty());
}

TEST_F(SaveEngine, ItemSaveReplacesOnlyThatMaterialsRule)
{
    save.SetBatRuleItemID(312);
    DateAndSerial();
    const QString before = Rules();
    ASSERT_TRUE(save.OperateSaveing());
    save.TakingItemDetailSaves();
    EXPECT_EQ(Rules(), QString(before).replace("312:1:4,23,26", "312:1:23,26"));
    EXPECT_EQ(db.Rows("SELECT FFormatDate,FSelDefine,FWidth,FDetail FROM ICBatchNoRule WHERE FItemID = 312 ORDER BY FID"),
              "yymmdd||6|1\n|1|4|1");
}

TEST_F(SaveEngine, GroupSpreadTextsWithTheOptionOffAndOn)
{
    DateAndSerial();
    ASSERT_TRUE(save.OperateSaveing());
    const QList<BatchTexts::Element> elements{{1, 23, 0, "yymmdd", "", 6, "", ""}, {2, 26, 0, "", "1", 4, "", ""}};
    EXPECT_EQ(save.GroupDetailSql(), BatchTexts::GroupSpread("03.02", false, elements));
    save.SetBatRuleItemIsTop(true);
    EXPECT_EQ(save.GroupDetailSql(), BatchTexts::GroupSpread("03.02", true, elements));
    EXPECT_EQ(save.GroupSql(), BatchTexts::GroupSave(7, elements));
    save.SetBatRuleParentItemNumber("");
    EXPECT_EQ(save.GroupDetailSql(), BatchTexts::GroupSpread("", true, elements));
    EXPECT_TRUE(save.GroupDetailSql().startsWith(" Select Distinct FItemID into #tmp From ICBatchNoRule\r\n"));
    EXPECT_TRUE(save.GroupDetailSql().endsWith("\r\n Drop table #tmp\r\n"));
}

TEST_F(SaveEngine, GroupSaveSpreadsThenWritesTheGroupsOwnRule)
{
    DateAndSerial();
    ASSERT_TRUE(save.OperateSaveing());
    EXPECT_TRUE(save.TakingGroupDetailSaves());
    EXPECT_EQ(save.CollectedRows().size(), 2);
    EXPECT_TRUE(save.TakingGroupSaves());
    EXPECT_TRUE(save.CollectedRows().isEmpty());
    EXPECT_EQ(Rules(), "7:0:23,26 101:1:8,24,23,26 301:1:20,25 311:1:23,26 312:1:23,26 313:1:23,26");
}

TEST_F(SaveEngine, SpreadWithTheOptionOnSparesOwnRules)
{
    db.Connection().Execute("DELETE FROM ICBatchNoRule WHERE FItemID = 312");
    save.SetBatRuleItemIsTop(true);
    Levels(1);
    Row(grid, 1, 25);
    ASSERT_TRUE(save.OperateSaveing());
    save.TakingGroupDetailSaves();
    save.TakingGroupSaves();
    EXPECT_EQ(Rules(), "7:0:25 101:1:8,24,23,26 301:1:20,25 311:1:23,26 312:1:25 313:1:4,23,26");
}

TEST_F(SaveEngine, GroupNumberReachesSubGroupsButNotLookAlikes)
{
    db.Connection().Execute("INSERT INTO t_ICItem VALUES (901,'01.001','组下物料',1,1), (902,'01',"
                            "'与组同号',1,1)");
    save.SetBatRuleParentItemID(1);
    save.SetBatRuleParentItemNumber("01");
    Levels(1);
    Row(grid, 1, 25);
    ASSERT_TRUE(save.OperateSaveing());
    save.TakingGroupDetailSaves();
    save.TakingGroupSaves();
    EXPECT_EQ(db.Rows("SELECT FItemID FROM ICBatchNoRule WHERE FPropertyID = 25 AND FDetail = 1 ORDER BY FItemID")
                  .replace('\n', ','),
              "101,102,111,112,301,901");   // 01.01.x, 01.02.x, 01.001; not 010.001 (801) or 01 (902)
    EXPECT_EQ(Rules().section(' ', 0, 0), "1:0:25");
}

TEST_F(SaveEngine, RootRuleGoesUnderIdZeroAndReachesEveryMaterial)
{
    save.SetBatRuleParentItemID(0);
    save.SetBatRuleParentItemNumber("");
    Levels(1);
    Row(grid, 1, 25);
    ASSERT_TRUE(save.OperateSaveing());
    save.TakingGroupDetailSaves();
    save.TakingGroupSaves();
    EXPECT_EQ(db.Rows("SELECT FItemID,FDetail FROM ICBatchNoRule WHERE FItemID = 0"), "0|0");
    EXPECT_EQ(db.Scalar("SELECT count(DISTINCT FItemID) FROM ICBatchNoRule WHERE FDetail = 1 AND FPropertyID = 25"),
              db.Scalar("SELECT count(*) FROM t_ICItem WHERE FBatchManager = 1"));
    EXPECT_EQ(db.Scalar("SELECT count(*) FROM ICBatchNoRule WHERE FDetail = 1 AND FPropertyID <> 25"), "0");
}

TEST_F(SaveEngine, NothingCollectedSendsNothing)
{
    EXPECT_FALSE(save.TakingItemDetailSaves());
    EXPECT_FALSE(save.TakingGroupDetailSaves());
    EXPECT_FALSE(save.TakingGroupSaves());
    EXPECT_TRUE(connection->batches.isEmpty());
}

TEST_F(SaveEngine, WriterFailureIsShownWithCauseAndSource)
{
    DateAndSerial();
    ASSERT_TRUE(save.OperateSaveing());
    connection->failWith = "事务(进程 ID 57)与另一个进程被死锁";
    EXPECT_FALSE(save.TakingGroupDetailSaves());
    EXPECT_EQ(save.CollectedRows().size(), 2);
    EXPECT_FALSE(save.TakingGroupSaves());
    EXPECT_TRUE(save.CollectedRows().isEmpty());
    EXPECT_EQ(Messages(), (QStringList{"系统在调用函数TakingGroupDetailSaves()时发生错误\r\n错误原因：事务(进程 ID 57)与另一个"
                                       "进程被死锁\r\n错误来源：Microsoft OLE DB Provider for SQL Server",
                                       "系统在调用函数TakingGroupSaves()时发生错误\r\n错误原因：事务(进程 ID 57)与另一个进程被"
                                       "死锁\r\n错误来源：Microsoft OLE DB Provider for SQL Server"}));
}

TEST_F(SaveEngine, ItemWriterFailureNamesItself)
{
    DateAndSerial();
    ASSERT_TRUE(save.OperateSaveing());
    connection->failWith = "超时";
    EXPECT_FALSE(save.TakingItemDetailSaves());
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_TRUE(Messages().first().startsWith("系统在调用函数TakingItemDetailSaves()时发生错误\r\n错误原因：超时"));
}

TEST_F(SaveEngine, ApostropheIsStoredAsTyped)
{
    save.SetBatRuleItemID(312);
    Levels(1);
    Row(grid, 1, 24, "O'K");
    ASSERT_TRUE(save.OperateSaveing());
    EXPECT_EQ(save.CollectedRows().first().second.FSelDefine, "'O''K'");
    save.TakingItemDetailSaves();
    EXPECT_EQ(db.Scalar("SELECT FSelDefine FROM ICBatchNoRule WHERE FItemID = 312"), "O'K");
    EXPECT_EQ(db.Scalar("SELECT count(*) FROM ICBatchNoRule WHERE FItemID <> 312"), "14");
}

// Without N, SQL Server would keep only what the database's code page holds of the text.
TEST_F(SaveEngine, TextOutsideAsciiGoesAsUnicodeLiteralsAndAsciiAsTheRulesGiveIt)
{
    EXPECT_EQ(HostText::SqlLiteral("批号"), "N'批号'");
    EXPECT_EQ(HostText::SqlLiteral("it's"), "'it''s'");
    EXPECT_EQ(HostText::SqlLiteral("café'"), "N'café'''");
    EXPECT_EQ(HostText::SqlLiteral(""), "''");
    db.Connection().Execute("INSERT INTO t_ICItem VALUES (901,'食品.001','面包',90,1), (902,'食物.001','米',91,1)");
    save.SetBatRuleParentItemID(90);
    save.SetBatRuleParentItemNumber("食品");
    Levels(1);
    Row(grid, 1, 24, "批号");
    ASSERT_TRUE(save.OperateSaveing());
    EXPECT_EQ(save.CollectedRows().first().second.FSelDefine, "N'批号'");
    EXPECT_TRUE(save.GroupDetailSql().contains("    and FNumber like N'食品.%'\r\n")) << save.GroupDetailSql().toStdString();
    save.TakingGroupDetailSaves();
    EXPECT_EQ(db.Rows("SELECT FItemID || ':' || FSelDefine FROM ICBatchNoRule WHERE FItemID > 900"), "901:批号");
}

TEST_F(SaveEngine, WildcardsInAGroupNumberMatchOnlyThemselves)
{
    db.Connection().Execute("INSERT INTO t_ICItem VALUES (901,'9_.001','组内',90,1), (902,'9A.001','旁组',91,1)");
    save.SetBatRuleParentItemID(90);
    save.SetBatRuleParentItemNumber("9_");
    Levels(1);
    Row(grid, 1, 25);
    ASSERT_TRUE(save.OperateSaveing());
    EXPECT_TRUE(save.GroupDetailSql().contains("    and FNumber like '9[_].%'\r\n"));
    save.TakingGroupDetailSaves();
    EXPECT_EQ(db.Rows("SELECT FItemID FROM ICBatchNoRule WHERE FPropertyID = 25 AND FDetail = 1 ORDER BY FItemID"),
              "301\n901");
}

}
