#pragma once

#include <QStyledItemDelegate>

namespace vellbatchrule {

// Makes each cell's editor from its kind: a line edit with the maximum
// length, a line edit for whole numbers within the cell's limits, or a
// drop-down list whose choice commits at once. Locked cells look greyed;
// the active list cell shows a list's arrow.
class SpreadGridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    void CommitAndCloseEditor();
};

}
