#include "BatchTexts.h"
#include "DataAccess.h"
#include "DemoDatabase.h"
#include "HostErrors.h"
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
    EXPECT_EQ(RWDatabase::BatchRuleSql(1024, RuleOwner::Material),
              " SELECT FID,FItemID,FPropertyID,FUseShortNumber,FFormatDate,FSelDefine,FWidth,FCharacter,FSubCharacter\r\n"
              " From ICBatchNoRule\r\n Where FItemID=1024 and \r\n       FDetail=1\r\n ORDER BY FItemID,FID\r\n");
    EXPECT_TRUE(RWDatabase::BatchRuleSql(-5, RuleOwner::Group).contains(" Where FItemID=-5 and \r\n"));
}

class RuleQueries : public RuleFixture {
protected:
    RWDatabase database;
};

int StoredRuleRows(RWDatabase& database, RuleOwner owner)
{
    int rows = 0;
    EXPECT_TRUE(database.ReadStoredRules(owner, [&](const RowReader&) { ++rows; }));
    return rows;
}

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
    const auto rule = database.FetchBatchRule(311, RuleOwner::Group);
    ASSERT_TRUE(rule);
    EXPECT_EQ(rule->RecordCount(), 0);
    EXPECT_EQ(database.FetchBatchRule(311, RuleOwner::Material)->RecordCount(), 2);
}

TEST_F(RuleQueries, FailureIsShownOnceWithItsLabelAndGivesNothing)
{
    connection->failWith = "[DBNETLIB]一般性网络错误";
    EXPECT_EQ(database.FetchBatchRule(311, RuleOwner::Material), nullptr);
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
    EXPECT_EQ(database.FetchBatchRule(311, RuleOwner::Material), nullptr);
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_TRUE(Messages().first().startsWith("FetchBatchRule::\r\n"));
}

