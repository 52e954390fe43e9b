#include "BatchTexts.h"
#include "DataAccess.h"
#include "DemoDatabase.h"
#include "RWDatabase.h"
#include "RuleFixture.h"
#include "TestSupport.h"

namespace {

TEST(RuleQueryTexts, GroupQueryWithoutFragmentsIsFourLines)
{
    EXPECT_EQ(RWDatabase::ParentItemSql("", ""),
              " SELECT u1.FItemID,u1.FName,u1.FNumber,u1.FParentID,u1.FDetail\r\n From t_Item u1 \r\n"
              " Where u1.FItemClassID = 4 And FDetail = 0\r\n ORDER BY u1.FNumber\r\n");
}

TEST(RuleQueryTexts, FragmentsFollowACommaAndAnAnd)
{
    EXPECT_EQ(RWDatabase::ParentItemSql("F", "W"),
              " SELECT u1.FItemID,u1.FName,u1.FNumber,u1.FParentID,u1.FDetail\r\n From t_Item u1 ,F\r\n"
              " Where u1.FItemClassID = 4 And FDetail = 0 and W\r\n ORDER BY u1.FNumber\r\n");
    EXPECT_EQ(RWDatabase::ItemDetailSql(7, "F", "W"), BatchTexts::FetchItemDetail(7, "F", "W"));
    EXPECT_EQ(RWDatabase::ItemDetailSql(7, "", ""),
              " SELECT u1.FItemID,u1.FNumber,u1.FName,'' as FRule\r\n From t_ICItem u1\r\n"
              " Where u1.FBatchManager = 1 And u1.FParentID=7\r\n ORDER BY u1.FNumber\r\n");
}

TEST(RuleQueryTexts, RuleQueryIsFiveLines)
{
    EXPECT_EQ(RWDatabase::BatchRuleSql(1024, 1),
              " SELECT FID,FItemID,FPropertyID,FUseShortNumber,FFormatDate,FSelDefine,FWidth,FCharacter,FSubCharacter\r\n"
              " From ICBatchNoRule\r\n Where FItemID=1024 and \r\n       FDetail=1\r\n ORDER BY FItemID,FID\r\n");
    EXPECT_TRUE(RWDatabase::BatchRuleSql(-5, 0).contains(" Where FItemID=-5 and \r\n"));
}

class RuleQueries : public RuleFixture {
protected:
    RWDatabase database;
};

TEST_F(RuleQueries, UnrestrictedGroupQuerySendsThePlainText)
{
    const auto groups = database.FetchParentItem();
    ASSERT_TRUE(groups);
    EXPECT_EQ(connection->batches, QStringList{BatchTexts::FetchParentItem()});
    EXPECT_EQ(groups->RecordCount(), 8);
    EXPECT_EQ(groups->FieldName(1), "FName");
}

TEST_F(RuleQueries, MaterialQueryListsTheGroupsBatchManagedMaterials)
{
    const auto materials = database.FetchItemDetail(2);
    ASSERT_TRUE(materials);
    EXPECT_EQ(connection->batches, QStringList{BatchTexts::FetchItemDetail(2)});
    EXPECT_EQ(materials->RecordCount(), 2);   // 01.01.003 is not batch-managed
    EXPECT_EQ(materials->Field("FRule"), QVariant(""));
}

TEST_F(RuleQueries, GroupWithoutBatchManagedMaterialsGivesAnEmptySet)
{
    const auto materials = database.FetchItemDetail(1);
    ASSERT_TRUE(materials);
    EXPECT_TRUE(materials->Eof());
    EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(RuleQueries, RuleOfAnOwnerWithoutRowsIsEmpty)
{
    const qint32 detail = 0;
    const auto rule = database.FetchBatchRule(311, detail);
    ASSERT_TRUE(rule);
    EXPECT_EQ(rule->RecordCount(), 0);
    EXPECT_EQ(database.FetchBatchRule(311, 1)->RecordCount(), 2);
}

TEST_F(RuleQueries, FailureIsShownOnceWithItsLabelAndGivesNothing)
{
    connection->failWith = "[DBNETLIB]一般性网络错误";
    EXPECT_EQ(database.FetchBatchRule(311, 1), nullptr);
    EXPECT_EQ(database.FetchParentItem(), nullptr);
    EXPECT_EQ(database.FetchItemDetail(7), nullptr);
    EXPECT_EQ(Messages(), (QStringList{"FetchBatchRule::\r\n[DBNETLIB]一般性网络错误",
                                       "FetchParentItem::\r\n[DBNETLIB]一般性网络错误",
                                       "FetchItemDetail::\r\n[DBNETLIB]一般性网络错误"}));
    EXPECT_EQ(RecordingMessageBox::shown.first().icon, MessageBox::Icon::Information);
}

TEST_F(RuleQueries, MissingConnectionIsShownAsAFailure)
{
    CurrentModuleState().hostConnection.reset();
    EXPECT_EQ(database.FetchBatchRule(311, 1), nullptr);
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_TRUE(Messages().first().startsWith("FetchBatchRule::\r\n"));
}

class BrokenAccess : public DataAccess {
public:
    bool IsUsed(const QString&, qint32) override { throw HostError(440, "权限服务不可用", "Tessbase.DataAccess"); }
    ValueBag GetRowAccessInfo(const QString&, qint32, const ValueList&) override { return {}; }
    ValueBag GetAccessDataSQL(const ValueList&, const ValueBag&) override { return {}; }
    ValueBag GetAccessDataSQL2(const ValueList&, const ValueBag&) override { return {}; }
};

TEST_F(RuleQueries, AccessFilterErrorsReachTheCallerUnshown)
{
    ComponentRegistry::Instance().Register(ComponentNames::DataAccess, [] { return std::make_shared<BrokenAccess>(); });
    EXPECT_THROW(database.FetchParentItem(), HostError);
    EXPECT_THROW(database.FetchItemDetail(7), HostError);
    EXPECT_TRUE(Messages().isEmpty());
    EXPECT_TRUE(connection->batches.isEmpty());
}

TEST_F(RuleQueries, UserIdThatIsNoNumberReachesTheCaller)
{
    MMTS::ParsePropsString("UserID=admin");
    EXPECT_THROW(database.FetchParentItem(), HostError);
}

class RestrictedRuleQueries : public RuleFixture {
protected:
    RestrictedRuleQueries() : RuleFixture(QStringLiteral("UserID=%1;LANGUAGE=chs").arg(DemoDatabase::RestrictedUserID)) {}
    RWDatabase database;
};

TEST_F(RestrictedRuleQueries, QueriesCarryTheUsersFragments)
{
    const auto groups = database.FetchParentItem();
    ASSERT_TRUE(groups);
    EXPECT_EQ(groups->RecordCount(), 4);
    EXPECT_TRUE(connection->batches.first().contains(" From t_Item u1 ,("));
    EXPECT_TRUE(connection->batches.first().contains(" Where u1.FItemClassID = 4 And FDetail = 0 and te2.FVisibleID = u1.FItemID"));
    EXPECT_EQ(database.FetchItemDetail(3)->RecordCount(), 0);
    EXPECT_EQ(database.FetchItemDetail(7)->RecordCount(), 3);
}

}
