#include "HostError.h"
#include "TestSupport.h"
#include "TsqlBridge.h"

namespace {

QStringList Statements(const QString& batch)
{
    QStringList out;
    for (const BridgeStep& step : TranslateTsql(batch).steps)
        out << step.sql.simplified();
    return out;
}

QString ErrorOf(const QString& batch)
{
    try {
        TranslateTsql(batch);
    } catch (const HostError& error) {
        return error.Description();
    }
    return "no error";
}

TEST(TsqlBridge, SplitsStatementsAtTheirLeadingKeywords)
{
    EXPECT_EQ(Statements(CrLf({" Delete from ICBatchNoRule ", " Where FItemID=1", " Insert into T(A) Values(1)",
                               " Insert into T(A)", " Select FItemID From t_ICItem Where FBatchManager = 1"})),
              (QStringList{"Delete from ICBatchNoRule Where FItemID=1", "Insert into T(A) Values(1)",
                           "Insert into T(A) Select FItemID From t_ICItem Where FBatchManager = 1"}));
}

TEST(TsqlBridge, StatementAfterAnInsertsRowsStartsAnew)
{
    EXPECT_EQ(Statements("INSERT INTO t(a) VALUES(1) SELECT a FROM t INSERT INTO t(a) SELECT 2 SELECT 3 "
                         "CREATE TABLE u (a int) SELECT 4 CREATE TABLE v AS SELECT 5"),
              (QStringList{"INSERT INTO t(a) VALUES(1)", "SELECT a FROM t", "INSERT INTO t(a) SELECT 2", "SELECT 3",
                           "CREATE TABLE u (a int)", "SELECT 4", "CREATE TABLE v AS SELECT 5"}));
}

TEST(TsqlBridge, SubqueriesUnionsAndUpdateSetStayInTheirStatement)
{
    EXPECT_EQ(Statements("SELECT a FROM t WHERE a NOT IN (SELECT b FROM u) UNION ALL SELECT c FROM v "
                         "UPDATE t SET a = 1 WHERE b IN (SELECT b FROM u)"),
              (QStringList{"SELECT a FROM t WHERE a NOT IN (SELECT b FROM u) UNION ALL SELECT c FROM v",
                           "UPDATE t SET a = 1 WHERE b IN (SELECT b FROM u)"}));
}

TEST(TsqlBridge, KeywordsInsideTextsAndNamesDoNotSplit)
{
    EXPECT_EQ(Statements("INSERT INTO t(a,[select]) VALUES('x Select y; Delete', 'it''s') -- Update here\r\nDROP TABLE t"),
              (QStringList{"INSERT INTO t(a,\"select\") VALUES('x Select y; Delete', 'it''s') -- Update here",
                           "DROP TABLE t"}));
}

TEST(TsqlBridge, CaseExpressionsKeepTheirElseAndEnd)
{
    EXPECT_EQ(Statements("SELECT CASE WHEN a = 1 THEN 'x' ELSE 'y' END AS k FROM t SELECT 2"),
              (QStringList{"SELECT CASE WHEN a = 1 THEN 'x' ELSE 'y' END AS k FROM t", "SELECT 2"}));
}

TEST(TsqlBridge, DeleteOfAnAliasBecomesARowidSubquery)
{
    EXPECT_EQ(Statements(CrLf({" Delete t1", " From ICBatchNoRule t1,t_ICItem t2", " Where   t1.FItemID=t2.FItemID and",
                               "         t2.FBatchManager = 1", "    and t2.FNumber like '01.%'"})),
              (QStringList{"DELETE FROM ICBatchNoRule WHERE FItemID IN (SELECT t2.FItemID FROM t_ICItem t2 "
                           "WHERE t2.FBatchManager = 1 and t2.FNumber like '01.%')"}));
    EXPECT_EQ(Statements("DELETE t1 FROM ICBatchNoRule t1, t_ICItem AS t2 WHERE t2.FNumber like '01.%' AND "
                         "t2.FItemID = t1.FItemID"),
              (QStringList{"DELETE FROM ICBatchNoRule WHERE FItemID IN (SELECT t2.FItemID FROM t_ICItem AS t2 "
                           "WHERE t2.FNumber like '01.%')"}));
    EXPECT_EQ(Statements("DELETE FROM t1 FROM ICBatchNoRule AS t1 JOIN t_ICItem t2 ON t1.FItemID = t2.FItemID"),
              (QStringList{"DELETE FROM ICBatchNoRule WHERE rowid IN (SELECT t1.rowid FROM ICBatchNoRule AS t1 JOIN "
                           "t_ICItem t2 ON t1.FItemID = t2.FItemID)"}));
}

TEST(TsqlBridge, DeleteOfOtherShapesKeepsTheRowidForm)
{
    const char* const shapes[] = {
        "DELETE t1 FROM ICBatchNoRule t1, t_ICItem t2 WHERE t1.FItemID = t2.FItemID OR t2.FDetail = 1",
        "DELETE t1 FROM ICBatchNoRule t1, t_ICItem t2 WHERE t1.FItemID = t2.FItemID AND t1.FDetail = 1",
        "DELETE t1 FROM ICBatchNoRule t1, t_ICItem t2 WHERE t1.FItemID > t2.FItemID",
        "DELETE t1 FROM ICBatchNoRule t1 WHERE t1.FDetail = 0",
    };
    for (const char* shape : shapes)
        EXPECT_TRUE(Statements(shape).value(0).startsWith("DELETE FROM ICBatchNoRule WHERE rowid IN (SELECT t1.rowid "))
            << shape;
}

TEST(TsqlBridge, DeleteWithoutFromGainsIt)
{
    EXPECT_EQ(Statements("DELETE ICBatchNoRule WHERE FItemID = 3"),
              (QStringList{"DELETE FROM ICBatchNoRule WHERE FItemID = 3"}));
}

TEST(TsqlBridge, SelectIntoATemporaryTableCreatesIt)
{
    const BridgeProgram program = TranslateTsql(CrLf({" Select Distinct FItemID into #tmp From ICBatchNoRule",
                                                      " Select 1 From t Where a not in (Select FItemID From #tmp)",
                                                      " Drop table #tmp"}));
    ASSERT_EQ(program.steps.size(), 3u);
    EXPECT_EQ(program.steps[0].sql.simplified(),
              "CREATE TEMP TABLE \"#tmp\" AS Select Distinct FItemID From ICBatchNoRule");
    EXPECT_EQ(program.steps[1].sql.simplified(), "Select 1 From t Where a not in (Select FItemID From \"#tmp\")");
    EXPECT_EQ(program.steps[2].sql.simplified(), "Drop table \"#tmp\"");
    EXPECT_EQ(program.tempTables, QStringList{"\"#tmp\""});
    EXPECT_TRUE(program.writes);
}

TEST(TsqlBridge, PlainQueriesDoNotWrite)
{
    EXPECT_FALSE(TranslateTsql("SELECT 1 SELECT 2").writes);
    EXPECT_TRUE(TranslateTsql("SELECT 1 UPDATE t SET a = 1").writes);
}

TEST(TsqlBridge, IfNotExistsBlockWithElseBecomesACondition)
{
    const BridgeProgram program = TranslateTsql(
        CrLf({"IF NOT EXISTS(SELECT * FROM t_SystemProfile WHERE FKey LIKE 'BatchItemIsTop')", "BEGIN",
              "  INSERT INTO t_SystemProfile(FKey) VALUES('BatchItemIsTop')", "  INSERT INTO t(a) VALUES(2)", "End",
              "ELSE", "  UPDATE t_SystemProfile SET FValue=1 WHERE FKey LIKE 'BatchItemIsTop'", " Select 3"}));
    ASSERT_EQ(program.steps.size(), 2u);
    const BridgeStep& condition = program.steps[0];
    ASSERT_TRUE(condition.isCondition);
    EXPECT_EQ(condition.sql.simplified(), "SELECT CASE WHEN NOT EXISTS(SELECT * FROM t_SystemProfile WHERE RTRIM(FKey) "
                                          "LIKE 'BatchItemIsTop') THEN 1 ELSE 0 END");
    EXPECT_EQ(condition.whenTrue.size(), 2u);
    ASSERT_EQ(condition.whenFalse.size(), 1u);
    EXPECT_TRUE(condition.whenFalse[0].sql.trimmed().startsWith("UPDATE"));
    EXPECT_EQ(program.steps[1].sql.simplified(), "Select 3");
}

// SQL Server ignores the trailing blanks of a value tested with LIKE; a
// pattern that ends in % ignores them anyway and keeps its index.
TEST(TsqlBridge, LikeWithoutTrailingWildcardComparesTheColumnTrimmed)
{
    auto sql = [](const char* batch) { return TranslateTsql(batch).steps.at(0).sql.simplified(); };
    EXPECT_EQ(sql("SELECT 1 FROM t WHERE FKey LIKE 'BatchItemIsTop'"), "SELECT 1 FROM t WHERE RTRIM(FKey) LIKE 'BatchItemIsTop'");
    EXPECT_EQ(sql("SELECT 1 FROM t u WHERE u.[FKey] not like 'a_'"), "SELECT 1 FROM t u WHERE RTRIM(u.\"FKey\") not like 'a_'");
    EXPECT_EQ(sql("SELECT 1 FROM t WHERE FNumber like '01.%'"), "SELECT 1 FROM t WHERE FNumber like '01.%'");
    EXPECT_EQ(sql("SELECT 1 FROM t WHERE FNumber like '5[%]'"),
              "SELECT 1 FROM t WHERE RTRIM(FNumber) like '5\\%' ESCAPE '\\'");
    EXPECT_EQ(sql("SELECT 1 FROM t WHERE lower(a) LIKE 'x'"), "SELECT 1 FROM t WHERE lower(a) LIKE 'x'");
}

TEST(TsqlBridge, IfWithoutElseAndNestedIf)
{
    const BridgeProgram program =
        TranslateTsql("IF EXISTS(SELECT 1) IF (SELECT 2) > 1 UPDATE t SET a = 1 ELSE UPDATE t SET a = 2 SELECT 9");
    ASSERT_EQ(program.steps.size(), 2u);
    ASSERT_EQ(program.steps[0].whenTrue.size(), 1u);
    const BridgeStep& inner = program.steps[0].whenTrue[0];
    EXPECT_TRUE(inner.isCondition);
    EXPECT_EQ(inner.whenFalse.size(), 1u);   // ELSE belongs to the nearest IF
    EXPECT_TRUE(program.steps[0].whenFalse.empty());
}

TEST(TsqlBridge, LikeBracketEscapesBecomeSqliteEscapes)
{
    EXPECT_EQ(Statements("SELECT 1 FROM t WHERE FNumber like '5[%]A[_]B[[].%'"),
              (QStringList{"SELECT 1 FROM t WHERE FNumber like '5\\%A\\_B[.%' ESCAPE '\\'"}));
    EXPECT_EQ(Statements("SELECT 1 FROM t WHERE FNumber like '01.%'"),
              (QStringList{"SELECT 1 FROM t WHERE FNumber like '01.%'"}));
}

TEST(TsqlBridge, UnicodeLiteralsAndIsNullPassInSqliteForm)
{
    EXPECT_EQ(Statements("SELECT ISNULL(FName, N'无') FROM t"), (QStringList{"SELECT IFNULL(FName, '无') FROM t"}));
}

TEST(TsqlBridge, SemicolonsEndStatements)
{
    EXPECT_EQ(Statements("SELECT 1; SELECT 2;"), (QStringList{"SELECT 1", "SELECT 2"}));
}

TEST(TsqlBridge, EmptyBatchHasNoSteps)
{
    EXPECT_TRUE(TranslateTsql(" \r\n -- nothing\r\n").steps.empty());
}

TEST(TsqlBridge, TopOfAStatementBecomesItsLimit)
{
    EXPECT_EQ(Statements(" SELECT TOP 20 u1.FNumber\r\n From t_ICItem u1\r\n ORDER BY u1.FNumber -- first\r\n"),
              QStringList{"SELECT u1.FNumber From t_ICItem u1 ORDER BY u1.FNumber -- first LIMIT 20"});
    EXPECT_TRUE(TranslateTsql(" SELECT TOP 5 a From t -- first").steps.front().sql.endsWith("-- first\nLIMIT 5"))
        << "the limit is past the comment";
    EXPECT_EQ(Statements("SELECT TOP 3 a INTO #x FROM t"), QStringList{"CREATE TEMP TABLE \"#x\" AS SELECT a FROM t LIMIT 3"});
}

TEST(TsqlBridge, LockHintsGoAndOtherHintsAreRefused)
{
    const BridgeProgram program = TranslateTsql(
        "IF NOT EXISTS (SELECT 1 FROM t WITH (UPDLOCK, HOLDLOCK) WHERE a = 1) INSERT INTO t(a) VALUES(1) "
        "UPDATE t WITH (ROWLOCK) SET a = 2 SELECT a FROM t with(xlock) WHERE a = 2");
    ASSERT_EQ(program.steps.size(), 3u);
    EXPECT_EQ(program.steps[0].sql.simplified(), "SELECT CASE WHEN NOT EXISTS (SELECT 1 FROM t WHERE a = 1) THEN 1 ELSE 0 END");
    EXPECT_EQ(program.steps[1].sql.simplified(), "UPDATE t SET a = 2");
    EXPECT_EQ(program.steps[2].sql.simplified(), "SELECT a FROM t WHERE a = 2");
    EXPECT_TRUE(ErrorOf("SELECT a FROM t WITH (NOLOCK)").contains("NOLOCK"));
    EXPECT_TRUE(ErrorOf("WITH c AS (SELECT 1 AS a) SELECT a FROM c").contains("WITH"));
}

TEST(TsqlBridge, UnknownConstructsAreRefusedByName)
{
    EXPECT_TRUE(ErrorOf("SET NOCOUNT ON SELECT 1").contains("SET"));
    EXPECT_TRUE(ErrorOf("SELECT FItemID FROM (SELECT TOP 1 FItemID FROM t_ICItem) t").contains("TOP"));
    EXPECT_TRUE(ErrorOf("SELECT TOP 10 PERCENT FItemID FROM t_ICItem").contains("TOP … PERCENT"));
    EXPECT_TRUE(ErrorOf("DECLARE @n int").contains("DECLARE"));
    EXPECT_TRUE(ErrorOf("SELECT @n").contains("@n"));
    EXPECT_TRUE(ErrorOf("EXEC sp_who").contains("EXEC"));
    EXPECT_TRUE(ErrorOf("BEGIN TRAN UPDATE t SET a=1 COMMIT").contains("BEGIN TRAN"));
    EXPECT_TRUE(ErrorOf("MERGE INTO t USING u ON 1=1").contains("MERGE"));
    EXPECT_TRUE(ErrorOf("FROG t").contains("FROG"));
    EXPECT_TRUE(ErrorOf("SELECT 1 FROM t WHERE a LIKE '[a-z]%'").contains("[a-z]"));
}

TEST(TsqlBridge, UnbalancedBlocksAreRefused)
{
    EXPECT_TRUE(ErrorOf("BEGIN SELECT 1").contains("BEGIN without END"));
    EXPECT_TRUE(ErrorOf("SELECT 1 END").contains("END without BEGIN"));
    EXPECT_TRUE(ErrorOf("ELSE SELECT 1").contains("ELSE without IF"));
    EXPECT_TRUE(ErrorOf("IF EXISTS(SELECT 1)").contains("end of the batch"));
}

TEST(TsqlBridge, UnterminatedTextsAreRefusedWithTheirLine)
{
    EXPECT_TRUE(ErrorOf("SELECT 1\r\nSELECT 'abc").contains("line 2"));
    EXPECT_TRUE(ErrorOf("SELECT [abc").contains("bracketed name"));
    EXPECT_TRUE(ErrorOf("SELECT 1 /* open").contains("comment"));
}

}
