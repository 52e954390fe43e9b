#include "EditorTarget.h"
#include "GroupTree.h"
#include "RWDatabase.h"
#include "RuleFixture.h"
#include "TestSupport.h"

namespace {

using GroupTree::Node;

class Tree : public RuleFixture {
protected:
    GroupTree::Load Loaded()
    {
        std::shared_ptr<Recordset> groups = RWDatabase().FetchParentItem();
        EXPECT_TRUE(groups);
        return GroupTree::FromGroups(groups);
    }
    static QStringList Lines(const GroupTree::Load& tree)
    {
        QStringList lines;
        for (const Node& node : tree.nodes)
            lines << (node.parentId < 0 ? "" : GroupTree::KeyOf(node.parentId)) + ">" + GroupTree::KeyOf(node.id) + " "
                         + tree.TextOf(node);
        return lines;
    }
};

TEST_F(Tree, RootFirstThenEveryGroupUnderItsParentInNumberOrder)
{
    const GroupTree::Load tree = Loaded();
    EXPECT_FALSE(tree.failure);
    EXPECT_EQ(Lines(tree), (QStringList{">K0 物料", "K0>K1 01(原材料)", "K1>K2 01.01(钢材)", "K1>K3 01.02(化工原料)",
                                              "K0>K8 010(包装物)", "K0>K4 02(半成品)", "K0>K5 03(产成品)",
                                              "K5>K6 03.01(电子产品)", "K5>K7 03.02(食品饮料)"}));
}

TEST_F(Tree, GroupBeforeItsParentEndsTheTreeThere)
{
    // Numbered before its parent 03, the group comes first and finds no node to hang under.
    db.Connection().Execute("UPDATE t_Item SET FNumber = '00' WHERE FItemID = 6");
    const GroupTree::Load tree = Loaded();
    ASSERT_TRUE(tree.failure);
    EXPECT_EQ(tree.failure->Description(), "Element not found: K5");
    EXPECT_EQ(Lines(tree), QStringList{">K0 物料"});
}

TEST_F(Tree, RootSpeaksTheSessionsLanguage)
{
    ResetModuleState();
    db.RegisterAsHost("UserID=16394;LANGUAGE=en");
    CurrentModuleState().hostConnection = connection;
    MMTS::ParsePropsString(MMTS::GetPropsString());
    const GroupTree::Load tree = Loaded();
    EXPECT_EQ(tree.TextOf(tree.nodes.first()), "Material");
}

TEST(NodeIds, KeysAndIdsRoundTrip)
{
    EXPECT_EQ(GroupTree::NodeId("K0"), 0);
    EXPECT_EQ(GroupTree::NodeId("K1234"), 1234);
    EXPECT_EQ(GroupTree::KeyOf(7), "K7");
}

TEST(EditorTargets, GroupFromTheNodeAndMaterialFromTheRow)
{
    EditorTarget root = EditorTarget::OfGroup(GroupTree::NodeId("K0"), "物料");
    EXPECT_EQ(root.ParentItemID, 0);
    EXPECT_EQ(root.ParentItemNumberName, "物料");
    EXPECT_EQ(root.ItemID, 0);
    EXPECT_EQ(root.ItemNumberName, "");
    EditorTarget material = EditorTarget::OfGroup(GroupTree::NodeId("K7"), "03.02(食品饮料)");
    material.TakeMaterial("312", "03.02.002", "绿茶饮料 500ml");
    EXPECT_EQ(material.ParentItemID, 7);
    EXPECT_EQ(material.ItemID, 312);
    EXPECT_EQ(material.ItemNumberName, "03.02.002(绿茶饮料 500ml)");
}

}
