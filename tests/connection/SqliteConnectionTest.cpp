// The SQLite connection on the C library: the batches of one shape share
// their prepared statements, each with its own values, and what Qt's SQLite
// driver gave (numbers, texts, names, errors) stays as it was.
#include "BatchTexts.h"
#include "HostError.h"
#include "RecordsetRow.h"
#include "SqlConnection.h"
#include "TempDatabase.h"
#include "TestSupport.h"

#include <sqlite3.h>

namespace {

QString ErrorOf(AppConnection& connection, const QString& batch)
{
    try {
        connection.Execute(batch);
    } catch (const HostError& error) {
        return QString::number(error.Number()) + ' ' + error.Description();
    }
    return "no error";
}

// A second connection of the C library, as another program would hold it.
class NativeConnection {
public:
    explicit NativeConnection(const QString& path) { sqlite3_open_v2(path.toUtf8(), &db_, SQLITE_OPEN_READWRITE, nullptr); }
    ~NativeConnection() { sqlite3_close(db_); }
    int Exec(const char* sql) { return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr); }

private:
    sqlite3* db_ = nullptr;
};

TEST(PreparedShapes, BatchesOfOneShapeEachGetTheirOwnValues)
{
    TempDatabase db;
    auto properties = [&](int item, int detail) {
        QStringList seen;
        for (auto rows = db.Connection().Execute(BatchTexts::FetchBatchRule(item, detail)); !rows->Eof(); rows->MoveNext())
            seen << rows->Field("FPropertyID").toString();
        return seen.join(',');
    };
    EXPECT_EQ(properties(311, 1), "23,26");
    EXPECT_EQ(properties(101, 1), "8,24,23,26");
    EXPECT_EQ(properties(7, 0), "4,23,26");
    EXPECT_EQ(properties(7, 1), "");
    EXPECT_EQ(properties(311, 1), "23,26");
}

TEST(PreparedShapes, LiftedValuesKeepTheirTypesAndTexts)
{
    TempDatabase db;
    const QString rows = db.Rows("CREATE TABLE #v (a) INSERT INTO #v(a) VALUES(1) INSERT INTO #v(a) VALUES('1') "
                                 "INSERT INTO #v(a) VALUES(N'无''s') INSERT INTO #v(a) VALUES('') "
                                 "INSERT INTO #v(a) VALUES(-9223372036854775807) SELECT typeof(a), a FROM #v");
    EXPECT_EQ(rows, "integer|1\ntext|1\ntext|无's\ntext|\ninteger|-9223372036854775807");
}

// The pattern decides whether the column is compared trimmed: every pattern has a shape of its own.
TEST(PreparedShapes, LikePatternsKeepTheirOwnRewrites)
{
    TempDatabase db;
    db.Connection().Execute("INSERT INTO t_ICItem (FItemID,FNumber,FName,FParentID,FBatchManager) "
                            "VALUES (901,'09.001 ','有尾随空格的物料',8,1)");
    auto count = [&](const char* pattern) {
        return db.Scalar(QString("SELECT count(*) FROM t_ICItem WHERE FNumber like '%1'").arg(pattern));
    };
    EXPECT_EQ(count("09.001"), "1");
    EXPECT_EQ(count("09.0%"), "1");
    EXPECT_EQ(count("09.00_"), "1");
    EXPECT_EQ(count("09.001"), "1");
    EXPECT_EQ(count("01.01.00_"), "3");
}

TEST(PreparedShapes, BatchSqliteTakesNoParameterForRunsAsWritten)
{
    TempDatabase db;
    // A quoted text after INTO names the table: no parameter can stand there.
    db.Connection().Execute("INSERT INTO 'ICBatchNoRule'(FID,FItemID,FPropertyID) VALUES(1,102,26)");
    EXPECT_EQ(db.Scalar("SELECT count(*) FROM ICBatchNoRule WHERE FItemID = 102"), "1");
    // A failing batch tells its text as written, not its parameters, and undoes itself.
    EXPECT_EQ(ErrorOf(db.Connection(), "DELETE FROM ICBatchNoRule WHERE FItemID = 102 "
                                       "UPDATE t_ICItem SET FName = 'x' 'y' WHERE FItemID = 101"),
              "1 near \"'y'\": syntax error");
    EXPECT_EQ(db.Scalar("SELECT count(*) FROM ICBatchNoRule WHERE FItemID = 102"), "1");
}

