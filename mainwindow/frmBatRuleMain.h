#pragma once

#include "TwipsLayout.h"

#include <QDialog>
#include <memory>
#include <optional>

class QLabel;
class QSplitter;
class QStatusBar;
class QToolBar;
class QModelIndex;
class QTreeView;

namespace vellbatchrule {

struct EditorTarget;

class BatRuleLedger;
class FindBox;
class BatRulePrint;
class MainCommands;
enum class MainCommand;
class LedgerGrid;
class GroupTreeModel;

// The main window: the tree of material groups, the ledger of the selected
// group's batch-managed materials with their rule texts, the commands that
// open the rule editor, refresh, print and lay the window out, and the
// splitter between the panes. Lengths are in twips, as the layout is given.
class frmBatRuleMain : public QDialog {
    Q_OBJECT
public:
    explicit frmBatRuleMain(QWidget* parent = nullptr);
    ~frmBatRuleMain() override;

    // The load sequence; a failure its steps do not handle reaches the caller.
    void Form_Load();
    // Shows the window and runs it until it is closed.
    int ShowModal();

    static constexpr int DefaultSplitter = 1605;   // the tree pane's width at the start, in twips
    static constexpr int MinimumWidth = 6500;

protected:
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void done(int result) override;

private:
    void CreateControls();
    void CreateToolbar();
    void CreateStatusBar();

    void ApplyCaptions();
    void InitMainWindow();
    void SetUpLedger();
    void ReleaseMainWindow();

    void LoadingParentICItem();
    // Opens the nodes above a node and scrolls the tree to it.
    void RevealNode(const QModelIndex& node);
    void tvBatRule_NodeClick(const QModelIndex& node);
    QString ldgBatRule_RowText(int row);
    static void RestorePointer();
    void ShowStatus(int mode, const QString& a1, const QString& a2, const QString& b1, const QString& b2);
    // The material (the ledger's row, when the ledger has the focus) or the
    // group the window points at; none without a tree or beyond the grants (shown).
    std::optional<EditorTarget> PointedTarget();
    void OpenRuleEditor();
    void ShowHistory();
    // 搜索: opens the find box, or goes to its next match while it is open with matches.
    void FindInGroups();
    // Selects the found group in the tree, or the material in the ledger
    // with its group; false when the group is not in the tree.
    bool ShowFound(qint32 groupId, std::optional<qint32> materialId);
    void mnuEditRefresh_Click();
    void RunCommand(MainCommand command);
    void PrintLedger(bool preview);
    void ShowHelp();

    void Form_Resize();
    void LayoutPanes(int x);
    void ShowLockKeys();


    std::unique_ptr<MainCommands> commands_;
    TwipsLayout layout_{this};
    QWidget* client_ = nullptr;   // the window below its menu bar
    QToolBar* tbBatRule_ = nullptr;
    QStatusBar* sbBatRule_ = nullptr;
    QLabel* panels_[5] = {};
    QSplitter* splitter_ = nullptr;
    QTreeView* tvBatRule_ = nullptr;
    GroupTreeModel* groups_ = nullptr;
    QWidget* pxBatRule_ = nullptr;
    LedgerGrid* ldgBatRule_ = nullptr;
    LedgerGrid* LdgPrint_ = nullptr;
    FindBox* findBox_ = nullptr;   // made at the first 搜索

    std::unique_ptr<BatRuleLedger> ledger_;   // the data-access object and the current materials
    std::unique_ptr<BatRulePrint> print_;
    bool refreshing_ = false;
    bool loadingTree_ = false;
    int treeWidth_ = DefaultSplitter;   // the tree pane's, in twips: where the user dragged the splitter
};

}
