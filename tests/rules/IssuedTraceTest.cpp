// Where each issued number came from: the trace's batches as sent, what they
// leave in the demo database, and which rule write on record they find.
#include "IssuedNumbers.h"
#include "IssuedTrace.h"
#include "RWDatabase.h"
#include "RuleFixture.h"
#include "RuleVersion.h"
#include "UnitOfWork.h"

namespace {

using Rows = QList<std::tuple<int, const char*, int>>;   // property, format, width

class Trace : public RuleFixture {
protected:
    // Material 311's rule now holds the rows; its version as the issuer reads it.
    QString VersionOf(const Rows& rows)
    {
        connection->Execute("DELETE FROM ICBatchNoRule WHERE FItemID=311 AND FDetail=1");
        int id = 0;
        for (const auto& [property, format, width] : rows)
            connection->Execute(QString("INSERT INTO ICBatchNoRule (FID,FItemID,FPropertyID,FFormatDate,FWidth,FDetail) "
                                        "VALUES (%1,311,%2,'%3',%4,1)")
                                    .arg(++id).arg(property).arg(format).arg(width));
        return RuleVersion::Of(*connection->Execute(RWDatabase::BatchRuleSql(311, RuleOwner::Material)));
    }
    // An entry on record for the owner at `time`, having written these rows.
    void Entry(int id, RuleOwner owner, int ownerId, const char* time, const Rows& rows)
    {
        connection->Execute(QString("INSERT INTO ICBatchNoRuleHistory VALUES (%1,'%2',16394,'张三',%3,%4,'command','','',1)")
                                .arg(id).arg(time).arg(int(owner)).arg(ownerId));
        int fid = 0;
        for (const auto& [property, format, width] : rows)
            connection->Execute(QString("INSERT INTO ICBatchNoRuleHistoryRow VALUES (%1,1,%2,%3,%4,%5,0,'%6','',%7,'','')")
                                    .arg(id).arg(ownerId).arg(int(owner)).arg(++fid).arg(property).arg(format).arg(width));
    }
    void Issued(const QString& number, const char* time, const QString& version)
    {
        connection->Execute(QString("INSERT INTO ICBatchNoIssuedTrace VALUES (311,'%1','%2',16394,'','%3')")
                                .arg(number, time, version));
    }

