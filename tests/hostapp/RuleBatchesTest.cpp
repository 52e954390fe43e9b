// The batches of the rule component, run through the real host connection on
// SQLite: each must have the effect SQL Server gives it.
#include "BatchTexts.h"
#include "HostError.h"
#include "TempDatabase.h"
#include "TestSupport.h"

namespace {

using BatchTexts::Element;

const QList<Element> kDateSerial{{1, 23, 0, "yymmdd", "", 6, "", ""}, {2, 26, 0, "", "1", 4, "", ""}};
const QList<Element> kThreeElements{
    {1, 4, 1, "", "", 6, "0", ""}, {2, 24, 0, "", "-", 1, "", ""}, {3, 26, 0, "", "1", 5, "", ""}};

// Group 01 (ID 100) with materials around its number, and rules on some of them.
class RuleBatches : public testing::Test {
protected:
    RuleBatches() : db(TempDatabase::Content::Empty)
    {
        Run("INSERT INTO t_Item (FItemID,FItemClassID,FNumber,FName,FParentID,FDetail) VALUES "
            "(100,4,'01','原材料',0,0), (200,4,'010','包装物',0,0), (300,4,'02','半成品',0,0)");
        Run("INSERT INTO t_ICItem (FItemID,FNumber,FName,FParentID,FBatchManager) VALUES "
            "(1,'01','与组同号的物料',100,1), (2,'01.001','冷轧钢板',100,1), (3,'01.02.003','环氧树脂',100,1), "
            "(4,'010.001','纸箱',200,1), (5,'01.005','不管批次的物料',100,0), (6,'02.001','电路板',300,1)");
        Run(BatchTexts::ItemSave(3, {{1, 20, 0, "", "", 10, "0", ""}}));
        Run(BatchTexts::ItemSave(4, {{1, 20, 0, "", "", 8, "0", ""}}));
        Run(BatchTexts::ItemSave(5, {{1, 25, 0, "00", "", 2, "", ""}}));
        Run(BatchTexts::GroupSave(100, {{1, 23, 0, "yyyymmdd", "", 8, "", ""}}));
    }

    void Run(const QString& sql) { db.Connection().Execute(sql); }

    // "property,property…" of each owner's item rule, owners joined by ";".
    QString ItemRules()
    {
        return db.Rows("SELECT FItemID || ':' || group_concat(FPropertyID) FROM "
                       "(SELECT FItemID,FPropertyID FROM ICBatchNoRule WHERE FDetail = 1 ORDER BY FItemID,FID) "
                       "GROUP BY FItemID ORDER BY FItemID")
            .replace('\n', ';');
    }

