#pragma once

#include <QCoreApplication>
#include <QKeySequence>
#include <QStyle>

#include <array>
#include <functional>

class QAction;
class QMenu;
class QMenuBar;
class QToolBar;
class QWidget;

namespace vellbatchrule {

// Every command of the main window as designed, those that can never be used
// included.
enum class MainCommand {
    Save, Print, PrintPreview, PrintSetup, Export, Exit,
    Rule, AddNew, Delete, Sum, Find, Sort, Filter,
    Refresh, RefreshAfterSave, History,
    ToolBar, ToolBarLabels, StatusBar,
    Help,
    Modify,   // a toolbar button only
};
inline constexpr int MainCommandCount = int(MainCommand::Modify) + 1;

// The main window's commands: one QAction each, shared by the menu bar, the
// toolbar and the shortcut, which works wherever the focus is in the window.
// A disabled command never runs; the three layout toggles carry check marks.
class MainCommands {
    // The context the table's texts are marked in: the string loader's one.
    Q_DECLARE_TR_FUNCTIONS(VEZAROZIVADA)

public:
    // Menus in the menu bar's order.
    struct Menu {
        const char* name;       // the drop-down's object name: "mnuFile"
        const char* toolId;     // the menu bar's item: "mpFile"
        const char* caption;    // on the menu bar: "文件(&F)"
        const char* title;      // of the drop-down itself: "文件"
    };
    // Commands in their menus' display order.
    struct Row {
        MainCommand command;
        const char* id;          // "mcFPrint": the action's object name
        int menu;                // index into Menus(), -1 for a toolbar button only
        const char* caption;     // in the menu
        QKeySequence shortcut;
        bool separatorBefore, enabled, ticked;
        int toolbarSlot;         // 2 to 12; 0 when not on the toolbar
        const char* key;         // the toolbar button's name: "Print"
        const char* buttonCaption;
        const char* toolTip;
        const char* icon;        // from the icon theme, else the style's picture below
        QStyle::StandardPixmap fallback;
    };
    static constexpr int ToolbarSlots = 12;   // those without a command are separators

    static const std::array<Menu, 5>& Menus();
    static const std::array<Row, MainCommandCount>& Rows();
    static QIcon ToolbarIcon(const Row& row, QStyle* style);

    // Puts a menu bar on the window and fills it and the toolbar; a command
    // chosen in any of them, or by its shortcut, reaches run.
    MainCommands(QWidget* window, QToolBar* toolbar, std::function<void(MainCommand)> run);

    // The captions, tooltips and menu titles in the session's language.
    void ApplyCaptions();

    QAction* Action(MainCommand command) const { return actions_[size_t(command)]; }
    bool IsChecked(MainCommand command) const;
    QMenuBar* MenuBar() const { return menuBar_; }

private:
    void FillToolbar(QToolBar* toolbar) const;

    QMenuBar* menuBar_;
    std::array<QMenu*, 5> menus_{};   // as Menus() gives them
    std::array<QAction*, MainCommandCount> actions_{};
};

}
