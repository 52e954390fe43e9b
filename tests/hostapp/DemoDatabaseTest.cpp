#include "DemoDatabase.h"
#include "SqlConnection.h"
#include "TempDatabase.h"
#include "TestSupport.h"

#include <QTemporaryDir>

namespace {

TEST(DemoDatabase, HandMadeDataHasNestedGroupsAndMixedMaterials)
{
    TempDatabase db;
    EXPECT_EQ(db.Rows("SELECT FNumber,FName FROM t_Item WHERE FItemClassID = 4 AND FDetail = 0 AND FParentID = 1 "
                      "ORDER BY FNumber"),
              "01.01|钢材\n01.02|化工原料");
    EXPECT_EQ(db.Scalar("SELECT count(*) FROM t_ICItem WHERE FBatchManager = 0"), "2");
    EXPECT_EQ(db.Scalar("SELECT count(*) FROM t_ICItem WHERE FNumber LIKE '01.%'"), "5");
}

TEST(DemoDatabase, MaterialsAreItemsUnderTheirGroup)
{
    TempDatabase db;
    EXPECT_EQ(db.Scalar("SELECT count(*) FROM t_ICItem m JOIN t_Item i ON i.FItemID = m.FItemID "
                        "JOIN t_Item g ON g.FItemID = m.FParentID AND g.FDetail = 0 "
                        "WHERE i.FDetail = 1 AND m.FNumber LIKE g.FNumber || '.%'"),
              db.Scalar("SELECT count(*) FROM t_ICItem"));
}

TEST(DemoDatabase, HoldsItemAndGroupRulesAndSomeOptions)
{
    TempDatabase db;
    EXPECT_EQ(db.Rows("SELECT FPropertyID,FFormatDate,FWidth FROM ICBatchNoRule WHERE FItemID = 311 ORDER BY FID"),
              "23|yyyymmdd|8\n26||4");
    EXPECT_EQ(db.Scalar("SELECT count(*) FROM ICBatchNoRule WHERE FItemID = 7 AND FDetail = 0"), "3");
    EXPECT_EQ(db.Scalar("SELECT count(*) FROM t_SystemProfile WHERE FCategory = 'IC'"), "4");
}

TEST(DemoDatabase, ItemRowsTakeDetailOneByDefault)
{
    TempDatabase db;
    db.Connection().Execute("INSERT INTO ICBatchNoRule(FID,FItemID,FPropertyID,FUseShortNumber,FFormatDate,FSelDefine,"
                            "FWidth,FCharacter,FSubCharacter) VALUES(1,102,26,0,'','1',4,'','')");
    EXPECT_EQ(db.Scalar("SELECT FDetail FROM ICBatchNoRule WHERE FItemID = 102"), "1");
}

TEST(DemoDatabase, EveryQueryOfTheSystemHasAnIndex)
{
    TempDatabase db;
    const char* const queries[] = {
        "SELECT * FROM ICBatchNoRule WHERE FItemID = 1 AND FDetail = 1 ORDER BY FItemID,FID",
        "SELECT * FROM t_ICItem WHERE FBatchManager = 1 AND FParentID = 7 ORDER BY FNumber",
        "SELECT * FROM t_Item u1 WHERE u1.FItemClassID = 4 AND FDetail = 0 ORDER BY u1.FNumber",
        "SELECT * FROM t_ICItem WHERE FBatchManager = 1 AND FNumber LIKE '03.%'",
        "SELECT * FROM t_SystemProfile WHERE FCategory = 'IC' AND FKey IN ('BatchManual')",
    };
    for (const char* query : queries) {
        const QString plan = db.NativeRows(QStringLiteral("EXPLAIN QUERY PLAN ") + query);
        EXPECT_TRUE(plan.contains("INDEX")) << query << "\n" << plan.toStdString();
        EXPECT_FALSE(plan.contains("TEMP B-TREE")) << query << "\n" << plan.toStdString();
    }
}

TEST(DemoDatabase, SyntheticDataHasTheSizeAskedFor)
{
    QTemporaryDir dir;
    DemoDatabase::WriteSynthetic(dir.filePath("s.sqlite"), 50, 1000);
    SqlConnection db(dir.filePath("s.sqlite"));
    auto scalar = [&](const char* sql) { return db.Execute(sql)->Field(0).toInt(); };
    EXPECT_EQ(scalar("SELECT count(*) FROM t_Item WHERE FDetail = 0"), 50);
    EXPECT_EQ(scalar("SELECT count(*) FROM t_ICItem WHERE FBatchManager = 1"), 1000);
    EXPECT_EQ(scalar("SELECT count(DISTINCT FItemID) FROM ICBatchNoRule"), 500);
    EXPECT_EQ(scalar("SELECT max(n) FROM (SELECT count(*) AS n FROM ICBatchNoRule GROUP BY FItemID)"), 8);
    EXPECT_LE(scalar("SELECT max(w) FROM (SELECT sum(FWidth) AS w FROM ICBatchNoRule GROUP BY FItemID)"), 200);
    EXPECT_GT(scalar("SELECT count(*) FROM t_Item WHERE FDetail = 0 AND FNumber LIKE '__.__'"), 0);
    EXPECT_EQ(scalar("SELECT count(*) FROM t_ICItem m JOIN t_Item g ON g.FItemID = m.FParentID "
                     "WHERE m.FNumber NOT LIKE g.FNumber || '.%'"),
              0);
}

}
