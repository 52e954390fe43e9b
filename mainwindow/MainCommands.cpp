#include "MainCommands.h"

#include "MParse.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>
#include <QWidget>

namespace vellbatchrule {

namespace {

QKeySequence Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    return QKeySequence(QKeyCombination(modifiers, key));
}

constexpr auto Ctrl = Qt::ControlModifier;
enum MenuIndex { File, Edit, View, Layout, Help, None = -1 };

}

const std::array<MainCommands::Menu, 5>& MainCommands::Menus()
{
    static const std::array<Menu, 5> menus{{
        {"mnuFile", "mpFile", QT_TR_NOOP("文件(&F)"), QT_TR_NOOP("文件")},
        {"mnuEdit", "mtEdit", QT_TR_NOOP("编辑(&E)"), QT_TR_NOOP("编辑")},
        {"mnuView", "mtView", QT_TR_NOOP("查看(&V)"), QT_TR_NOOP("查看")},
        {"mnuLayout", "mtLayout", QT_TR_NOOP("格式(&L)"), QT_TR_NOOP("格式")},
        {"mnuHelp", "mtHellp", QT_TR_NOOP("帮助(&H)"), QT_TR_NOOP("帮助")},
    }};
    return menus;
}

const std::array<MainCommands::Row, MainCommandCount>& MainCommands::Rows()
{
    using C = MainCommand;
    using P = QStyle::StandardPixmap;
    // command, id, menu, caption, shortcut, separator before, enabled, ticked,
    // toolbar slot, button, its caption and tooltip, icon and the style's picture
    static const std::array<Row, MainCommandCount> rows{{
        {C::Save, "mcFSave", File, QT_TR_NOOP("保存(&S)"), Key(Qt::Key_S, Ctrl), false, false, false,
         0, "", "", "", "document-save", P::SP_DialogSaveButton},
        {C::Print, "mcFPrint", File, QT_TR_NOOP("打印(&P)"), {}, true, true, false,
         9, "Print", QT_TR_NOOP("打印"), QT_TR_NOOP("打印"), "document-print", P::SP_DialogSaveButton},
        {C::PrintPreview, "mcFPrintPreview", File, QT_TR_NOOP("打印预览(&V)"), {}, false, true, false,
         10, "PrintPreView", QT_TR_NOOP("预览"), QT_TR_NOOP("打印预览"), "document-print-preview",
         P::SP_FileDialogInfoView},
        {C::PrintSetup, "mcFPrintSetup", File, QT_TR_NOOP("打印设置(&R)"), {}, false, true, false,
         0, "", "", "", "document-page-setup", P::SP_FileIcon},
        {C::Export, "mcFExport", File, QT_TR_NOOP("引出数据(&O)..."), {}, true, false, false,
         0, "", "", "", "document-export", P::SP_FileIcon},
        {C::Exit, "mcExit", File, QT_TR_NOOP("退出(&X)"), {}, true, true, false,
         12, "Exit", QT_TR_NOOP("退出"), QT_TR_NOOP("退出"), "application-exit", P::SP_DialogCloseButton},
        {C::Rule, "mcERule", Edit, QT_TR_NOOP("管理(&M)"), Key(Qt::Key_M, Ctrl), false, true, false,
         3, "Rule", QT_TR_NOOP("管理"), QT_TR_NOOP("管理"), "document-properties", P::SP_FileDialogDetailedView},
        {C::AddNew, "mcEAddNew", Edit, QT_TR_NOOP("新增(&N)"), Key(Qt::Key_N, Ctrl), false, false, false,
         2, "AddNew", QT_TR_NOOP("新增"), QT_TR_NOOP("新增"), "document-new", P::SP_FileIcon},
        {C::Delete, "mcEDelete", Edit, QT_TR_NOOP("删除(&D)"), Key(Qt::Key_D, Ctrl), false, false, false,
         5, "Delete", QT_TR_NOOP("删除"), QT_TR_NOOP("删除"), "edit-delete", P::SP_TrashIcon},
        {C::Sum, "mcESum", Edit, QT_TR_NOOP("汇总(&H)..."), Key(Qt::Key_F2), true, false, true,
         0, "", "", "", "", P::SP_FileIcon},
        {C::Find, "mcEFind", Edit, QT_TR_NOOP("搜索(&F)..."), Key(Qt::Key_F3), false, true, false,
         0, "", "", "", "edit-find", P::SP_FileIcon},
        {C::Sort, "mcESort", Edit, QT_TR_NOOP("排序(&S)..."), Key(Qt::Key_F4), false, false, false,
         0, "", "", "", "view-sort-ascending", P::SP_FileIcon},
        {C::Filter, "mcEFilter", Edit, QT_TR_NOOP("过滤(&F)..."), {}, false, false, false,
         0, "", "", "", "view-filter", P::SP_FileIcon},
        {C::Refresh, "mcVRefresh", View, QT_TR_NOOP("刷新"), Key(Qt::Key_F5), true, true, false,
         7, "Refresh", QT_TR_NOOP("刷新"), QT_TR_NOOP("刷新"), "view-refresh", P::SP_BrowserReload},
        {C::RefreshAfterSave, "mcVSRefresh", View, QT_TR_NOOP("保存后立即刷新"), {}, false, false, true,
         0, "", "", "", "", P::SP_FileIcon},
        {C::History, "mcVHistory", View, QT_TR_NOOP("更改历史(&Y)..."), Key(Qt::Key_H, Ctrl), true, true, false,
         8, "History", QT_TR_NOOP("历史"), QT_TR_NOOP("批号规则的更改历史"), "document-open-recent",
         P::SP_FileDialogListView},
        {C::ToolBar, "mcWToolBar", Layout, QT_TR_NOOP("工具条(&T)"), {}, false, true, true,
         0, "", "", "", "", P::SP_FileIcon},
        {C::ToolBarLabels, "mcWTBLable", Layout, QT_TR_NOOP("工具条标签(&L)"), {}, false, true, true,
         0, "", "", "", "", P::SP_FileIcon},
        {C::StatusBar, "mcWStatusBar", Layout, QT_TR_NOOP("状态条(&S)"), {}, false, true, true,
         0, "", "", "", "", P::SP_FileIcon},
        {C::Help, "mcHHelp", Help, QT_TR_NOOP("帮助手册(&C)"), Key(Qt::Key_F1), false, true, false,
         0, "", "", "", "help-contents", P::SP_DialogHelpButton},
        {C::Modify, "Modify", None, "", {}, false, false, false,
         4, "Modify", QT_TR_NOOP("修改"), QT_TR_NOOP("修改"), "accessories-text-editor", P::SP_FileDialogContentsView},
    }};
    return rows;
}

