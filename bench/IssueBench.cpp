// The batch issuer against the counter step written by hand on the SQLite C
// library: 10,000 numbers taken one per unit of work on each side (an update
// with returning in its own transaction, the baseline), and 10,000 numbers
// reserved in one call against its goal alone.
#include "BatchNumberIssuer.h"
#include "BenchReport.h"
#include "DemoDatabase.h"
#include "StockComponents.h"

#include <QCoreApplication>
#include <QFile>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>

using namespace vellbatchrule;

namespace {

constexpr int kNumbers = 10000;
constexpr qint32 kMaterial = 311;   // the date and a serial

const QString kData = QStringLiteral(VELL_BENCH_DATA "/issue.sqlite");
const BatchNumberIssuer::Document kDocument{QDate(2026, 5, 12), std::nullopt, {}};

// The demo, its material's serial long enough for every repetition, and the baseline's own counter row.
void WriteData()
{
    QFile::remove(kData);
    DemoDatabase::WriteHandMade(kData);
    sqlite3* db = nullptr;
    sqlite3_open(kData.toUtf8().constData(), &db);
    sqlite3_exec(db,
                 "UPDATE ICBatchNoRule SET FWidth = 12 WHERE FItemID = 311 AND FDetail = 1 AND FPropertyID = 26;"
                 "INSERT INTO ICBatchNoSerial (FItemID, FRest, FNext) VALUES (0, 'baseline', 1)",
                 nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

void Expect(benchmark::State& state, bool holds, const char* what)
{
    if (!holds)
        state.SkipWithError(what);
}

BatchNumberIssuer& Issuer()
{
    static const auto issuer = [] {
        UseStockComponents({kData, DefaultPropsString(), QStringLiteral(VELL_RESOURCE_DIR)});
        auto opened = BatchNumberIssuer::Open(kMaterial);
        if (!opened) {
            std::fprintf(stderr, "%s\n", qPrintable(opened.failure().text));
            std::exit(1);
        }
        return std::move(*opened);
    }();
    return *issuer;
}

void IssueOnePerUnit(benchmark::State& state)
{
    BatchNumberIssuer& issuer = Issuer();
    for (auto _ : state) {
        int issued = 0;
        for (int i = 0; i < kNumbers; ++i)
            if (const auto one = issuer.Issue(kDocument, 1))
                issued += int(one->numbers.size());
        Expect(state, issued == kNumbers, "a number was not issued");
    }
}

void CounterStepThroughSqlite(benchmark::State& state)
{
    sqlite3* db = nullptr;
    sqlite3_open(kData.toUtf8().constData(), &db);
    sqlite3_busy_timeout(db, 15000);
    sqlite3_stmt* step = nullptr;
    sqlite3_prepare_v2(db,
                       "UPDATE ICBatchNoSerial SET FNext = FNext + ?1 WHERE FItemID = ?2 AND FRest = ?3 "
                       "RETURNING FNext - ?1",
                       -1, &step, nullptr);
    for (auto _ : state) {
        int taken = 0;
        for (int i = 0; i < kNumbers; ++i) {
            sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
            sqlite3_bind_int(step, 1, 1);
            sqlite3_bind_int(step, 2, 0);
            sqlite3_bind_text(step, 3, "baseline", -1, SQLITE_STATIC);
            if (sqlite3_step(step) == SQLITE_ROW) {
                benchmark::DoNotOptimize(sqlite3_column_int64(step, 0));
                ++taken;
            }
            sqlite3_reset(step);
            sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        }
        Expect(state, taken == kNumbers, "the counter row is missing");
    }
    sqlite3_finalize(step);
    sqlite3_close(db);
}

void ReserveInOneCall(benchmark::State& state)
{
    BatchNumberIssuer& issuer = Issuer();
    for (auto _ : state) {
        const auto reserved = issuer.Issue(kDocument, kNumbers);
        Expect(state, reserved && reserved->numbers.size() == kNumbers, "the numbers were not reserved");
    }
}

}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    WriteData();
    for (auto* perUnit : {benchmark::RegisterBenchmark("IssueOnePerUnit", IssueOnePerUnit),
                          benchmark::RegisterBenchmark("CounterStepThroughSqlite", CounterStepThroughSqlite)})
        Measured(perUnit, 5)->Iterations(1)->Unit(benchmark::kMillisecond);
    Measured(benchmark::RegisterBenchmark("ReserveInOneCall", ReserveInOneCall), 15)->Iterations(1)->Unit(benchmark::kMillisecond);
    BenchReport report;
    RunInterleaved(argc, argv, report);

    std::printf("\nMedian (min-max) of the interleaved repetitions; our side first, then its baseline:\n");
    report.PrintRatio("10,000 numbers, one per unit of work", "IssueOnePerUnit", "CounterStepThroughSqlite", 1.5);
    report.PrintTime("10,000 numbers reserved in one call", "ReserveInOneCall", 0.040);
    benchmark::Shutdown();
    return 0;
}
