#include "SqlConnection.h"

#include "HostError.h"
#include "MaterializedRecordset.h"
#include "OdbcConnectionString.h"
#include "SqlTrace.h"
#include "TsqlBridge.h"

#include <QAtomicInteger>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <sql.h>
#include <sqlext.h>

namespace {

const QString kSource = QStringLiteral("VellConnection.AppConnection");
constexpr qint32 kProviderError = -2147467259;   // E_FAIL, as an OLE DB provider reports it
constexpr qint32 kNoUnitOfWork = -2147168242;    // XACT_E_NOTRANSACTION
constexpr int kBusyTimeoutMs = 15000;
const QString kBatchSavepoint = QStringLiteral("vell_batch");

QString NewConnectionName()
{
    static QAtomicInteger<quint64> counter;
    return QStringLiteral("vell-connection-%1").arg(++counter);
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
    QList<QList<QVariant>> rows;
    while (query.next()) {
        QList<QVariant> row;
        row.reserve(names.size());
        for (int i = 0; i < names.size(); ++i)
            row.append(query.value(i));
        rows.append(std::move(row));
    }
    return std::make_unique<MaterializedRecordset>(std::move(names), std::move(rows));
}

}

bool SqlConnection::IsOdbcConnectionString(const QString& target)
{
    return target.contains(QStringLiteral("DSN="), Qt::CaseInsensitive)
           || target.contains(QStringLiteral("DRIVER="), Qt::CaseInsensitive);
}

SqlConnection::SqlConnection(const QString& target) : connectionName_(NewConnectionName())
{
    odbc_ = IsOdbcConnectionString(target);
    // SQLite would make an empty database of a mistyped name, reached either way.
    const QString file = odbc_ ? OdbcConnectionString::SqliteDatabaseFile(target) : target;
    if ((!odbc_ || !file.isEmpty()) && !QFileInfo::exists(file))
        throw HostError(kProviderError, QStringLiteral("The database file '%1' does not exist").arg(file), kSource);
    db_ = QSqlDatabase::addDatabase(odbc_ ? QStringLiteral("QODBC") : QStringLiteral("QSQLITE"), connectionName_);
    db_.setDatabaseName(target);
    if (!odbc_)
        db_.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
    if (!db_.open()) {
        const QSqlError error = db_.lastError();
        db_ = QSqlDatabase();
        QSqlDatabase::removeDatabase(connectionName_);
        throw HostError(kProviderError, QStringLiteral("Cannot open the database '%1': %2").arg(target, error.text()), kSource);
    }
    usesBridge_ = !odbc_ || OdbcDbmsName(db_).contains(QStringLiteral("SQLite"), Qt::CaseInsensitive);
    if (odbc_ && usesBridge_) {
        // The SQLite ODBC driver's own busy timeout is set per statement; the pragma serves all.
        QSqlQuery(QStringLiteral("PRAGMA busy_timeout=%1").arg(kBusyTimeoutMs), db_);
    }
}

SqlConnection::~SqlConnection()
{
    db_.close();
    db_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(connectionName_);
}

std::unique_ptr<Recordset> SqlConnection::Execute(const QString& sql)
{
    SqlTrace::Append(sql);
    if (!usesBridge_)
        return ExecuteOnServer(sql);
    return ExecuteBridged(TranslateTsql(sql));
}

void SqlConnection::Fail(const QSqlError& error) const
{
    bool numeric = false;
    const qint32 number = error.nativeErrorCode().toInt(&numeric);
    const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    throw HostError(numeric ? number : kProviderError, text, kSource);
}

void SqlConnection::Run(QSqlQuery& query, const QString& sql)
{
    if (!query.exec(sql))
        Fail(query.lastError());
}

void SqlConnection::RunStatement(const QString& sql)
{
    QSqlQuery query(db_);
    Run(query, sql);
}

void SqlConnection::Begin(bool writes)
{
    if (odbc_) {
        if (!db_.transaction())
            Fail(db_.lastError());
        return;
    }
    // A writer takes the write lock at once, so two writers wait for each other
    // instead of deadlocking on the upgrade.
    RunStatement(writes ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("BEGIN"));
}

void SqlConnection::Commit()
{
    if (odbc_) {
        if (!db_.commit())
            Fail(db_.lastError());
        return;
    }
    RunStatement(QStringLiteral("COMMIT"));
}

void SqlConnection::Rollback()
{
    if (odbc_)
        db_.rollback();
    else
        QSqlQuery(QStringLiteral("ROLLBACK"), db_);
}

std::unique_ptr<Recordset> SqlConnection::ExecuteBridged(const BridgeProgram& program)
{
    std::unique_ptr<Recordset> result;
    // One plain query is atomic by itself and needs no transaction.
    const bool single = program.steps.size() == 1 && !program.steps.front().isCondition && !program.writes;
    if (single) {
        RunSteps(program.steps, result);
        return result;
    }
    // Inside a unit of work the batch is a savepoint, so a failing batch
    // leaves the unit as it was before the batch.
    if (inUnit_)
        RunStatement(QStringLiteral("SAVEPOINT ") + kBatchSavepoint);
    else
        Begin(program.writes);
    try {
        RunSteps(program.steps, result);
        for (const QString& table : program.tempTables)
            RunStatement(QStringLiteral("DROP TABLE IF EXISTS temp.%1").arg(table));
        if (inUnit_)
            RunStatement(QStringLiteral("RELEASE ") + kBatchSavepoint);
        else
            Commit();
    } catch (...) {
        if (inUnit_) {
            QSqlQuery(QStringLiteral("ROLLBACK TO ") + kBatchSavepoint, db_);
            QSqlQuery(QStringLiteral("RELEASE ") + kBatchSavepoint, db_);
        } else {
            Rollback();
        }
        throw;
    }
    return result;
}

void SqlConnection::RunSteps(const std::vector<BridgeStep>& steps, std::unique_ptr<Recordset>& result)
{
    for (const BridgeStep& step : steps) {
        QSqlQuery query(db_);
        query.setForwardOnly(true);
        Run(query, step.sql);
        if (step.isCondition) {
            const bool holds = query.next() && query.value(0).toInt() != 0;
            query.finish();
            RunSteps(holds ? step.whenTrue : step.whenFalse, result);
        } else if (query.isSelect() && !result) {
            result = Materialize(query);
        }
    }
}

std::unique_ptr<Recordset> SqlConnection::ExecuteOnServer(const QString& sql)
{
    // Inside a unit of work, XACT_ABORT makes any failure end the whole unit.
    if (!inUnit_) {
        RunStatement(QStringLiteral("SET XACT_ABORT ON"));
        Begin(true);
    }
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
        if (!inUnit_)
            Commit();
        return result;
    } catch (...) {
        if (!inUnit_)
            Rollback();
        throw;
    }
}

void SqlConnection::BeginTrans()
{
    if (inUnit_)
        throw HostError(kProviderError, QStringLiteral("A unit of work is already open on this connection"), kSource);
    if (!usesBridge_)
        RunStatement(QStringLiteral("SET XACT_ABORT ON"));
    Begin(true);
    inUnit_ = true;
}

void SqlConnection::CommitTrans()
{
    if (!inUnit_)
        throw HostError(kNoUnitOfWork, QStringLiteral("No unit of work is open on this connection"), kSource);
    inUnit_ = false;
    try {
        Commit();
    } catch (...) {
        Rollback();
        throw;
    }
}

void SqlConnection::RollbackTrans()
{
    if (!inUnit_)
        throw HostError(kNoUnitOfWork, QStringLiteral("No unit of work is open on this connection"), kSource);
    inUnit_ = false;
    Rollback();
}
