#include "HostError.h"
#include "RuleFixture.h"
#include "SerialCounter.h"

namespace {

class CounterTable : public RuleFixture {
protected:
    SerialCounter Counter(const QString& rest, qint64 start = 1) { return SerialCounter(*connection, 101, rest, start); }
    static void Accept(qint64) {}
};

TEST_F(CounterTable, SendsTheTakeAsOneBatchWithItsKeyAsLiterals)
{
    EXPECT_EQ(Counter("甲'B\"").TakeSql(5),
              CrLf({" IF NOT EXISTS (SELECT 1 FROM ICBatchNoSerial WITH (UPDLOCK, HOLDLOCK) WHERE FItemID=101 AND "
                    "FRest=N'甲''B\"')",
                    " INSERT INTO ICBatchNoSerial (FItemID, FRest, FNext) VALUES (101, N'甲''B\"', 1)",
                    " UPDATE ICBatchNoSerial SET FNext = FNext + 5 WHERE FItemID=101 AND FRest=N'甲''B\"'",
                    " SELECT FNext - 5 AS FFirst FROM ICBatchNoSerial WHERE FItemID=101 AND FRest=N'甲''B\"'"}));
    EXPECT_EQ(Counter("A\"").NextSql(), CrLf({" SELECT FNext FROM ICBatchNoSerial WHERE FItemID=101 AND FRest='A\"'"}));
}

TEST_F(CounterTable, TakesConsecutiveValuesInAUnitOfWorkFromTheStart)
{
    SerialCounter counter = Counter("A\"", 5);
    EXPECT_EQ(counter.Next(), 5);
    EXPECT_EQ(counter.Take(3, Accept), 5);
    EXPECT_EQ(counter.Take(1, Accept), 8);
    EXPECT_EQ(Counter("B\"", 5).Take(1, Accept), 5) << "another rest counts on its own";
    EXPECT_EQ(counter.Next(), 9);
    EXPECT_EQ(db.Rows("SELECT FItemID, FRest, FNext FROM ICBatchNoSerial ORDER BY FRest"), "101|A\"|9\n101|B\"|6");
    EXPECT_EQ(connection->calls.mid(1, 3), (QStringList{"BeginTrans", "Execute", "CommitTrans"}));
}

TEST_F(CounterTable, AUnitRolledBackGivesItsValuesBack)
{
    SerialCounter counter = Counter("A\"");
    counter.Take(2, Accept);
    EXPECT_THROW(counter.Take(4, [](qint64) { throw HostError(6, "Overflow", "test"); }), HostError);
    EXPECT_EQ(connection->calls.last(), "RollbackTrans");
    EXPECT_EQ(counter.Take(1, Accept), 3);
}

TEST_F(CounterTable, AMissingTableIsToldFromAnyOtherFailure)
{
    EXPECT_TRUE(SerialCounter::TableExists(*connection));
    connection->Execute("DROP TABLE ICBatchNoSerial");
    EXPECT_FALSE(SerialCounter::TableExists(*connection));
    EXPECT_THROW(Counter("A\"").Take(1, Accept), HostError);
    connection->Execute(SerialCounter::CreateTableSql());
    EXPECT_EQ(Counter("A\"").Take(1, Accept), 1);
    EXPECT_THROW(connection->Execute("INSERT INTO ICBatchNoSerial (FItemID, FRest, FNext) VALUES (101, 'A\"', 7)"),
                 HostError) << "one row per material and rest";
}

}
