#include "BatchTexts.h"
#include "DemoDatabase.h"
#include "FakeServerDriver.h"
#include "HostError.h"
#include "IssuedNumbers.h"
#include "OdbcConnection.h"
#include "OdbcConnectionString.h"
#include "RuleHistory.h"
#include "SerialCounter.h"
#include "SqlConnection.h"
#include "SqlTrace.h"
#include "TempDatabase.h"
#include "TestSupport.h"
#include "UnitOfWork.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <atomic>
#include <thread>

namespace {

TEST(Connection, BatchWithoutRowsGivesNoRecordset)
{
    TempDatabase db;
    EXPECT_EQ(db.Connection().Execute("UPDATE t_ICItem SET FName = FName WHERE FItemID = 101"), nullptr);
    EXPECT_NE(db.Connection().Execute("SELECT 1 WHERE 1 = 0"), nullptr);
}

TEST(Connection, FirstRowReturningStatementGivesTheRecordset)
{
    TempDatabase db;
    const auto rows = db.Connection().Execute("UPDATE t_ICItem SET FName = 'x' WHERE FItemID = 101 "
                                              "SELECT FName FROM t_ICItem WHERE FItemID = 101 SELECT 2");
    ASSERT_TRUE(rows);
    EXPECT_EQ(rows->Field(0), QVariant("x"));
}

TEST(Connection, ErrorsCarryTheDatabasesText)
{
    TempDatabase db;
    try {
        db.Connection().Execute("SELECT FNoSuchColumn FROM t_ICItem");
        FAIL() << "no error";
    } catch (const HostError& error) {
        EXPECT_TRUE(error.Description().contains("FNoSuchColumn")) << error.Description().toStdString();
        EXPECT_EQ(error.Source(), "VellConnection.AppConnection");
    }
}

TEST(Connection, MissingDatabaseIsAnErrorAndIsNotCreated)
{
    QTemporaryDir dir;
    const QString missing = dir.filePath("mistyped.sqlite");
    EXPECT_THROW(SqlConnection{missing}, HostError);
    EXPECT_FALSE(QFile::exists(missing));
    EXPECT_THROW(SqlConnection("/no/such/folder/host.sqlite"), HostError);
}

TEST(Connection, TraceAppendsEveryBatchAsSent)
{
    TempDatabase db;
    QTemporaryDir dir;
    const QString trace = dir.filePath("trace.sql");
    qputenv("VELL_SQL_TRACE", trace.toUtf8());
    const QString first = BatchTexts::FetchBatchRule(311, 1);
    const QString second = "SELECT FNoSuch FROM t";
    db.Connection().Execute(first);
    EXPECT_THROW(db.Connection().Execute(second), HostError);
    qunsetenv("VELL_SQL_TRACE");
    db.Connection().Execute(first);

    QFile file(trace);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()), first + SqlTrace::Separator + second + "\r\n" + SqlTrace::Separator)
        << "a batch without a final line break is followed by one";
}

TEST(Connection, SecondWriterWaitsForTheFirstInsteadOfFailing)
{
    TempDatabase db;
    std::atomic<bool> locked = false;
    std::thread holder([&] {
        {
            QSqlDatabase other = QSqlDatabase::addDatabase("QSQLITE", "lock-holder");
            other.setDatabaseName(db.Path());
            other.open();
            QSqlQuery query(other);
            query.exec("BEGIN IMMEDIATE");
            query.exec("UPDATE t_ICItem SET FName = 'held' WHERE FItemID = 101");
            locked = true;
            std::this_thread::sleep_for(std::chrono::milliseconds(400));
            query.exec("COMMIT");
            other.close();
        }
        QSqlDatabase::removeDatabase("lock-holder");
    });
    while (!locked)
        std::this_thread::yield();
    EXPECT_NO_THROW(db.Connection().Execute(BatchTexts::ItemSave(101, {{1, 23, 0, "yymmdd", "", 6, "", ""}})));
    holder.join();
    EXPECT_EQ(db.Scalar("SELECT FName FROM t_ICItem WHERE FItemID = 101"), "held");
    EXPECT_EQ(db.Scalar("SELECT count(*) FROM ICBatchNoRule WHERE FItemID = 101"), "1");
}

