#pragma once

#include "BatRuleStruct.h"

#include <QAbstractTableModel>
#include <QList>

#include <optional>
#include <utility>

namespace vellbatchrule {

class AppConnection;

// The changes on record of one owner's rule, or of every rule, newest
// first, read a page at a time as the view scrolls to them: a million
// entries cost the memory of those shown. A read that fails shows why and
// stops the reading.
class HistoryModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { Entry, Time, User, Source, Owner, Before, After, Materials, ColumnCount };
    static constexpr int PageRows = 200;

    HistoryModel(AppConnection& connection, std::optional<std::pair<RuleOwner, qint32>> owner,
                 QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

    // The entry's number of a row.
    qint32 EntryAt(int row) const { return rows_.value(row).id; }
    // Reads the first page again.
    void Reload();

private:
    struct Row {
        qint32 id = 0;
        QString time, user, source, owner, before, after;
        int materials = 0;
    };

    AppConnection& connection_;
    std::optional<std::pair<RuleOwner, qint32>> owner_;
    QList<Row> rows_;
    bool more_ = true;
};

}