    IssuedTrace trace{*connection, 311};
};

TEST_F(Trace, SendsEachStepAsOneBatchWithItsTextsAsLiterals)
{
    EXPECT_EQ(trace.RecordSql({"A'1", "甲2"}, {"", 16394, "O'Brien", "3fa2c0e1b9d4"}),
              CrLf({" INSERT INTO ICBatchNoIssuedTrace (FItemID, FBatchNo, FTime, FUserID, FUserName, FVersion)",
                    " VALUES (311, 'A''1', CURRENT_TIMESTAMP, 16394, 'O''Brien', '3fa2c0e1b9d4'), "
                    "(311, N'甲2', CURRENT_TIMESTAMP, 16394, 'O''Brien', '3fa2c0e1b9d4')"}));
    EXPECT_EQ(trace.FindSql("甲'2"), CrLf({" SELECT FTime,FUserID,FUserName,FVersion FROM ICBatchNoIssuedTrace",
                                           " WHERE FItemID=311 AND FBatchNo=N'甲''2'", " ORDER BY FTime DESC"}));
    EXPECT_EQ(trace.EntriesSql("A1", {"03", "03.02"}),
              CrLf({" SELECT FEntryID,FTime,FUserID,FUserName,FDetail,FItemID,FSource,FBefore,FAfter,FMaterials",
                    " FROM ICBatchNoRuleHistory",
                    " WHERE (FDetail=1 AND FItemID=311 OR FDetail=0 AND (FItemID=0 OR FItemID IN (SELECT FItemID FROM "
                    "t_Item WHERE FItemClassID=4 AND FDetail=0 AND FNumber IN ('03','03.02'))))",
                    "   AND FTime <= (SELECT MAX(FTime) FROM ICBatchNoIssuedTrace WHERE FItemID=311 AND FBatchNo='A1')",
                    " ORDER BY FEntryID DESC"}));
    EXPECT_TRUE(trace.EntriesSql("A1", {}).contains(" OR FDetail=0 AND FItemID=0)")) << "a material outside any group";
    EXPECT_EQ(trace.WrittenRowsSql(7),
              CrLf({" SELECT FID,311 AS FItemID,FPropertyID,FUseShortNumber,FFormatDate,FSelDefine,FWidth,FCharacter,"
                    "FSubCharacter",
                    " FROM ICBatchNoRuleHistoryRow", " WHERE FEntryID=7 AND FStage=1", " ORDER BY FID"}));
    EXPECT_EQ(RuleHistory::GroupNumbersAbove("03.02.001"), (QStringList{"03", "03.02"}));
    QStringList many;
    for (int i = 0; i <= IssuedNumbers::kRowsPerStatement; ++i)
        many << QString::number(i);
    const qsizetype sent = connection->batches.size();
    trace.Record(many, {});
    EXPECT_EQ(connection->batches.size() - sent, 2) << "SQL Server takes 1,000 rows in one VALUES list at the most";
}

TEST_F(Trace, KeepsEachIssueByTheDatabasesClockInTheIssuersUnitAndFindsTheLatest)
{
    {
        UnitOfWork unit(*connection);
        trace.Record({"A'1", "甲2"}, {"", 16394, QString(100, QChar(u'名')), "3fa2c0e1b9d4"});
        unit.Commit();
    }
    {
        UnitOfWork rolledBack(*connection);
        trace.Record({"B3"}, {"", 16394, "", "3fa2c0e1b9d4"});
    }
    const auto found = trace.Find("甲2");
    ASSERT_TRUE(found);
    EXPECT_EQ(found->userId, 16394);
    EXPECT_EQ(found->userName, QString(80, QChar(u'名'))) << "the start of a name longer than the column";
    EXPECT_EQ(found->version, "3fa2c0e1b9d4");
    EXPECT_EQ(db.Scalar("SELECT COUNT(*) FROM ICBatchNoIssuedTrace WHERE FTime >= datetime('now', '-1 minute')"), "2");
    EXPECT_FALSE(trace.Find("B3") || IssuedTrace(*connection, 312).Find("甲2")) << "rolled back; another material";
    Issued("甲2", "2999-01-01 00:00:00", "0123456789ab");
    EXPECT_EQ(trace.Find("甲2")->version, "0123456789ab") << "the latest issue";
}

TEST_F(Trace, FindsTheNewestWriteBeforeTheIssueThatLeftTheMaterialsRuleAtItsVersion)
{
    const Rows daily{{23, "yymmdd", 6}, {26, "1", 4}}, monthly{{23, "yymm", 4}}, yearly{{23, "yyyy", 4}}, sibling{{26, "1", 9}};
    Entry(1, RuleOwner::Group, 0, "2026-05-01 09:00:00", yearly);
    Entry(2, RuleOwner::Material, 311, "2026-05-01 10:00:00", daily);
    Entry(3, RuleOwner::Group, 7, "2026-05-02 10:00:00", monthly);
    Entry(4, RuleOwner::Group, 6, "2026-05-02 11:00:00", sibling);
    Entry(5, RuleOwner::Material, 311, "2026-05-04 10:00:00", daily);
    struct Case {
        Rows rule;
        int entry;   // 0: none on record
        const char* why;
    };
    const Case cases[] = {
        {daily, 2, "the material's own write; the same rule written again after the issue does not count"},
        {monthly, 3, "a spread of the material's group, its rows as the material's"},
        {yearly, 1, "a spread of the root"},
        {sibling, 0, "a group the material is not below"},
        {{{26, "1", 2}}, 0, "a rule no write on record left"},
    };
    int n = 0;
    for (const Case& c : cases) {
        const QString number = QString("N%1").arg(++n);
        Issued(number, "2026-05-03 12:00:00", VersionOf(c.rule));
        const auto write = trace.WriteOf(number, trace.Find(number)->version, "03.02.001");
        EXPECT_EQ(write ? write->id : 0, c.entry) << c.why;
    }
}

}
