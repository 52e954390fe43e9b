#pragma once

#include "RuleGrid.h"

#include <QAbstractTableModel>
#include <QList>

namespace vellbatchrule {

// The cells of the spread grid: text, format and lock flag of each, and the
// header texts. User edits arrive through setData and are announced by
// CellEdited; the program's own writes announce only dataChanged.
class SpreadGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Role { FormatRole = Qt::UserRole + 1, LockedRole };

    explicit SpreadGridModel(int columns, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant& value,
                       int role = Qt::EditRole) override;

    // Rows that stay keep their contents; new rows come empty.
    void SetRowCount(int rows);

    QString Text(const QModelIndex& index) const;
    void SetText(const QModelIndex& index, const QString& text);
    RuleGrid::CellFormat Format(const QModelIndex& index) const;
    void SetFormat(const QModelIndex& index, const RuleGrid::CellFormat& format);
    bool IsLocked(const QModelIndex& index) const;
    void SetLocked(const QModelIndex& index, bool locked);

signals:
    void CellEdited(const QModelIndex& index);

private:
    struct Cell {
        QString text;
        RuleGrid::CellFormat format;
        bool locked = false;
    };
    // Throws HostError for an index outside the cells.
    const Cell& At(const QModelIndex& index) const;
    Cell& At(const QModelIndex& index);
    void Changed(const QModelIndex& index);

    int columns_;
    QList<QString> headers_;
    QList<QList<Cell>> rows_;
};

}
