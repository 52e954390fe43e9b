#include "SpreadGridDelegate.h"

#include "RuleGrid.h"

#include <QApplication>
#include <QComboBox>
#include <QIntValidator>
#include <QLineEdit>

namespace vellbatchrule {

namespace {

RuleGrid::CellFormat FormatOf(const QModelIndex& index)
{
    return index.data(RuleGrid::FormatRole).value<RuleGrid::CellFormat>();
}

// A whole number within the limits, or nothing: a length may be cleared.
// A number above the limit cannot even be typed.
class WholeNumberValidator : public QIntValidator {
public:
    using QIntValidator::QIntValidator;

    State validate(QString& input, int& position) const override
    {
        if (input.isEmpty())
            return Acceptable;
        bool number = false;
        if (input.toLongLong(&number) > top() && number)
            return Invalid;
        return QIntValidator::validate(input, position);
    }
};

}

QWidget* SpreadGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const
{
    const RuleGrid::CellFormat format = FormatOf(index);
    if (format.kind == RuleGrid::CellKind::DropDown) {
        auto* list = new QComboBox(parent);
        list->setEditable(false);
        list->addItems(format.items);
        connect(list, &QComboBox::activated, this, &SpreadGridDelegate::CommitAndCloseEditor);
        return list;
    }
    auto* line = new QLineEdit(parent);
    line->setFrame(false);
    if (format.kind == RuleGrid::CellKind::WholeNumber)
        line->setValidator(new WholeNumberValidator(format.minimum, format.maximum, line));
    else if (format.maxLength > 0)
        line->setMaxLength(format.maxLength);
    return line;
}

void SpreadGridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    const QString text = index.data(Qt::EditRole).toString();
    if (auto* list = qobject_cast<QComboBox*>(editor))
        list->setCurrentIndex(list->findText(text, Qt::MatchExactly));
    else if (auto* line = qobject_cast<QLineEdit*>(editor))
        line->setText(text);
}

void SpreadGridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    if (auto* list = qobject_cast<QComboBox*>(editor)) {
        if (list->currentIndex() >= 0)
            model->setData(index, list->currentText());
    } else if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        if (line->hasAcceptableInput())
            model->setData(index, line->text());
    }
}

void SpreadGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    const bool activeList = (option.state & QStyle::State_HasFocus) && FormatOf(index).kind == RuleGrid::CellKind::DropDown
                            && !index.data(RuleGrid::LockedRole).toBool();
    if (!activeList)
        return;
    QStyleOption arrow(option);
    arrow.state = QStyle::State_Enabled;
    if (option.state & QStyle::State_Selected)
        arrow.palette.setColor(QPalette::ButtonText, option.palette.color(QPalette::HighlightedText));
    const int side = option.rect.height();
    arrow.rect = QRect(option.rect.right() - side + 1, option.rect.top(), side, side).adjusted(3, 3, -3, -3);
    const QStyle* style = option.widget ? option.widget->style() : QApplication::style();
    style->drawPrimitive(QStyle::PE_IndicatorArrowDown, &arrow, painter, option.widget);
}

void SpreadGridDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    if (!index.data(RuleGrid::LockedRole).toBool())
        return;
    option->backgroundBrush = option->palette.brush(QPalette::Disabled, QPalette::Window);
    option->palette.setBrush(QPalette::Text, option->palette.brush(QPalette::Disabled, QPalette::Text));
}

void SpreadGridDelegate::CommitAndCloseEditor()
{
    auto* editor = qobject_cast<QWidget*>(sender());
    emit commitData(editor);
    emit closeEditor(editor);
}

}
