// The rule tools on 100,000 batch-managed materials with 8-element rules on
// half of them, each against the work it stands beside: the spread's dry run
// against the commit it previews, the lint against one read of the whole
// rule table through the SQLite C library.
#include "CommandSession.h"
#include "DemoDatabase.h"
#include "StockComponents.h"
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
#include <map>

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

BENCHMARK(RuleTableThroughSqlite)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);
BENCHMARK(StoredRulesThroughExecute)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);
BENCHMARK(Lint)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);
BENCHMARK(SpreadCommit)->Iterations(1)->Repetitions(3)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);
BENCHMARK(SpreadDryRunCommand)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);
BENCHMARK(SpreadLineCountApart)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

// Keeps the medians so that the ratios can be printed after the run.
class MedianReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            if (run.aggregate_name == "median")
                medians[run.run_name.function_name] = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> medians;   // seconds
};

void PrintRatio(const MedianReporter& reporter, const char* ours, const char* baseline, double target)
{
    if (!reporter.medians.count(ours) || !reporter.medians.count(baseline))
        return;   // filtered out
    const double a = reporter.medians.at(ours);
    const double b = reporter.medians.at(baseline);
    std::printf("%-22s %10.1f ms   %-24s %10.1f ms   ratio %.2f (target <= %.1f) %s\n", ours, a * 1e3, baseline, b * 1e3,
                a / b, target, a / b <= target ? "met" : "MISSED");
}

}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (!QFile::exists(kData)) {
        std::printf("Writing %s (%d groups, %d materials)…\n", qPrintable(kData), kGroups, kMaterials);
        DemoDatabase::WriteSynthetic(kData, kGroups, kMaterials);
    }
    benchmark::Initialize(&argc, argv);
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nMedians:\n");
    PrintRatio(reporter, "SpreadDryRunCommand", "SpreadCommit", 0.2);
    PrintRatio(reporter, "Lint", "RuleTableThroughSqlite", 2.0);
    if (reporter.medians.count("StoredRulesThroughExecute") && reporter.medians.count("RuleTableThroughSqlite"))
        std::printf("  of it the reading through the host connection: %.1f ms, %.2f x the SQLite C library\n",
                    reporter.medians.at("StoredRulesThroughExecute") * 1e3,
                    reporter.medians.at("StoredRulesThroughExecute") / reporter.medians.at("RuleTableThroughSqlite"));
    if (reporter.medians.count("SpreadLineCountApart"))
        std::printf("SpreadLineCountApart   %10.1f ms   on the editor's worker thread; the window's own thread only starts it\n",
                    reporter.medians.at("SpreadLineCountApart") * 1e3);
    benchmark::Shutdown();
    QFile::remove(kScratch);
    return 0;
}
