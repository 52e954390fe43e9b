#include "OdbcConnection.h"

#include "ComponentNames.h"
#include "HostError.h"
#include "HostErrors.h"
#include "MaterializedRecordset.h"
#include "OdbcConnectionString.h"
#include "TsqlBridge.h"
#include "TsqlTokenizer.h"

#include <QAtomicInteger>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <sql.h>
#include <sqlext.h>

#include <algorithm>
#include <iterator>
#include <utility>

namespace vellbatchrule {

namespace {

constexpr int kBusyTimeoutMs = 15000;

QString NewConnectionName()
{
    static QAtomicInteger<quint64> counter;
    return QStringLiteral("vell-odbc-%1").arg(++counter);
}

// The DBMS behind an open ODBC connection, as its driver names it.
QString OdbcDbmsName(const QSqlDatabase& db)
{
    // The ODBC driver hands out its connection handle, an SQLHANDLE.
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || handle.metaType().sizeOf() != sizeof(SQLHANDLE))
        return QString();
    SQLHANDLE hdbc = *static_cast<const SQLHANDLE*>(handle.constData());
    SQLCHAR name[256] = {};
    SQLSMALLINT length = 0;
    if (!SQL_SUCCEEDED(SQLGetInfo(hdbc, SQL_DBMS_NAME, name, sizeof(name), &length)))
        return QString();
    return QString::fromUtf8(reinterpret_cast<const char*>(name), length);
}

// A batch of queries alone: it starts with SELECT and no statement of it, at
// its own level, writes. A batch that cannot be read as one is no read.
bool IsReadOnly(const QString& sql)
{
    static const char* const writing[] = {"INSERT", "UPDATE", "DELETE", "INTO",    "DROP", "CREATE", "ALTER", "EXEC",
                                          "EXECUTE", "MERGE", "TRUNCATE", "SET", "DECLARE", "IF",  "BEGIN", "GRANT"};
    try {
        TsqlTokenizer tokens(sql);
        TsqlToken token;
        int depth = 0;
        bool first = true;
        while (tokens.Next(token)) {
            if (!token.IsSignificant())
                continue;
            if (std::exchange(first, false) && !token.IsWord("SELECT"))
                return false;
            depth += token.IsSymbol('(') ? 1 : token.IsSymbol(')') ? -1 : 0;
            if (depth == 0 && std::any_of(std::begin(writing), std::end(writing), [&](const char* w) { return token.IsWord(w); }))
                return false;
        }
        return !first;
    } catch (const HostError&) {
        return false;
    }
}

std::unique_ptr<Recordset> Materialize(QSqlQuery& query)
{
    const QSqlRecord record = query.record();
    QStringList names;
    for (int i = 0; i < record.count(); ++i)
        names.append(record.fieldName(i));
    auto rows = std::make_unique<MaterializedRecordset>(names);
    while (query.next())
        for (int i = 0; i < names.size(); ++i)
            rows->AppendVariant(query.value(i));
    return rows;
}

}

OdbcConnection::OdbcConnection(const QString& connectionString, const QString& driverName)
    : connectionName_(NewConnectionName())
{
    db_ = QSqlDatabase::addDatabase(driverName, connectionName_);
    db_.setDatabaseName(OdbcConnectionString::ForQtDriver(connectionString));
    if (!db_.open()) {
        const QSqlError error = db_.lastError();
        Forget();
        throw HostError(HostErrors::ProviderError,
                        QStringLiteral("Cannot open the database '%1': %2")
                            .arg(OdbcConnectionString::Masked(connectionString), error.text()),
                        ComponentNames::AppConnection);
    }
    usesBridge_ = OdbcDbmsName(db_).contains(QStringLiteral("SQLite"), Qt::CaseInsensitive);
    if (usesBridge_) {
        // The SQLite ODBC driver's own busy timeout is set per statement; the pragma serves all.
        QSqlQuery(QStringLiteral("PRAGMA busy_timeout=%1").arg(kBusyTimeoutMs), db_);
        return;
    }
    // Once for the connection: any failure then ends the whole transaction on SQL Server.
    QSqlQuery abortOnError(db_);
    if (!abortOnError.exec(QStringLiteral("SET XACT_ABORT ON"))) {
        const QSqlError error = abortOnError.lastError();
        abortOnError = QSqlQuery();
        Forget();
        Fail(error);
    }
}

