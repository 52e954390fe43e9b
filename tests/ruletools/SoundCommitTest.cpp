// Commits that must not reach beyond their owner: stored numbers that try to
// break out of their literal or that the display text cannot carry, users
// who may see only part of the tree, and cells no batch number can hold.
#include "BatRuleEditor.h"
#include "BatRuleSave.h"
#include "DemoDatabase.h"
#include "GridTyping.h"
#include "HostText.h"
#include "RuleFixture.h"
#include "SpreadGridModel.h"
#include "TestSupport.h"

namespace {

class SoundCommit : public RuleFixture {
protected:
    explicit SoundCommit(const QString& props = "UserID=16394;LANGUAGE=chs;SUBID=IC") : RuleFixture(props) {}

    // Group 90 with the given number, one batch-managed material below it and
    // one beside it whose number starts the same way.
    void StrangeGroup(const QString& number)
    {
        db.Connection().Execute("DELETE FROM t_Item WHERE FItemID = 90 DELETE FROM t_ICItem WHERE FItemID IN (901, 902) "
                                "DELETE FROM ICBatchNoRule WHERE FItemID IN (90, 901, 902)");
        db.Connection().Execute(
            QString("INSERT INTO t_Item VALUES (90, 4, %1, '怪名组', 0, 0) "
                    "INSERT INTO t_ICItem VALUES (901, %2, '组内物料', 90, 1), (902, %3, '旁边的物料', 0, 1)")
                .arg(HostText::SqlLiteral(number), HostText::SqlLiteral(number + ".001"),
                     HostText::SqlLiteral(number + "x.001")));
    }

    // Commits a line-number rule for a group, as the main window opens it.
    bool CommitGroupRule(qint32 groupId, const QString& displayText, bool spareOwnRules = false)
    {
        SpreadGridModel grid;
        BatRuleEditor editor(grid);
        editor.ParentItemID = groupId;
        editor.ParentItemNumberName = displayText;
        editor.Open();
        editor.options.itemIsTop = spareOwnRules ? 1 : 0;
        editor.SetLevelText("1");
        Row(grid, 1, 25, "000");
        return editor.Commit().closed;
    }

    // A save engine that collected a one-row line-number rule for a group number.
    static void Collect(BatRuleSave& save, SpreadGridModel& grid, const QString& number)
    {
        save.SetBatRuleParentItemNumber(number);
        save.SetBatRuleSpread(&grid);
        SpreadConsole::RebuildRuleRows(grid, "1");
        Row(grid, 1, 25, "000");
        ASSERT_TRUE(save.OperateSaveing());
    }

