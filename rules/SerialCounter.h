#pragma once

#include <QString>

namespace vellbatchrule {

class AppConnection;

// The next value of one serial, kept in the component's own table
// ICBatchNoSerial (FItemID, FRest, FNext): one row per material and rest of
// the number. Held inside the caller's unit of work, the row is made when
// missing and read under a lock kept to the unit's end, so two connections
// never start from the same value, and a unit rolled back gives its values
// back. The counter only says where to look first: IssuedNumbers keeps a
// number from being issued twice.
class SerialCounter {
public:
    SerialCounter(AppConnection& connection, qint32 itemId, const QString& rest, qint64 start);

    // The value the next Hold answers, read without a lock and taking nothing.
    qint64 Next();
    // Inside a unit of work: the next value, the row locked until the unit ends.
    qint64 Hold();
    // Inside the unit that holds the row: the value the next Hold answers.
    void MoveTo(qint64 next);

    static const QString kTable;
    static QString CreateTableSql();
    QString NextSql() const;
    QString HoldSql() const;
    QString MoveToSql(qint64 next) const;

private:
    QString Key() const;

    AppConnection& connection_;
    qint32 itemId_;
    QString rest_;
    qint64 start_;
};

}
