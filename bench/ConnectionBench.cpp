// The host connection against the SQLite C library doing the same work.
// Every side runs interleaved with its baseline (Google Benchmark's random
// interleaving of repetitions); medians and ranges are printed at the end.
// VELL_BENCH_MILLION=1 adds the spread to 1,000,000 materials (minutes).
#include "BenchDatabases.h"
#include "BenchReport.h"
#include "RWDatabase.h"
#include "RecordsetMemory.h"
#include "SpreadBatches.h"
#include "SqlConnection.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

using namespace vellbatchrule;

namespace {

using namespace BenchDatabases;

constexpr int kRepetitions = 15;
constexpr int kQueriedMaterials = 1000;

// Materials with a rule (every other one), spread over the table.
int RuledMaterial(std::int64_t iteration)
{
    return kFirstMaterial + int((iteration % kQueriedMaterials) * 2 * 97 % kStandardMaterials);
}

// The texts are made before the timing, so that neither side pays for composing them.
std::vector<QString> RuleQueries()
{
    std::vector<QString> queries;
    for (int i = 0; i < kQueriedMaterials; ++i)
        queries.push_back(RWDatabase::BatchRuleSql(RuledMaterial(i), RuleOwner::Material));
    return queries;
}

const QString& RuleQuery(std::int64_t iteration)
{
    static const std::vector<QString> queries = RuleQueries();
    return queries[std::size_t(iteration % kQueriedMaterials)];
}

const QString& MaterialQuery()
{
    static const QString query = RWDatabase::ItemDetailSql(kLargeGroupID, QString(), QString());
    return query;
}

sqlite3* OpenNative(const QString& path)
{
    sqlite3* db = nullptr;
    sqlite3_open(path.toUtf8().constData(), &db);
    sqlite3_busy_timeout(db, 15000);
    return db;
}

// Reads every value of every row by its type, as the connection does.
int ReadRows(sqlite3_stmt* statement)
{
    int rows = 0;
    const int columns = sqlite3_column_count(statement);
    while (sqlite3_step(statement) == SQLITE_ROW) {
        for (int c = 0; c < columns; ++c) {
            if (sqlite3_column_type(statement, c) == SQLITE_INTEGER)
                benchmark::DoNotOptimize(sqlite3_column_int64(statement, c));
            else
                benchmark::DoNotOptimize(sqlite3_column_text(statement, c) + sqlite3_column_bytes(statement, c));
        }
        ++rows;
    }
    return rows;
}

void Expect(benchmark::State& state, bool holds, const char* what)
{
    if (!holds)
        state.SkipWithError(what);
}

void RuleQueryThroughExecute(benchmark::State& state)
{
    SqlConnection connection(Standard());
    std::int64_t i = 0;
    for (auto _ : state) {
        const auto rows = connection.Execute(RuleQuery(i++));
        Expect(state, rows && rows->RecordCount() == 8, "the rule query did not give 8 rows");
    }
}

void RuleQueryThroughSqlite(benchmark::State& state)
{
    sqlite3* db = OpenNative(Standard());
    std::vector<std::string> texts;
    for (int i = 0; i < kQueriedMaterials; ++i)
        texts.push_back(RuleQuery(i).toStdString());
    std::int64_t i = 0;
    for (auto _ : state) {
        const std::string& sql = texts[std::size_t(i++ % kQueriedMaterials)];
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db, sql.c_str(), int(sql.size()), &statement, nullptr);
        const int rows = ReadRows(statement);
        sqlite3_finalize(statement);
        Expect(state, rows == 8, "the rule query did not give 8 rows");
    }
    sqlite3_close(db);
}

void RuleQueryThroughPreparedSqlite(benchmark::State& state)
{
    sqlite3* db = OpenNative(Standard());
    const char* sql = "SELECT FID,FItemID,FPropertyID,FUseShortNumber,FFormatDate,FSelDefine,FWidth,FCharacter,"
                      "FSubCharacter FROM ICBatchNoRule WHERE FItemID=?1 AND FDetail=?2 ORDER BY FItemID,FID";
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &statement, nullptr);
    std::int64_t i = 0;
    for (auto _ : state) {
        sqlite3_bind_int64(statement, 1, RuledMaterial(i++));
        sqlite3_bind_int64(statement, 2, 1);
        const int rows = ReadRows(statement);
        sqlite3_reset(statement);
        Expect(state, rows == 8, "the rule query did not give 8 rows");
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
}

void MaterialQueryThroughExecute(benchmark::State& state)
{
    SqlConnection connection(OneLargeGroup());
    for (auto _ : state) {
        const auto rows = connection.Execute(MaterialQuery());
        Expect(state, rows && rows->RecordCount() == kStandardMaterials, "the material query lost rows");
    }
}

void MaterialQueryThroughSqlite(benchmark::State& state)
{
    sqlite3* db = OpenNative(OneLargeGroup());
    const std::string sql = MaterialQuery().toStdString();
    for (auto _ : state) {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db, sql.c_str(), int(sql.size()), &statement, nullptr);
        const int rows = ReadRows(statement);
        sqlite3_finalize(statement);
        Expect(state, rows == kStandardMaterials, "the material query lost rows");
    }
    sqlite3_close(db);
}

// Rule rows the spread leaves to the materials: eight each.
constexpr const char* kSpreadRows = "SELECT count(*) FROM ICBatchNoRule WHERE FDetail = 1";

