#include "CommandBar.h"

#include "HostError.h"
#include "HostErrors.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QWidget>

namespace vellbatchrule {

namespace {

const QString kSource = QStringLiteral("BarList");

[[noreturn]] void Missing(const QString& what)
{
    throw HostError(HostErrors::ElementNotFound, QStringLiteral("Element not found: %1").arg(what), kSource);
}

}

CommandBar::CommandBar(QWidget* window) : QObject(window), menuBar_(new QMenuBar(window))
{
    menuBar_->setObjectName(MainMenu);
    bands_.insert(MainMenu, Band());
}

void CommandBar::AddTool(const Tool& tool)
{
    tools_.append(tool);
    auto* action = new QAction(tool.caption, this);
    action->setObjectName(tool.id);
    action->setEnabled(tool.enabled);
    action->setCheckable(tool.checked);
    action->setChecked(tool.checked);
    actions_.insert(tool.id, action);
}

void CommandBar::AddBand(const QString& name, const QString& caption)
{
    Band band;
    band.caption = caption;
    band.menu = new QMenu(caption, menuBar_);
    band.menu->setObjectName(name);
    bands_.insert(name, band);
}

void CommandBar::AddToBand(const QString& bandName, const QString& toolId)
{
    Band& band = BandOf(bandName);
    const Tool& tool = ToolOf(toolId);
    QAction* master = ToolAction(toolId);
    QAction* copy = nullptr;
    if (!band.menu) {
        QMenu* dropDown = BandOf(tool.opensBand).menu;
        copy = menuBar_->addMenu(dropDown);
        copy->setText(tool.caption);
    } else {
        if (tool.separatorBefore)
            band.menu->addSeparator();
        copy = band.menu->addAction(tool.caption);
        // Shown in the menu only: the window hands keys to HandleKeyDown.
        copy->setShortcut(tool.shortcut);
        copy->setShortcutContext(Qt::WidgetShortcut);
        copy->setCheckable(master->isCheckable());
        connect(copy, &QAction::triggered, this, [this, toolId] { Click(toolId); });
    }
    copy->setObjectName(bandName + QLatin1Char('.') + toolId);
    auto follow = [master, copy] {
        copy->setEnabled(master->isEnabled());
        if (copy->isCheckable())
            copy->setChecked(master->isChecked());
    };
    follow();
    connect(master, &QAction::changed, copy, follow);
    band.items.append({toolId, copy});
}

void CommandBar::Click(const QString& toolId)
{
    QAction* master = ToolAction(toolId);
    // The click does not toggle by itself: the window decides the check mark.
    emit master->changed();
    if (master->isEnabled())
        emit ToolClick(toolId);
}

CommandBar::Band& CommandBar::BandOf(const QString& name)
{
    const auto found = bands_.find(name);
    if (found == bands_.end())
        Missing(QStringLiteral("band ") + name);
    return *found;
}

const CommandBar::Band& CommandBar::BandOf(const QString& name) const
{
    return const_cast<CommandBar*>(this)->BandOf(name);
}

const CommandBar::Tool& CommandBar::ToolOf(const QString& toolId) const
{
    for (const Tool& tool : tools_)
        if (tool.id == toolId)
            return tool;
    Missing(QStringLiteral("tool ") + toolId);
}

QAction* CommandBar::ToolAction(const QString& toolId) const
{
    QAction* action = actions_.value(toolId);
    if (!action)
        Missing(QStringLiteral("tool ") + toolId);
    return action;
}

QAction* CommandBar::BandAction(const QString& band, const QString& toolId) const
{
    for (const auto& [id, action] : BandOf(band).items)
        if (id == toolId)
            return action;
    Missing(band + QLatin1Char('.') + toolId);
}

QStringList CommandBar::BandTools(const QString& band) const
{
    QStringList ids;
    for (const auto& item : BandOf(band).items)
        ids.append(item.first);
    return ids;
}

void CommandBar::SetToolCaption(const QString& toolId, const QString& caption)
{
    ToolAction(toolId)->setText(caption);
}

void CommandBar::SetBandCaption(const QString& bandName, const QString& caption)
{
    Band& band = BandOf(bandName);
    band.caption = caption;
    if (band.menu)
        band.menu->setTitle(caption);
}

void CommandBar::SetBandToolCaption(const QString& band, const QString& toolId, const QString& caption)
{
    BandAction(band, toolId)->setText(caption);
}

QString CommandBar::BandCaption(const QString& band) const
{
    return BandOf(band).caption;
}

bool CommandBar::IsChecked(const QString& toolId) const
{
    return ToolAction(toolId)->isChecked();
}

void CommandBar::SetChecked(const QString& toolId, bool checked)
{
    QAction* action = ToolAction(toolId);
    action->setCheckable(true);
    action->setChecked(checked);
}

bool CommandBar::HandleKeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    const QKeySequence pressed(QKeyCombination(modifiers, Qt::Key(key)));
    for (const Tool& tool : tools_)
        if (!tool.shortcut.isEmpty() && tool.shortcut == pressed) {
            if (!ToolAction(tool.id)->isEnabled())
                return false;   // a disabled tool never fires
            emit ToolClick(tool.id);
            return true;
        }
    return false;
}

void TextUtil::ShowToolbarCaptions(QToolBar* toolbar, bool show)
{
    toolbar->setToolButtonStyle(show ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);
}

}
