#pragma once

#include "RowReader.h"

#include <QStringList>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace vellbatchrule {

class TsqlShape;

// One statement prepared by the SQLite library, kept to be run again. It is
// reset after every use, so while it waits it holds no lock and no table.
class SqliteStatement {
public:
    // Throws HostError with the database's number and text when SQLite refuses it.
    SqliteStatement(sqlite3* db, const QString& sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    // Binds the batch's literals to ?1, ?2 …: `literals` numbers them in `shape`.
    void Bind(const std::vector<int>& literals, const TsqlShape& shape);
    // Runs to the next row: true when there is one. Throws HostError.
    bool Step();
    void Reset();

    // Zero for a statement without rows, or one of only comments.
    int ColumnCount() const;
    // As Qt's SQLite driver names them: without double quotes.
    const QStringList& ColumnNames();
    sqlite3_stmt* Handle() const { return statement_; }

    // Throws the database's error unless `result` is one of success.
    static void Check(sqlite3* db, int result);

private:
    sqlite3* db_;
    sqlite3_stmt* statement_ = nullptr;
    QStringList names_;
    int namesPreparedAs_ = -1;   // the statement's reprepare count when the names were read
};

// The statement's current row, its values as the record set would give them.
class SqliteRow : public RowReader {
public:
    explicit SqliteRow(const SqliteStatement& statement);

    int FieldCount() const override { return columns_; }
    bool IsNull(int index) const override;
    qint64 Integer(int index) const override;
    QString Text(int index) const override;
    QVariant Value(int index) const override;

private:
    int Column(int index) const;   // throws past the fields

    // Short texts repeat row after row (a format, a pad character): each
    // field keeps the last few it made and hands a repeated one out shared.
    static constexpr int kShortText = 8, kKeptTexts = 8;
    struct KeptText {
        QByteArray utf8;
        QString text;
    };
    struct KeptTexts {
        KeptText texts[kKeptTexts];
        int next = 0;
    };

    sqlite3_stmt* statement_;
    int columns_;
    mutable std::vector<KeptTexts> kept_;
};

}
