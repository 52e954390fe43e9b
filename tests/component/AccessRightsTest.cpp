// The host's access-rights service, through the component's filter request,
// on the queries of the group tree and the material ledger.
#include "BatchTexts.h"
#include "DemoDatabase.h"
#include "GrantDataAccess.h"
#include "MMTS.h"
#include "TempDatabase.h"
#include "TestSupport.h"
#include "ValueList.h"

namespace {

// The mapping the group and material queries hand the filter.
ValueList QueryMappings()
{
    ValueBag mapping;
    mapping.Set("DataTable", "t_ICItem");
    mapping.Set("DataTableAs", "te2");
    mapping.Set("DataCol", "FItemID");
    mapping.Set("BillTableAs", "u1");
    mapping.Set("BillCol", "FItemID");
    ValueList mappings;
    mappings.Append(QVariant::fromValue(mapping));
    return mappings;
}

class AccessRights : public testing::Test {
protected:
    void SetUp() override { db.RegisterAsHost(); }

    // The request the group and material queries make.
    void Filter(qint32 userId, bool firstForm = false)
    {
        ValueList tables;
        tables.Append("t_ICItem");
        from.clear();
        where.clear();
        MMTS::GetDataAccessFilter(MMTS::GetPropsString(), userId, tables, QueryMappings(), from, where, firstForm);
    }

    QStringList Column(const QString& sql, const char* column)
    {
        QStringList values;
        const auto rows = db.Connection().Execute(sql);
        for (; rows && !rows->Eof(); rows->MoveNext())
            values << rows->Field(column).toString();
        return values;
    }

    QStringList Groups() { return Column(BatchTexts::FetchParentItem(from, where), "FNumber"); }
    QStringList Materials(int groupId) { return Column(BatchTexts::FetchItemDetail(groupId, from, where), "FNumber"); }

    TempDatabase db;
    QString from, where;
};

TEST_F(AccessRights, UnrestrictedUserSeesEverything)
{
    Filter(16394);
    EXPECT_EQ(from, "");
    EXPECT_EQ(where, "");
    EXPECT_EQ(Groups().size(), 8);
}

TEST_F(AccessRights, UserWithoutGrantsSeesNothing)
{
    for (qint32 user : {-1, 0, 424242}) {
        Filter(user);
        EXPECT_FALSE(where.isEmpty()) << user;
        EXPECT_TRUE(Groups().isEmpty()) << user;
        EXPECT_TRUE(Materials(7).isEmpty()) << user;
    }
}

TEST_F(AccessRights, RestrictedUserSeesGrantedGroupsAndTheGroupsAboveThem)
{
    Filter(DemoDatabase::RestrictedUserID);
    EXPECT_FALSE(from.isEmpty());
    EXPECT_FALSE(where.isEmpty());
    EXPECT_EQ(Groups(), (QStringList{"01", "01.01", "03", "03.02"}));
}

TEST_F(AccessRights, RestrictedUserSeesOnlyMaterialsOfGrantedGroups)
{
    Filter(DemoDatabase::RestrictedUserID);
    EXPECT_EQ(Materials(7), (QStringList{"03.02.001", "03.02.002", "03.02.003"}));
    EXPECT_EQ(Materials(2), (QStringList{"01.01.001", "01.01.002"}));
    EXPECT_TRUE(Materials(3).isEmpty());   // 01.02 lies beside the grant
    EXPECT_TRUE(Materials(6).isEmpty());
}

TEST_F(AccessRights, FirstFormRestrictsTheSameRows)
{
    Filter(DemoDatabase::RestrictedUserID, true);
    EXPECT_EQ(from, "");
    EXPECT_EQ(Groups(), (QStringList{"01", "01.01", "03", "03.02"}));
    EXPECT_EQ(Materials(7).size(), 3);
}

TEST_F(AccessRights, GrantOfANumberWithWildcardsMatchesOnlyItself)
{
    db.Connection().Execute("INSERT INTO t_Item VALUES (90,4,'9_','通配组',0,0), (91,4,'9A','旁组',0,0) "
                            "INSERT INTO t_ICItem VALUES (901,'9_.001','组内',90,1), (911,'9A.001','旁组物料',91,1) "
                            "INSERT INTO t_UserGroupAccess VALUES (7, '9_')");
    Filter(7);
    EXPECT_EQ(Groups(), QStringList{"9_"});
    EXPECT_EQ(Materials(90), QStringList{"9_.001"});
    EXPECT_TRUE(Materials(91).isEmpty());
}

TEST_F(AccessRights, NoAccessInformationShowsNothing)
{
    GrantDataAccess service;
    const ValueBag fragments = service.GetAccessDataSQL2(QueryMappings(), ValueBag());
    from = fragments.Get("From").toString();
    where = fragments.Get("Where").toString();
    EXPECT_TRUE(Groups().isEmpty());
}

}

namespace {

TEST(AccessFragments, NameTheVisibleIdsOfOneGrant)
{
    GrantDataAccess service;
    ValueBag info;
    info.Set("t_ICItem", QStringList{"03.02"});
    const ValueBag second = service.GetAccessDataSQL2(QueryMappings(), info);
    const QString visible = "select g.FItemID as FVisibleID from t_Item g where g.FItemClassID = 4 and g.FDetail = 0 "
                            "and (g.FNumber in ('03.02','03') or g.FNumber like '03.02.%') "
                            "union select d.FItemID from t_ICItem d where d.FNumber like '03.02.%'";
    EXPECT_EQ(second.Get("From"), QVariant("(" + visible + ") te2"));
    EXPECT_EQ(second.Get("Where"), QVariant("te2.FVisibleID = u1.FItemID"));
    const ValueBag first = service.GetAccessDataSQL(QueryMappings(), info);
    EXPECT_EQ(first.Get("From"), QVariant(""));
    EXPECT_EQ(first.Get("Where"), QVariant("u1.FItemID in (" + visible + ")"));
}

}
