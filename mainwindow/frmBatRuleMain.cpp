#include "frmBatRuleMain.h"

#include "BatRuleLedger.h"
#include "BatRulePrint.h"
#include "EditorTarget.h"
#include "FindBox.h"
#include "GLB.h"
#include "GroupTree.h"
#include "GroupTreeModel.h"
#include "HistoryWindow.h"
#include "HostError.h"
#include "HostErrors.h"
#include "IssuerTables.h"
#include "KeyPreview.h"
#include "LedgerGrid.h"
#include "LoadSteps.h"
#include "LockKeys.h"
#include "MMTS.h"
#include "MParse.h"
#include "MainCommands.h"
#include "ModuleState.h"
#include "RuleHistory.h"
#include "ToolbarCaptions.h"
#include "ViewItemDelegate.h"
#include "VirtualKeys.h"
#include "frmBatRuleSet.h"

#include <QAction>
#include <QApplication>
#include <QDate>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QTreeView>
#include <QVBoxLayout>

namespace vellbatchrule {

namespace {

constexpr int kTreeLeft = 15;
constexpr int kGap = 50;
constexpr int kSplitterMargin = 500;
constexpr int kDecorationLineTop = 570;

enum StatusMode { Busy = 1, Normal = 3 };

// Each caption step on its own: one that fails keeps its caption as designed.
template <typename Step>
void Quietly(Step step)
{
    try {
        step();
    } catch (const HostError&) {
    }
}

}

frmBatRuleMain::frmBatRuleMain(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmBatRuleMain"));
    setWindowFlags(Qt::Window | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setSizeGripEnabled(false);
    CreateControls();
    // The lock-key panels follow every key the window sees; the commands'
    // shortcuts reach them through their actions.
    new KeyPreview(this, [this](QObject*, const QKeyEvent&) {
        ShowLockKeys();
        return false;
    });
}

frmBatRuleMain::~frmBatRuleMain()
{
    RestorePointer();
}

void frmBatRuleMain::CreateControls()
{
    client_ = new QWidget(this);
    CreateToolbar();
    commands_ = std::make_unique<MainCommands>(this, tbBatRule_, [this](MainCommand command) { RunCommand(command); });
    CreateStatusBar();
    for (int i = 0; i < 2; ++i) {
        auto* line = new QFrame(client_);
        line->setObjectName(QStringLiteral("Line1_%1").arg(i));
        line->setFrameShape(QFrame::HLine);
        line->setFrameShadow(i == 0 ? QFrame::Sunken : QFrame::Plain);
        // Just below the toolbar, whose height follows the platform's font.
        line->setGeometry(0, std::max(layout_.Px(kDecorationLineTop), tbBatRule_->sizeHint().height()) + i, 8000, 1);
        line->lower();
    }

    // The panes share the width through a splitter whose line follows the drag
    // and places the panes only when it is let go.
    splitter_ = new QSplitter(Qt::Horizontal, client_);
    splitter_->setObjectName(QStringLiteral("splitter"));
    splitter_->setOpaqueResize(false);
    splitter_->setChildrenCollapsible(false);
    // Where the user put it, it stays for the session: a layout change no longer narrows the names back.
    connect(splitter_, &QSplitter::splitterMoved, this, [this] { treeWidth_ = layout_.Twips(splitter_->sizes().value(0)); });
    tvBatRule_ = new QTreeView(splitter_);
    tvBatRule_->setObjectName(QStringLiteral("tvBatRule"));
    groups_ = new GroupTreeModel(tvBatRule_);
    groups_->SetPicture(style()->standardIcon(QStyle::SP_DirIcon));
    tvBatRule_->setModel(groups_);
    tvBatRule_->setHeaderHidden(true);
    tvBatRule_->setUniformRowHeights(true);
    // The pane is narrow: long group names scroll instead of being cut.
    tvBatRule_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    tvBatRule_->header()->setStretchLastSection(false);
    tvBatRule_->setTextElideMode(Qt::ElideNone);
    ViewItemDelegate::Use(tvBatRule_);
    connect(tvBatRule_->selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& node) {
        if (node.isValid() && !loadingTree_)
            tvBatRule_NodeClick(node);
    });

    pxBatRule_ = new QWidget(splitter_);
    pxBatRule_->setObjectName(QStringLiteral("pxBatRule"));
    ldgBatRule_ = new LedgerGrid(pxBatRule_);
    ldgBatRule_->setObjectName(QStringLiteral("ldgBatRule"));
    ldgBatRule_->rowTextRequest = [this](int row) { return ldgBatRule_RowText(row); };
    ldgBatRule_->activation = [this] { OpenRuleEditor(); };
    // Printer setup only; it shares the printer setting of the visible ledger.
    LdgPrint_ = new LedgerGrid(pxBatRule_, ldgBatRule_->SharedPrinterSetting());
    LdgPrint_->setObjectName(QStringLiteral("LdgPrint"));
    LdgPrint_->setGeometry(-20000, -20000, 100, 100);
    LdgPrint_->hide();
    auto* pane = new QVBoxLayout(pxBatRule_);
    pane->setContentsMargins(0, 0, layout_.Px(kGap), layout_.Px(40));
    pane->addWidget(ldgBatRule_);
    splitter_->addWidget(tvBatRule_);
    splitter_->addWidget(pxBatRule_);
    splitter_->setHandleWidth(layout_.Px(kGap));
    // The line stops 500 twips from either side of the inner width.
    tvBatRule_->setMinimumWidth(layout_.Px(kSplitterMargin - kTreeLeft));
    pxBatRule_->setMinimumWidth(layout_.Px(kSplitterMargin - kGap - kGap));
}

void frmBatRuleMain::CreateToolbar()
{
    tbBatRule_ = new QToolBar(client_);
    tbBatRule_->setObjectName(QStringLiteral("tbBatRule"));
    tbBatRule_->setMovable(false);
    tbBatRule_->setIconSize(QSize(16, 16));
    tbBatRule_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
}

void frmBatRuleMain::CreateStatusBar()
{
    sbBatRule_ = new QStatusBar(client_);
    sbBatRule_->setObjectName(QStringLiteral("sbBatRule"));
    sbBatRule_->setSizeGripEnabled(false);
    const char* const texts[5] = {"", "", "CAPS", "NUM", ""};
    const char* const tips[5] = {"", "", QT_TRANSLATE_NOOP("VEZAROZIVADA", "大小写字母状态"), QT_TRANSLATE_NOOP("VEZAROZIVADA", "数字键盘状态"), QT_TRANSLATE_NOOP("VEZAROZIVADA", "时间")};
    for (int i = 0; i < 5; ++i) {
        panels_[i] = new QLabel(QLatin1String(texts[i]), sbBatRule_);
        panels_[i]->setObjectName(QStringLiteral("sbPanel%1").arg(i + 1));
        panels_[i]->setToolTip(QString::fromUtf8(tips[i]));
        if (i < 2)
            sbBatRule_->addWidget(panels_[i], i == 0 ? 1 : 2);
        else
            sbBatRule_->addPermanentWidget(panels_[i]);
    }
    panels_[4]->setText(QDate::currentDate().toString(Qt::ISODate));
}

// ---- loading and unloading ----

void frmBatRuleMain::Form_Load()
{
    ApplyCaptions();
    LoadSteps::ReadSession();
    std::optional<ValueBag> options;
    MParse::LoadFormResources(this, options, MParse::ResourceKey);
    InitMainWindow();
    MParse::SetLedgerPrintFonts(*ldgBatRule_);
    mnuEditRefresh_Click();
    ShowLockKeys();
}

int frmBatRuleMain::ShowModal()
{
    return exec();
}

void frmBatRuleMain::ApplyCaptions()
{
    Quietly([&] { MParse::SetFormFont(this); });
    setWindowTitle(MParse::TranslateText("批号管理"));
    // What a screen reader says of the panes, which have no label beside them.
    tvBatRule_->setAccessibleName(MParse::TranslateText("物料组"));
    ldgBatRule_->setAccessibleName(MParse::TranslateText("物料"));
    LdgPrint_->setAccessibleName(MParse::TranslateText("打印"));
    commands_->ApplyCaptions();
    for (int i = 2; i < 5; ++i)
        panels_[i]->setToolTip(MParse::TranslateText(panels_[i]->toolTip()));
}

void frmBatRuleMain::InitMainWindow()
{
    // Maximised at once, so that the panes and the ledger have their widths now.
    if (const QScreen* screen = QApplication::primaryScreen())
        resize(screen->availableGeometry().size());
    setWindowState(windowState() | Qt::WindowMaximized);
    resizeEvent(nullptr);
    ledger_ = std::make_unique<BatRuleLedger>();
    print_ = std::make_unique<BatRulePrint>();
    SetUpLedger();
    LoadSteps::LoadCatalogue();
    LoadingParentICItem();
    ShowStatus(Normal, {}, {}, {}, {});
}

void frmBatRuleMain::SetUpLedger()
{
    // The widths are shares of the ledger's width, which its pane gives it only when laid out.
    pxBatRule_->layout()->activate();
    Ledger& ledger = *ldgBatRule_;
    // The font printing sets, from the start: a print leaves the view as it was.
    Quietly([&] { ledger.SetGridFont(BatRulePrint::GridFont()); });
    ledger.SetRows(1);
    ledger.SetCols(4);
    ledger.SetBodyColor(255, 255, 255);
    ledger.SetColumnFlag(1, Ledger::HiddenColumn, true);
    const int width = layout_.Twips(ldgBatRule_->width());
    ledger.SetColumnWidth(2, width / 4);
    ledger.SetColumnWidth(3, width * 3 / 8);
    ledger.SetColumnWidth(4, width * 6 / 8);
}

void frmBatRuleMain::done(int result)
{
    ReleaseMainWindow();
    QDialog::done(result);
}

void frmBatRuleMain::ReleaseMainWindow()
{
    // The ledger asks no more rows of a window that is going.
    ldgBatRule_->rowTextRequest = nullptr;
    ldgBatRule_->activation = nullptr;
    ledger_.reset();
    print_.reset();
}

// ---- tree and ledger ----

void frmBatRuleMain::LoadingParentICItem()
{
    std::shared_ptr<Recordset> groups = ledger_->Database().FetchParentItem();
    if (!groups)
        return;
    // Selecting the root here does not load the ledger: the load's refresh does.
    loadingTree_ = true;
    GroupTree::Load tree = GroupTree::FromGroups(std::move(groups));
    const std::optional<HostError> failure = tree.failure;
    groups_->SetTree(std::move(tree));
    if (failure) {
        loadingTree_ = false;
        GLB::ShowErrorMessage(failure->Description() + QStringLiteral("\r\nLoadingParentICItem "), 0, true, &*failure);
        return;
    }
    RevealNode(groups_->LastNode());
    tvBatRule_->setCurrentIndex(groups_->IndexOfId(0));
    loadingTree_ = false;
}

void frmBatRuleMain::RevealNode(const QModelIndex& node)
{
    for (QModelIndex above = node.parent(); above.isValid(); above = above.parent())
        tvBatRule_->expand(above);
    tvBatRule_->scrollTo(node);
}

void frmBatRuleMain::tvBatRule_NodeClick(const QModelIndex& node)
{
    try {
        ShowStatus(Busy, {}, {}, {}, {});
        const std::optional<int> count = ledger_->ShowGroup(groups_->IdOf(node));
        if (!count) {
            ShowStatus(Normal, {}, {}, {}, {});
            return;
        }
        ldgBatRule_->SetRows(*count + 1);
        ldgBatRule_->Redraw();
        ShowStatus(Normal, {}, {}, {}, BatRuleLedger::CountText(*count));
    } catch (const HostError& error) {
        RestorePointer();
        GLB::ShowErrorMessage(QStringLiteral("tvBatRule_NodeClick \r\n") + error.Description(), 0, false, &error);
    }
}

QString frmBatRuleMain::ldgBatRule_RowText(int row)
{
    if (row == 1)
        return BatRuleLedger::LedgerHeaderText();
    return ledger_ ? ledger_->LedgerRowText(row) : QString();
}

void frmBatRuleMain::ShowStatus(int mode, const QString& a1, const QString& a2, const QString& b1, const QString& b2)
{
    if (mode == Busy) {
        if (!QApplication::overrideCursor())
            QApplication::setOverrideCursor(Qt::WaitCursor);
        panels_[0]->setText(MParse::TranslateText(a1));
        panels_[1]->setText(MParse::TranslateText(a2));
    } else if (mode == Normal) {
        RestorePointer();
        panels_[0]->setText(MParse::TranslateText(b1));
        panels_[1]->setText(MParse::TranslateText(b2));
    }
}

void frmBatRuleMain::RestorePointer()
{
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

// ---- the rule editor and refreshing ----

std::optional<EditorTarget> frmBatRuleMain::PointedTarget()
{
    const QModelIndex node = tvBatRule_->currentIndex();
    if (!node.isValid())
        return std::nullopt;   // the tree did not load: there is no group
    EditorTarget target = EditorTarget::OfGroup(groups_->IdOf(node), node.data().toString());
    const int row = ldgBatRule_->CurrentRow();
    if (focusWidget() == ldgBatRule_ && row > 1)
        target.TakeMaterial(ldgBatRule_->CellText(row, 1), ldgBatRule_->CellText(row, 2), ldgBatRule_->CellText(row, 3));
    if (target.IsRoot()) {
        if (const QString refusal = EditorTarget::RootRefusal(); !refusal.isEmpty()) {
            GLB::ShowErrorMessage(refusal, 0, false);
            return std::nullopt;
        }
    }
    return target;
}

void frmBatRuleMain::OpenRuleEditor()
{
    const std::optional<EditorTarget> target = PointedTarget();
    if (!target)
        return;
    {
        frmBatRuleSet editor;
        target->Aim(editor);
        try {
            editor.ShowModal();   // loads the rule and the options, once
        } catch (const HostError& error) {
            GLB::ShowErrorMessage(QStringLiteral("OpenRuleEditor\r\n") + error.Description(), 0, true, &error);
        }
    }
    mnuEditRefresh_Click();
}

void frmBatRuleMain::ShowHistory()
{
    const std::optional<EditorTarget> target = PointedTarget();
    if (!target)
        return;
    if (!IssuerTables::Exists(CurrentHostConnection(), RuleHistory::kTable))
        return GLB::ShowErrorMessage(MParse::TranslateText(RuleHistory::kNotKept), 0, false);
    HistoryWindow window(CurrentHostConnection(), *target, this);
    window.onHelp = [this] { ShowHelp(); };
    window.exec();
    if (window.Restored())
        mnuEditRefresh_Click();
}

void frmBatRuleMain::FindInGroups()
{
    if (!findBox_) {
        findBox_ = new FindBox(this);
        findBox_->goTo = [this](const MaterialFinder::Match& match) {
            return ShowFound(match.groupId, match.group ? std::nullopt : std::optional(match.id));
        };
    }
    if (findBox_->isVisible() && findBox_->HasMatches())
        return findBox_->Next();
    findBox_->Open();
}

bool frmBatRuleMain::ShowFound(qint32 groupId, std::optional<qint32> materialId)
{
    const QModelIndex node = groups_->IndexOfId(groupId);
    if (!node.isValid())
        return false;
    tvBatRule_->setCurrentIndex(node);   // loads the group's materials
    RevealNode(node);
    activateWindow();
    const std::optional<int> row = materialId && ledger_ ? ledger_->RowOf(*materialId) : std::nullopt;
    if (!row) {
        tvBatRule_->setFocus(Qt::OtherFocusReason);
        return !materialId;
    }
    ldgBatRule_->ShowRow(*row);
    ldgBatRule_->setFocus(Qt::OtherFocusReason);
    return true;
}

void frmBatRuleMain::mnuEditRefresh_Click()
{
    if (refreshing_)
        return;
    refreshing_ = true;
    try {
        if (const QModelIndex node = tvBatRule_->currentIndex(); node.isValid())
            tvBatRule_NodeClick(node);
    } catch (const HostError& error) {
        GLB::ShowErrorMessage(QStringLiteral("mnuEditRefresh_Click\r\n") + error.Description(), 0, false, &error);
    }
    refreshing_ = false;
}

// ---- commands ----

void frmBatRuleMain::RunCommand(MainCommand command)
{
    try {
        switch (command) {
        case MainCommand::Rule:
            return OpenRuleEditor();
        case MainCommand::Print:
            return PrintLedger(false);
        case MainCommand::PrintPreview:
            return PrintLedger(true);
        case MainCommand::PrintSetup:
            return LdgPrint_->Printer().PrinterSetup();
        case MainCommand::Refresh:
            return mnuEditRefresh_Click();
        case MainCommand::ToolBar:
        case MainCommand::ToolBarLabels:
        case MainCommand::StatusBar:
            return Form_Resize();   // the action has turned its check mark already
        case MainCommand::Exit:
            close();
            return;
        case MainCommand::Help:
            return ShowHelp();
        case MainCommand::History:
            return ShowHistory();
        case MainCommand::Find:
            return FindInGroups();
        case MainCommand::Save: case MainCommand::Export: case MainCommand::AddNew: case MainCommand::Delete:
        case MainCommand::Sum: case MainCommand::Sort: case MainCommand::Filter:
        case MainCommand::RefreshAfterSave: case MainCommand::Modify:
            return;   // designed, never enabled
        }
    } catch (const HostError& error) {
        GLB::ShowErrorMessage(QStringLiteral("BarList_ToolClick\r\n") + error.Description(), 0, true, &error);
    }
}

void frmBatRuleMain::PrintLedger(bool preview)
{
    print_->SetBRPrintMasterTitle(windowTitle());
    print_->SetBRPrintSlaveTitle(BatRulePrint::GroupTitle(tvBatRule_->currentIndex().data().toString()));
    print_->SetBRPrintLedger(ldgBatRule_);
    print_->SetLdgLayout();
    if (preview)
        return ldgBatRule_->Printer().PrintPreview();
    panels_[0]->clear();
    if (const LedgerPrinter::Printed printed = ldgBatRule_->Printer().PrintOut(); printed.pages > 0)
        panels_[0]->setText(MParse::TranslateCount("已将 %n 页送往 %1", nullptr, printed.pages, {printed.printer}));
}

void frmBatRuleMain::ShowHelp()
{
    QString subsystem = MMTS::FindPropValue(QStringLiteral("SUBID"));
    if (subsystem.toUpper() == QStringLiteral("HS"))
        subsystem = QStringLiteral("CC");
    MMTS::ShowHelpForKey(VirtualKeys::F1, 0, MMTS::HelpTopic, 0, subsystem, 0);
}

// ---- layout ----

void frmBatRuleMain::resizeEvent(QResizeEvent* event)
{
    if (event)
        QDialog::resizeEvent(event);
    QMenuBar* menu = commands_->MenuBar();
    const int menuHeight = menu->sizeHint().height();
    menu->setGeometry(0, 0, width(), menuHeight);
    client_->setGeometry(0, menuHeight, width(), std::max(0, height() - menuHeight));
    tbBatRule_->setGeometry(0, 0, client_->width(), tbBatRule_->sizeHint().height());
    const int statusHeight = sbBatRule_->sizeHint().height();
    sbBatRule_->setGeometry(0, client_->height() - statusHeight, client_->width(), statusHeight);
    Form_Resize();
}

void frmBatRuleMain::Form_Resize()
{
    tbBatRule_->setVisible(commands_->IsChecked(MainCommand::ToolBar));
    TextUtil::ShowToolbarCaptions(tbBatRule_, commands_->IsChecked(MainCommand::ToolBarLabels));
    tbBatRule_->setGeometry(0, 0, client_->width(), tbBatRule_->sizeHint().height());
    sbBatRule_->setVisible(commands_->IsChecked(MainCommand::StatusBar));
    LayoutPanes(treeWidth_);
}

void frmBatRuleMain::LayoutPanes(int x)
{
    // A window narrowed too far is widened back.
    const int frame = frameGeometry().width() - width();
    if (layout_.Twips(frameGeometry().width()) <= MinimumWidth && !(windowState() & Qt::WindowMinimized))
        resize(layout_.Px(MinimumWidth) - frame, height());
    const bool toolbar = tbBatRule_->isVisibleTo(this);
    const bool status = sbBatRule_->isVisibleTo(this);
    const int treeWidth = x;
    const int paneTop = toolbar ? layout_.Twips(tbBatRule_->y() + tbBatRule_->height()) + kGap : kGap;
    const int paneHeight = layout_.Twips(client_->height()) - (status ? layout_.Twips(sbBatRule_->height()) : 0)
                           - (toolbar ? layout_.Twips(tbBatRule_->height()) : 0) - 80;
    const int paneWidth = layout_.Twips(client_->width()) - kGap - kGap - treeWidth;
    // Negative sizes, as while the window is minimised, are not applied.
    splitter_->setGeometry(layout_.Px(kTreeLeft), layout_.Px(paneTop), std::max(0, layout_.Px(treeWidth + kGap + paneWidth)),
                           std::max(0, layout_.Px(paneHeight)));
    splitter_->setSizes({layout_.Px(treeWidth), layout_.Px(paneWidth)});
}

// ---- keys ----

void frmBatRuleMain::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        ShowLockKeys();
    QDialog::changeEvent(event);
}

void frmBatRuleMain::keyPressEvent(QKeyEvent* event)
{
    // Esc, a dialog's Cancel, is no command here: the window closes only
    // through 退出 or its close button.
    if (event->matches(QKeySequence::Cancel))
        return event->accept();
    QDialog::keyPressEvent(event);
}

void frmBatRuleMain::ShowLockKeys()
{
    const std::optional<bool> states[] = {LockKeys::CapsLock(), LockKeys::NumLock()};
    for (int i = 0; i < 2; ++i)
        panels_[2 + i]->setEnabled(states[i].value_or(false));
}

}