TEST(UnitOfWork, CommitKeepsEveryBatchAndRollbackKeepsNone)
{
    TempDatabase db;
    AppConnection& c = db.Connection();
    c.BeginTrans();
    c.Execute(BatchTexts::ItemSave(101, {{1, 23, 0, "yymmdd", "", 6, "", ""}}));
    c.Execute("UPDATE t_ICItem SET FName = 'kept' WHERE FItemID = 101");
    c.CommitTrans();
    EXPECT_EQ(db.Scalar("SELECT count(*) FROM ICBatchNoRule WHERE FItemID = 101"), "1");
    c.BeginTrans();
    c.Execute(BatchTexts::ItemSave(101, {}));
    c.Execute("UPDATE t_ICItem SET FName = 'undone' WHERE FItemID = 101");
    c.RollbackTrans();
    EXPECT_EQ(db.Scalar("SELECT count(*) FROM ICBatchNoRule WHERE FItemID = 101"), "1");
    EXPECT_EQ(db.Scalar("SELECT FName FROM t_ICItem WHERE FItemID = 101"), "kept");
}

TEST(UnitOfWork, FailingBatchInsideAUnitUndoesItselfAndLeavesTheRest)
{
    TempDatabase db;
    AppConnection& c = db.Connection();
    c.BeginTrans();
    c.Execute("UPDATE t_ICItem SET FName = 'first' WHERE FItemID = 101");
    EXPECT_THROW(c.Execute(BatchTexts::ItemSave(311, {{1, 25, 0, "00", "", 2, "", ""}}) + " Insert into Nowhere(a) Values(1)\r\n"),
                 HostError);
    EXPECT_EQ(db.Scalar("SELECT count(*) FROM ICBatchNoRule WHERE FItemID = 311"), "2");
    // A temporary table of a failed batch is gone with it.
    EXPECT_THROW(c.Execute(" Select Distinct FItemID into #tmp From ICBatchNoRule\r\n Select FNoSuch From #tmp\r\n"),
                 HostError);
    EXPECT_NO_THROW(c.Execute(" Select Distinct FItemID into #tmp From ICBatchNoRule\r\n Drop table #tmp\r\n"));
    c.CommitTrans();
    EXPECT_EQ(db.Scalar("SELECT FName FROM t_ICItem WHERE FItemID = 101"), "first");
}

TEST(UnitOfWork, UnitsDoNotNestAndEndOnlyWhenBegun)
{
    TempDatabase db;
    AppConnection& c = db.Connection();
    EXPECT_THROW(c.CommitTrans(), HostError);
    EXPECT_THROW(c.RollbackTrans(), HostError);
    c.BeginTrans();
    EXPECT_THROW(c.BeginTrans(), HostError);
    c.RollbackTrans();
    EXPECT_NO_THROW(c.Execute("SELECT 1"));
}

