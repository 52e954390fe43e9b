#include "ViewItemDelegate.h"

#include <QAbstractItemView>
#include <QFocusEvent>
#include <QHelpEvent>
#include <QToolTip>

namespace vellbatchrule {

void ViewItemDelegate::Use(QAbstractItemView* view)
{
    view->setItemDelegate(new ViewItemDelegate(view));
}

ViewItemDelegate::ViewItemDelegate(QAbstractItemView* view)
    : QStyledItemDelegate(view), view_(view), highlight_(view->palette().brush(QPalette::Active, QPalette::Highlight)),
      highlightedText_(view->palette().brush(QPalette::Active, QPalette::HighlightedText))
{
    view->installEventFilter(this);
    PaintSelection(view->hasFocus());
}

void ViewItemDelegate::PaintSelection(bool focused)
{
    // In every colour group: the style paints a selection as the window's
    // state says, which does not follow the focus.
    QPalette palette = view_->palette();
    palette.setBrush(QPalette::Highlight, focused ? highlight_ : palette.brush(QPalette::Active, QPalette::Midlight));
    palette.setBrush(QPalette::HighlightedText, focused ? highlightedText_ : palette.brush(QPalette::Active, QPalette::Text));
    view_->setPalette(palette);
}

bool ViewItemDelegate::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != view_)
        return QStyledItemDelegate::eventFilter(watched, event);   // an editor's keys
    // A menu or a list that opens over the view leaves it the focus it had.
    if ((event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)
        && static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
        PaintSelection(event->type() == QEvent::FocusIn);
    return false;
}

bool ViewItemDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                                 const QModelIndex& index)
{
    if (event->type() != QEvent::ToolTip)
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    const QRect shown = option.rect.intersected(view->viewport()->rect());
    if (sizeHint(option, index).width() <= shown.width()) {
        QToolTip::hideText();
        return true;
    }
    QToolTip::showText(event->globalPos(), index.data(Qt::DisplayRole).toString(), view->viewport(), option.rect);
    return true;
}

}
