#pragma once

#include <QHash>
#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QString>

class QAction;
class QMenu;
class QMenuBar;
class QToolBar;
class QWidget;

namespace vellbatchrule {

// The command bar: a master list of tools and the bands that show copies of
// them. The band MainMenu is the menu bar; each of its tools opens another
// band as a drop-down menu. A copy carries its own caption and follows its
// tool's enabled state and check mark. Keys handed in fire the shortcut of
// an enabled tool as a tool click; nothing else fires a shortcut.
class CommandBar : public QObject {
    Q_OBJECT

public:
    static inline const QString MainMenu = QStringLiteral("MainMenu");

    struct Tool {
        QString id;
        int numericId = 0;
        QString category;
        QString caption;
        QKeySequence shortcut;
        bool enabled = true;
        bool checked = false;
        bool separatorBefore = false;
        QString opensBand;   // the band a MainMenu tool drops down
    };

    explicit CommandBar(QWidget* window);

    void AddTool(const Tool& tool);
    void AddBand(const QString& name, const QString& caption);
    // A copy of a tool at the end of a band, with the tool's caption for a start.
    void AddToBand(const QString& band, const QString& toolId);

    // Each throws HostError for a tool or band it does not hold.
    QAction* ToolAction(const QString& toolId) const;   // the master tool, named by its id
    QAction* BandAction(const QString& band, const QString& toolId) const;
    QStringList BandTools(const QString& band) const;
    void SetToolCaption(const QString& toolId, const QString& caption);
    void SetBandCaption(const QString& band, const QString& caption);
    void SetBandToolCaption(const QString& band, const QString& toolId, const QString& caption);
    QString BandCaption(const QString& band) const;
    bool IsChecked(const QString& toolId) const;
    void SetChecked(const QString& toolId, bool checked);
    const Tool& ToolOf(const QString& toolId) const;

    QMenuBar* MenuBar() const { return menuBar_; }

    // True when the key fired an enabled tool's shortcut.
    bool HandleKeyDown(int key, Qt::KeyboardModifiers modifiers);

signals:
    void ToolClick(const QString& toolId);

private:
    struct Band {
        QString caption;
        QMenu* menu = nullptr;              // none for MainMenu
        QList<QPair<QString, QAction*>> items;
    };
    Band& BandOf(const QString& name);
    const Band& BandOf(const QString& name) const;
    void Click(const QString& toolId);

    QMenuBar* menuBar_;
    QList<Tool> tools_;
    QHash<QString, QAction*> actions_;
    QHash<QString, Band> bands_;
};

// The host utility library's switch for a toolbar's button captions.
namespace TextUtil {

// Shows the buttons' captions under their pictures, or the pictures alone.
void ShowToolbarCaptions(QToolBar* toolbar, bool show);

}

}