// A unit takes the write lock when it begins: a second unit waits for the
// first to end and then sees all of it.
TEST(UnitOfWork, SecondUnitWaitsForTheFirst)
{
    TempDatabase db;
    AppConnection& first = db.Connection();
    first.BeginTrans();
    first.Execute("UPDATE t_ICItem SET FName = 'one' WHERE FItemID = 101");
    std::atomic<bool> committed = false, secondBegan = false;
    QString seen;
    std::thread second([&] {
        SqlConnection other(db.Path());
        other.BeginTrans();
        secondBegan = true;
        seen = QString::number(committed.load()) + other.Execute("SELECT FName FROM t_ICItem WHERE FItemID = 101")->Field(0).toString();
        other.CommitTrans();
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_FALSE(secondBegan);
    first.Execute("UPDATE t_ICItem SET FName = FName || '+two' WHERE FItemID = 101");
    committed = true;
    first.CommitTrans();
    second.join();
    EXPECT_EQ(seen, "1one+two");
}

TEST(UnitOfWork, ClosingTheConnectionDropsAnOpenUnit)
{
    TempDatabase db;
    {
        SqlConnection other(db.Path());
        other.BeginTrans();
        other.Execute("DELETE FROM ICBatchNoRule");
    }
    EXPECT_NE(db.Scalar("SELECT count(*) FROM ICBatchNoRule"), "0");
}

// The ODBC path, on a SQLite data source through Debian's SQLite ODBC driver.
class OdbcDataSource : public testing::Test {
protected:
    void SetUp() override
    {
        DemoDatabase::WriteHandMade(dir.filePath("odbc.sqlite"));
        connection = std::make_unique<SqlConnection>("DRIVER=SQLite3;Database=" + dir.filePath("odbc.sqlite"));
    }

    QString Scalar(const QString& sql) { return connection->Execute(sql)->Field(0).toString(); }

    QTemporaryDir dir;
    std::unique_ptr<SqlConnection> connection;
};

TEST_F(OdbcDataSource, SqliteDataSourceGoesThroughTheBridge)
{
    EXPECT_TRUE(connection->UsesBridge());
    EXPECT_TRUE(SqlConnection::IsOdbcConnectionString("DSN=vell;UID=sa"));
    EXPECT_FALSE(SqlConnection::IsOdbcConnectionString("/tmp/demo.sqlite"));
}

TEST_F(OdbcDataSource, RunsQueriesWithExactCounts)
{
    const auto groups = connection->Execute(BatchTexts::FetchParentItem());
    ASSERT_TRUE(groups);
    EXPECT_EQ(groups->RecordCount(), 8);
    EXPECT_EQ(groups->Field("FNumber"), QVariant("01"));
    EXPECT_EQ(connection->Execute(BatchTexts::FetchBatchRule(311, 1))->RecordCount(), 2);
    QStringList properties;   // an ODBC connection reads rows off its record set
    connection->ReadRows(BatchTexts::FetchBatchRule(311, 1), [&](const RowReader& row) { properties << row.Text(2); });
    EXPECT_EQ(properties, QStringList({"23", "26"}));
}

TEST_F(OdbcDataSource, SpreadsAGroupRuleAndWritesOptions)
{
    connection->Execute(BatchTexts::GroupSpread("03.02", false, {{1, 25, 0, "00", "", 2, "", ""}}));
    EXPECT_EQ(Scalar("SELECT group_concat(FItemID) FROM (SELECT FItemID FROM ICBatchNoRule "
                     "WHERE FDetail = 1 AND FPropertyID = 25 ORDER BY FItemID)"),
              "301,311,312,313");
    connection->Execute(BatchTexts::WriteOptions(0, 0, 0, 1, 0));
    EXPECT_EQ(Scalar("SELECT FValue FROM t_SystemProfile WHERE FKey = 'BatchItemIsTop'"), "0");
    EXPECT_EQ(Scalar("SELECT FValue FROM t_SystemProfile WHERE FKey = 'AutoCreateBatNo'"), "1");
}

TEST_F(OdbcDataSource, UnitOfWorkLandsWholeOrNotAtAll)
{
    connection->BeginTrans();
    connection->Execute("UPDATE t_ICItem SET FName = 'odbc' WHERE FItemID = 101");
    EXPECT_THROW(connection->Execute(" Insert into Nowhere(a) Values(1)\r\n"), HostError);
    connection->Execute(BatchTexts::ItemSave(311, {}));
    connection->RollbackTrans();
    EXPECT_EQ(Scalar("SELECT count(*) FROM ICBatchNoRule WHERE FItemID = 311"), "2");
    connection->BeginTrans();
    connection->Execute("UPDATE t_ICItem SET FName = 'odbc' WHERE FItemID = 101");
    connection->CommitTrans();
    EXPECT_EQ(Scalar("SELECT FName FROM t_ICItem WHERE FItemID = 101"), "odbc");
}

TEST(OdbcTarget, MissingSqliteFileIsRefusedAndNotCreated)
{
    QTemporaryDir dir;
    const QString missing = dir.filePath("mistyped.sqlite");
    EXPECT_THROW(SqlConnection("DRIVER=SQLite3;Database=" + missing), HostError);
    EXPECT_THROW(SqlConnection("Driver={SQLite3};Database={" + missing + "};Timeout=100"), HostError);
    EXPECT_FALSE(QFile::exists(missing));
}

TEST(OdbcTarget, ConnectionStringValues)
{
    const QString text = "DSN=vell; UID = sa ;PWD={a;b};Database=c:\\x.db";
    EXPECT_EQ(OdbcConnectionString::Value(text, "uid"), "sa");
    EXPECT_EQ(OdbcConnectionString::Value(text, "PWD"), "a;b");
    EXPECT_EQ(OdbcConnectionString::Value(text, "DATABASE"), "c:\\x.db");
    EXPECT_EQ(OdbcConnectionString::Value(text, "Server"), "");
    EXPECT_EQ(OdbcConnectionString::SqliteDatabaseFile("DRIVER={ODBC Driver 18 for SQL Server};Database=erp"), "");
    EXPECT_EQ(OdbcConnectionString::SqliteDatabaseFile("DRIVER=SQLite3;Database=/tmp/a.db"), "/tmp/a.db");
}

TEST(OdbcTarget, StringsReachTheDriverAsItReadsThemAndMessagesHideThePassword)
{
    const std::pair<const char*, const char*> forDriver[] = {
        {"DSN=demo", "demo"},
        {"dsn = demo;UID=sa;PWD=x", "demo;UID=sa;PWD=x"},
        {"UID=sa;DSN=demo;PWD=x", "demo;UID=sa;PWD=x"},
        {"UID=sa;DSN=demo", "demo;UID=sa"},
        {"SERVER=db1;DSN=demo", "SERVER=db1;DSN=demo"},
        {"DRIVER={ODBC Driver 18 for SQL Server};SERVER=db1;UID=sa", "DRIVER={ODBC Driver 18 for SQL Server};SERVER=db1;UID=sa"},
    };
    for (const auto& [given, handed] : forDriver)
        EXPECT_EQ(OdbcConnectionString::ForQtDriver(given), handed) << given;
    const std::pair<const char*, const char*> masked[] = {
        {"DRIVER=x;UID=sa;PWD=S3cret!x;Database=erp", "DRIVER=x;UID=sa;PWD=****;Database=erp"},
        {"PWD={a;b}}c};UID=sa", "PWD=****;UID=sa"},
        {"DSN=demo; password = hunter2", "DSN=demo; password = ****"},
        {"DSN=demo;Trusted_Connection=yes", "DSN=demo;Trusted_Connection=yes"},
        {"\u00a0PWD=secret;UID=sa", "\u00a0PWD=****;UID=sa"},   // any blank the driver manager trims
        {"UID=sa;\u3000Password=hunter2", "UID=sa;\u3000Password=****"},
        {"PWD= {a;b}}c};UID=sa", "PWD= ****;UID=sa"},
        {"PWD={a}};UID=x}", "PWD=****"},   // a reader taking "}}" for a brace reads all of it as the password
    };
    for (const auto& [given, shown] : masked)
        EXPECT_EQ(OdbcConnectionString::Masked(given), shown) << given;
    try {
        SqlConnection("DRIVER={No Such Driver};SERVER=db1;UID=sa;PWD=S3cret!x");
        ADD_FAILURE() << "a driver that does not exist opened";
    } catch (const HostError& error) {
        EXPECT_FALSE(error.Description().contains("S3cret")) << error.Description().toStdString();
        EXPECT_TRUE(error.Description().contains("PWD=****")) << error.Description().toStdString();
    }
}

TEST(OdbcTarget, AUserDataSourceConnectsByItsName)
{
    QTemporaryDir dir;
    DemoDatabase::WriteHandMade(dir.filePath("dsn.sqlite"));
    QFile ini(dir.filePath("odbc.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[vell-demo]\nDriver=SQLite3\nDatabase=" + dir.filePath("dsn.sqlite").toUtf8() + "\n");
    ini.close();
    const QByteArray before = qgetenv("ODBCINI");
    qputenv("ODBCINI", ini.fileName().toUtf8());
    for (const char* target : {"DSN=vell-demo", "DSN=vell-demo;UID=storekeeper"}) {
        try {
            SqlConnection connection(target);
            EXPECT_TRUE(connection.UsesBridge()) << target;
            EXPECT_EQ(connection.Execute(BatchTexts::FetchBatchRule(311, 1))->RecordCount(), 2) << target;
        } catch (const HostError& error) {
            ADD_FAILURE() << target << ": " << error.Description().toStdString();
        }
    }
    before.isNull() ? qunsetenv("ODBCINI") : qputenv("ODBCINI", before);
}

TEST_F(OdbcDataSource, FailingBatchRollsBack)
{
    QString batch = BatchTexts::ItemSave(311, {{1, 25, 0, "00", "", 2, "", ""}}) + " Insert into Nowhere(a) Values(1)\r\n";
    EXPECT_THROW(connection->Execute(batch), HostError);
    EXPECT_EQ(Scalar("SELECT count(*) FROM ICBatchNoRule WHERE FItemID = 311"), "2");
}

}

namespace {

// The SQL Server path through a driver that answers as the server does.
class ServerConnection : public testing::Test {
protected:
    void SetUp() override
    {
        FakeServerDriver::Register();
        connection = std::make_unique<SqlConnection>(
            std::make_unique<OdbcConnection>("DRIVER={ODBC Driver 18 for SQL Server};SERVER=erp", FakeServerDriver::Name));
        EXPECT_EQ(FakeServerDriver::log, QStringList{"exec SET XACT_ABORT ON"}) << "once, for the whole connection";
        FakeServerDriver::log.clear();
    }
    // The writers' lock is granted; every other batch answers so.
    void Answer(QList<FakeServerDriver::Result> results)
    {
        FakeServerDriver::answer = [results](const QString& batch) {
            return batch == OdbcConnection::WriterLockSql() ? QList<FakeServerDriver::Result>{{}} : results;
        };
    }

    std::unique_ptr<SqlConnection> connection;
};

// Every writing transaction's first statement.
QString Lock()
{
    return "exec " + OdbcConnection::WriterLockSql();
}

struct LaterFailure {
    const char* name;
    QList<FakeServerDriver::Result> results;
};

class ServerBatchThatFails : public ServerConnection, public testing::WithParamInterface<LaterFailure> {};

void PrintTo(const LaterFailure& failure, std::ostream* os)
{
    *os << failure.name;
}

TEST_P(ServerBatchThatFails, FailsWholeAndRollsBackItsUnit)
{
    const QString batch = BatchTexts::ItemSave(311, {{1, 25, 0, "00", "", 2, "", ""}});
    Answer(GetParam().results);
    {
        UnitOfWork unit(*connection);   // as the editor's commit holds it: left without Commit on a failure
        EXPECT_THROW(connection->Execute(batch), HostError) << "a failed statement is a failed batch";
    }
    EXPECT_EQ(FakeServerDriver::log, (QStringList{"begin", Lock(), "exec " + batch, "rollback"}));

    FakeServerDriver::log.clear();
    try {
        connection->Execute(batch);
        ADD_FAILURE() << "the batch was reported as done";
    } catch (const HostError& error) {
        EXPECT_TRUE(error.Description().contains("FOREIGN KEY")) << error.Description().toStdString();
        EXPECT_EQ(error.Number(), 547);
    }
    EXPECT_EQ(FakeServerDriver::log, (QStringList{"begin", Lock(), "exec " + batch, "rollback"}))
        << "a batch on its own is atomic";
}

const FakeServerDriver::Result kDone{}, kRows{3, {}}, kFails{-1, "The INSERT statement conflicted with the FOREIGN KEY constraint"};

INSTANTIATE_TEST_SUITE_P(ServerConnection, ServerBatchThatFails,
                         testing::Values(LaterFailure{"AtTheSecondStatement", {kDone, kFails, kDone}},
                                         LaterFailure{"AtTheThird", {kDone, kDone, kFails, kDone}},
                                         LaterFailure{"AtTheLast", {kDone, kRows, kDone, kFails}},
                                         LaterFailure{"AtTheFirstOfSeveralResultSets", {kFails, kRows, kRows}},
                                         LaterFailure{"AfterTheRowsWereRead", {kRows, kFails}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ServerConnection, ReadsRunInAutocommitAndWritesInATransactionOfTheirOwn)
{
    Answer({kRows});
    const QString read = BatchTexts::FetchBatchRule(311, 1);
    const auto rows = connection->Execute(read);
    ASSERT_TRUE(rows);
    EXPECT_EQ(rows->RecordCount(), 3);
    connection->Execute("SELECT a FROM t WHERE b IN (SELECT c FROM u) UNION SELECT d FROM v");
    Answer({kDone, kDone});
    const QString write = BatchTexts::ItemSave(311, {});
    connection->Execute(write);
    connection->Execute(" Select Distinct FItemID into #tmp From ICBatchNoRule\r\n Drop table #tmp\r\n");
    EXPECT_EQ(FakeServerDriver::log,
              (QStringList{"exec " + read, "exec SELECT a FROM t WHERE b IN (SELECT c FROM u) UNION SELECT d FROM v", "begin",
                           Lock(), "exec " + write, "commit", "begin", Lock(),
                           "exec  Select Distinct FItemID into #tmp From ICBatchNoRule\r\n Drop table #tmp\r\n", "commit"}));
}

// Writers serialize on the server as under SQLite's BEGIN IMMEDIATE: a lock
// not granted in time ends the unit before anything is written.
TEST_F(ServerConnection, AWriterWaitsForTheOthersLockAndGivesUpAfterItsTimeout)
{
    EXPECT_TRUE(OdbcConnection::WriterLockSql().contains(
        "EXEC @granted = sp_getapplock @Resource = N'VellBatchRule', @LockMode = N'Exclusive', "
        "@LockOwner = N'Transaction', @LockTimeout = 15000"));
    FakeServerDriver::answer = [](const QString& batch) {
        return QList<FakeServerDriver::Result>{
            {-1, batch == OdbcConnection::WriterLockSql() ? "Another writer held the batch rules for 15 seconds" : ""}};
    };
    try {
        UnitOfWork unit(*connection);
        ADD_FAILURE() << "the unit began without the lock";
    } catch (const HostError& error) {
        EXPECT_TRUE(error.Description().endsWith("Another writer held the batch rules for 15 seconds"))
            << error.Description().toStdString();
    }
    EXPECT_EQ(FakeServerDriver::log, (QStringList{"begin", Lock(), "rollback"}));
}

// A spread's restore and its record reach the server as written, in the
// writers' unit: a failure in the restore's second statement (the
// materials' rules put back) leaves neither their deletion nor the record.
TEST_F(ServerConnection, ARestoreAndItsRecordReachItAsWrittenAndFailWhole)
{
    const QString owner = RuleHistory::RestoreOwnerSql(4, RuleOwner::Group, 7);
    const QString materials = RuleHistory::RestoreMaterialsSql(4, "03.02", "", "");
    RuleHistory::Entry entry{5, 16394, "张三", RuleOwner::Group, 7, "restore", "23+26", "4+23+26", 3, {}};
    const QString record = RuleHistory::EntrySql(entry);
    EXPECT_TRUE(record.contains("CURRENT_TIMESTAMP,16394,N'张三',0,7,'restore','23+26','4+23+26',3)"))
        << "the server's clock; N'' for the text that needs it";
    Answer({kDone, kDone});
    {
        UnitOfWork unit(*connection);
        connection->Execute(owner);
        connection->Execute(materials);
        connection->Execute(record);
        unit.Commit();
    }
    FakeServerDriver::answer = [materials](const QString& batch) {
        return batch == materials ? QList<FakeServerDriver::Result>{kDone, kFails} : QList<FakeServerDriver::Result>{kDone, kDone};
    };
    {
        UnitOfWork unit(*connection);
        connection->Execute(owner);
        EXPECT_THROW(connection->Execute(materials), HostError);
    }
    EXPECT_EQ(FakeServerDriver::log, (QStringList{"begin", Lock(), "exec " + owner, "exec " + materials, "exec " + record,
                                                  "commit", "begin", Lock(), "exec " + owner, "exec " + materials,
                                                  "rollback"}));
}

// The server serializes the issuer itself: its batches reach it as written,
// lock hints included, in one transaction that a refusal rolls back.
TEST_F(ServerConnection, TheIssuersBatchesReachItAsWrittenInOneTransaction)
{
    Answer({kDone, kDone, {1, {}}});
    SerialCounter counter(*connection, 311, "2026\"", 1);
    IssuedNumbers issued(*connection, 311);
    const QString hold = counter.HoldSql(), look = issued.IssuedAmongSql({"20260001"}, true);
    ASSERT_TRUE(hold.contains("WITH (UPDLOCK, HOLDLOCK)") && look.contains("WITH (UPDLOCK, HOLDLOCK)"));
    {
        UnitOfWork unit(*connection);
        counter.Hold();
        issued.IssuedAmong({"20260001"}, true);
        counter.MoveTo(2);
        issued.Record({"20260001"});
        unit.Commit();
    }
    {
        UnitOfWork unit(*connection);
        counter.Hold();
    }
    EXPECT_EQ(FakeServerDriver::log, (QStringList{"begin", Lock(), "exec " + hold, "exec " + look,
                                                  "exec " + counter.MoveToSql(2), "exec " + issued.RecordSql({"20260001"}),
                                                  "commit", "begin", Lock(), "exec " + hold, "rollback"}));
}

}
