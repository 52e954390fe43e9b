#include "BatchTexts.h"
#include "TestSupport.h"
#include "TsqlBridge.h"
#include "TsqlShape.h"

namespace {

using BatchTexts::Element;

QString Key(const QString& batch)
{
    return TsqlShape(batch).Key();
}

// The lifted literals as written.
QStringList Lifted(const QString& batch)
{
    const TsqlShape shape(batch);
    QStringList literals;
    for (qsizetype n = 1; n <= shape.LiteralCount(); ++n)
        literals << shape.LiteralAt(n).text.toString();
    return literals;
}

const Element kDate{1, 23, 0, "yymmdd", "", 6, "", ""};
const Element kSerial{2, 26, 0, "", "1", 4, "0", "it''s"};

TEST(TsqlShape, BatchesThatDifferOnlyInValuesShareTheirShape)
{
    EXPECT_EQ(Key(BatchTexts::FetchBatchRule(1024, 1)), Key(BatchTexts::FetchBatchRule(311, 0)));
    EXPECT_EQ(Lifted(BatchTexts::FetchBatchRule(1024, 1)), (QStringList{"1024", "1"}));
    EXPECT_EQ(Key(BatchTexts::ItemSave(101, {kDate})), Key(BatchTexts::ItemSave(7, {kSerial})));
    EXPECT_NE(Key(BatchTexts::ItemSave(101, {kDate})), Key(BatchTexts::ItemSave(101, {kDate, kSerial})));
    EXPECT_EQ(Key(BatchTexts::WriteOptions(1, 0, 1, 0, 1)), Key(BatchTexts::WriteOptions(0, 1, 0, 1, 0)));
    EXPECT_EQ(Key(BatchTexts::FetchItemDetail(3)), Key(BatchTexts::FetchItemDetail(4)));
}

TEST(TsqlShape, LiteralsThatShapeTheStatementStayInIt)
{
    // Each pair differs only in a literal that must not become a parameter.
    const char* const pairs[][2] = {
        {"SELECT 1 FROM t WHERE FNumber like '01.%'", "SELECT 1 FROM t WHERE FNumber like '01'"},
        {"SELECT 1 FROM t WHERE a like 'x!%' ESCAPE '!'", "SELECT 1 FROM t WHERE a like 'x!%' ESCAPE '#'"},
        {"SELECT FName FROM t ORDER BY 1", "SELECT FName FROM t ORDER BY 2"},
        {"SELECT count(*) FROM t GROUP BY 1", "SELECT count(*) FROM t GROUP BY 2"},
        {"SELECT 'a' FROM t", "SELECT 'b' FROM t"},
        {"SELECT (SELECT b FROM u WHERE c = 1) FROM t", "SELECT (SELECT b FROM u WHERE c = 2) FROM t"},
        {"SELECT a FROM t AS 'x'", "SELECT a FROM t AS 'y'"},
        {"CREATE TABLE #t (a int DEFAULT 0)", "CREATE TABLE #t (a int DEFAULT 1)"},
        {"UPDATE t SET a = 1.5", "UPDATE t SET a = 2.5"},
        {"UPDATE t SET a = 1e5", "UPDATE t SET a = 2e5"},
        {"UPDATE t SET a = X'0A'", "UPDATE t SET a = X'0B'"},
        {"UPDATE t SET a = 99999999999999999999", "UPDATE t SET a = 99999999999999999998"},
    };
    for (const auto& pair : pairs)
        EXPECT_NE(Key(pair[0]), Key(pair[1])) << pair[0];
}

TEST(TsqlShape, ValuesInConditionsSubqueriesAndUnicodeTextsAreLifted)
{
    EXPECT_EQ(Lifted("IF NOT EXISTS(SELECT * FROM t WHERE FCategory='IC' AND FKey LIKE 'Top') UPDATE t SET FValue=1"),
              (QStringList{"'IC'", "1"}));
    EXPECT_EQ(Lifted("SELECT a FROM t WHERE b IN (SELECT c FROM u WHERE d = 5) AND e = N'无'"),
              (QStringList{"5", "'无'"}));
    EXPECT_EQ(Key("UPDATE t SET a = N'x' WHERE b LIKE N'y'"), Key("UPDATE t SET a = N'z' WHERE b LIKE N'y'"));
    EXPECT_NE(Key("UPDATE t SET a = N'x' WHERE b LIKE N'y'"), Key("UPDATE t SET a = N'x' WHERE b LIKE N'w'"));
    // A statement after an ORDER BY or a CREATE lifts its literals again.
    EXPECT_EQ(Lifted("SELECT a FROM t ORDER BY 1 SELECT b FROM u WHERE c = 2"), (QStringList{"2"}));
    EXPECT_EQ(Lifted("CREATE TABLE #v (a DEFAULT 0) INSERT INTO #v(a) VALUES(3)"), (QStringList{"3"}));
}

TEST(TsqlShape, TextsAndNumbersAreShapesOfTheirOwn)
{
    EXPECT_NE(Key("UPDATE t SET a = '5'"), Key("UPDATE t SET a = 5"));
    const TsqlShape shape("UPDATE t SET a = 'it''s', b = ''");
    ASSERT_EQ(shape.LiteralCount(), 2);
    EXPECT_TRUE(shape.LiteralAt(1).isText);
    EXPECT_EQ(TsqlShape::TextOf(shape.LiteralAt(1)), "it's");
    EXPECT_EQ(TsqlShape::TextOf(shape.LiteralAt(2)), "");
    EXPECT_EQ(Key("SELECT 1 -- nothing to lift\r\n"), "SELECT 1 -- nothing to lift\r\n");
}

TEST(TranslatedShape, EachStepNumbersItsOwnParameters)
{
    const TsqlShape shape(BatchTexts::ItemSave(1024, {kDate}));
    const auto program = TranslateShape(shape);
    ASSERT_EQ(program->steps.size(), 2u);
    EXPECT_EQ(program->steps[0].sql.simplified(), "Delete from ICBatchNoRule Where FItemID=?1");
    EXPECT_EQ(program->steps[0].literals, std::vector<int>{1});
    EXPECT_EQ(program->steps[1].sql.simplified(),
              "Insert into ICBatchNoRule(FID,FItemID,FPropertyID,FUseShortNumber,FFormatDate,FSelDefine,FWidth,"
              "FCharacter,FSubCharacter) Values(?1,?2,?3,?4,?5,?6,?7,?8,?9)");
    EXPECT_EQ(program->steps[1].literals, (std::vector<int>{2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(program->stepCount, 2);
    EXPECT_EQ(program->steps[1].index, 1);
}

TEST(TranslatedShape, ConditionsAndSemiJoinDeletesTakeParameters)
{
    const auto options = TranslateShape(TsqlShape(BatchTexts::WriteOptions(1, 0, 1, 0, 1)));
    const BridgeStep& condition = options->steps.at(4);
    ASSERT_TRUE(condition.isCondition);
    EXPECT_EQ(condition.sql.simplified(), "SELECT CASE WHEN NOT EXISTS(SELECT * FROM t_SystemProfile WHERE "
                                          "FCategory=?1 AND RTRIM(FKey) LIKE 'BatchItemIsTop') THEN 1 ELSE 0 END");
    EXPECT_EQ(condition.whenFalse.at(0).sql.simplified(),
              "UPDATE t_SystemProfile SET FValue=?1 WHERE FCategory=?2 AND RTRIM(FKey) LIKE 'BatchItemIsTop'");
    EXPECT_EQ(options->stepCount, 7);

    const auto spread = TranslateShape(TsqlShape(BatchTexts::GroupSpread("01", false, {kDate})));
    EXPECT_EQ(spread->steps.at(0).sql, "DELETE FROM ICBatchNoRule WHERE FItemID IN (SELECT t2.FItemID FROM t_ICItem t2 "
                                       "WHERE t2.FBatchManager = ?1 and t2.FNumber like '01.%')");
}

TEST(TranslatedShape, IsKeptForEveryBatchOfTheShape)
{
    const auto first = TranslateShape(TsqlShape(BatchTexts::FetchBatchRule(1, 1)));
    EXPECT_EQ(TranslateShape(TsqlShape(BatchTexts::FetchBatchRule(2, 0))).get(), first.get());
    EXPECT_NE(TranslateShape(TsqlShape(BatchTexts::FetchItemDetail(2))).get(), first.get());
}

TEST(TranslatedShape, InsertSelectTellsItsTableAndWhichColumnsItCopies)
{
    const auto spread = TranslateShape(TsqlShape(BatchTexts::GroupSpread("", true, {kDate})));
    const BridgeInsert& insert = spread->steps.at(1).insert;
    EXPECT_EQ(insert.table, "ICBatchNoRule");
    EXPECT_EQ(insert.columns, (QStringList{"FID", "FItemID", "FPropertyID", "FUseShortNumber", "FFormatDate",
                                           "FSelDefine", "FWidth", "FCharacter", "FSubCharacter"}));
    EXPECT_EQ(insert.copied, (std::vector<bool>{false, true, false, false, false, false, false, false, false}));
    EXPECT_EQ(TranslateTsql("INSERT INTO [#t](a) SELECT t.b FROM t").steps.at(0).insert.table, "#t");
    for (const char* other : {"INSERT INTO t(a) VALUES(1)", "INSERT INTO t(a) SELECT b FROM u ORDER BY b",
                              "INSERT INTO t(a) SELECT b FROM u UNION SELECT c FROM v", "INSERT INTO t SELECT b FROM u"})
        EXPECT_TRUE(TranslateTsql(other).steps.at(0).insert.table.isEmpty()) << other;
}

}
