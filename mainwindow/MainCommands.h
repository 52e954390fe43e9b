#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>

namespace vellbatchrule {

class CommandBar;

// The main window's commands as designed: the menu bar and its five menus,
// every tool with its id, numeric id, category, caption, shortcut and state,
// and the toolbar's twelve positions. Captions are the untranslated texts.
namespace MainCommands {

struct MenuTool {
    const char* band;
    const char* id;
    int numericId;
    const char* category;
    const char* caption;       // in the band; the master list's differs for the help tools
    QKeySequence shortcut;
    bool separatorBefore, enabled, checked;
};

struct Band {
    const char* name;
    const char* caption;
};

struct ToolbarButton {
    int position;        // 1 to 12
    const char* key;     // empty for a separator
    const char* caption;
    const char* toolTip;
    const char* themeIcon;
};

const QList<Band>& Bands();          // MainMenu first, then the drop-down bands in order
const QList<MenuTool>& MenuTools();  // the MainMenu tools first, then each band's in display order
const QList<ToolbarButton>& ToolbarButtons();

// The master list's caption of a tool.
QString MasterCaption(const MenuTool& tool);
// The order in which the window sets the master list's captions.
const QStringList& MasterCaptionOrder();

// Fills the command bar with every tool and band.
void Define(CommandBar& bar);

}

}