    TempDatabase db;
};

TEST_F(RuleBatches, ItemSaveReplacesOnlyThatMaterialsRows)
{
    Run(BatchTexts::ItemSave(3, kDateSerial));
    EXPECT_EQ(ItemRules(), "3:23,26;4:20;5:25");
    EXPECT_EQ(db.Rows("SELECT FID,FItemID,FPropertyID,FUseShortNumber,FFormatDate,FSelDefine,FWidth,FCharacter,"
                      "FSubCharacter,FDetail FROM ICBatchNoRule WHERE FItemID = 3 ORDER BY FID"),
              "1|3|23|0|yymmdd||6|||1\n2|3|26|0||1|4|||1");
}

TEST_F(RuleBatches, ItemSaveRemovesRowsOfTheOwnerWhateverTheirDetail)
{
    Run(BatchTexts::ItemSave(100, kDateSerial));
    EXPECT_EQ(db.Scalar("SELECT count(*) FROM ICBatchNoRule WHERE FItemID = 100 AND FDetail = 0"), "0");
}

TEST_F(RuleBatches, SpreadWithOptionOffReplacesEveryRuleBelowTheGroup)
{
    Run(BatchTexts::GroupSpread("01", false, kThreeElements));
    EXPECT_EQ(ItemRules(), "2:4,24,26;3:4,24,26;4:20;5:25");
    EXPECT_EQ(db.Rows("SELECT FID,FPropertyID,FUseShortNumber,FFormatDate,FSelDefine,FWidth,FCharacter,FDetail "
                      "FROM ICBatchNoRule WHERE FItemID = 2 ORDER BY FID"),
              "1|4|1|||6|0|1\n2|24|0||-|1||1\n3|26|0||1|5||1");
}

TEST_F(RuleBatches, SpreadWithOptionOnReachesOnlyMaterialsWithoutRuleRows)
{
    Run(BatchTexts::GroupSpread("01", true, kThreeElements));
    EXPECT_EQ(ItemRules(), "2:4,24,26;3:20;4:20;5:25");
}

TEST_F(RuleBatches, SpreadTakesItsSnapshotOnceForAllElements)
{
    Run("DELETE FROM ICBatchNoRule");
    Run(BatchTexts::GroupSpread("01", true, kThreeElements));
    EXPECT_EQ(ItemRules(), "2:4,24,26;3:4,24,26");
}

TEST_F(RuleBatches, SpreadWithoutGroupNumberReachesEveryBatchManagedMaterial)
{
    Run(BatchTexts::GroupSpread("", false, kDateSerial));
    EXPECT_EQ(ItemRules(), "1:23,26;2:23,26;3:23,26;4:23,26;5:25;6:23,26");
}

TEST_F(RuleBatches, SpreadWithoutGroupNumberAndOptionOnSparesOwnRules)
{
    Run(BatchTexts::GroupSpread("", true, kDateSerial));
    EXPECT_EQ(ItemRules(), "1:23,26;2:23,26;3:20;4:20;5:25;6:23,26");
}

TEST_F(RuleBatches, SpreadLeavesTheGroupsOwnRowsAndNoTemporaryTable)
{
    Run(BatchTexts::GroupSpread("01", false, kThreeElements));
    EXPECT_EQ(db.Rows("SELECT FItemID,FPropertyID FROM ICBatchNoRule WHERE FDetail = 0"), "100|23");
    Run(BatchTexts::GroupSpread("01", true, kThreeElements));   // #tmp can be made again
}

TEST_F(RuleBatches, GroupSaveReplacesOnlyTheGroupsDetailZeroRows)
{
    Run(BatchTexts::ItemSave(100, {{1, 20, 0, "", "", 8, "0", ""}}));
    Run(BatchTexts::GroupSave(100, {{1, 23, 0, "yyyymmdd", "", 8, "", ""}}));
    Run(BatchTexts::GroupSave(100, kDateSerial));
    EXPECT_EQ(db.Rows("SELECT FDetail,FID,FPropertyID FROM ICBatchNoRule WHERE FItemID = 100 ORDER BY FDetail,FID"),
              "0|1|23\n0|2|26\n1|1|20");
}

TEST_F(RuleBatches, RootRuleIsStoredUnderIdZero)
{
    Run(BatchTexts::GroupSave(0, kDateSerial));
    EXPECT_EQ(db.Rows("SELECT FItemID,FDetail,FID FROM ICBatchNoRule WHERE FItemID = 0"), "0|0|1\n0|0|2");
}

TEST_F(RuleBatches, FetchBatchRuleReadsOneRuleInLevelOrder)
{
    const auto rows = db.Connection().Execute(BatchTexts::FetchBatchRule(100, 0));
    ASSERT_TRUE(rows);
    EXPECT_EQ(rows->RecordCount(), 1);
    EXPECT_EQ(rows->Field("FFormatDate"), QVariant("yyyymmdd"));
    EXPECT_EQ(rows->FieldName(8), "FSubCharacter");
    EXPECT_EQ(db.Connection().Execute(BatchTexts::FetchBatchRule(100, 1))->RecordCount(), 0);
}

TEST_F(RuleBatches, GroupQueryListsGroupsByNumber)
{
    Run("INSERT INTO t_Item VALUES (7,4,'01.001','冷轧钢板',100,1)");
    const auto rows = db.Connection().Execute(BatchTexts::FetchParentItem());
    ASSERT_TRUE(rows);
    QStringList numbers;
    for (; !rows->Eof(); rows->MoveNext())
        numbers << rows->Field("FNumber").toString();
    EXPECT_EQ(numbers, (QStringList{"01", "010", "02"}));
    EXPECT_EQ(rows->FieldCount(), 5);
}

TEST_F(RuleBatches, GroupQueryTakesAccessFragments)
{
    const auto rows = db.Connection().Execute(
        BatchTexts::FetchParentItem("t_ICItem te2", "te2.FItemID = 2 and u1.FNumber like '01%'"));
    EXPECT_EQ(rows->RecordCount(), 2);
}

TEST_F(RuleBatches, MaterialQueryListsBatchManagedMaterialsOfOneGroup)
{
    const auto rows = db.Connection().Execute(BatchTexts::FetchItemDetail(100));
    ASSERT_TRUE(rows);
    EXPECT_EQ(rows->RecordCount(), 3);
    EXPECT_EQ(rows->Field("FNumber"), QVariant("01"));
    EXPECT_EQ(rows->Field("FRule"), QVariant(""));
    const auto filtered = db.Connection().Execute(
        BatchTexts::FetchItemDetail(100, "t_ICItem te2", "te2.FItemID = u1.FItemID and te2.FNumber like '01.00%'"));
    EXPECT_EQ(filtered->RecordCount(), 1);
}

TEST_F(RuleBatches, FailingStatementRollsTheWholeBatchBack)
{
    QString batch = BatchTexts::ItemSave(3, kDateSerial);
    batch += " Insert into ICBatchNoRuleMissing(FID) Values(1)\r\n";
    try {
        Run(batch);
        FAIL() << "no error";
    } catch (const HostError& error) {
        EXPECT_TRUE(error.Description().contains("ICBatchNoRuleMissing")) << error.Description().toStdString();
    }
    EXPECT_EQ(ItemRules(), "3:20;4:20;5:25");
}

TEST_F(RuleBatches, FailedSpreadLeavesNoTemporaryTableBehind)
{
    QString batch = BatchTexts::GroupSpread("01", false, kThreeElements);
    batch.replace(" Drop table #tmp", " Insert into Nowhere(FID) Values(1)\r\n Drop table #tmp");
    EXPECT_THROW(Run(batch), HostError);
    EXPECT_EQ(ItemRules(), "3:20;4:20;5:25");
    Run(BatchTexts::GroupSpread("01", false, kThreeElements));
    EXPECT_EQ(ItemRules(), "2:4,24,26;3:4,24,26;4:20;5:25");
}

class BatchOptions : public testing::Test {
protected:
    BatchOptions() : db(TempDatabase::Content::Empty) {}

