#include "MainCommands.h"

#include "CommandBar.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace vellbatchrule {

namespace MainCommands {

namespace {

QKeySequence Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    return QKeySequence(QKeyCombination(modifiers, Qt::Key(key)));
}

}

const QList<Band>& Bands()
{
    static const QList<Band> bands{{"MainMenu", "主菜单"}, {"mnuFile", "文件"}, {"mnuEdit", "编辑"},
                                   {"mnuView", "查看"},     {"mnuLayout", "格式"}, {"mnuHelp", "帮助"}};
    return bands;
}

const QList<MenuTool>& MenuTools()
{
    // band, id, numeric id, category, caption, shortcut, separator before, enabled, ticked
    static const QList<MenuTool> tools{
        {"MainMenu", "mpFile", 1, "File", "文件(&F)", {}, false, true, false},
        {"MainMenu", "mtEdit", 2, "Edit", "编辑(&E)", {}, false, true, false},
        {"MainMenu", "mtView", 3, "View", "查看(&V)", {}, false, true, false},
        {"MainMenu", "mtLayout", 4, "Window", "格式(&L)", {}, false, true, false},
        {"MainMenu", "mtHellp", 34, "Help", "帮助(&H)", {}, false, true, false},
        {"mnuFile", "mcFSave", 6, "File", "保存(&S)", Key(Qt::Key_S, Qt::ControlModifier), false, false, false},
        {"mnuFile", "mcFPrint", 9, "File", "打印(&P)", {}, true, true, false},
        {"mnuFile", "mcFPrintPreview", 10, "File", "打印预览(&V)", {}, false, true, false},
        {"mnuFile", "mcFPrintSetup", 11, "File", "打印设置(&R)", {}, false, true, false},
        {"mnuFile", "mcFExport", 12, "File", "引出数据(&O)...", {}, true, false, false},
        {"mnuFile", "mcExit", 13, "File", "退出(&X)", {}, true, true, false},
        {"mnuEdit", "mcERule", 36, "Edit", "管理(&M)", Key(Qt::Key_M, Qt::ControlModifier), false, true, false},
        {"mnuEdit", "mcEAddNew", 14, "Edit", "新增(&N)  ", Key(Qt::Key_N, Qt::ControlModifier), false, false, false},
        {"mnuEdit", "mcEDelete", 15, "Edit", "删除(&D)    ", Key(Qt::Key_D, Qt::ControlModifier), false, false, false},
        {"mnuEdit", "mcESum", 16, "Edit", "汇总(&H)...", Key(Qt::Key_F2), true, false, true},
        {"mnuEdit", "mcEFind", 17, "Edit", "搜索(&F)...", Key(Qt::Key_F3), false, false, false},
        {"mnuEdit", "mcESort", 18, "Edit", "排序(&S)...", Key(Qt::Key_F4), false, false, false},
        {"mnuEdit", "mcEFilter", 19, "Edit", "过滤(&F)...", {}, false, false, false},
        {"mnuView", "mcVRefresh", 24, "View", "刷新", Key(Qt::Key_F5), true, true, false},
        {"mnuView", "mcVSRefresh", 27, "View", "保存后立即刷新", {}, false, false, true},
        {"mnuLayout", "mcWToolBar", 28, "Window", "工具条(&T)", {}, false, true, true},
        {"mnuLayout", "mcWTBLable", 29, "Window", "工具条标签(&L)", {}, false, true, true},
        {"mnuLayout", "mcWStatusBar", 30, "Window", "状态条(&S)", {}, false, true, true},
        {"mnuHelp", "mcHHelp", 35, "Help", "帮助手册(&C)", Key(Qt::Key_F1), false, true, false},
    };
    return tools;
}

const QList<ToolbarButton>& ToolbarButtons()
{
    static const QList<ToolbarButton> buttons{
        {1, "", "", "", ""},
        {2, "AddNew", "新增", "新增", "document-new"},
        {3, "Rule", "管理", "管理", "document-properties"},
        {4, "Modify", "修改", "修改", "document-edit"},
        {5, "Delete", "删除", "删除", "edit-delete"},
        {6, "", "", "", ""},
        {7, "Refresh", "刷新", "刷新", "view-refresh"},
        {8, "", "", "", ""},
        {9, "Print", "打印", "打印", "document-print"},
        {10, "PrintPreView", "预览", "打印预览", "document-print-preview"},
        {11, "", "", "", ""},
        {12, "Exit", "退出", "退出", "application-exit"},
    };
    return buttons;
}

QString MasterCaption(const MenuTool& tool)
{
    const QString id = QLatin1String(tool.id);
    if (id == QStringLiteral("mtHellp") || id == QStringLiteral("mcHHelp"))
        return QStringLiteral("帮助手册(&H)");
    return QString::fromUtf8(tool.caption);
}

const QStringList& MasterCaptionOrder()
{
    static const QStringList order{
        u"mtEdit"_s,    u"mtView"_s,   u"mtLayout"_s,   u"mpFile"_s,     u"mcFSave"_s,      u"mcFPrint"_s,
        u"mcFPrintPreview"_s, u"mcFPrintSetup"_s, u"mcFExport"_s, u"mcExit"_s, u"mcERule"_s, u"mcEAddNew"_s,
        u"mcEDelete"_s, u"mcESum"_s,   u"mcEFind"_s,    u"mcESort"_s,    u"mcEFilter"_s,    u"mcVRefresh"_s,
        u"mcVSRefresh"_s, u"mcWToolBar"_s, u"mcWTBLable"_s, u"mcWStatusBar"_s, u"mtHellp"_s, u"mcHHelp"_s};
    return order;
}

void Define(CommandBar& bar)
{
    static const QHash<QString, QString> opens{{u"mpFile"_s, u"mnuFile"_s},     {u"mtEdit"_s, u"mnuEdit"_s},
                                               {u"mtView"_s, u"mnuView"_s},     {u"mtLayout"_s, u"mnuLayout"_s},
                                               {u"mtHellp"_s, u"mnuHelp"_s}};
    for (const MenuTool& tool : MenuTools())
        bar.AddTool({QLatin1String(tool.id), tool.numericId, QLatin1String(tool.category), MasterCaption(tool),
                     tool.shortcut, tool.enabled, tool.checked, tool.separatorBefore,
                     opens.value(QLatin1String(tool.id))});
    for (const Band& band : Bands())
        if (QLatin1String(band.name) != CommandBar::MainMenu)
            bar.AddBand(QLatin1String(band.name), QString::fromUtf8(band.caption));
    bar.SetBandCaption(CommandBar::MainMenu, QStringLiteral("主菜单"));
    for (const MenuTool& tool : MenuTools()) {
        bar.AddToBand(QLatin1String(tool.band), QLatin1String(tool.id));
        bar.SetBandToolCaption(QLatin1String(tool.band), QLatin1String(tool.id), QString::fromUtf8(tool.caption));
    }
}

}

}
