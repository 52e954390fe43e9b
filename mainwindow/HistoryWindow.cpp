#include "HistoryWindow.h"

#include "CommandGuard.h"
#include "GLB.h"
#include "HistoryModel.h"
#include "HostError.h"
#include "MParse.h"
#include "RWDatabase.h"
#include "RuleRestore.h"

#include <QCheckBox>
#include <algorithm>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QTableView>
#include <QVBoxLayout>

namespace vellbatchrule {

namespace {

QString Title()
{
    return MParse::TranslateText("批号规则的更改历史");
}

// Whether the user may see every group: a failed check is shown and answers no.
bool SeesEveryGroup()
{
    try {
        return RWDatabase::SeesEveryGroup();
    } catch (const HostError& error) {
        GLB::ShowErrorMessage(error.Description(), 0, true, &error);
        return false;
    }
}

}

HistoryWindow::HistoryWindow(AppConnection& connection, const EditorTarget& target, QWidget* parent)
    : QDialog(parent), connection_(connection), target_(target), subject_(new QLabel(this)),
      everything_(new QCheckBox(this)), table_(new QTableView(this)), restore_(new QPushButton(this)),
      close_(new QPushButton(this))
{
    setObjectName(QStringLiteral("frmBatRuleHistory"));
    table_->setObjectName(QStringLiteral("tblHistory"));
    everything_->setObjectName(QStringLiteral("chkEverything"));
    restore_->setObjectName(QStringLiteral("cmdRestore"));
    close_->setObjectName(QStringLiteral("cmdClose"));
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(false);
    everything_->setEnabled(SeesEveryGroup());
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(everything_);
    buttons->addStretch();
    buttons->addWidget(restore_);
    buttons->addWidget(close_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(subject_);
    layout->addWidget(table_, 1);
    layout->addLayout(buttons);
    setTabOrder(table_, everything_);
    setTabOrder(everything_, restore_);
    setTabOrder(restore_, close_);
    table_->setFocus();
    connect(everything_, &QCheckBox::toggled, this, &HistoryWindow::ShowScope);
    connect(restore_, &QPushButton::clicked, this, &HistoryWindow::RestoreCurrent);
    connect(close_, &QPushButton::clicked, this, &QDialog::reject);
    connect(table_, &QTableView::doubleClicked, this, &HistoryWindow::RestoreCurrent);
    connect(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, this, [this] {
        if (onHelp)
            onHelp();
    });
    ApplyCaptions();
    ShowScope();
    FitToColumns();
}

HistoryWindow::~HistoryWindow() = default;

// Wide enough for the rule before and after side by side, within the screen.
void HistoryWindow::FitToColumns()
{
    int columns = 2 * table_->frameWidth() + table_->verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < HistoryModel::ColumnCount; ++column)
        columns += table_->columnWidth(column);
    const QMargins margins = layout()->contentsMargins();
    const int screen = (parentWidget() ? parentWidget()->screen() : this->screen())->availableGeometry().width();
    resize(std::clamp(columns + margins.left() + margins.right(), 860, std::max(860, screen * 9 / 10)), 420);
}

void HistoryWindow::ApplyCaptions()
{
    setWindowTitle(Title());
    everything_->setText(MParse::TranslateText("全部规则的更改(&A)"));
    restore_->setText(MParse::TranslateText("恢复更改前的规则(&R)"));
    close_->setText(MParse::TranslateText("关闭(&C)"));
}

void HistoryWindow::ShowScope()
{
    std::optional<std::pair<RuleOwner, qint32>> owner;
    if (everything_->isChecked()) {
        subject_->setText(MParse::TranslateText("全部批号规则和批号选项的更改，最新的在前"));
    } else if (target_.ItemID != 0) {
        owner = std::pair{RuleOwner::Material, target_.ItemID};
        subject_->setText(MParse::TranslateFormat("%1的批号规则的更改，最新的在前", {target_.ItemNumberName}));
    } else {
        owner = std::pair{RuleOwner::Group, target_.ParentItemID};
        subject_->setText(MParse::TranslateFormat("%1的批号规则的更改，最新的在前", {target_.ParentItemNumberName}));
    }
    auto model = std::make_unique<HistoryModel>(connection_, owner);
    table_->setModel(model.get());
    model_ = std::move(model);
    model_->Reload();
    table_->resizeColumnsToContents();
    for (const int text : {HistoryModel::Before, HistoryModel::After})
        table_->setColumnWidth(text, std::max(table_->columnWidth(text), 180));
    table_->selectRow(0);
    restore_->setEnabled(model_->rowCount() > 0);
}

bool HistoryWindow::Confirmed(QMessageBox::Icon icon, const QString& text, QMessageBox::StandardButton preset)
{
    QMessageBox box(icon, Title(), text, QMessageBox::Yes | QMessageBox::No, this);
    box.setDefaultButton(preset);
    const bool yes = box.exec() == QMessageBox::Yes;
    // Without a window manager nobody gives the keyboard back to this window.
    activateWindow();
    return yes;
}

void HistoryWindow::RestoreCurrent()
{
    const int row = table_->currentIndex().isValid() ? table_->currentIndex().row() : -1;
    if (row < 0)
        return;
    const qint32 entry = model_->EntryAt(row);
    if (!Confirmed(QMessageBox::Question, MParse::TranslateFormat("要把规则恢复成记录%1更改之前的样子吗？", {entry}),
                   QMessageBox::Yes))
        return;
    try {
        RuleRestore restore(connection_, entry);
        restore.onConflict = [this](const QString& reason) {
            return Confirmed(QMessageBox::Warning, MParse::TranslateFormat("%1。仍然恢复吗？", {reason}), QMessageBox::No);
        };
        if (restore.Restore()) {
            restored_ = true;
            model_->Reload();
            table_->selectRow(0);
        }
    } catch (const CommandGuard::Refusal& refusal) {
        GLB::ShowErrorMessage(refusal.message, 0, false);
    } catch (const CommandGuard::AlreadyShown&) {
    } catch (const HostError& error) {
        GLB::ShowErrorMessage(error.Description(), 0, true, &error);
    }
}

}
