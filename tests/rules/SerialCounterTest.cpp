#include "HostError.h"
#include "IssuedNumbers.h"
#include "IssuerTables.h"
#include "RuleFixture.h"
#include "SerialCounter.h"
#include "UnitOfWork.h"

namespace {

class IssuerTable : public RuleFixture {
protected:
    SerialCounter Counter(const QString& rest, qint64 start = 1) { return SerialCounter(*connection, 101, rest, start); }
    // Holds the counter in a unit of its own and moves it on by `count`: the first value.
    qint64 Take(SerialCounter counter, int count)
    {
        UnitOfWork unit(*connection);
        const qint64 first = counter.Hold();
        counter.MoveTo(first + count);
        unit.Commit();
        return first;
    }
    IssuedNumbers issued{*connection, 101};
};

TEST_F(IssuerTable, SendsEachStepAsOneBatchWithItsKeysAsLiterals)
{
    EXPECT_EQ(Counter("甲'B\"").HoldSql(),
              CrLf({" IF NOT EXISTS (SELECT 1 FROM ICBatchNoSerial WITH (UPDLOCK, HOLDLOCK) WHERE FItemID=101 AND FRest=N'甲''B\"')",
                    " INSERT INTO ICBatchNoSerial (FItemID, FRest, FNext) VALUES (101, N'甲''B\"', 1)",
                    " SELECT FNext FROM ICBatchNoSerial WITH (UPDLOCK, HOLDLOCK) WHERE FItemID=101 AND FRest=N'甲''B\"'"}));
    EXPECT_EQ(Counter("甲'B\"").MoveToSql(7), CrLf({" UPDATE ICBatchNoSerial SET FNext = 7 WHERE FItemID=101 AND FRest=N'甲''B\"'"}));
    EXPECT_EQ(Counter("A\"").NextSql(), CrLf({" SELECT FNext FROM ICBatchNoSerial WHERE FItemID=101 AND FRest='A\"'"}));
    EXPECT_EQ(issued.IssuedAmongSql({"A'1", "甲2"}, true),
              CrLf({" SELECT FBatchNo FROM ICBatchNoIssued WITH (UPDLOCK, HOLDLOCK) WHERE FItemID=101 AND FBatchNo IN "
                    "('A''1',N'甲2')"}));
    EXPECT_EQ(issued.IssuedAmongSql({"A1"}, false),
              CrLf({" SELECT FBatchNo FROM ICBatchNoIssued WHERE FItemID=101 AND FBatchNo IN ('A1')"}));
    EXPECT_EQ(issued.RecordSql({"A'1", "甲2"}),
              CrLf({" INSERT INTO ICBatchNoIssued (FItemID, FBatchNo) VALUES (101, 'A''1'), (101, N'甲2')"}));
    QStringList many;
    for (int i = 0; i < IssuedNumbers::kRowsPerStatement + 1; ++i)
        many << QString::number(i);
    const qsizetype sent = connection->batches.size();
    issued.IssuedAmong(many, false);
    issued.Record(many);
    EXPECT_EQ(connection->batches.size() - sent, 4) << "SQL Server takes 1,000 rows in one VALUES list at the most";
}

TEST_F(IssuerTable, CountersTakeConsecutiveValuesFromTheStartAndAUnitRolledBackGivesThemBack)
{
    EXPECT_EQ(Counter("A\"", 5).Next(), 5);
    EXPECT_EQ(Take(Counter("A\"", 5), 3), 5);
    EXPECT_EQ(Take(Counter("A\"", 5), 1), 8);
    EXPECT_EQ(Take(Counter("B\"", 5), 1), 5) << "another rest counts on its own";
    {
        UnitOfWork unit(*connection);
        SerialCounter counter = Counter("A\"", 5);
        counter.MoveTo(counter.Hold() + 50);
    }
    EXPECT_EQ(Counter("A\"").Next(), 9);
    EXPECT_EQ(db.Rows("SELECT FItemID, FRest, FNext FROM ICBatchNoSerial ORDER BY FRest"), "101|A\"|9\n101|B\"|6");
}

TEST_F(IssuerTable, IssuedNumbersAreFoundAsTheDatabaseComparesThemAndNeverStoredTwice)
{
    {
        UnitOfWork unit(*connection);
        issued.Record({"A1", "b2 ", "甲3"});
        unit.Commit();
    }
    QStringList many{"A1", "a1", "B2", "b2", "甲3", "甲4"};
    for (int i = 0; i < IssuedNumbers::kRowsPerStatement; ++i)
        many << QString("X%1").arg(i);
    EXPECT_EQ(issued.IssuedAmong(many, false), (QSet<QString>{"a1", "b2", "甲3"}))
        << "trailing blanks do not count, as on the host's server; keys fold the case";
    EXPECT_TRUE(IssuedNumbers(*connection, 102).IssuedAmong({"A1"}, false).isEmpty()) << "per material";
    EXPECT_THROW(issued.Record({"甲3"}), HostError) << "one row per material and number";
    EXPECT_EQ(db.Rows("SELECT COUNT(*) FROM ICBatchNoIssued"), "3");
}

TEST_F(IssuerTable, InitCreatesWhatIsMissingAndAMissingTableIsToldFromAnyOtherFailure)
{
    EXPECT_EQ(IssuerTables::FirstMissing(*connection), "");
    EXPECT_EQ(IssuerTables::CreateMissing(*connection), QStringList{});
    connection->Execute("DROP TABLE ICBatchNoIssued");
    EXPECT_EQ(IssuerTables::FirstMissing(*connection), "ICBatchNoIssued");
    connection->Execute("DROP TABLE ICBatchNoSerial");
    EXPECT_EQ(IssuerTables::FirstMissing(*connection), "ICBatchNoSerial");
    EXPECT_THROW(Take(Counter("A\""), 1), HostError);
    EXPECT_EQ(IssuerTables::CreateMissing(*connection), (QStringList{"ICBatchNoSerial", "ICBatchNoIssued"}));
    EXPECT_EQ(Take(Counter("A\""), 1), 1);
    EXPECT_THROW(connection->Execute("INSERT INTO ICBatchNoSerial (FItemID, FRest, FNext) VALUES (101, 'A\"', 7)"),
                 HostError) << "one row per material and rest";
}

}
