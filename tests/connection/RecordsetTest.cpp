#include "HostError.h"
#include "MaterializedRecordset.h"
#include "TestSupport.h"

#include <QDate>

namespace {

MaterializedRecordset ThreeRules()
{
    return MaterializedRecordset({"FID", "FItemID", "FPropertyID"},
                                 {{1, 311, 23}, {2, 311, 26}, {3, 311, 25}});
}

TEST(Recordset, StartsOnTheFirstRowWithAnExactCount)
{
    auto rows = ThreeRules();
    EXPECT_EQ(rows.RecordCount(), 3);
    EXPECT_FALSE(rows.Eof());
    EXPECT_FALSE(rows.Bof());
    EXPECT_EQ(rows.Field("FID"), QVariant(1));
}

TEST(Recordset, WalksToTheEndAndBackToTheFirstRow)
{
    auto rows = ThreeRules();
    QList<int> seen;
    for (; !rows.Eof(); rows.MoveNext())
        seen.append(rows.Field("FPropertyID").toInt());
    EXPECT_EQ(seen, (QList<int>{23, 26, 25}));
    EXPECT_THROW(rows.MoveNext(), HostError);
    rows.MoveFirst();
    EXPECT_EQ(rows.Field("FPropertyID"), QVariant(23));
}

TEST(Recordset, MovesRelativelyToAnyRow)
{
    auto rows = ThreeRules();
    rows.Move(2);
    EXPECT_EQ(rows.Field("FID"), QVariant(3));
    rows.Move(-1);
    EXPECT_EQ(rows.Field("FID"), QVariant(2));
    rows.Move(5);
    EXPECT_TRUE(rows.Eof());
    rows.MoveFirst();
    rows.Move(-1);
    EXPECT_TRUE(rows.Bof());
    EXPECT_THROW(rows.Field("FID"), HostError);
}

TEST(Recordset, FieldsByNameIgnoreCaseAndByPosition)
{
    auto rows = ThreeRules();
    EXPECT_EQ(rows.FieldCount(), 3);
    EXPECT_EQ(rows.FieldName(1), "FItemID");
    EXPECT_EQ(rows.Field("fitemid"), QVariant(311));
    EXPECT_EQ(rows.Field(2), QVariant(23));
    EXPECT_THROW(rows.Field("FNoSuch"), HostError);
    EXPECT_THROW(rows.Field(3), HostError);
}

TEST(Recordset, EmptySetIsAtBothEnds)
{
    MaterializedRecordset rows({"FKey", "FValue"}, {});
    EXPECT_EQ(rows.RecordCount(), 0);
    EXPECT_TRUE(rows.Eof());
    EXPECT_TRUE(rows.Bof());
    EXPECT_THROW(rows.Field("FKey"), HostError);
    EXPECT_THROW(rows.Move(1), HostError);
}

}

namespace {

TEST(CompactRecordset, EveryValueComesBackWithItsType)
{
    MaterializedRecordset rows({"n", "big", "r", "t", "null", "blob", "int", "other"});
    rows.AppendInteger(7);
    rows.AppendInteger(Q_INT64_C(9000000000));
    rows.AppendReal(1.25);
    rows.AppendText(QString("物料 01.001").toUtf8());
    rows.AppendNull();
    rows.AppendVariant(QByteArray("\0\1", 2));
    rows.AppendVariant(42);
    rows.AppendVariant(QDate(2026, 1, 2));
    const QList<QVariant> expected{qlonglong(7), qlonglong(9000000000), 1.25, QString("物料 01.001"),
                                   QVariant(QMetaType::fromType<QString>()), QByteArray("\0\1", 2), 42,
                                   QDate(2026, 1, 2)};
    ASSERT_EQ(rows.RecordCount(), 1);
    for (int i = 0; i < rows.FieldCount(); ++i) {
        EXPECT_EQ(rows.Field(i).metaType(), expected[i].metaType()) << i;
        EXPECT_EQ(rows.Field(i), expected[i]) << i;
    }
    EXPECT_TRUE(rows.Field("null").isNull());
}

TEST(CompactRecordset, EmptyTextIsNoNull)
{
    MaterializedRecordset rows({"FRule"});
    rows.AppendText(QByteArrayView("", 0));
    EXPECT_FALSE(rows.Field(0).toString().isNull());
    EXPECT_EQ(rows.Field(0), QVariant(QString("")));
}

TEST(CompactRecordset, ManyRowsOfTextsAndNumbersAreEachWhereTheyWere)
{
    MaterializedRecordset rows({"FItemID", "FNumber", "FName"});
    constexpr int kRows = 100000;
    for (int i = 0; i < kRows; ++i) {
        rows.AppendInteger(i);
        rows.AppendText(QString("01.%1").arg(i, 6, 10, QChar('0')).toUtf8());
        rows.AppendText(QString(i % 3 == 0 ? "" : "物料").repeated(i % 200).toUtf8());
    }
    EXPECT_EQ(rows.RecordCount(), kRows);
    for (int i : {0, 1, 199, 77777, kRows - 1}) {
        rows.MoveFirst();
        rows.Move(i);
        EXPECT_EQ(rows.Field("fitemid").toInt(), i);
        EXPECT_EQ(rows.Field(1).toString(), QString("01.%1").arg(i, 6, 10, QChar('0')));
        EXPECT_EQ(rows.Field("FName").toString(), QString(i % 3 == 0 ? "" : "物料").repeated(i % 200));
    }
}

}
