#pragma once

#include <QString>

#include <functional>

namespace vellbatchrule {

class AppConnection;

// The next value of one serial, kept in the component's own table
// ICBatchNoSerial (FItemID, FRest, FNext): one row per material and rest of
// the number. Values are taken in one unit of work on the host connection;
// the statement that creates a missing row and the one that moves the
// counter run under the same lock, so two connections never take the same
// value, and a unit rolled back gives its values back.
class SerialCounter {
public:
    SerialCounter(AppConnection& connection, qint32 itemId, const QString& rest, qint64 start);

    // The value the next Take answers first.
    qint64 Next();
    // Takes `count` values and answers the first. `check` sees the first
    // before the unit commits; an exception from it rolls the unit back.
    qint64 Take(int count, const std::function<void(qint64 first)>& check);

    // Whether the table exists: a failed statement on it tells no more.
    static bool TableExists(AppConnection& connection);

    static QString CreateTableSql();
    static QString ProbeSql();
    QString NextSql() const;
    QString TakeSql(int count) const;

private:
    QString Key() const;

    AppConnection& connection_;
    qint32 itemId_;
    QString rest_;
    qint64 start_;
};

}