class BrokenAccess : public DataAccess {
public:
    bool IsUsed(const QString&, qint32) override
    {
        throw HostError(HostErrors::AutomationError, "权限服务不可用", "Tessbase.DataAccess");
    }
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

namespace {

TEST(RuleQueryTexts, StoredRulesJoinTheirOwnersInTheOrderOfTheOwnerIndex)
{
    EXPECT_EQ(RWDatabase::StoredRulesSql(RuleOwner::Material, "F", "W"),
              CrLf({" SELECT u1.FNumber,u1.FName,r.FID,r.FItemID,r.FPropertyID,r.FUseShortNumber,r.FFormatDate,"
                    "r.FSelDefine,r.FWidth,r.FCharacter,r.FSubCharacter",
                    " From ICBatchNoRule r,t_ICItem u1,F",
                    " Where r.FDetail=1 And r.FItemID=u1.FItemID And u1.FBatchManager = 1 and W",
                    " ORDER BY r.FItemID"}));
    EXPECT_EQ(RWDatabase::StoredRulesSql(RuleOwner::Group, "", "").section("\r\n", 1, 2),
              " From ICBatchNoRule r,t_Item u1\r\n"
              " Where r.FDetail=0 And r.FItemID=u1.FItemID And u1.FItemClassID = 4 And u1.FDetail = 0");
}

TEST(RuleQueryTexts, SpreadCountsAndSampleReadTheSpreadsMaterials)
{
    EXPECT_EQ(RWDatabase::CountSpreadSql("03.02", {}, "F", "W"),
              CrLf({" SELECT COUNT(*) AS FMaterials,",
                    " SUM(CASE WHEN Exists (SELECT 1 FROM ICBatchNoRule r WHERE r.FItemID=u1.FItemID) THEN 1 ELSE 0 END)"
                    " AS FOwnRules",
                    " From t_ICItem u1,F", " Where u1.FBatchManager = 1 And u1.FNumber like '03.02.%' and W"}));
    EXPECT_EQ(RWDatabase::CountSpreadSql("", {}, "", "").section("\r\n", 3, 3), " Where u1.FBatchManager = 1");
    EXPECT_EQ(RWDatabase::CountSpreadSql("", {"03", "0'1_"}, "", "").section("\r\n", 3, 3),
              " Where u1.FBatchManager = 1 And Not (u1.FNumber like '03.%' Or u1.FNumber like '0''1[_].%')")
        << "an import's inner groups keep their materials";
    EXPECT_EQ(RWDatabase::SpreadSampleSql("5%'", true, 20, "", ""),
              CrLf({" SELECT TOP 20 u1.FItemID,u1.FNumber,u1.FName", " From t_ICItem u1",
                    " Where u1.FBatchManager = 1 And u1.FNumber like '5[%]''.%'"
                    " And Not Exists (SELECT 1 FROM ICBatchNoRule r WHERE r.FItemID=u1.FItemID)",
                    " ORDER BY u1.FNumber"}));
    EXPECT_EQ(RWDatabase::BatchManagedItemsSql("F", "W"),
              CrLf({" SELECT u1.FItemID,u1.FNumber,u1.FName,u1.FParentID", " From t_ICItem u1,F",
                    " Where u1.FBatchManager = 1 and W", " ORDER BY u1.FNumber"}));
}

TEST(RuleQueryTexts, FindReadsTheNumbersAndNamesThatHoldTheTextAnywhere)
{
    EXPECT_EQ(RWDatabase::FindGroupsSql("5%'", 200, "F", "W"),
              CrLf({" SELECT TOP 200 u1.FItemID,u1.FNumber,u1.FName,u1.FParentID", " From t_Item u1,F",
                    " Where u1.FItemClassID = 4 And u1.FDetail = 0 And (u1.FNumber like '%5[%]''%'"
                    " Or u1.FName like '%5[%]''%') and W"}));
    EXPECT_EQ(RWDatabase::FindMaterialsSql("饮_", 3, "", ""),
              CrLf({" SELECT TOP 3 u1.FItemID,u1.FNumber,u1.FName,u1.FParentID", " From t_ICItem u1",
                    " Where u1.FBatchManager = 1 And (u1.FNumber like N'%饮[_]%' Or u1.FName like N'%饮[_]%')"}));
}

TEST(RuleQueryTexts, TheSummaryOfARestrictedUserKeepsToTheScope)
{
    const QStringList open = RWDatabase::SummarySql({});
    EXPECT_EQ(open, (QStringList{
                        "SELECT FItemID,FNumber,FName,FParentID FROM t_Item WHERE FItemClassID = 4 AND FDetail = 0 ORDER BY FNumber",
                        "SELECT FItemID,FNumber,FName,FParentID,FBatchManager FROM t_ICItem ORDER BY FNumber",
                        "SELECT FItemID,FDetail,FID,FPropertyID,FUseShortNumber,FFormatDate,FSelDefine,FWidth,FCharacter,"
                        "FSubCharacter FROM ICBatchNoRule ORDER BY FDetail,FItemID,FID",
                        "SELECT FKey,FValue FROM t_SystemProfile WHERE FCategory = 'IC' ORDER BY FKey"}));
    const QStringList restricted = RWDatabase::SummarySql({"F", "W"});
    EXPECT_EQ(restricted.value(0), "SELECT u1.FItemID,u1.FNumber,u1.FName,u1.FParentID FROM t_Item u1,F"
                                   " WHERE u1.FItemClassID = 4 AND u1.FDetail = 0 and W ORDER BY u1.FNumber");
    EXPECT_EQ(restricted.value(1), "SELECT u1.FItemID,u1.FNumber,u1.FName,u1.FParentID,u1.FBatchManager FROM t_ICItem u1,F"
                                   " WHERE 1 = 1 and W ORDER BY u1.FNumber");
    EXPECT_EQ(restricted.value(2), "SELECT FItemID,FDetail,FID,FPropertyID,FUseShortNumber,FFormatDate,FSelDefine,FWidth,"
                                   "FCharacter,FSubCharacter FROM ICBatchNoRule"
                                   " WHERE FDetail = 1 AND FItemID IN (SELECT u1.FItemID FROM t_ICItem u1,F WHERE 1 = 1 and W)"
                                   " OR FDetail = 0 AND FItemID IN (SELECT u1.FItemID FROM t_Item u1,F"
                                   " WHERE u1.FItemClassID = 4 AND u1.FDetail = 0 and W) ORDER BY FDetail,FItemID,FID");
    EXPECT_EQ(restricted.value(3), open.value(3));
}

TEST_F(RuleQueries, StoredRulesAreEveryOwnersElementsWithItsNumber)
{
    QStringList owners;
    ASSERT_TRUE(database.ReadStoredRules(RuleOwner::Material, [&](const RowReader& row) {
        owners << row.Text(0) + ":" + QString::number(row.Integer(2));
    }));
    EXPECT_EQ(connection->batches, QStringList{RWDatabase::StoredRulesSql(RuleOwner::Material, "", "")});
    EXPECT_EQ(owners.join(" "), "01.01.001:1 01.01.001:2 01.01.001:3 01.01.001:4 03.01.001:1 03.01.001:2 03.02.001:1 "
                                "03.02.001:2 03.02.002:1 03.02.002:2 03.02.002:3 03.02.003:1 03.02.003:2 03.02.003:3");
    QStringList groups;
    ASSERT_TRUE(database.ReadStoredRules(RuleOwner::Group, [&](const RowReader& row) { groups << row.Text(1); }));
    EXPECT_EQ(groups.size(), 3);
    EXPECT_EQ(groups.value(0), "食品饮料");
}

// Groups and batch-managed materials, the text matched anywhere,
// letters in either case, wildcards standing for themselves.
TEST_F(RuleQueries, FindAnswersWhatHoldsTheText)
{
    const auto numbers = [](std::unique_ptr<Recordset> rows) {
        QStringList found;
        for (rows->MoveFirst(); !rows->Eof(); rows->MoveNext())
            found << rows->Field("FNumber").toString();
        found.sort();
        return found.join(' ');
    };
    const struct {
        const char* text;
        const char* groups;
        const char* materials;
    } cases[] = {
        {"饮料", "03.02", "03.02.002 03.02.003"},
        {"500ML", "", "03.02.002 03.02.003"},
        {"01.0", "01.01 01.02", "01.01.001 01.01.002 01.02.001 01.02.002 03.01.001 03.01.002"},
        {"%", "", "01.02.002"},
        {"_", "", ""},
        {"[", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(numbers(database.FindGroups(c.text, 200)), c.groups) << c.text;
        EXPECT_EQ(numbers(database.FindMaterials(c.text, 200)), c.materials) << c.text;
    }
    EXPECT_EQ(database.FindMaterials("0", 2)->RecordCount(), 2) << "no more than asked for";
    EXPECT_EQ(connection->batches.value(0), RWDatabase::FindGroupsSql("饮料", 200, "", ""));
}

TEST_F(RuleQueries, RulesOfMaterialsThatAreNotBatchManagedAreNotStoredRules)
{
    db.Connection().Execute("UPDATE t_ICItem SET FBatchManager = 0 WHERE FItemID = 101");
    EXPECT_EQ(StoredRuleRows(database, RuleOwner::Material), 10);
}

TEST_F(RuleQueries, SpreadCountsTheGroupsMaterialsAndThoseWithRules)
{
    const auto food = database.CountSpread("03");
    ASSERT_TRUE(food);
    EXPECT_EQ(food->Field("FMaterials").toInt(), 5);
    EXPECT_EQ(food->Field("FOwnRules").toInt(), 4);
    EXPECT_EQ(database.CountSpread("")->Field("FMaterials").toInt(), 11);
    const auto none = database.CountSpread("99");
    EXPECT_EQ(none->Field("FMaterials").toInt(), 0);
    EXPECT_EQ(none->Field("FOwnRules").toInt(), 0) << "no materials: NULL, read as 0";
    EXPECT_EQ(database.CountSpread("01")->Field("FMaterials").toInt(), 4) << "010.001 lies outside 01";
}

TEST_F(RuleQueries, SpreadSampleIsTheFirstReceivingMaterialsByNumber)
{
    auto numbers = [](std::unique_ptr<Recordset> rows) {
        QStringList list;
        for (; rows && !rows->Eof(); rows->MoveNext())
            list << rows->Field("FNumber").toString();
        return list.join(" ");
    };
    EXPECT_EQ(numbers(database.FetchSpreadSample("03", false, 20)), "03.01.001 03.01.002 03.02.001 03.02.002 03.02.003");
    EXPECT_EQ(numbers(database.FetchSpreadSample("03", true, 20)), "03.01.002") << "the rest have rules of their own";
    EXPECT_EQ(numbers(database.FetchSpreadSample("", false, 2)), "01.01.001 01.01.002");
}

TEST_F(RuleQueries, BatchManagedItemsAreAllTheUserMayGiveARule)
{
    const auto items = database.FetchBatchManagedItems();
    ASSERT_TRUE(items);
    EXPECT_EQ(items->RecordCount(), 11);
    EXPECT_EQ(items->Field("FNumber"), QVariant("01.01.001"));
    EXPECT_EQ(items->Field("FParentID"), QVariant(2));
}

TEST_F(RestrictedRuleQueries, NewQueriesReachOnlyTheUsersMaterials)
{
    EXPECT_EQ(database.FetchBatchManagedItems()->RecordCount(), 5) << "01.01 and 03.02";
    EXPECT_EQ(database.CountSpread("")->Field("FMaterials").toInt(), 5);
    EXPECT_EQ(database.CountSpread("01")->Field("FMaterials").toInt(), 2);
    EXPECT_EQ(StoredRuleRows(database, RuleOwner::Material), 4 + 2 + 3 + 3);
    EXPECT_EQ(database.FetchSpreadSample("", false, 20)->RecordCount(), 5);
    EXPECT_TRUE(connection->batches.last().contains("te2.FVisibleID = u1.FItemID"));
}

TEST_F(RuleQueries, NewQueriesShowTheirFailureOnceAndGiveNothing)
{
    connection->failWith = "[DBNETLIB]一般性网络错误";
    EXPECT_FALSE(database.ReadStoredRules(RuleOwner::Material, [](const RowReader&) { ADD_FAILURE(); }));
    EXPECT_EQ(database.CountSpread(""), nullptr);
    EXPECT_EQ(database.FetchSpreadSample("", false, 20), nullptr);
    EXPECT_EQ(database.FetchBatchManagedItems(), nullptr);
    EXPECT_EQ(Messages(), (QStringList{"FetchStoredRules::\r\n[DBNETLIB]一般性网络错误", "CountSpread::\r\n[DBNETLIB]一般性网络错误",
                                       "FetchSpreadSample::\r\n[DBNETLIB]一般性网络错误",
                                       "FetchBatchManagedItems::\r\n[DBNETLIB]一般性网络错误"}));
}

}