TEST(PreparedShapes, ManyShapesLeaveTheRecentOnesWorking)
{
    TempDatabase db;
    for (int i = 0; i < 200; ++i)
        EXPECT_EQ(db.Scalar(QString("SELECT FItemID + %1 AS n FROM t_ICItem WHERE FItemID = 101").arg(i)),
                  QString::number(101 + i));
    EXPECT_EQ(db.Scalar("SELECT FItemID + 0 AS n FROM t_ICItem WHERE FItemID = 101"), "101");
}

TEST(SqliteConnection, ErrorsCarrySqlitesNumberAndText)
{
    TempDatabase db;
    EXPECT_EQ(ErrorOf(db.Connection(), "INSERT INTO t_SystemProfile (FCategory,FKey,FValue) VALUES ('IC','BatchManual','1')"),
              "2067 UNIQUE constraint failed: t_SystemProfile.FCategory, t_SystemProfile.FKey");
    EXPECT_EQ(ErrorOf(db.Connection(), "SELECT FNoSuch FROM t_ICItem WHERE FItemID = 1"), "1 no such column: FNoSuch");
}

TEST(SqliteConnection, FieldsComeAsQtsSqliteDriverGaveThem)
{
    TempDatabase db;
    const auto rows = db.Connection().Execute(
        "SELECT FItemID, FName, FNumber AS [the number], NULL AS vacant, FItemID * 1.5 AS r, X'00ff' AS b, "
        "\"FParentID\" FROM t_ICItem WHERE FItemID = 101");
    ASSERT_TRUE(rows);
    EXPECT_EQ(rows->FieldName(2), "the number");
    EXPECT_EQ(rows->FieldName(6), "FParentID");
    EXPECT_EQ(rows->Field(0), QVariant(qlonglong(101)));
    EXPECT_EQ(rows->Field(0).metaType(), QMetaType::fromType<qlonglong>());
    EXPECT_EQ(rows->Field(1), QVariant(QString("冷轧钢板 1.0mm")));
    EXPECT_TRUE(rows->Field("vacant").isNull());
    EXPECT_EQ(rows->Field("vacant").metaType(), QMetaType::fromType<QString>());
    EXPECT_EQ(rows->Field("r"), QVariant(151.5));
    EXPECT_EQ(rows->Field("b"), QVariant(QByteArray("\0\xff", 2)));
}

TEST(SqliteConnection, WritesWithALargePageCacheAndKeepsTemporaryTablesInMemory)
{
    TempDatabase db;
    const QString cache = "SELECT cache_size FROM pragma_cache_size()";
    EXPECT_EQ(db.Scalar(cache), "-2000") << "reading: pages read once are not kept";
    db.Connection().BeginTrans();
    EXPECT_EQ(db.Scalar(cache), "-65536");
    db.Connection().CommitTrans();
    EXPECT_EQ(db.Scalar(cache), "-2000");
    db.Connection().BeginTrans();
    db.Connection().RollbackTrans();
    EXPECT_EQ(db.Scalar(cache), "-2000");
    EXPECT_EQ(db.Scalar("SELECT temp_store FROM pragma_temp_store()"), "2");
    EXPECT_EQ(db.Scalar("SELECT synchronous FROM pragma_synchronous()"), "2");   // the commit stays synchronous
    EXPECT_EQ(db.Scalar("SELECT journal_mode FROM pragma_journal_mode()"), "delete");
}

TEST(SqliteConnection, KeptStatementsHoldNoLockBetweenBatches)
{
    TempDatabase db;
    db.Connection().Execute(BatchTexts::FetchBatchRule(311, 1));
    db.Connection().Execute(BatchTexts::GroupSpread("03.02", true, {{1, 25, 0, "00", "", 2, "", ""}}));
    NativeConnection other(db.Path());
    EXPECT_EQ(other.Exec("BEGIN EXCLUSIVE; UPDATE t_ICItem SET FName = 'other' WHERE FItemID = 101; COMMIT"), SQLITE_OK);
    EXPECT_EQ(db.Scalar("SELECT FName FROM t_ICItem WHERE FItemID = 101"), "other");
}

TEST(SqliteConnection, KeptStatementsFollowChangesOfTheSchema)
{
    TempDatabase db;
    const QString query = "SELECT * FROM t_UserGroupAccess WHERE FUserID = 16395";
    EXPECT_EQ(db.Connection().Execute(query)->FieldCount(), 2);
    NativeConnection(db.Path()).Exec("ALTER TABLE t_UserGroupAccess ADD COLUMN FNote TEXT DEFAULT '备注'");
    const auto rows = db.Connection().Execute(query);
    ASSERT_EQ(rows->FieldCount(), 3);
    EXPECT_EQ(rows->FieldName(2), "FNote");
    EXPECT_EQ(rows->Field(2), QVariant(QString("备注")));
}

}