    // Every owner's rule except those named, to compare before and after.
    QString RulesBut(const QString& owners)
    {
        return db.Rows("SELECT FItemID,FDetail,FID,FPropertyID,FFormatDate,FSelDefine,FWidth FROM ICBatchNoRule "
                       "WHERE FItemID NOT IN (" + owners + ") ORDER BY 1,2,3");
    }
    QString RuleOf(int owner, int detail)
    {
        return db.Rows(QString("SELECT group_concat(FPropertyID) FROM ICBatchNoRule WHERE FItemID = %1 AND FDetail = %2")
                           .arg(owner)
                           .arg(detail));
    }
};

TEST_F(SoundCommit, StoredGroupNumberIsOneLiteralInTheSpread)
{
    SpreadGridModel grid;
    BatRuleSave save;
    Collect(save, grid, "Q' or 1=1 or '");
    const QString sql = save.GroupDetailSql();
    EXPECT_TRUE(sql.contains("    and t2.FNumber like 'Q'' or 1=1 or ''.%'\r\n")) << sql.toStdString();
    EXPECT_TRUE(sql.contains("    and FNumber like 'Q'' or 1=1 or ''.%'\r\n")) << sql.toStdString();
}

// Each number spreads to its own material only, and every other owner's
// rows, batch-managed or not, stay as they were.
TEST_F(SoundCommit, GroupNumbersWithQuotesCommentsAndWildcardsReachOnlyTheirMaterials)
{
    for (const QString& number : QStringList{"Q' or 1=1 or '", "O'Neil", "''", "A--", "B;C", "5%", "6_", "[7]"}) {
        StrangeGroup(number);
        const QString others = RulesBut("90, 901, 902");
        EXPECT_TRUE(CommitGroupRule(90, number + "(怪名组)")) << number.toStdString();
        EXPECT_EQ(RuleOf(901, 1), "25") << number.toStdString();
        EXPECT_EQ(RuleOf(90, 0), "25") << number.toStdString();
        EXPECT_EQ(RuleOf(902, 1), "") << number.toStdString();
        EXPECT_EQ(RulesBut("90, 901, 902"), others) << number.toStdString();
    }
    EXPECT_TRUE(Messages().isEmpty()) << Messages().join('\n').toStdString();
}

TEST_F(SoundCommit, GroupNumberHoldingABracketIsTakenAsStored)
{
    StrangeGroup("03(x)");
    const QString others = RulesBut("90, 901, 902");
    ASSERT_TRUE(CommitGroupRule(90, "03(x)(怪名组)"));
    EXPECT_EQ(RuleOf(901, 1), "25");
    EXPECT_EQ(RulesBut("90, 901, 902"), others);   // group 03's materials keep their rules
}

TEST_F(SoundCommit, NonRootGroupWithoutNumberIsNotSpread)
{
    StrangeGroup("");
    const QString before = RulesBut("-1");
    const QString options = db.Rows("SELECT FKey,FValue FROM t_SystemProfile ORDER BY 1");
    EXPECT_FALSE(CommitGroupRule(90, "(怪名组)"));
    EXPECT_EQ(Messages(), QStringList{"物料组(怪名组)没有代码，不能按物料组设置规则"});
    EXPECT_EQ(RulesBut("-1"), before);
    EXPECT_EQ(db.Rows("SELECT FKey,FValue FROM t_SystemProfile ORDER BY 1"), options);
}

TEST_F(SoundCommit, DisplayTextWithoutBracketStillSpreadsBelowTheStoredNumber)
{
    const QString others = RulesBut("7, 311, 312, 313");
    ASSERT_TRUE(CommitGroupRule(7, "食品饮料"));
    for (int material : {311, 312, 313})
        EXPECT_EQ(RuleOf(material, 1), "25") << material;
    EXPECT_EQ(RulesBut("7, 311, 312, 313"), others);
}

TEST_F(SoundCommit, ControlCharactersInAnyCellAreRefusedWithTheFocusOnThem)
{
    SpreadGridModel grid;
    BatRuleEditor editor(grid);
    editor.ItemID = 312;
    editor.ItemNumberName = "03.02.002(绿茶饮料 500ml)";
    editor.Open();
    const QString before = RulesBut("-1");
    for (const QString& bad : QStringList{"a\nb", "\t", "x\r", "\x1b[0m", QString(QChar(0)), "\x7f"}) {
        RecordingMessageBox::shown.clear();
        editor.SetLevelText("2");
        Row(grid, 1, 23, "yymmdd");
        Row(grid, 2, 24, "ok");
        grid.SetText(RuleGrid::Format, 2, bad);   // pasted, where no key filter looks
        EXPECT_FALSE(editor.Commit().closed);
        ASSERT_EQ(Messages().size(), 1);
        EXPECT_TRUE(Messages()[0].startsWith("第2级的“")) << Messages()[0].toStdString();
        EXPECT_TRUE(Messages()[0].contains("控制字符"));
        EXPECT_FALSE(HostText::HasControlCharacter(Messages()[0]));
        EXPECT_EQ(grid.ActiveColumn(), RuleGrid::Format);
        EXPECT_EQ(grid.ActiveRow(), 2);
        EXPECT_TRUE(SpreadConsole::EnterCell(grid, RuleGrid::Pad, 1, bad).contains("控制字符"));
    }
    EXPECT_EQ(RulesBut("-1"), before);
}

class RestrictedCommit : public SoundCommit {
protected:
    RestrictedCommit() : SoundCommit(QString("UserID=%1;LANGUAGE=chs").arg(DemoDatabase::RestrictedUserID)) {}
};

// The storekeeper sees 01.01 and 03.02 only: a rule from the root or from 01
// reaches the materials seen there, and no others.
TEST_F(RestrictedCommit, SpreadReachesOnlyTheMaterialsTheUserSees)
{
    const QString hidden = "111, 112, 201, 202, 301, 302, 801";
    const QString untouched = db.Rows("SELECT FItemID,FID,FPropertyID FROM ICBatchNoRule WHERE FItemID IN (" + hidden +
                                      ") ORDER BY 1,2");
    ASSERT_TRUE(CommitGroupRule(0, "物料"));
    for (int material : {101, 102, 311, 312, 313})
        EXPECT_EQ(RuleOf(material, 1), "25") << material;
    ASSERT_TRUE(CommitGroupRule(1, "01(原材料)"));
    EXPECT_EQ(db.Rows("SELECT FItemID,FID,FPropertyID FROM ICBatchNoRule WHERE FItemID IN (" + hidden + ") ORDER BY 1,2"),
              untouched);
    EXPECT_EQ(RuleOf(1, 0), "25");
    EXPECT_TRUE(Messages().isEmpty()) << Messages().join('\n').toStdString();
}

TEST_F(RestrictedCommit, SpreadSparingOwnRulesIsNarrowedToo)
{
    db.Connection().Execute("DELETE FROM ICBatchNoRule");
    ASSERT_TRUE(CommitGroupRule(0, "物料", true));
    EXPECT_EQ(db.Rows("SELECT group_concat(FItemID) FROM (SELECT DISTINCT FItemID FROM ICBatchNoRule "
                      "WHERE FDetail = 1 ORDER BY 1)"),
              "101,102,311,312,313");
}

TEST_F(RestrictedCommit, GroupHiddenFromTheUserGetsNoRule)
{
    const QString before = RulesBut("-1");
    EXPECT_FALSE(CommitGroupRule(3, "01.02(化工原料)"));
    EXPECT_EQ(Messages(), QStringList{"找不到物料组01.02(化工原料)或无权查看它，不能按物料组设置规则"});
    EXPECT_EQ(RulesBut("-1"), before);
}

TEST_F(RestrictedCommit, SpreadBatchCarriesTheAccessCondition)
{
    SpreadGridModel grid;
    BatRuleSave save;
    Collect(save, grid, "01");
    const QString sql = save.GroupDetailSql(RWDatabase::AccessScopeOf("t2"), RWDatabase::AccessScopeOf("t_ICItem"));
    EXPECT_TRUE(sql.contains(" From ICBatchNoRule t1,t_ICItem t2\r\n")) << sql.toStdString();
    EXPECT_TRUE(sql.contains("    and t2.FItemID in (select g.FItemID")) << sql.toStdString();
    EXPECT_TRUE(sql.contains("    and t_ICItem.FItemID in (select g.FItemID")) << sql.toStdString();
    EXPECT_EQ(save.GroupDetailSql(), save.GroupDetailSql({}, {}));
}

}
