// The order of an INSERT … SELECT's rows: the text the connection adds to
// the statement, and its effect on a spread.
#include "BatchTexts.h"
#include "DemoDatabase.h"
#include "InsertOrder.h"
#include "SqlConnection.h"
#include "TempDatabase.h"
#include "TestSupport.h"
#include "TsqlBridge.h"

#include <QTemporaryDir>
#include <sqlite3.h>

namespace {

class InsertOrderOf : public testing::Test {
protected:
    InsertOrderOf() { sqlite3_open_v2(db.Path().toUtf8(), &native, SQLITE_OPEN_READWRITE, nullptr); }
    ~InsertOrderOf() override { sqlite3_close(native); }

    QString OrderBy(const QString& insert) { return InsertOrder(native).OrderBy(TranslateTsql(insert).steps.at(0).insert); }

    TempDatabase db;
    sqlite3* native = nullptr;
};

const QString kRuleInsert = "INSERT INTO ICBatchNoRule(FID,FItemID,FPropertyID) SELECT 1, FItemID, 26 FROM t_ICItem";

TEST_F(InsertOrderOf, RuleRowsFollowTheRuleIndex)
{
    EXPECT_EQ(OrderBy(kRuleInsert), "\nORDER BY 2");
    EXPECT_EQ(OrderBy("INSERT INTO ICBatchNoRule(FPropertyID,FID,FItemID) SELECT 26, 1, m.FItemID FROM t_ICItem m"),
              "\nORDER BY 3");
}

TEST_F(InsertOrderOf, RowsWhoseOrderIsSeenOrFedByNoColumnKeepTheSelectsOrder)
{
    // t_ICItem numbers its rows: FItemID is its INTEGER PRIMARY KEY.
    EXPECT_EQ(OrderBy("INSERT INTO t_ICItem(FNumber,FName) SELECT FNumber, FName FROM t_Item"), "");
    EXPECT_EQ(OrderBy("INSERT INTO ICBatchNoRule(FID,FItemID,FPropertyID) SELECT 1, 101, FItemID FROM t_ICItem"), "");
    EXPECT_EQ(OrderBy("INSERT INTO t_UserGroupAccess(FGroupNumber,FUserID) SELECT FNumber, 1 FROM t_Item"), "");
    sqlite3_exec(native, "CREATE TRIGGER watch AFTER INSERT ON ICBatchNoRule BEGIN SELECT 1; END", nullptr, nullptr, nullptr);
    EXPECT_EQ(OrderBy(kRuleInsert), "");
}

TEST(SpreadOrder, EachElementIsWrittenInTheOrderOfTheRuleIndex)
{
    // Materials lie in the number index group by group: 4,7,10 in the first group, 5,8,11 in the next.
    QTemporaryDir dir;
    const QString path = dir.filePath("small.sqlite");
    DemoDatabase::WriteSynthetic(path, 3, 9);
    SqlConnection connection(path);
    connection.Execute(BatchTexts::GroupSpread("", false, {{1, 25, 0, "00", "", 2, "", ""}, {2, 26, 0, "", "1", 4, "", ""}}));
    const auto rows = connection.Execute("SELECT group_concat(FItemID) FROM "
                                         "(SELECT FItemID FROM ICBatchNoRule WHERE FID = 2 ORDER BY rowid)");
    EXPECT_EQ(rows->Field(0).toString(), "4,5,6,7,8,9,10,11,12");
}

}
