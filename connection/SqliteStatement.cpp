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

SqliteRow::SqliteRow(const SqliteStatement& statement)
    : statement_(statement.Handle()), columns_(statement.ColumnCount()), kept_(columns_)
{
}

int SqliteRow::Column(int index) const
{
    if (index < 0 || index >= columns_)
        throw HostError(HostErrors::ItemNotFound, QStringLiteral("Item cannot be found in the collection: field %1").arg(index),
                        ComponentNames::AppConnection);
    return index;
}

bool SqliteRow::IsNull(int index) const
{
    return sqlite3_column_type(statement_, Column(index)) == SQLITE_NULL;
}

qint64 SqliteRow::Integer(int index) const
{
    return sqlite3_column_int64(statement_, Column(index));
}

QString SqliteRow::Text(int index) const
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, Column(index)));
    if (!text)
        return QString();
    const QByteArrayView utf8(text, sqlite3_column_bytes(statement_, index));
    if (utf8.isEmpty())
        return QStringLiteral("");   // not null, as the record set's empty text
    if (utf8.size() > kShortText)
        return QString::fromUtf8(utf8);
    KeptTexts& kept = kept_[index];
    for (const KeptText& one : kept.texts)
        if (one.utf8 == utf8)
            return one.text;
    KeptText& slot = kept.texts[kept.next];
    kept.next = (kept.next + 1) % kKeptTexts;
    slot.utf8 = utf8.toByteArray();
    slot.text = QString::fromUtf8(utf8);
    return slot.text;
}

QVariant SqliteRow::Value(int index) const
{
    switch (sqlite3_column_type(statement_, Column(index))) {
    case SQLITE_INTEGER:
        return sqlite3_column_int64(statement_, index);
    case SQLITE_FLOAT:
        return sqlite3_column_double(statement_, index);
    case SQLITE_TEXT:
        return Text(index);
    case SQLITE_BLOB:
        return QByteArray(static_cast<const char*>(sqlite3_column_blob(statement_, index)),
                          sqlite3_column_bytes(statement_, index));
    default:
        return QVariant();
    }
}

}