// The menus show no pictures, so only the toolbar's are looked up. The
// style's picture is asked for only when the theme has none: the style looks
// it up in the icon theme too, and a name the theme lacks is searched through
// every folder of the themes it inherits.
QIcon MainCommands::ToolbarIcon(const Row& row, QStyle* style)
{
    if (row.toolbarSlot == 0)
        return QIcon();
    const QIcon themed = QIcon::fromTheme(QLatin1String(row.icon));
    return themed.isNull() ? style->standardIcon(row.fallback) : themed;
}

MainCommands::MainCommands(QWidget* window, QToolBar* toolbar, std::function<void(MainCommand)> run)
    : menuBar_(new QMenuBar(window))
{
    menuBar_->setObjectName(QStringLiteral("MainMenu"));
    for (size_t i = 0; i < menus_.size(); ++i) {
        menus_[i] = menuBar_->addMenu(QString::fromUtf8(Menus()[i].caption));
        menus_[i]->setObjectName(QLatin1String(Menus()[i].name));
        menus_[i]->menuAction()->setObjectName(QLatin1String(Menus()[i].toolId));
    }
    for (const Row& row : Rows()) {
        Q_ASSERT(&row == &Rows()[size_t(row.command)]);
        auto* action = new QAction(ToolbarIcon(row, window->style()), QString::fromUtf8(row.caption), window);
        action->setObjectName(QLatin1String(row.id));
        action->setShortcut(row.shortcut);
        action->setIconVisibleInMenu(false);   // the pictures are the toolbar's
        action->setEnabled(row.enabled);
        action->setCheckable(row.ticked);
        action->setChecked(row.ticked);
        // The window holds every action, so a shortcut works with the toolbar hidden.
        window->addAction(action);
        QObject::connect(action, &QAction::triggered, window, [run, command = row.command] { run(command); });
        actions_[size_t(row.command)] = action;
        if (row.menu == None)
            continue;
        if (row.separatorBefore)
            menus_[row.menu]->addSeparator();
        menus_[row.menu]->addAction(action);
    }
    FillToolbar(toolbar);
}

void MainCommands::FillToolbar(QToolBar* toolbar) const
{
    for (int slot = 1; slot <= ToolbarSlots; ++slot) {
        const auto row = std::find_if(Rows().begin(), Rows().end(), [slot](const Row& r) { return r.toolbarSlot == slot; });
        if (row == Rows().end()) {
            toolbar->addSeparator()->setObjectName(QStringLiteral("tbSeparator%1").arg(slot));
            continue;
        }
        QAction* action = Action(row->command);
        toolbar->addAction(action);
        toolbar->widgetForAction(action)->setObjectName(QLatin1String(row->key));
    }
}

void MainCommands::ApplyCaptions()
{
    for (const Row& row : Rows()) {
        QAction* action = Action(row.command);
        action->setText(MParse::TranslateText(row.caption));
        if (row.toolbarSlot == 0)
            continue;
        action->setIconText(MParse::TranslateText(row.buttonCaption));
        action->setToolTip(MParse::TranslateText(row.toolTip));
    }
    for (size_t i = 0; i < menus_.size(); ++i) {
        menus_[i]->setTitle(MParse::TranslateText(Menus()[i].caption));
        menus_[i]->setWindowTitle(MParse::TranslateText(Menus()[i].title));
    }
    menuBar_->setAccessibleName(MParse::TranslateText("主菜单"));
}

bool MainCommands::IsChecked(MainCommand command) const
{
    return Action(command)->isChecked();
}

}