namespace {

QString Joined(const RowReader& row)
{
    QStringList values;
    for (int i = 0; i < row.FieldCount(); ++i)
        values << (row.IsNull(i) ? "null" : QString(row.Value(i).metaType().name()) + ":" + row.Value(i).toString());
    return values.join('|');
}

QString ReadAll(AppConnection& connection, const QString& batch)
{
    QStringList rows;
    connection.ReadRows(batch, [&](const RowReader& row) { rows << Joined(row); });
    return rows.join('\n');
}

QString ExecuteAll(AppConnection& connection, const QString& batch)
{
    QStringList rows;
    const auto set = connection.Execute(batch);
    for (const RecordsetRow row(*set); set && !set->Eof(); set->MoveNext())
        rows << Joined(row);
    return rows.join('\n');
}

}

// A read steps the statement itself where the batch is one query, and reads
// the record set otherwise: either way it gives what Execute gives.
TEST(ReadRows, GivesTheRowsExecuteGives)
{
    TempDatabase db;
    const QString batches[] = {
        BatchTexts::FetchBatchRule(101, 1),
        "SELECT FItemID, FName, NULL AS vacant, FItemID * 1.5 AS r, X'00ff' AS b FROM t_ICItem WHERE FNumber like '01.01.00_'",
        "SELECT FItemID FROM t_ICItem WHERE FItemID = -1",
        // more short texts than a field keeps, repeating: each must come back as its own
        "SELECT substr(FNumber, 4) AS s, substr(FNumber, 1, 2) AS g FROM t_ICItem ORDER BY FItemID % 5, FItemID",
        "CREATE TABLE #v (a) INSERT INTO #v(a) VALUES(N'无''s') SELECT a, typeof(a) FROM #v",
        "SELECT 'ICBatchNoRule' AS t, count(*) AS n FROM 'ICBatchNoRule'",
    };
    for (const QString& batch : batches) {
        const QString expected = ExecuteAll(db.Connection(), batch);
        EXPECT_FALSE(expected.isEmpty() && !batch.contains("= -1")) << qPrintable(batch);
        EXPECT_EQ(ReadAll(db.Connection(), batch), expected) << qPrintable(batch);
    }
}

TEST(ReadRows, TypedGettersConvertAsTheRecordSetDoes)
{
    TempDatabase db;
    QStringList seen;
    db.Connection().ReadRows("SELECT FItemID, FName, NULL, '42' FROM t_ICItem WHERE FItemID = 101", [&](const RowReader& row) {
        seen << QString::number(row.Integer(0)) << row.Text(0) << row.Text(1) << QString::number(row.Integer(2))
             << (row.Text(2).isNull() ? "null text" : "text") << QString::number(row.Integer(3));
        EXPECT_THROW(row.Text(4), HostError);
        EXPECT_THROW(row.Integer(-1), HostError);
    });
    EXPECT_EQ(seen.join(','), "101,101,冷轧钢板 1.0mm,0,null text,42");
}

// The read's statement is its own: a batch of the same shape may run while it goes on,
// and a read ended by its caller leaves nothing locked.
TEST(ReadRows, LeavesTheConnectionFreeWhileAndAfter)
{
    TempDatabase db;
    QStringList inner;
    db.Connection().ReadRows(BatchTexts::FetchBatchRule(101, 1), [&](const RowReader& row) {
        inner << db.Scalar(QString("SELECT count(*) FROM ICBatchNoRule WHERE FItemID=%1 and FDetail=1").arg(row.Integer(1)));
        ExecuteAll(db.Connection(), BatchTexts::FetchBatchRule(311, 1));
    });
    EXPECT_EQ(inner.join(','), "4,4,4,4");
    struct Stop {};
    EXPECT_THROW(db.Connection().ReadRows("SELECT FItemID FROM t_ICItem", [](const RowReader&) { throw Stop(); }), Stop);
    NativeConnection other(db.Path());
    EXPECT_EQ(other.Exec("BEGIN EXCLUSIVE; UPDATE t_ICItem SET FName = 'other' WHERE FItemID = 101; COMMIT"), SQLITE_OK);
    try {
        db.Connection().ReadRows("SELECT FNoSuch FROM t_ICItem", [](const RowReader&) {});
        ADD_FAILURE() << "no error";
    } catch (const HostError& error) {
        EXPECT_EQ(QString::number(error.Number()) + ' ' + error.Description(), "1 no such column: FNoSuch");
    }
}
