// vell-batchrule edit in-process: the window it opens, and its answer once the window closes.
#include "GridUser.h"
#include "RuleAdmin.h"
#include "RuleFixture.h"
#include "TestSupport.h"
#include "frmBatRuleSet.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

class EditCommand : public testing::Test {
protected:
    EditCommand()
    {
        ResetModuleState();
        db.RegisterAsHost();
    }

    // Opens the window for the target, notes what it shows, and closes it with the button named.
    int Edit(RuleAdmin::Target target, const char* button)
    {
        User::WhenModalOpens([this, button](QWidget* modal) {
            auto* window = qobject_cast<frmBatRuleSet*>(modal);
            ASSERT_TRUE(window);
            shown = QStringList{window->ItemNumberName, window->ParentItemNumberName,
                                window->findChild<QLineEdit*>("txtItem")->text()};
            groupChosen = window->findChild<QRadioButton*>("optGroupItem")->isChecked();
            window->findChild<QPushButton*>(button)->click();
            closedByButton = !window->isVisible();
            window->reject();   // never left waiting
        });
        const auto edited = RuleAdmin::EditRule(target);
        errors = edited ? QString() : edited.failure().text;
        return edited ? 0 : 1;
    }

    TempDatabase db;
    QStringList shown;
    bool groupChosen = false;
    bool closedByButton = false;
    QString errors;
};

TEST_F(EditCommand, OpensOnTheMaterialWithItsGroupAndAnswersZeroAfterACommit)
{
    db.Connection().Execute("DELETE FROM t_SystemProfile WHERE FKey='BatchItemIsTop'");
    const QString rule = db.Rows("SELECT * FROM ICBatchNoRule WHERE FItemID=101 ORDER BY FID");
    EXPECT_EQ(Edit({101, std::nullopt}, "cmdOK"), 0) << errors.toStdString();
    EXPECT_TRUE(closedByButton);
    EXPECT_EQ(shown, (QStringList{"01.01.001(冷轧钢板 1.0mm)", "01.01(钢材)", "01.01.001(冷轧钢板 1.0mm)"}));
    EXPECT_FALSE(groupChosen);
    EXPECT_EQ(db.Rows("SELECT * FROM ICBatchNoRule WHERE FItemID=101 ORDER BY FID"), rule) << "written as it was";
    EXPECT_EQ(db.Scalar("SELECT FValue FROM t_SystemProfile WHERE FKey='BatchItemIsTop'"), "1") << "the options written";
}

TEST_F(EditCommand, OpensOnTheRootAsMaterialsAndAnswersZeroOnCancel)
{
    EXPECT_EQ(Edit({std::nullopt, 0}, "cmdCancel"), 0) << errors.toStdString();
    EXPECT_TRUE(closedByButton);
    EXPECT_EQ(shown, (QStringList{"", "物料", "物料"}));
    EXPECT_TRUE(groupChosen);
}

}
