#pragma once

#include "AppConnection.h"

#include <memory>

namespace vellbatchrule {

class SqlBackend;

// The host connection. A file name opens it on SQLite through the SQLite
// library; an ODBC connection string ("DRIVER=…" or "DSN=…") on Qt's ODBC
// driver. SQL Server gets every batch unchanged; SQLite, reached either way,
// gets it through the Transact-SQL bridge. Every batch is atomic; a unit of
// work takes the write lock at its start (SQLite) and runs each batch in a
// savepoint.
class SqlConnection : public AppConnection {
public:
    explicit SqlConnection(const QString& target);
    // On a backend made elsewhere: a driver the tests stand in for SQL Server with.
    explicit SqlConnection(std::unique_ptr<SqlBackend> backend);
    ~SqlConnection() override;

    std::unique_ptr<Recordset> Execute(const QString& sql) override;
    void ReadRows(const QString& sql, const std::function<void(const RowReader&)>& row) override;
    void BeginTrans() override;
    void CommitTrans() override;
    void RollbackTrans() override;

    bool UsesBridge() const;
    static bool IsOdbcConnectionString(const QString& target);

private:
    void ExpectUnit() const;

    std::unique_ptr<SqlBackend> backend_;
    bool inUnit_ = false;
};

}