OdbcConnection::~OdbcConnection()
{
    Forget();
}

void OdbcConnection::Forget()
{
    db_.close();
    db_ = QSqlDatabase();   // Qt removes a connection only when no handle to it is left
    QSqlDatabase::removeDatabase(connectionName_);
}

std::unique_ptr<Recordset> OdbcConnection::Execute(const QString& sql, bool inUnit)
{
    if (!usesBridge_)
        return ExecuteOnServer(sql, inUnit);
    return RunBridged(TranslateTsql(sql), inUnit);
}

void OdbcConnection::Fail(const QSqlError& error)
{
    bool numeric = false;
    const qint32 number = error.nativeErrorCode().toInt(&numeric);
    const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    throw HostError(numeric ? number : HostErrors::ProviderError, text, ComponentNames::AppConnection);
}

void OdbcConnection::Run(QSqlQuery& query, const QString& sql)
{
    if (!query.exec(sql))
        Fail(query.lastError());
}

void OdbcConnection::RunStatement(const QString& sql)
{
    QSqlQuery query(db_);
    Run(query, sql);
}

void OdbcConnection::RunQuietly(const QString& sql)
{
    QSqlQuery(sql, db_);
}

// Writers serialize on the server as they do on SQLite under BEGIN IMMEDIATE:
// every writing transaction first takes one application lock, held until it
// ends, so that a check, the writes after it and what records them are one
// decision. A read in autocommit takes none and is never held up by it.
QString OdbcConnection::WriterLockSql()
{
    return QStringLiteral("DECLARE @granted int\r\n"
                          "EXEC @granted = sp_getapplock @Resource = N'VellBatchRule', @LockMode = N'Exclusive', "
                          "@LockOwner = N'Transaction', @LockTimeout = %1\r\n"
                          "IF @granted < 0 RAISERROR(N'Another writer held the batch rules for %2 seconds', 16, 1)\r\n")
        .arg(kBusyTimeoutMs)
        .arg(kBusyTimeoutMs / 1000);
}

void OdbcConnection::Begin(bool writes)
{
    if (!db_.transaction())
        Fail(db_.lastError());
    if (!writes || usesBridge_)
        return;
    try {
        RunStatement(WriterLockSql());
    } catch (...) {
        db_.rollback();
        throw;
    }
}

void OdbcConnection::Commit()
{
    if (!db_.commit())
        Fail(db_.lastError());
}

void OdbcConnection::Rollback()
{
    db_.rollback();
}

bool OdbcConnection::Holds(const BridgeStep& condition)
{
    QSqlQuery query(db_);
    query.setForwardOnly(true);
    Run(query, condition.sql);
    return query.next() && query.value(0).toInt() != 0;
}

void OdbcConnection::Run(const BridgeStep& step, std::unique_ptr<Recordset>& result)
{
    QSqlQuery query(db_);
    query.setForwardOnly(true);
    Run(query, step.sql);
    if (query.isSelect() && !result)
        result = Materialize(query);
}

std::unique_ptr<Recordset> OdbcConnection::ExecuteOnServer(const QString& sql, bool inUnit)
{
    // A read alone needs no transaction of its own: it runs in autocommit and holds no locks past itself.
    const bool ownTransaction = !inUnit && !IsReadOnly(sql);
    if (ownTransaction)
        Begin(true);
    try {
        QSqlQuery query(db_);
        query.setForwardOnly(true);
        Run(query, sql);
        std::unique_ptr<Recordset> result;
        // SQL Server reports a failing later statement only when the client moves to its result.
        for (;;) {
            if (query.isSelect() && !result)
                result = Materialize(query);
            if (!query.nextResult()) {
                if (query.lastError().isValid())
                    Fail(query.lastError());
                break;
            }
        }
        query.finish();
        if (ownTransaction)
            Commit();
        return result;
    } catch (...) {
        if (ownTransaction)
            Rollback();
        throw;
    }
}

}
