#pragma once

#include "SqlBackend.h"

#include <QSqlDatabase>

class QSqlError;
class QSqlQuery;

namespace vellbatchrule {

// The host database reached through Qt's ODBC driver. SQL Server gets every
// batch unchanged, on a connection with XACT_ABORT ON: a writing batch in a
// transaction of its own or the unit's, a read alone in autocommit; every
// result of a batch is read and its error checked. A data source whose DBMS
// is SQLite gets the batch through the Transact-SQL bridge.
class OdbcConnection : public SqlBackend {
public:
    // driverName: Qt's ODBC driver, or one that behaves as it does (the tests' server).
    explicit OdbcConnection(const QString& connectionString, const QString& driverName = QStringLiteral("QODBC"));
    ~OdbcConnection() override;

    std::unique_ptr<Recordset> Execute(const QString& sql, bool inUnit) override;
    bool UsesBridge() const override { return usesBridge_; }
    void Begin(bool writes) override;
    // What a writing transaction on SQL Server runs first.
    static QString WriterLockSql();
    void Commit() override;
    void Rollback() override;

private:
    std::unique_ptr<Recordset> ExecuteOnServer(const QString& sql, bool inUnit);
    // Closes the connection and removes it from Qt's list.
    void Forget();

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

}
