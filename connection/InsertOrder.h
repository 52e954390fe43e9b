#pragma once

#include <QString>
#include <QStringList>

struct sqlite3;

namespace vellbatchrule {

struct BridgeInsert;

// The order in which an INSERT … SELECT best writes its rows. Into a table
// whose row order nobody sees (no INTEGER PRIMARY KEY numbers the rows, no
// trigger watches them) the rows go in the order of one of its indexes, so
// that each page of the index is written once, not again and again at random.
class InsertOrder {
public:
    explicit InsertOrder(sqlite3* db) : db_(db) {}

    // "ORDER BY n", n the SELECT's column that feeds the leading column of an
    // index; empty when no index is fed or the order could be seen.
    QString OrderBy(const BridgeInsert& insert) const;

private:
    bool RowOrderIsSeen(const QString& table) const;
    QStringList LeadingIndexColumns(const QString& table) const;

    sqlite3* db_;
};

}