    void Run(const QString& sql) { db.Connection().Execute(sql); }
    QString Options()
    {
        return db.Rows("SELECT FKey,FValue FROM t_SystemProfile ORDER BY FKey").replace('\n', ';');
    }

    TempDatabase db;
};

TEST_F(BatchOptions, WriteWithNoRowsInsertsOnlyBatchItemIsTop)
{
    Run(BatchTexts::WriteOptions(1, 0, 1, 1, 1));
    EXPECT_EQ(db.Rows("SELECT FCategory,FKey,FValue,FReadonly,FDescription,FLevel,FExplanation,"
                      "IFNULL(FFormat,'NULL'),FSort,FDescription_cht,FDescription_en FROM t_SystemProfile"),
              "IC|BatchItemIsTop|1|1|物料类设置不改变个别物料设置|0|物料类设置不改变个别物料设置|NULL|1|"
              "物料類設置不改變個別物料設置|Do not update the setting of material in BatchNo-Management when updates "
              "its higher-up");
}

TEST_F(BatchOptions, WriteWithAllRowsUpdatesEachAndInsertsNothing)
{
    for (const char* key : {"BatchManual", "BatchLackManual", "BatchRepeatEcho", "AutoCreateBatNo", "BatchItemIsTop"})
        Run(QStringLiteral("INSERT INTO t_SystemProfile (FCategory,FKey,FValue) VALUES ('IC','%1','9')").arg(key));
    Run(BatchTexts::WriteOptions(1, 2, 0, 1, 0));
    EXPECT_EQ(Options(), "AutoCreateBatNo|1;BatchItemIsTop|0;BatchLackManual|2;BatchManual|1;BatchRepeatEcho|0");
}

TEST_F(BatchOptions, OtherCategoriesKeepTheirValues)
{
    Run("INSERT INTO t_SystemProfile (FCategory,FKey,FValue) VALUES ('GL','BatchManual','7'), ('IC','BatchManual','0')");
    Run(BatchTexts::WriteOptions(1, 0, 0, 0, 1));
    EXPECT_EQ(db.Scalar("SELECT FValue FROM t_SystemProfile WHERE FCategory = 'GL'"), "7");
    EXPECT_EQ(db.Scalar("SELECT FValue FROM t_SystemProfile WHERE FCategory = 'IC' AND FKey = 'BatchManual'"), "1");
}

TEST_F(BatchOptions, ReadGivesTheFiveKeysWithTheirValues)
{
    Run("INSERT INTO t_SystemProfile (FCategory,FKey,FValue) VALUES ('IC','BatchManual','1'), "
        "('IC','Other','1'), ('GL','AutoCreateBatNo','1')");
    Run(BatchTexts::WriteOptions(0, 0, 0, 0, 1));
    const auto rows = db.Connection().Execute(BatchTexts::ReadOptions());
    ASSERT_TRUE(rows);
    QStringList seen;
    for (; !rows->Eof(); rows->MoveNext())
        seen << rows->Field("FKey").toString() + "=" + rows->Field("FValue").toString();
    seen.sort();
    EXPECT_EQ(seen, (QStringList{"BatchItemIsTop=1", "BatchManual=0"}));
}

}
