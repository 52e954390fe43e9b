#include "HostError.h"
#include "MaterializedRecordset.h"
#include "TestSupport.h"

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
