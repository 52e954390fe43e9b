#include "CommandBar.h"
#include "HostError.h"
#include "TestSupport.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QWidget>

namespace {

class Bar : public testing::Test {
protected:
    Bar()
    {
        bar.AddTool({"mtEdit", 2, "Edit", "编辑(&E)", {}, true, false, false, "mnuEdit"});
        bar.AddTool({"mtHellp", 34, "Help", "帮助手册(&H)", {}, true, false, false, "mnuHelp"});
        bar.AddTool({"mcERule", 36, "Edit", "管理(&M)", QKeySequence("Ctrl+M"), true, false, false, {}});
        bar.AddTool({"mcFSave", 6, "File", "保存(&S)", QKeySequence("Ctrl+S"), false, false, false, {}});
        bar.AddTool({"mcWToolBar", 28, "Window", "工具条(&T)", {}, true, true, true, {}});
        bar.AddTool({"mcHHelp", 35, "Help", "帮助手册(&H)", QKeySequence("F1"), true, false, false, {}});
        bar.AddBand("mnuEdit", "编辑");
        bar.AddBand("mnuHelp", "帮助");
        bar.AddToBand(CommandBar::MainMenu, "mtEdit");
        bar.AddToBand(CommandBar::MainMenu, "mtHellp");
        bar.SetBandToolCaption(CommandBar::MainMenu, "mtHellp", "帮助(&H)");
        for (const char* id : {"mcERule", "mcFSave", "mcWToolBar"})
            bar.AddToBand("mnuEdit", id);
        bar.AddToBand("mnuHelp", "mcHHelp");
        bar.SetBandToolCaption("mnuHelp", "mcHHelp", "帮助手册(&C)");
    }

    QWidget window;
    CommandBar bar{&window};
    QSignalSpy clicks{&bar, &CommandBar::ToolClick};
};

TEST_F(Bar, MainMenuIsTheMenuBarAndCopiesCarryTheirOwnCaptions)
{
    const QList<QAction*> menus = bar.MenuBar()->actions();
    ASSERT_EQ(menus.size(), 2);
    EXPECT_EQ(menus[0]->text(), "编辑(&E)");
    EXPECT_EQ(menus[1]->text(), "帮助(&H)");
    EXPECT_EQ(bar.ToolAction("mtHellp")->text(), "帮助手册(&H)");
    EXPECT_EQ(bar.BandAction("mnuHelp", "mcHHelp")->text(), "帮助手册(&C)");
    EXPECT_EQ(bar.ToolAction("mcHHelp")->text(), "帮助手册(&H)");
    EXPECT_EQ(bar.BandTools("mnuEdit"), (QStringList{"mcERule", "mcFSave", "mcWToolBar"}));
    EXPECT_EQ(window.findChild<QAction*>("mcERule"), bar.ToolAction("mcERule"));
    EXPECT_EQ(bar.ToolOf("mcERule").numericId, 36);
}

TEST_F(Bar, KeysHandedInFireOnlyEnabledToolsShortcuts)
{
    EXPECT_TRUE(bar.HandleKeyDown(Qt::Key_M, Qt::ControlModifier));
    EXPECT_TRUE(bar.HandleKeyDown(Qt::Key_F1, Qt::NoModifier));
    EXPECT_FALSE(bar.HandleKeyDown(Qt::Key_S, Qt::ControlModifier));   // disabled
    EXPECT_FALSE(bar.HandleKeyDown(Qt::Key_M, Qt::NoModifier));
    ASSERT_EQ(clicks.size(), 2);
    EXPECT_EQ(clicks[0][0].toString(), "mcERule");
    EXPECT_EQ(clicks[1][0].toString(), "mcHHelp");
}

TEST_F(Bar, ACopyClicksItsToolAndFollowsItsState)
{
    QAction* toolbarCopy = bar.BandAction("mnuEdit", "mcWToolBar");
    EXPECT_TRUE(toolbarCopy->isChecked());
    toolbarCopy->trigger();
    ASSERT_EQ(clicks.size(), 1);
    EXPECT_EQ(clicks[0][0].toString(), "mcWToolBar");
    EXPECT_TRUE(bar.IsChecked("mcWToolBar"));   // the window decides the check mark
    EXPECT_TRUE(toolbarCopy->isChecked());
    bar.SetChecked("mcWToolBar", false);
    EXPECT_FALSE(toolbarCopy->isChecked());
    EXPECT_FALSE(bar.BandAction("mnuEdit", "mcFSave")->isEnabled());
    bar.BandAction("mnuEdit", "mcFSave")->trigger();
    EXPECT_EQ(clicks.size(), 1);
}

TEST_F(Bar, UnknownToolsAndBandsAreErrors)
{
    EXPECT_THROW(bar.ToolAction("mcNothing"), HostError);
    EXPECT_THROW(bar.SetBandCaption("mnuNothing", "x"), HostError);
    EXPECT_THROW(bar.BandAction("mnuHelp", "mcERule"), HostError);
    bar.SetBandCaption("mnuEdit", "Edit");
    EXPECT_EQ(window.findChild<QMenu*>("mnuEdit")->title(), "Edit");
}

}
