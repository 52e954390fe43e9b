#pragma once

#include <QList>
#include <QSqlDriver>
#include <QStringList>
#include <functional>

// A Qt SQL driver that answers as SQL Server answers through ODBC: a batch
// gives one result per statement, and a statement that fails reports its
// error when the client moves to its result (at exec for the first). It
// records every batch and every transaction call, in order.
class FakeServerDriver : public QSqlDriver {
public:
    static inline const QString Name = QStringLiteral("VELLFAKESERVER");

    // One statement's result: rows of one column "n" (0 for none: no query), or a failure.
    struct Result {
        int rows = -1;      // -1: a statement without rows
        QString error;      // not empty: the statement fails with this text
    };
    // How the server answers a batch; one result unless told.
    static inline std::function<QList<Result>(const QString& batch)> answer;
    // "exec <batch>", "begin", "commit", "rollback".
    static inline QStringList log;

    // Registers the driver under Name and resets the script and the log.
    static void Register();

    bool hasFeature(DriverFeature feature) const override;
    bool open(const QString&, const QString&, const QString&, const QString&, int, const QString&) override;
    void close() override;
    QSqlResult* createResult() const override;
    bool beginTransaction() override;
    bool commitTransaction() override;
    bool rollbackTransaction() override;
};
