// The rule tools on 100,000 batch-managed materials with 8-element rules on
// half of them, each against the work it stands beside: the spread's dry run
// against the commit it previews, the lint against one read of the whole
// rule table through the SQLite C library.
#include "CommandSession.h"
#include "DemoDatabase.h"
#include "StockComponents.h"
#include "BenchReport.h"
#include "RuleAdmin.h"
#include "SpreadDryRun.h"
#include "StoredRules.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>

using namespace vellbatchrule;

namespace {

constexpr int kGroups = 1000;
constexpr int kMaterials = 100000;

const QString kData = QStringLiteral(VELL_BENCH_DATA "/rule-tools-100k.sqlite");
const QString kScratch = QStringLiteral(VELL_BENCH_DATA "/rule-tools-100k-scratch.sqlite");

// The spread every material of the root receives, with the option off.
const RuleAdmin::Target kRoot{std::nullopt, 0};
const QStringList kRule{QStringLiteral("物料代码:长代码:12:0"), QStringLiteral("23:yymmdd"), QStringLiteral("26:1:5")};

// Commands run as the program runs them, on a file the host components reach.
void UseDatabase(const QString& file)
{
    UseStockComponents({file, DefaultPropsString(), QStringLiteral(VELL_RESOURCE_DIR)});
}

void FreshScratch()
{
    QFile::remove(kScratch);
    QFile::copy(kData, kScratch);
}

void RuleTableThroughSqlite(benchmark::State& state)
{
    sqlite3* db = nullptr;
    sqlite3_open(kData.toUtf8().constData(), &db);
    const char* sql = "SELECT FID,FItemID,FPropertyID,FUseShortNumber,FFormatDate,FSelDefine,FWidth,FCharacter,"
                      "FSubCharacter,FDetail FROM ICBatchNoRule";
    for (auto _ : state) {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db, sql, -1, &statement, nullptr);
        int rows = 0;
        while (sqlite3_step(statement) == SQLITE_ROW) {
            for (int c = 0; c < sqlite3_column_count(statement); ++c)
                benchmark::DoNotOptimize(sqlite3_column_text(statement, c));
            ++rows;
        }
        sqlite3_finalize(statement);
        if (rows != kMaterials / 2 * 8)
            state.SkipWithError("the rule table is not as written");
    }
    sqlite3_close(db);
}

// What of the lint is the reading alone: every stored rule through the host connection.
void StoredRulesThroughExecute(benchmark::State& state)
{
    UseDatabase(kData);
    for (auto _ : state) {
        CommandSession session;
        int rules = 0;
        if (!StoredRules::Read([&](const StoredRule&) { ++rules; }) || rules != kMaterials / 2)
            state.SkipWithError("the rules are not as written");
    }
}

void Lint(benchmark::State& state)
{
    UseDatabase(kData);
    for (auto _ : state) {
        int findings = 0;
        const auto summary = RuleAdmin::LintRules([&](const RuleAdmin::LintFinding&) { ++findings; });
        if (!summary || summary->errors > 0)
            state.SkipWithError("the lint found errors or failed");
        benchmark::DoNotOptimize(findings);
    }
}

// The commit a dry run previews: the root's rule spread over every material.
void SpreadCommit(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        FreshScratch();
        UseDatabase(kScratch);
        state.ResumeTiming();
        if (!RuleAdmin::SetRule(kRoot, kRule, RuleAdmin::OwnRules::Replace))
            state.SkipWithError("the commit failed");
    }
}

void SpreadDryRunCommand(benchmark::State& state)
{
    FreshScratch();
    UseDatabase(kScratch);
    for (auto _ : state) {
        if (!RuleAdmin::PlanRule(kRoot, kRule, RuleAdmin::OwnRules::Replace))
            state.SkipWithError("the dry run failed");
    }
}

// The editor's spread line: the count on a thread of its own, as the window runs it.
void SpreadLineCountApart(benchmark::State& state)
{
    UseDatabase(kData);
    for (auto _ : state) {
        std::optional<SpreadDryRun> counted;
        QThread* worker = QThread::create([&] { counted = SpreadDryRun::CountApart(0, QStringLiteral("物料")); });
        worker->start();
        worker->wait();
        delete worker;
        if (!counted || counted->materials != kMaterials)
            state.SkipWithError("the count is wrong");
    }
}

void Register()
{
    for (auto* read : {benchmark::RegisterBenchmark("RuleTableThroughSqlite", RuleTableThroughSqlite),
                       benchmark::RegisterBenchmark("StoredRulesThroughExecute", StoredRulesThroughExecute),
                       benchmark::RegisterBenchmark("Lint", Lint)})
        Measured(read, 9)->Iterations(1)->Unit(benchmark::kMillisecond);
    for (auto* spread : {benchmark::RegisterBenchmark("SpreadCommit", SpreadCommit),
                         benchmark::RegisterBenchmark("SpreadDryRunCommand", SpreadDryRunCommand)})
        Measured(spread, 3)->Iterations(1)->Unit(benchmark::kMillisecond);
    Measured(benchmark::RegisterBenchmark("SpreadLineCountApart", SpreadLineCountApart), 5)
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond);
}

}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (!QFile::exists(kData)) {
        std::printf("Writing %s (%d groups, %d materials)…\n", qPrintable(kData), kGroups, kMaterials);
        DemoDatabase::WriteSynthetic(kData, kGroups, kMaterials);
    }
    Register();
    BenchReport report;
    RunInterleaved(argc, argv, report);
    std::printf("\nMedian (min-max) of the interleaved repetitions; our side first, then its baseline:\n");
    report.PrintRatio("spread dry run / the commit it previews", "SpreadDryRunCommand", "SpreadCommit", 0.2);
    report.PrintRatio("rule lint / one read of the rule table", "Lint", "RuleTableThroughSqlite", 2.0);
    report.PrintRatio("  of it the read of the rules", "StoredRulesThroughExecute", "RuleTableThroughSqlite", 2.0);
    report.PrintTime("the editor's spread line, on its thread", "SpreadLineCountApart", 0.5);
    benchmark::Shutdown();
    QFile::remove(kScratch);
    return 0;
}