// Each repetition spreads on a fresh copy: the copy is not timed.
void SpreadThroughExecute(benchmark::State& state, const QString& database, int materials)
{
    SqlConnection connection(ScratchCopy(database));
    const QString batch = SpreadBatches::AsSent();
    for (auto _ : state)
        connection.Execute(batch);
    const auto rows = connection.Execute(QString::fromLatin1(kSpreadRows));
    Expect(state, rows->Field(0).toLongLong() == 8LL * materials, "the spread did not reach every material");
}

void SpreadThroughSqlite(benchmark::State& state, const QString& database, int materials)
{
    sqlite3* db = OpenNative(ScratchCopy(database));
    const std::string sql = SpreadBatches::Native();
    for (auto _ : state) {
        char* error = nullptr;
        if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
            state.SkipWithError(error);
            sqlite3_free(error);
        }
    }
    sqlite3_stmt* count = nullptr;
    sqlite3_prepare_v2(db, kSpreadRows, -1, &count, nullptr);
    Expect(state, sqlite3_step(count) == SQLITE_ROW && sqlite3_column_int64(count, 0) == 8LL * materials,
           "the spread did not reach every material");
    sqlite3_finalize(count);
    sqlite3_close(db);
}

void SpreadThroughExecute(benchmark::State& state) { SpreadThroughExecute(state, Standard(), kStandardMaterials); }
void SpreadThroughSqlite(benchmark::State& state) { SpreadThroughSqlite(state, Standard(), kStandardMaterials); }
void MillionSpreadThroughExecute(benchmark::State& state) { SpreadThroughExecute(state, Million(), kMillion); }
void MillionSpreadThroughSqlite(benchmark::State& state) { SpreadThroughSqlite(state, Million(), kMillion); }

void Register(bool million)
{
    for (auto* fast : {benchmark::RegisterBenchmark("RuleQueryThroughExecute", RuleQueryThroughExecute),
                       benchmark::RegisterBenchmark("RuleQueryThroughSqlite", RuleQueryThroughSqlite),
                       benchmark::RegisterBenchmark("RuleQueryThroughPreparedSqlite", RuleQueryThroughPreparedSqlite)})
        Measured(fast, kRepetitions)->MinTime(0.1)->Unit(benchmark::kMicrosecond);
    for (auto* query : {benchmark::RegisterBenchmark("MaterialQueryThroughExecute", MaterialQueryThroughExecute),
                        benchmark::RegisterBenchmark("MaterialQueryThroughSqlite", MaterialQueryThroughSqlite)})
        Measured(query, kRepetitions)->Iterations(2)->Unit(benchmark::kMillisecond);
    for (auto* spread : {benchmark::RegisterBenchmark("SpreadThroughExecute", SpreadThroughExecute),
                         benchmark::RegisterBenchmark("SpreadThroughSqlite", SpreadThroughSqlite)})
        Measured(spread, 5)->Iterations(1)->Unit(benchmark::kMillisecond);
    if (!million)
        return;
    for (auto* spread : {benchmark::RegisterBenchmark("MillionSpreadThroughExecute", MillionSpreadThroughExecute),
                         benchmark::RegisterBenchmark("MillionSpreadThroughSqlite", MillionSpreadThroughSqlite)})
        Measured(spread, 3)->Iterations(1)->Unit(benchmark::kMillisecond);
}

RecordsetMemory MeasureMaterialQuery()
{
    return RecordsetMemory::Measure(
        OneLargeGroup(), MaterialQuery(),
        QStringLiteral("SELECT count(*), max(length(u1.FName)) FROM t_ICItem u1 WHERE u1.FBatchManager = 1 And u1.FParentID=%1")
            .arg(kLargeGroupID));
}

}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (RecordsetMemory::IsChild(argc, argv)) {
        MeasureMaterialQuery().Print();
        return 0;
    }
    const bool million = qEnvironmentVariableIntValue("VELL_BENCH_MILLION") != 0;
    Standard();
    OneLargeGroup();
    if (million)
        Million();
    const RecordsetMemory memory = RecordsetMemory::MeasureInFreshProcess();

    Register(million);
    BenchReport report;
    RunInterleaved(argc, argv, report);

    std::printf("\nMedian (min-max) of the interleaved repetitions; our side first, then its baseline:\n");
    report.PrintRatio("rule query: Execute / prepare-step-final", "RuleQueryThroughExecute", "RuleQueryThroughSqlite", 1.0);
    report.PrintRatio("rule query: Execute / prepared statement", "RuleQueryThroughExecute",
                      "RuleQueryThroughPreparedSqlite", 1.5);
    report.PrintRatio("material query of 100,000 rows", "MaterialQueryThroughExecute", "MaterialQueryThroughSqlite", 1.3);
    report.PrintRatio("spread to 100,000 materials", "SpreadThroughExecute", "SpreadThroughSqlite", 1.0);
    report.PrintRatio("spread to 1,000,000 materials", "MillionSpreadThroughExecute", "MillionSpreadThroughSqlite", 0.3);
    report.PrintScaling("SpreadThroughExecute", kStandardMaterials, "MillionSpreadThroughExecute", kMillion);
    BenchReport::PrintMemory(memory);
    if (!million)
        std::printf("(VELL_BENCH_MILLION=1 adds the spread to 1,000,000 materials; it takes minutes.)\n");
    benchmark::Shutdown();
    return 0;
}
