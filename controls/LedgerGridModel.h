#pragma once

#include <QAbstractTableModel>
#include <QHash>
#include <QStringList>
#include <functional>
#include <optional>

namespace vellbatchrule {

// The ledger's rows as a table: row 1 of the ledger is the header, rows 2
// and up are the body. Nothing is kept from one redraw to the next: a row's
// text is asked for when the row is shown, once for all its cells and roles
// while one paint lasts.
class LedgerGridModel : public QAbstractTableModel {
public:
    using RowText = std::function<QString(int row)>;
    explicit LedgerGridModel(const RowText& rowText, QObject* parent = nullptr);

    int Rows() const { return rows_; }
    int Cols() const { return cols_; }
    void SetRows(int rows);
    void SetCols(int cols);
    // Every row is asked for afresh.
    void Redraw();

    // The cells of a ledger row (1 is the header), as the row-text request answers them.
    QStringList Cells(int ledgerRow) const;

    // Between these, each row is asked for once.
    void BeginPaint() { painting_ = true; }
    void EndPaint();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    // A reset: every row is asked for afresh.
    void Reshape(int rows, int cols);

    const RowText& rowText_;
    int rows_ = 1;
    int cols_ = 0;
    bool painting_ = false;
    mutable QHash<int, QStringList> painted_;   // rows of the paint under way
    mutable std::optional<QStringList> header_;  // the header paints apart from the rows: kept until the next redraw
};

}
