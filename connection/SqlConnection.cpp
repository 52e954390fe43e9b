#include "SqlConnection.h"

#include "ComponentNames.h"
#include "HostError.h"
#include "HostErrors.h"
#include "OdbcConnection.h"
#include "OdbcConnectionString.h"
#include "SqlTrace.h"
#include "SqliteConnection.h"

#include <QFileInfo>

namespace vellbatchrule {

bool SqlConnection::IsOdbcConnectionString(const QString& target)
{
    return target.contains(QStringLiteral("DSN="), Qt::CaseInsensitive)
           || target.contains(QStringLiteral("DRIVER="), Qt::CaseInsensitive);
}

SqlConnection::SqlConnection(const QString& target)
{
    const bool odbc = IsOdbcConnectionString(target);
    // SQLite would make an empty database of a mistyped name, reached either way.
    const QString file = odbc ? OdbcConnectionString::SqliteDatabaseFile(target) : target;
    if ((!odbc || !file.isEmpty()) && !QFileInfo::exists(file))
        throw HostError(HostErrors::ProviderError,
                        QStringLiteral("The database file '%1' does not exist").arg(OdbcConnectionString::Masked(file)),
                        ComponentNames::AppConnection);
    if (odbc)
        backend_ = std::make_unique<OdbcConnection>(target);
    else
        backend_ = std::make_unique<SqliteConnection>(target);
}

SqlConnection::SqlConnection(std::unique_ptr<SqlBackend> backend) : backend_(std::move(backend)) {}

SqlConnection::~SqlConnection() = default;

bool SqlConnection::UsesBridge() const
{
    return backend_->UsesBridge();
}

std::unique_ptr<Recordset> SqlConnection::Execute(const QString& sql)
{
    SqlTrace::Append(sql);
    return backend_->Execute(sql, inUnit_);
}

void SqlConnection::ReadRows(const QString& sql, const std::function<void(const RowReader&)>& row)
{
    SqlTrace::Append(sql);
    backend_->ReadRows(sql, inUnit_, row);
}

void SqlConnection::BeginTrans()
{
    if (inUnit_)
        throw HostError(HostErrors::ProviderError, QStringLiteral("A unit of work is already open on this connection"),
                        ComponentNames::AppConnection);
    backend_->Begin(true);
    inUnit_ = true;
}

void SqlConnection::ExpectUnit() const
{
    if (!inUnit_)
        throw HostError(HostErrors::NoUnitOfWork, QStringLiteral("No unit of work is open on this connection"),
                        ComponentNames::AppConnection);
}

void SqlConnection::CommitTrans()
{
    ExpectUnit();
    inUnit_ = false;
    try {
        backend_->Commit();
    } catch (...) {
        backend_->Rollback();
        throw;
    }
}

void SqlConnection::RollbackTrans()
{
    ExpectUnit();
    inUnit_ = false;
    backend_->Rollback();
}

}
