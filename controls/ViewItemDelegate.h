#pragma once

#include <QBrush>
#include <QStyledItemDelegate>

class QAbstractItemView;

namespace vellbatchrule {

// The item delegate of the main window's views. A view without the focus
// paints its selection grey, so that the user sees which view a command acts
// on; a text its cell cuts shows whole in a tooltip.
class ViewItemDelegate : public QStyledItemDelegate {
public:
    // Gives the view this delegate, which follows the view's focus.
    static void Use(QAbstractItemView* view);

    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit ViewItemDelegate(QAbstractItemView* view);
    void PaintSelection(bool focused);

    QAbstractItemView* view_;
    QBrush highlight_, highlightedText_;   // the view's own, shown while it has the focus
};

}
