#include "FindBox.h"

#include "FoundItemsModel.h"
#include "MParse.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTreeView>
#include <QVBoxLayout>

namespace vellbatchrule {

namespace {

// "200+" where the search stopped at its most.
QString CountText(int count, bool more)
{
    return QString::number(count) + (more && count >= MaterialFinder::kMost ? QStringLiteral("+") : QString());
}

}

FindBox::FindBox(QWidget* mainWindow)
    : QDialog(mainWindow, Qt::Tool), label_(new QLabel(this)), text_(new QLineEdit(this)), list_(new QTreeView(this)),
      status_(new QLabel(this)), model_(new FoundItemsModel(this))
{
    setObjectName(QStringLiteral("frmBatRuleFind"));
    text_->setObjectName(QStringLiteral("txtFind"));
    list_->setObjectName(QStringLiteral("lvFound"));
    status_->setObjectName(QStringLiteral("lblFound"));
    label_->setBuddy(text_);
    text_->setClearButtonEnabled(true);
    list_->setModel(model_);
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setAllColumnsShowFocus(true);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->header()->setStretchLastSection(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label_);
    layout->addWidget(text_);
    layout->addWidget(list_, 1);
    layout->addWidget(status_);
    text_->installEventFilter(this);
    connect(text_, &QLineEdit::textChanged, this, &FindBox::Typed);
    connect(text_, &QLineEdit::returnPressed, this, &FindBox::GoToCurrent);
    connect(list_, &QTreeView::activated, this, &FindBox::GoToCurrent);
    connect(&finder_, &MaterialFinder::Found, this, &FindBox::Show);
    ApplyCaptions();
    resize(460, 320);
}

FindBox::~FindBox() = default;

void FindBox::ApplyCaptions()
{
    setWindowTitle(MParse::TranslateText("搜索"));
    label_->setText(MParse::TranslateText("物料或物料组的代码、名称(&N)："));
    list_->setAccessibleName(MParse::TranslateText("搜索结果"));
    status_->setText(MParse::TranslateText("输入代码或名称的任意部分"));
}

void FindBox::Open()
{
    // At the main window's lower right, where it hides least of the ledger row it goes to.
    if (!isVisible() && parentWidget()) {
        const QRect main = parentWidget()->geometry();
        move(main.right() - width() - 40, main.bottom() - height() - 60);
    }
    show();
    raise();
    activateWindow();
    text_->setFocus(Qt::ShortcutFocusReason);
    text_->selectAll();
}

void FindBox::Typed()
{
    if (MaterialFinder::Folded(text_->text()).isEmpty()) {
        model_->SetMatches({});
        return ApplyCaptions();
    }
    status_->setText(MParse::TranslateText("正在查找…"));
    finder_.Find(text_->text());
}

void FindBox::Show(const MaterialFinder::Answer& answer)
{
    if (answer.typed != text_->text())
        return;   // a later text is being searched
    model_->SetMatches(answer.matches);
    for (int column = 0; column < FoundItemsModel::Name; ++column)
        list_->resizeColumnToContents(column);
    if (!answer.failure.isEmpty())
        return status_->setText(answer.failure);
    if (answer.matches.isEmpty())
        return status_->setText(MParse::TranslateText("没有找到"));
    const auto groups = int(std::count_if(answer.matches.begin(), answer.matches.end(),
                                          [](const MaterialFinder::Match& match) { return match.group; }));
    const int materials = int(answer.matches.size()) - groups;
    status_->setText(MParse::TranslateFormat("物料组：%1　物料：%2　（Enter 转到，F3 下一个）",
                                             {CountText(groups, answer.more), CountText(materials, answer.more)}));
    list_->setCurrentIndex(model_->index(0, 0));
}

void FindBox::GoToCurrent()
{
    const QModelIndex current = list_->currentIndex();
    if (!current.isValid() || !goTo)
        return QApplication::beep();
    if (!goTo(model_->At(current.row())))
        status_->setText(MParse::TranslateText("它所在的物料组不在物料组树中"));
}

void FindBox::Next()
{
    const int rows = model_->rowCount();
    if (rows == 0)
        return QApplication::beep();
    const int current = list_->currentIndex().isValid() ? list_->currentIndex().row() : -1;
    list_->setCurrentIndex(model_->index((current + 1) % rows, 0));
    GoToCurrent();
}

bool FindBox::HasMatches() const
{
    return model_->rowCount() > 0;
}

// The arrows and the page keys in the text move through the list, so the
// keyboard never has to leave the text to choose.
bool FindBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == text_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown) {
            QApplication::sendEvent(list_, event);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

// The main window's control that last had the keyboard has it again.
void FindBox::hideEvent(QHideEvent* event)
{
    QDialog::hideEvent(event);
    if (QWidget* main = parentWidget(); main && main->isVisible()) {
        main->activateWindow();
        if (QWidget* control = main->focusWidget())
            control->setFocus(Qt::OtherFocusReason);
    }
}

}
