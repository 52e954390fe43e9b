#pragma once

#include "AppConnection.h"

#include <QSqlDatabase>

class QSqlQuery;
struct BridgeStep;
struct BridgeProgram;

// The host connection over Qt Sql. A file name opens it on SQLite; an ODBC
// connection string ("DRIVER=…" or "DSN=…") on Qt's ODBC driver. SQL Server
// gets every batch unchanged; SQLite, reached either way, gets it through the
// Transact-SQL bridge. Every batch is atomic; a unit of work takes the
// write lock at its start (SQLite) and runs each batch in a savepoint.
class SqlConnection : public AppConnection {
public:
    explicit SqlConnection(const QString& target);
    ~SqlConnection() override;

    std::unique_ptr<Recordset> Execute(const QString& sql) override;
    void BeginTrans() override;
    void CommitTrans() override;
    void RollbackTrans() override;

    bool UsesBridge() const { return usesBridge_; }
    static bool IsOdbcConnectionString(const QString& target);

private:
    std::unique_ptr<Recordset> ExecuteOnServer(const QString& sql);
    std::unique_ptr<Recordset> ExecuteBridged(const BridgeProgram& program);
    void RunSteps(const std::vector<BridgeStep>& steps, std::unique_ptr<Recordset>& result);
    void Run(QSqlQuery& query, const QString& sql);
    void Begin(bool writes);
    void Commit();
    void Rollback();
    void RunStatement(const QString& sql);
    [[noreturn]] void Fail(const class QSqlError& error) const;

    QString connectionName_;
    QSqlDatabase db_;
    bool odbc_ = false;
    bool usesBridge_ = true;
    bool inUnit_ = false;
};
