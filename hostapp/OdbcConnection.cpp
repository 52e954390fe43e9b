#include "OdbcConnection.h"

#include "ConnectionErrors.h"
#include "HostError.h"
#include "MaterializedRecordset.h"
#include "OdbcConnectionString.h"
#include "TsqlBridge.h"

#include <QAtomicInteger>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <sql.h>
#include <sqlext.h>

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

OdbcConnection::OdbcConnection(const QString& connectionString) : connectionName_(NewConnectionName())
{
    db_ = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), connectionName_);
    db_.setDatabaseName(OdbcConnectionString::ForQtDriver(connectionString));
    if (!db_.open()) {
        const QSqlError error = db_.lastError();
        db_ = QSqlDatabase();
        QSqlDatabase::removeDatabase(connectionName_);
        throw HostError(ConnectionErrors::ProviderError,
                        QStringLiteral("Cannot open the database '%1': %2")
                            .arg(OdbcConnectionString::Masked(connectionString), error.text()),
                        ConnectionErrors::Source);
    }
    usesBridge_ = OdbcDbmsName(db_).contains(QStringLiteral("SQLite"), Qt::CaseInsensitive);
    if (usesBridge_) {
        // The SQLite ODBC driver's own busy timeout is set per statement; the pragma serves all.
        QSqlQuery(QStringLiteral("PRAGMA busy_timeout=%1").arg(kBusyTimeoutMs), db_);
    }
}

OdbcConnection::~OdbcConnection()
{
    db_.close();
    db_ = QSqlDatabase();
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
    throw HostError(numeric ? number : ConnectionErrors::ProviderError, text, ConnectionErrors::Source);
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

void OdbcConnection::Begin(bool)
{
    // On SQL Server, XACT_ABORT makes any failure end the whole transaction.
    if (!usesBridge_)
        RunStatement(QStringLiteral("SET XACT_ABORT ON"));
    if (!db_.transaction())
        Fail(db_.lastError());
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
    if (!inUnit)
        Begin(true);
    try {
        QSqlQuery query(db_);
        query.setForwardOnly(true);
        Run(query, sql);
        std::unique_ptr<Recordset> result;
        do {
            if (query.isSelect()) {
                result = Materialize(query);
                break;
            }
        } while (query.nextResult());
        query.finish();
        if (!inUnit)
            Commit();
        return result;
    } catch (...) {
        if (!inUnit)
            Rollback();
        throw;
    }
}
