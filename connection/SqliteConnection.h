#pragma once

#include "SqlBackend.h"

#include <QCache>

struct sqlite3;

namespace vellbatchrule {

class SqliteStatement;
class TsqlShape;

// The host database in a SQLite file, on the SQLite library itself. Every
// batch goes through the Transact-SQL bridge; the statements of a batch
// shape are prepared when first run and kept for the recent shapes, the
// batch's literals bound as their parameters.
class SqliteConnection : public SqlBackend {
public:
    explicit SqliteConnection(const QString& file);
    ~SqliteConnection() override;

    std::unique_ptr<Recordset> Execute(const QString& sql, bool inUnit) override;
    void ReadRows(const QString& sql, bool inUnit, const std::function<void(const RowReader&)>& row) override;
    bool UsesBridge() const override { return true; }
    void Begin(bool writes) override;
    void Commit() override;
    void Rollback() override;

private:
    struct PreparedShape;

    PreparedShape& Prepared(const TsqlShape& shape);
    std::unique_ptr<Recordset> Run(const TsqlShape& shape, PreparedShape& prepared, bool inUnit);
    SqliteStatement& Statement(const BridgeStep& step);
    QString StatementText(const BridgeStep& step) const;

    void RunStatement(const QString& sql) override;
    void RunQuietly(const QString& sql) override;
    bool Holds(const BridgeStep& condition) override;
    void Run(const BridgeStep& step, std::unique_ptr<Recordset>& result) override;

    sqlite3* db_ = nullptr;
    QCache<QString, PreparedShape> shapes_;
    // The batch being run and its shape's statements, for the steps to bind and use.
    const TsqlShape* shape_ = nullptr;
    PreparedShape* prepared_ = nullptr;
};

}
