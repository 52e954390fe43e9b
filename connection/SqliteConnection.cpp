#include "SqliteConnection.h"

#include "ComponentNames.h"
#include "HostError.h"
#include "HostErrors.h"
#include "InsertOrder.h"
#include "MaterializedRecordset.h"
#include "OdbcConnectionString.h"
#include "SqliteStatement.h"
#include "TsqlBridge.h"
#include "TsqlShape.h"

#include <QScopeGuard>
#include <sqlite3.h>

#include <chrono>
#include <thread>

namespace vellbatchrule {

namespace {

constexpr int kBusyTimeoutMs = 15000;

// Waits for a lock another connection holds by trying again every quarter
// of a millisecond. SQLite's own wait sleeps up to 100 ms between tries: under a
// steady stream of short units (clerks issuing batch numbers) a waiter kept
// missing the moments the lock was free and gave up after the timeout while
// the others ran on. Trying as often as they do gives every waiter its turn.
int WaitForTheLock(void*, int triesSoFar)
{
    constexpr auto kTryEvery = std::chrono::microseconds(250);
    if (triesSoFar >= std::chrono::milliseconds(kBusyTimeoutMs) / kTryEvery)
        return 0;
    std::this_thread::sleep_for(kTryEvery);
    return 1;
}

constexpr int kShapesKept = 64;

// A spread to a million materials rewrites the rule table and reads the
// materials once per element: while writing, a page cache of 64 MiB (filled
// only as pages are read) holds its working set, where the default 2 MiB
// kept spilling dirty pages, and every spill syncs the journal first. Reads
// keep the default: a million-row query would otherwise leave 64 MiB of
// pages it read once in the window's memory. Temporary tables, IN lists and
// statement journals stay in memory instead of going through temporary
// files. The commit stays synchronous.
const QString kWritingCache = QStringLiteral("PRAGMA cache_size = -65536");
const QString kReadingCache = QStringLiteral("PRAGMA cache_size = -2000");
const QString kSettings[] = {kReadingCache, QStringLiteral("PRAGMA temp_store = MEMORY")};

// A lifted literal where SQLite takes no parameter (a column's DEFAULT, a
// text that stands for a name): the batch runs again as written.
struct ParametersRefused {};

std::unique_ptr<Recordset> Materialize(SqliteStatement& statement, bool hasRow)
{
    auto rows = std::make_unique<MaterializedRecordset>(statement.ColumnNames());
    sqlite3_stmt* s = statement.Handle();
    const int columns = statement.ColumnCount();
    for (bool row = hasRow; row; row = statement.Step()) {
        for (int c = 0; c < columns; ++c) {
            switch (sqlite3_column_type(s, c)) {
            case SQLITE_INTEGER:
                rows->AppendInteger(sqlite3_column_int64(s, c));
                break;
            case SQLITE_FLOAT:
                rows->AppendReal(sqlite3_column_double(s, c));
                break;
            case SQLITE_TEXT:
                rows->AppendText(QByteArrayView(reinterpret_cast<const char*>(sqlite3_column_text(s, c)),
                                                sqlite3_column_bytes(s, c)));
                break;
            case SQLITE_BLOB:
                rows->AppendVariant(QByteArray(static_cast<const char*>(sqlite3_column_blob(s, c)),
                                               sqlite3_column_bytes(s, c)));
                break;
            default:
                rows->AppendNull();
                break;
            }
        }
    }
    return rows;
}

}

// A shape's translation and its statements, each prepared when first run.
struct SqliteConnection::PreparedShape {
    std::shared_ptr<const BridgeProgram> program;
    std::vector<std::unique_ptr<SqliteStatement>> statements;   // by step index
};

SqliteConnection::SqliteConnection(const QString& file) : shapes_(kShapesKept)
{
    const int opened = sqlite3_open_v2(file.toUtf8().constData(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX,
                                       nullptr);
    if (opened != SQLITE_OK) {
        const QString reason = QString::fromUtf8(sqlite3_errmsg(db_));
        sqlite3_close(db_);
        throw HostError(HostErrors::ProviderError,
                        QStringLiteral("Cannot open the database '%1': %2").arg(OdbcConnectionString::Masked(file), reason),
                        ComponentNames::AppConnection);
    }
    sqlite3_extended_result_codes(db_, 1);
    sqlite3_busy_handler(db_, &WaitForTheLock, nullptr);
    try {
        for (const QString& setting : kSettings)
            RunStatement(setting);
    } catch (...) {
        sqlite3_close(db_);
        throw;
    }
}

SqliteConnection::~SqliteConnection()
{
    shapes_.clear();
    sqlite3_close_v2(db_);
}

std::unique_ptr<Recordset> SqliteConnection::Execute(const QString& sql, bool inUnit)
{
    const TsqlShape shape(sql);
    try {
        return Run(shape, Prepared(shape), inUnit);
    } catch (const ParametersRefused&) {
        PreparedShape asWritten{std::make_shared<const BridgeProgram>(TranslateTsql(sql)), {}};
        asWritten.statements.resize(asWritten.program->stepCount);
        return Run(shape, asWritten, inUnit);
    }
}

SqliteConnection::PreparedShape& SqliteConnection::Prepared(const TsqlShape& shape)
{
    if (PreparedShape* kept = shapes_.object(shape.Key()))
        return *kept;
    auto* prepared = new PreparedShape{TranslateShape(shape), {}};
    prepared->statements.resize(prepared->program->stepCount);
    shapes_.insert(shape.Key(), prepared);   // may let go of the oldest shape, never of this one
    return *prepared;
}

std::unique_ptr<Recordset> SqliteConnection::Run(const TsqlShape& shape, PreparedShape& prepared, bool inUnit)
{
    shape_ = &shape;
    prepared_ = &prepared;
    const auto done = qScopeGuard([this] {
        shape_ = nullptr;
        prepared_ = nullptr;
    });
    return RunBridged(*prepared.program, inUnit);
}

void SqliteConnection::ReadRows(const QString& sql, bool inUnit, const std::function<void(const RowReader&)>& row)
{
    const TsqlShape shape(sql);
    const std::shared_ptr<const BridgeProgram> program = Prepared(shape).program;
    if (!IsOneQuery(*program))
        return SqlBackend::ReadRows(sql, inUnit, row);
    const BridgeStep& step = program->steps.front();
    // A statement of the read's own, not the shape's kept one: `row` may run
    // batches of the same shape on this connection while the read goes on.
    std::unique_ptr<SqliteStatement> statement;
    try {
        statement = std::make_unique<SqliteStatement>(db_, StatementText(step));
    } catch (const HostError&) {
        if (step.literals.empty())
            throw;
        return SqlBackend::ReadRows(sql, inUnit, row);   // ParametersRefused's case: run as written
    }
    statement->Bind(step.literals, shape);
    const SqliteRow current(*statement);
    while (statement->Step())
        row(current);
}

QString SqliteConnection::StatementText(const BridgeStep& step) const
{
    return step.sql + InsertOrder(db_).OrderBy(step.insert);
}

SqliteStatement& SqliteConnection::Statement(const BridgeStep& step)
{
    std::unique_ptr<SqliteStatement>& statement = prepared_->statements[step.index];
    if (!statement) {
        try {
            statement = std::make_unique<SqliteStatement>(db_, StatementText(step));
        } catch (const HostError&) {
            if (!step.literals.empty())
                throw ParametersRefused();
            throw;
        }
    }
    return *statement;
}

bool SqliteConnection::Holds(const BridgeStep& condition)
{
    SqliteStatement& statement = Statement(condition);
    const auto reset = qScopeGuard([&] { statement.Reset(); });
    statement.Bind(condition.literals, *shape_);
    return statement.Step() && sqlite3_column_int(statement.Handle(), 0) != 0;
}

void SqliteConnection::Run(const BridgeStep& step, std::unique_ptr<Recordset>& result)
{
    SqliteStatement& statement = Statement(step);
    // A kept statement waits reset, holding no lock and no table.
    const auto reset = qScopeGuard([&] { statement.Reset(); });
    statement.Bind(step.literals, *shape_);
    const bool hasRow = statement.Step();
    if (statement.ColumnCount() > 0 && !result)
        result = Materialize(statement, hasRow);
}

void SqliteConnection::RunStatement(const QString& sql)
{
    SqliteStatement::Check(db_, sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, nullptr));
}

void SqliteConnection::RunQuietly(const QString& sql)
{
    sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
}

void SqliteConnection::Begin(bool writes)
{
    if (!writes)
        return RunStatement(QStringLiteral("BEGIN"));
    RunStatement(kWritingCache);
    try {
        // A writer takes the write lock at once, so two writers wait for each
        // other instead of deadlocking on the upgrade.
        RunStatement(QStringLiteral("BEGIN IMMEDIATE"));
    } catch (...) {
        RunQuietly(kReadingCache);
        throw;
    }
}

void SqliteConnection::Commit()
{
    RunStatement(QStringLiteral("COMMIT"));
    RunQuietly(kReadingCache);
}

void SqliteConnection::Rollback()
{
    RunQuietly(QStringLiteral("ROLLBACK"));
    RunQuietly(kReadingCache);
}

}
