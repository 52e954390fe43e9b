#include "HostError.h"
#include "TestSupport.h"
#include "ValueBag.h"
#include "ValueList.h"

namespace {

TEST(ValueBag, KeepsKeysInInsertionOrder)
{
    ValueBag bag;
    bag.Set("DataTable", "t_ICItem");
    bag.Set("DataTableAs", "te2");
    bag.Set("DataCol", "FItemID");
    ASSERT_EQ(bag.Count(), 3);
    EXPECT_EQ(bag.KeyAt(1), "DataTable");
    EXPECT_EQ(bag.KeyAt(3), "DataCol");
}

TEST(ValueBag, SettingAnExistingKeyReplacesItsValueInPlace)
{
    ValueBag bag;
    bag.Set("a", 1);
    bag.Set("b", 2);
    bag.Set("a", 3);
    EXPECT_EQ(bag.Count(), 2);
    EXPECT_EQ(bag.KeyAt(1), "a");
    EXPECT_EQ(bag.Get("a"), QVariant(3));
}

TEST(ValueBag, MissingKeyFailsUnlessADefaultIsGiven)
{
    ValueBag bag;
    EXPECT_THROW(bag.Get("Font.Name"), HostError);
    EXPECT_EQ(bag.Get("Font.Name", "宋体"), QVariant("宋体"));
    EXPECT_EQ(bag.Get("Font.Charset", 134), QVariant(134));
}

TEST(ValueBag, KeyPositionOutsideTheBagFails)
{
    ValueBag bag;
    bag.Set("a", 1);
    EXPECT_THROW(bag.KeyAt(0), HostError);
    EXPECT_THROW(bag.KeyAt(2), HostError);
}

TEST(ValueList, CountsAndKeepsBagsItHolds)
{
    ValueList list;
    EXPECT_EQ(list.Count(), 0);
    ValueBag bag;
    bag.Set("BillTableAs", "u1");
    list.Append("t_ICItem");
    list.Append(QVariant::fromValue(bag));
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Item(1), QVariant("t_ICItem"));
    EXPECT_EQ(list.Item(2).value<ValueBag>().Get("BillTableAs"), QVariant("u1"));
    EXPECT_THROW(list.Item(3), HostError);
}

}
