#include "BatRuleEditor.h"
#include "BatchTexts.h"
#include "GridTyping.h"
#include "RWDatabase.h"
#include "RuleFixture.h"
#include "SpreadGridModel.h"
#include "TestSupport.h"

namespace {

class Editor : public RuleFixture {
protected:
    // Opened as the main window opens it on material 312 of group 03.02.
    void OpenOnMaterial()
    {
        editor.ItemID = 312;
        editor.ItemNumberName = "03.02.002(绿茶饮料 500ml)";
        editor.ParentItemID = 7;
        editor.ParentItemNumberName = "03.02(食品饮料)";
        editor.Open();
    }

    void OpenOnGroup(qint32 id, const QString& text)
    {
        editor.ParentItemID = id;
        editor.ParentItemNumberName = text;
        editor.Open();
    }

    void Lengths(std::initializer_list<const char*> lengths)
    {
        editor.SetLevelText(QString::number(lengths.size()));
        int row = 0;
        for (const char* length : lengths) {
            Choose(grid, ++row, 20);
            Type(grid, RuleGrid::Length, row, length);
            Type(grid, RuleGrid::Pad, row, "0");
        }
    }

    SpreadGridModel grid;
    BatRuleEditor editor{grid};
};

TEST_F(Editor, OpensOnTheMaterialsRuleAndTheOptions)
{
    OpenOnMaterial();
    EXPECT_TRUE(editor.singleItem);
    EXPECT_EQ(editor.ParentGroupNumber(), "03.02");
    EXPECT_EQ(editor.LevelText(), "3");
    EXPECT_EQ(grid.Text(RuleGrid::Property, 3), "流水号(26)");
    EXPECT_EQ(editor.options.manual, 1);
    EXPECT_EQ(connection->batches.first(), RWDatabase::BatchRuleSql(312, RuleOwner::Material));
}

TEST_F(Editor, OpensOnTheGroupsRuleWhenNoMaterialIsNamed)
{
    OpenOnGroup(7, "03.02(食品饮料)");
    EXPECT_FALSE(editor.singleItem);
    EXPECT_EQ(connection->batches.first(), RWDatabase::BatchRuleSql(7, RuleOwner::Group));
    EXPECT_EQ(grid.Text(RuleGrid::Format, 1), "短代码");
}

TEST_F(Editor, RootHasNoGroupNumberAndANewRuleHasOneRow)
{
    OpenOnGroup(0, "物料");
    EXPECT_EQ(editor.ParentGroupNumber(), "");
    EXPECT_EQ(editor.LevelText(), "1");
    EXPECT_EQ(grid.RowCount(), 1);
    EXPECT_EQ(grid.Text(RuleGrid::Property, 1), "");
}

TEST_F(Editor, TotalLengthOfTwoHundredPasses)
{
    OpenOnGroup(0, "物料");
    Lengths({"100", "100"});
    EXPECT_TRUE(editor.CheckTotalLength());
    Lengths({"100", "101"});
    EXPECT_FALSE(editor.CheckTotalLength());
    EXPECT_EQ(Messages(), QStringList{"批次设置长度超过200，请重新设置"});
    EXPECT_EQ(RecordingMessageBox::shown.last().title, "砚川提示");
}

TEST_F(Editor, EmptyLengthsCountAsNothing)
{
    OpenOnGroup(0, "物料");
    Lengths({"200", ""});
    EXPECT_TRUE(editor.CheckTotalLength());
}

TEST_F(Editor, SecondSerialIsRefusedBeforeAnySerialLengthCheck)
{
    OpenOnGroup(0, "物料");
    editor.SetLevelText("2");
    Row(grid, 1, 26, "1234", "3");
    Row(grid, 2, 26, "1", "4");
    EXPECT_FALSE(editor.Commit().closed);
    EXPECT_EQ(Messages(), QStringList{"流水号只能设置一次，请重新设置"});
}

TEST_F(Editor, SerialShorterThanItsFormatNamesTheFormatLength)
{
    OpenOnGroup(0, "物料");
    Row(grid, 1, 26, "1234", "3");
    EXPECT_FALSE(editor.CheckSerialLength());
    EXPECT_EQ(Messages(), QStringList{"流水号的长度不能小于格式字符的总长度:4，请重新设置"});
    Type(grid, RuleGrid::Length, 1, "4");
    EXPECT_TRUE(editor.CheckSerialLength());
}

TEST_F(Editor, EmptySerialPassesTheChecksButNotTheSave)
{
    OpenOnGroup(0, "物料");
    Choose(grid, 1, 26);
    EXPECT_TRUE(editor.CheckSerialLength());
    const int before = connection->batches.size();
    EXPECT_FALSE(editor.Commit().closed);
    EXPECT_EQ(Messages(), QStringList{"系统检测到[级次=1]的编码属性的格式未设置，请重新设置！"});
    EXPECT_EQ(connection->batches.size(), before);
}

TEST_F(Editor, CommitOnAMaterialWritesItsRuleThenTheOptions)
{
    OpenOnMaterial();
    editor.SetLevelText("2");
    Row(grid, 1, 23, "yymmdd");
    Row(grid, 2, 26, "1", "4");
    editor.options.autoCreate = 1;
    const int before = connection->batches.size();
    const int calls = connection->calls.size();
    EXPECT_TRUE(editor.Commit().closed);
    EXPECT_EQ(connection->calls.mid(calls),
              (QStringList{"BeginTrans", "Execute", "Execute", "Execute", "Execute", "CommitTrans"}));
    ASSERT_EQ(connection->batches.size(), before + 4);
    EXPECT_EQ(connection->batches[before], BatchTexts::ReadOptions()) << "the options read again inside the unit";
    EXPECT_TRUE(connection->batches[before + 1].startsWith(" Delete from ICBatchNoRule \r\n Where FItemID=312\r\n"));
    EXPECT_EQ(connection->batches[before + 2], editor.options.WriteSql());
    EXPECT_EQ(connection->batches[before + 3], editor.options.MissingRowsSql());
    EXPECT_EQ(Rules().section(' ', 4, 4), "312:1:23,26");
    EXPECT_EQ(db.Scalar("SELECT FValue FROM t_SystemProfile WHERE FKey = 'AutoCreateBatNo'"), "1");
}

TEST_F(Editor, GroupChoiceTakesTheGroupPathEvenWhenOpenedOnAMaterial)
{
    OpenOnMaterial();
    editor.singleItem = false;   // the user clicked 按物料组
    editor.options.itemIsTop = 0;
    const int before = connection->batches.size();
    ASSERT_TRUE(editor.Commit().closed);
    // The group is read first to learn its number, then the unit reads the options again and is sent.
    ASSERT_EQ(connection->batches.size(), before + 6);
    EXPECT_EQ(connection->batches[before], RWDatabase::GroupSql(7, "", ""));
    EXPECT_EQ(connection->batches[before + 1], BatchTexts::ReadOptions());
    EXPECT_TRUE(connection->batches[before + 2].startsWith(" Delete t1\r\n"));
    EXPECT_TRUE(connection->batches[before + 2].contains("    and t2.FNumber like '03.02.%'\r\n"));
    EXPECT_TRUE(connection->batches[before + 3].startsWith(" Delete from ICBatchNoRule \r\n Where FItemID=7 and \r\n"));
    EXPECT_EQ(db.Rows("SELECT DISTINCT FItemID FROM ICBatchNoRule WHERE FDetail = 1 AND FPropertyID = 4 ORDER BY 1"),
              "311\n312\n313");
}

TEST_F(Editor, RefusedCommitWritesNothing)
{
    OpenOnMaterial();
    Lengths({"150", "60"});
    const QString before = Rules();
    const int sent = connection->batches.size();
    EXPECT_FALSE(editor.Commit().closed);
    EXPECT_EQ(connection->batches.size(), sent);
    EXPECT_EQ(Rules(), before);
}

TEST_F(Editor, ClosingWithoutCommitLeavesRuleAndOptions)
{
    OpenOnMaterial();
    const QString rules = Rules();
    const QString options = db.Rows("SELECT FKey,FValue FROM t_SystemProfile ORDER BY FKey");
    Lengths({"5"});
    editor.options.manual = 0;
    EXPECT_EQ(Rules(), rules);
    EXPECT_EQ(db.Rows("SELECT FKey,FValue FROM t_SystemProfile ORDER BY FKey"), options);
}

// Another administrator set options while the editor was open: the commit
// writes the options the user changed, and the others as they are stored now.
TEST_F(Editor, AnOptionSetElsewhereWhileTheEditorWasOpenIsKept)
{
    OpenOnMaterial();
    db.Connection().Execute("UPDATE t_SystemProfile SET FValue='1' WHERE FKey='AutoCreateBatNo'");
    db.Connection().Execute("UPDATE t_SystemProfile SET FValue='0' WHERE FKey='BatchManual'");
    editor.options.repeatEcho = 0;   // the user's own change
    editor.options.manual = 1;       // as loaded: the change elsewhere stands
    EXPECT_TRUE(editor.Commit().closed);
    EXPECT_EQ(db.Rows("SELECT FKey,FValue FROM t_SystemProfile WHERE FKey IN "
                      "('AutoCreateBatNo','BatchManual','BatchRepeatEcho') ORDER BY FKey"),
              "AutoCreateBatNo|1\nBatchManual|0\nBatchRepeatEcho|0");
}

TEST_F(Editor, FailedWriterIsReportedUndoneAndTheWindowStaysOpen)
{
    OpenOnMaterial();
    const QString rules = Rules();
    const QString options = db.Rows("SELECT FKey,FValue FROM t_SystemProfile ORDER BY FKey");
    editor.options.manual = 0;
    connection->failWith = "磁盘已满";
    connection->failOn = " Delete from ICBatchNoRule";
    const int calls = connection->calls.size();
    EXPECT_FALSE(editor.Commit().closed);
    EXPECT_EQ(connection->calls.mid(calls), (QStringList{"BeginTrans", "Execute", "Execute", "RollbackTrans"}));
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_EQ(Messages()[0], "系统在调用函数TakingItemDetailSaves()时发生错误\r\n错误原因：磁盘已满\r\n"
                             "错误来源：Microsoft OLE DB Provider for SQL Server");
    EXPECT_EQ(Rules(), rules);
    EXPECT_EQ(db.Rows("SELECT FKey,FValue FROM t_SystemProfile ORDER BY FKey"), options);
}

// Each step of a group commit failing in turn: what was sent before it is
// undone, nothing after it is sent, and only its message is shown.
TEST_F(Editor, GroupCommitLandsWholeOrNotAtAll)
{
    const struct {
        const char* failOn;
        const char* message;
        int executed;
    } steps[] = {{" Select FKey,FValue", "系统在调用函数ReadBatchOptions()时发生错误", 2},
                 {" Select Distinct FItemID into #tmp", "系统在调用函数TakingGroupDetailSaves()时发生错误", 3},
                 {"       FDetail=0\r\n Insert", "系统在调用函数TakingGroupSaves()时发生错误", 4},
                 {"Update t_SystemProFile", "系统在调用函数WriteBatchOptions()时发生错误", 5}};
    for (const auto& step : steps) {
        connection->failWith.clear();
        SpreadGridModel fresh;
        BatRuleEditor group(fresh);
        group.ParentItemID = 7;
        group.ParentItemNumberName = "03.02(食品饮料)";
        group.Open();
        group.options.itemIsTop = 0;
        group.options.manual = 0;
        Row(fresh, 1, 25, "000");
        const QString rules = Rules();
        const QString options = db.Rows("SELECT FKey,FValue FROM t_SystemProfile ORDER BY FKey");
        RecordingMessageBox::shown.clear();
        connection->failWith = "触发器拒绝了更改";
        connection->failOn = step.failOn;
        const int sent = connection->batches.size();
        EXPECT_FALSE(group.Commit().closed) << step.message;
        EXPECT_EQ(connection->batches.size() - sent, step.executed) << step.message;
        EXPECT_EQ(connection->calls.last(), "RollbackTrans");
        ASSERT_EQ(Messages().size(), 1);
        EXPECT_TRUE(Messages()[0].startsWith(QString::fromUtf8(step.message) + "\r\n")) << Messages()[0].toStdString();
        EXPECT_EQ(Rules(), rules) << step.message;
        EXPECT_EQ(db.Rows("SELECT FKey,FValue FROM t_SystemProfile ORDER BY FKey"), options) << step.message;
        EXPECT_EQ(fresh.Text(RuleGrid::Format, 1), "000");
    }
}

TEST_F(Editor, ReopeningShowsWhatWasWritten)
{
    OpenOnMaterial();
    editor.options.manual = 0;
    editor.options.itemIsTop = 0;
    ASSERT_TRUE(editor.Commit().closed);
    SpreadGridModel again;
    BatRuleEditor reopened(again);
    reopened.ItemID = 312;
    reopened.ItemNumberName = "03.02.002(绿茶饮料 500ml)";
    reopened.Open();
    EXPECT_EQ(reopened.options.manual, 0);
    EXPECT_EQ(reopened.options.itemIsTop, 0);
    EXPECT_EQ(reopened.LevelText(), "3");
}

}
