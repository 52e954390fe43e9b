#include "SerialCounter.h"

#include "AppConnection.h"
#include "HostError.h"
#include "HostErrors.h"
#include "HostText.h"
#include "SqlLines.h"
#include "UnitOfWork.h"

namespace vellbatchrule {

namespace {

QString N(qint64 value)
{
    return QString::number(value);
}

}

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

QString SerialCounter::ProbeSql()
{
    SqlLines sql;
    sql << QStringLiteral(" SELECT COUNT(*) AS FRows FROM ICBatchNoSerial WHERE 1 = 0");
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
QString SerialCounter::TakeSql(int count) const
{
    SqlLines sql;
    sql << QStringLiteral(" IF NOT EXISTS (SELECT 1 FROM ICBatchNoSerial WITH (UPDLOCK, HOLDLOCK)") + Key()
               + QStringLiteral(")")
        << QStringLiteral(" INSERT INTO ICBatchNoSerial (FItemID, FRest, FNext) VALUES (") + N(itemId_)
               + QStringLiteral(", ") + HostText::SqlLiteral(rest_) + QStringLiteral(", ") + N(start_) + QStringLiteral(")")
        << QStringLiteral(" UPDATE ICBatchNoSerial SET FNext = FNext + ") + N(count) + Key()
        << QStringLiteral(" SELECT FNext - ") + N(count) + QStringLiteral(" AS FFirst FROM ICBatchNoSerial") + Key();
    return sql.Text();
}

qint64 SerialCounter::Next()
{
    const auto row = connection_.Execute(NextSql());
    return row && !row->Eof() ? row->Field(0).toLongLong() : start_;
}

qint64 SerialCounter::Take(int count, const std::function<void(qint64 first)>& check)
{
    UnitOfWork unit(connection_);
    const auto row = connection_.Execute(TakeSql(count));
    if (!row || row->Eof())
        throw HostError(HostErrors::NoCurrentRecord, QStringLiteral("ICBatchNoSerial answered no value"), QStringLiteral("SerialCounter"));
    const qint64 first = row->Field(0).toLongLong();
    check(first);
    unit.Commit();
    return first;
}

bool SerialCounter::TableExists(AppConnection& connection)
{
    try {
        connection.Execute(ProbeSql());
        return true;
    } catch (const HostError&) {
        return false;
    }
}

}
