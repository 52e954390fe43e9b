#pragma once

#include "SqlBackend.h"

#include <QSqlDatabase>

class QSqlError;
class QSqlQuery;

// The host database reached through Qt's ODBC driver. SQL Server gets every
// batch unchanged, inside SET XACT_ABORT ON and one transaction; a data
// source whose DBMS is SQLite gets it through the Transact-SQL bridge.
class OdbcConnection : public SqlBackend {
public:
    explicit OdbcConnection(const QString& connectionString);
    ~OdbcConnection() override;

    std::unique_ptr<Recordset> Execute(const QString& sql, bool inUnit) override;
    bool UsesBridge() const override { return usesBridge_; }
    void Begin(bool writes) override;
    void Commit() override;
    void Rollback() override;

private:
    std::unique_ptr<Recordset> ExecuteOnServer(const QString& sql, bool inUnit);

    void RunStatement(const QString& sql) override;
    void RunQuietly(const QString& sql) override;
    bool Holds(const BridgeStep& condition) override;
    void Run(const BridgeStep& step, std::unique_ptr<Recordset>& result) override;

    void Run(QSqlQuery& query, const QString& sql);
    [[noreturn]] static void Fail(const QSqlError& error);

    QString connectionName_;
    QSqlDatabase db_;
    bool usesBridge_ = false;
};
