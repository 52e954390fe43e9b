#include "SqliteStatement.h"

#include "ComponentNames.h"
#include "HostError.h"
#include "HostErrors.h"
#include "TsqlShape.h"

#include <sqlite3.h>

namespace vellbatchrule {

void SqliteStatement::Check(sqlite3* db, int result)
{
    if (result == SQLITE_OK || result == SQLITE_ROW || result == SQLITE_DONE)
        return;
    throw HostError(result, QString::fromUtf8(sqlite3_errmsg(db)), ComponentNames::AppConnection);
}

SqliteStatement::SqliteStatement(sqlite3* db, const QString& sql) : db_(db)
{
    const void* tail = nullptr;
    const int bytes = int(sql.size() * sizeof(QChar));
    Check(db_, sqlite3_prepare16_v3(db_, sql.utf16(), bytes, SQLITE_PREPARE_PERSISTENT, &statement_, &tail));
    const qsizetype used = (static_cast<const char*>(tail) - reinterpret_cast<const char*>(sql.utf16())) / 2;
    if (!sql.mid(used).trimmed().isEmpty()) {
        sqlite3_finalize(statement_);
        throw HostError(SQLITE_MISUSE, QStringLiteral("Unable to execute multiple statements at a time"),
                        ComponentNames::AppConnection);
    }
}

SqliteStatement::~SqliteStatement()
{
    sqlite3_finalize(statement_);
}

void SqliteStatement::Bind(const std::vector<int>& literals, const TsqlShape& shape)
{
    for (int slot = 1; slot <= int(literals.size()); ++slot) {
        const TsqlShape::Literal& literal = shape.LiteralAt(literals[slot - 1]);
        if (!literal.isText) {
            Check(db_, sqlite3_bind_int64(statement_, slot, literal.text.toLongLong()));
            continue;
        }
        const QStringView quoted = literal.text.mid(1, literal.text.size() - 2);
        const QString unescaped = quoted.contains(u"''") ? TsqlShape::TextOf(literal) : QString();
        const QStringView text = unescaped.isNull() ? quoted : QStringView(unescaped);
        // The view is never null, so an empty text binds as '' and not as NULL.
        Check(db_, sqlite3_bind_text16(statement_, slot, text.data(), int(text.size() * sizeof(QChar)),
                                       SQLITE_TRANSIENT));
    }
}

bool SqliteStatement::Step()
{
    if (!statement_)
        return false;
    const int result = sqlite3_step(statement_);
    if (result == SQLITE_ROW)
        return true;
    if (result != SQLITE_DONE) {
        sqlite3_reset(statement_);
        Check(db_, result);
    }
    return false;
}

void SqliteStatement::Reset()
{
    sqlite3_reset(statement_);
}

int SqliteStatement::ColumnCount() const
{
    return statement_ ? sqlite3_column_count(statement_) : 0;
}

const QStringList& SqliteStatement::ColumnNames()
{
    // A schema change prepares the statement anew, and `SELECT *` may then name other columns.
    const int prepared = sqlite3_stmt_status(statement_, SQLITE_STMTSTATUS_REPREPARE, 0);
    if (prepared != namesPreparedAs_) {
        names_.clear();
        for (int i = 0; i < ColumnCount(); ++i)
            names_.append(QString::fromUtf8(sqlite3_column_name(statement_, i)).remove(QLatin1Char('"')));
        namesPreparedAs_ = prepared;
    }
    return names_;
}

}
