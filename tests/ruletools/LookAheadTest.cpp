// What the editor tells before OK: the sample batch number of the rule in
// the grid, and what a group spread would change, counted apart.
#include "BatchNumberComposer.h"
#include "BatchPreview.h"
#include "DemoDatabase.h"
#include "GridTyping.h"
#include "RuleFixture.h"
#include "SpreadDryRun.h"
#include "SpreadGridModel.h"
#include "TestSupport.h"

#include <thread>

namespace {

class Preview : public RuleFixture {
protected:
    SpreadGridModel grid;
};

TEST_F(Preview, GridElementsAreTheRowsWithAPropertyInPlainText)
{
    SpreadConsole::RebuildRuleRows(grid, "4");
    Row(grid, 1, 4, "短代码", "6", "0");
    Row(grid, 3, 24, "L'T");
    Row(grid, 4, 26, "1", "4");
    const QList<BatRuleStruct> elements = BatchPreview::GridElements(grid, 4);
    ASSERT_EQ(elements.size(), 3) << "row 2 has no property yet";
    EXPECT_EQ(elements[0].FUseShortNumber, 1);
    EXPECT_EQ(elements[0].FCharacter, "0");
    EXPECT_EQ(elements[1].FID, 3);
    EXPECT_EQ(elements[1].FSelDefine, "L'T");
    EXPECT_EQ(elements[2].FWidth, 4);
    EXPECT_EQ(BatchPreview::GridElements(grid, 1).size(), 1) << "levels beyond the count do not count";
}

TEST_F(Preview, AHalfFilledRowShowsWhatItHas)
{
    SpreadConsole::RebuildRuleRows(grid, "2");
    Row(grid, 1, 4);   // a base-data code with neither format nor length yet
    Row(grid, 2, 23, "yymmdd");
    const BatchDocument document{QDate(2026, 12, 7), 1, {{4, "03.02.001"}}};
    EXPECT_EQ(BatchNumberComposer::Compose(BatchPreview::GridElements(grid, 2), document), "03.02.001261207");
}

TEST_F(Preview, TheMaterialsNumberIsReadQuietly)
{
    EXPECT_EQ(BatchPreview::MaterialNumber(101), "01.01.001");
    EXPECT_EQ(BatchPreview::MaterialNumber(999), "");
    EXPECT_EQ(BatchPreview::MaterialNumber(0), "");
    connection->failWith = "lost";
    EXPECT_EQ(BatchPreview::MaterialNumber(101), "");
    EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(Preview, TheToolTipIsTheWholeNumberThenTheFindings)
{
    EXPECT_EQ(BatchPreview::LineText("2612070001"), "示例批号：2612070001");
    EXPECT_EQ(BatchPreview::ToolTip("X", {{RuleLint::Severity::Warning, "甲"}, {RuleLint::Severity::Note, "乙"}}),
              "示例批号：X\n警告：甲\n提示：乙");
    EXPECT_EQ(BatchPreview::ToolTip("X", {{RuleLint::Severity::Note, "乙"}, {RuleLint::Severity::Error, "丙"}}),
              "示例批号（有误）：X\n提示：乙\n错误：丙")
        << "an error shows in the line itself";
}

class DryRun : public RuleFixture {
protected:
    using RuleFixture::RuleFixture;
};

TEST_F(DryRun, CountsTheMaterialsAndThoseTheOptionSpares)
{
    const auto food = SpreadDryRun::Count("03");
    ASSERT_TRUE(food);
    EXPECT_EQ(food->Receiving(false), 5);
    EXPECT_EQ(food->Kept(false), 0);
    EXPECT_EQ(food->Receiving(true), 1);
    EXPECT_EQ(food->Kept(true), 4);
    EXPECT_EQ(food->Text(false), "将更改 5 个物料的规则");
    EXPECT_EQ(food->Text(true), "将更改 1 个物料的规则（保留 4 个）");
    EXPECT_EQ(connection->batches.size(), 1);
}

// The count takes the form its number asks for, in each language.
TEST_F(DryRun, TheCountAgreesWithItsNumberInEachLanguage)
{
    const struct {
        const char* language;
        int materials, kept;
        bool spare;
        const char* text;
    } cases[] = {
        {"en", 1, 0, false, "Changes the rule of 1 material"},
        {"en", 2, 0, false, "Changes the rules of 2 materials"},
        {"en", 0, 0, false, "Changes the rules of 0 materials"},
        {"en", 1, 4, true, "Changes the rule of 1 material (own rules kept: 4)"},
        {"cht", 2, 1, true, "將更改 2 個物料的規則（保留 1 個）"},
        {"chs", 1, 0, false, "将更改 1 个物料的规则"},
    };
    for (const auto& c : cases) {
        CurrentModuleState().languageCode = c.language;
        SpreadDryRun dryRun;
        dryRun.materials = c.materials + c.kept;
        dryRun.ownRules = c.kept;
        EXPECT_EQ(dryRun.Text(c.spare), c.text) << c.language << " " << c.materials;
    }
}

TEST_F(DryRun, AFailedCountIsShownAndGivesNothing)
{
    connection->failWith = "lost";
    EXPECT_FALSE(SpreadDryRun::Count(""));
    EXPECT_EQ(Messages(), QStringList{"CountSpread::\r\nlost"});
}

// As the editor's window runs it: on a thread of its own, with its own connection.
std::optional<SpreadDryRun> CountOnAThread(qint32 group, const QString& text)
{
    std::optional<SpreadDryRun> counted;
    std::thread([&] { counted = SpreadDryRun::CountApart(group, text); }).join();
    return counted;
}

TEST_F(DryRun, CountsApartOnItsOwnConnectionAndShowsNoBox)
{
    const auto food = CountOnAThread(5, "03(产成品)");
    ASSERT_TRUE(food);
    EXPECT_EQ(food->materials, 5);
    EXPECT_EQ(food->ownRules, 4);
    EXPECT_EQ(CountOnAThread(0, "物料")->materials, 11);
    EXPECT_TRUE(connection->batches.isEmpty()) << "this thread's connection is the window's own";
    EXPECT_FALSE(CountOnAThread(99, "99(无)")) << "a group the commit would refuse";
    ComponentRegistry::Instance().Register(ComponentNames::AppConnection, [] {
        auto lost = std::make_shared<RecordingConnection>();
        lost->failWith = "lost";
        return lost;
    });
    EXPECT_FALSE(CountOnAThread(5, "03(产成品)"));
    EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(DryRun, AGroupWithoutANumberIsNotCounted)
{
    db.Connection().Execute("UPDATE t_Item SET FNumber = '' WHERE FItemID = 5");
    EXPECT_FALSE(CountOnAThread(5, "(产成品)"));
}

class RestrictedDryRun : public DryRun {
protected:
    RestrictedDryRun() : DryRun(QStringLiteral("UserID=%1;LANGUAGE=chs").arg(DemoDatabase::RestrictedUserID)) {}
};

TEST_F(RestrictedDryRun, CountsOnlyWhatTheUserMaySee)
{
    EXPECT_EQ(SpreadDryRun::Count("")->materials, 5);
    EXPECT_EQ(CountOnAThread(0, "物料")->materials, 5) << "the thread reads the session as the host gives it";
    EXPECT_FALSE(CountOnAThread(3, "01.02(化工原料)")) << "hidden";
}

}
