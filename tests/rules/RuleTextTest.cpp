#include "BatchTexts.h"
#include "RuleFixture.h"
#include "RuleText.h"
#include "TestSupport.h"

namespace {

using RuleTexts = RuleFixture;

TEST_F(RuleTexts, FollowTheLevelsNotThePropertyIds)
{
    db.Connection().Execute(BatchTexts::ItemSave(102, {{1, 26, 0, "", "1", 4, "", ""}, {2, 23, 0, "yymm", "", 4, "", ""}}));
    EXPECT_EQ(RuleText::OfMaterial(102), "[流水号]+[日期]");
    db.Connection().Execute(BatchTexts::ItemSave(102, {{1, 25, 0, "00", "", 2, "", ""}}));
    EXPECT_EQ(RuleText::OfMaterial(102), "[行号]");
    EXPECT_EQ(RuleText::OfMaterial(111), "");   // no rule of its own
    EXPECT_EQ(RuleText::OfMaterial(0), "");
    EXPECT_EQ(RuleText::OfStored(7, RuleOwner::Group), "[物料代码]+[日期]+[流水号]");   // the group's own
    EXPECT_EQ(RuleText::Of({99}), "[]");
}

}
