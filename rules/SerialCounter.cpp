#include "SerialCounter.h"

#include "AppConnection.h"
#include "HostError.h"
#include "HostErrors.h"
#include "HostText.h"
#include "SqlLines.h"

namespace vellbatchrule {

namespace {

QString N(qint64 value)
{
    return QString::number(value);
}

}

const QString SerialCounter::kTable = QStringLiteral("ICBatchNoSerial");

SerialCounter::SerialCounter(AppConnection& connection, qint32 itemId, const QString& rest, qint64 start)
    : connection_(connection), itemId_(itemId), rest_(rest), start_(start)
{
}

QString SerialCounter::CreateTableSql()
{
    SqlLines sql;
    sql << QStringLiteral(" CREATE TABLE ICBatchNoSerial (")
        << QStringLiteral("   FItemID int NOT NULL,")
        << QStringLiteral("   FRest nvarchar(255) NOT NULL,")
        << QStringLiteral("   FNext bigint NOT NULL)")
        << QStringLiteral(" CREATE UNIQUE INDEX ix_BatchNoSerial_Key ON ICBatchNoSerial (FItemID, FRest)");
    return sql.Text();
}

QString SerialCounter::Key() const
{
    return QStringLiteral(" WHERE FItemID=") + N(itemId_) + QStringLiteral(" AND FRest=") + HostText::SqlLiteral(rest_);
}

QString SerialCounter::NextSql() const
{
    SqlLines sql;
    sql << QStringLiteral(" SELECT FNext FROM ICBatchNoSerial") + Key();
    return sql.Text();
}

// The range lock of the IF's read (UPDLOCK, HOLDLOCK) is held to the end of
// the unit: a second connection waits there, and then finds the row made.
QString SerialCounter::HoldSql() const
{
    SqlLines sql;
    sql << QStringLiteral(" IF NOT EXISTS (SELECT 1 FROM ICBatchNoSerial WITH (UPDLOCK, HOLDLOCK)") + Key()
               + QStringLiteral(")")
        << QStringLiteral(" INSERT INTO ICBatchNoSerial (FItemID, FRest, FNext) VALUES (") + N(itemId_)
               + QStringLiteral(", ") + HostText::SqlLiteral(rest_) + QStringLiteral(", ") + N(start_) + QStringLiteral(")")
        << QStringLiteral(" SELECT FNext FROM ICBatchNoSerial WITH (UPDLOCK, HOLDLOCK)") + Key();
    return sql.Text();
}

QString SerialCounter::MoveToSql(qint64 next) const
{
    SqlLines sql;
    sql << QStringLiteral(" UPDATE ICBatchNoSerial SET FNext = ") + N(next) + Key();
    return sql.Text();
}

qint64 SerialCounter::Next()
{
    const auto row = connection_.Execute(NextSql());
    return row && !row->Eof() ? row->Field(0).toLongLong() : start_;
}

qint64 SerialCounter::Hold()
{
    const auto row = connection_.Execute(HoldSql());
    if (!row || row->Eof())
        throw HostError(HostErrors::NoCurrentRecord, QStringLiteral("ICBatchNoSerial answered no value"), QStringLiteral("SerialCounter"));
    return row->Field(0).toLongLong();
}

void SerialCounter::MoveTo(qint64 next)
{
    connection_.Execute(MoveToSql(next));
}

}
