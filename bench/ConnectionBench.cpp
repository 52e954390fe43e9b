// The host connection against the SQLite C library doing the same work, on
// 100,000 batch-managed materials with 8-element rules on half of them.
#include "DemoDatabase.h"
#include "HostError.h"
#include "SqlConnection.h"

#include <QCoreApplication>
#include <QFile>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <map>

namespace {

constexpr int kGroups = 1000;
constexpr int kMaterials = 100000;
constexpr int kFirstMaterial = kGroups + 1;

QString DatabasePath()
{
    return QStringLiteral(VELL_BENCH_DATA "/bench-100k.sqlite");
}

// The spreads rewrite every rule, so each runs on a fresh copy of the data.
QString ScratchCopy()
{
    const QString scratch = QStringLiteral(VELL_BENCH_DATA "/bench-100k-scratch.sqlite");
    QFile::remove(scratch);
    QFile::copy(DatabasePath(), scratch);
    return scratch;
}

QString RuleQuery(int itemId)
{
    return QStringLiteral(" SELECT FID,FItemID,FPropertyID,FUseShortNumber,FFormatDate,FSelDefine,FWidth,FCharacter,"
                          "FSubCharacter\r\n From ICBatchNoRule\r\n Where FItemID=%1 and \r\n       FDetail=1\r\n"
                          " ORDER BY FItemID,FID\r\n")
        .arg(itemId);
}

// Materials with a rule: every other one.
int RuledMaterial(std::int64_t iteration)
{
    return kFirstMaterial + int((iteration * 2) % kMaterials);
}

struct Element {
    int property, shortNumber;
    const char* format;
    const char* define;
    int width;
    const char* pad;
    const char* substitute;
};

const Element kRule[8] = {{4, 0, "", "", 12, "0", "X"}, {23, 0, "yymmdd", "", 6, "", ""}, {20, 0, "", "", 10, "0", ""},
                          {24, 0, "", "-", 1, "", ""},  {25, 0, "000", "", 3, "", ""},    {1, 1, "", "", 6, "0", "N"},
                          {5, 0, "", "", 4, "0", ""},   {26, 0, "", "1", 5, "", ""}};

QString ElementValues(int fid, const Element& e)
{
    return QStringLiteral("%1, FItemID,%2,%3,'%4','%5',%6,'%7','%8'")
        .arg(fid)
        .arg(e.property)
        .arg(e.shortNumber)
        .arg(QString::fromUtf8(e.format), QString::fromUtf8(e.define))
        .arg(e.width)
        .arg(QString::fromUtf8(e.pad), QString::fromUtf8(e.substitute));
}

// The group spread with the option off and no group number, as the rule component sends it.
QString SpreadBatch()
{
    const QString head = QStringLiteral(" Insert into ICBatchNoRule(FID,FItemID,FPropertyID,FUseShortNumber,"
                                        "FFormatDate,FSelDefine,FWidth,FCharacter,FSubCharacter)\r\n");
    QString batch = QStringLiteral(" Delete t1\r\n From ICBatchNoRule t1,t_ICItem t2\r\n"
                                   " Where   t1.FItemID=t2.FItemID and\r\n         t2.FBatchManager = 1\r\n"
                                   " Select Distinct FItemID into #tmp From ICBatchNoRule\r\n");
    for (int i = 0; i < 8; ++i)
        batch += head + QStringLiteral(" Select ") + ElementValues(i + 1, kRule[i])
                 + QStringLiteral("\r\n From t_ICItem\r\n Where FBatchManager = 1\r\n\r\n");
    return batch + QStringLiteral(" Drop table #tmp\r\n");
}

// The same work in SQLite's own words.
std::string NativeSpread()
{
    QString sql = QStringLiteral("BEGIN IMMEDIATE;"
                                 "DELETE FROM ICBatchNoRule WHERE FItemID IN (SELECT FItemID FROM t_ICItem WHERE FBatchManager = 1);"
                                 "CREATE TEMP TABLE tmp AS SELECT DISTINCT FItemID FROM ICBatchNoRule;");
    for (int i = 0; i < 8; ++i)
        sql += QStringLiteral("INSERT INTO ICBatchNoRule(FID,FItemID,FPropertyID,FUseShortNumber,FFormatDate,FSelDefine,"
                              "FWidth,FCharacter,FSubCharacter) SELECT ")
               + ElementValues(i + 1, kRule[i]) + QStringLiteral(" FROM t_ICItem WHERE FBatchManager = 1;");
    sql += QStringLiteral("DROP TABLE tmp;COMMIT;");
    return sql.toStdString();
}

sqlite3* OpenNative(const QString& path = DatabasePath())
{
    sqlite3* db = nullptr;
    sqlite3_open(path.toUtf8().constData(), &db);
    sqlite3_busy_timeout(db, 15000);
    return db;
}

void RuleQueryThroughExecute(benchmark::State& state)
{
    SqlConnection connection(DatabasePath());
    std::int64_t i = 0;
    for (auto _ : state) {
        auto rows = connection.Execute(RuleQuery(RuledMaterial(i++)));
        if (!rows || rows->RecordCount() != 8)
            state.SkipWithError("rule query did not give 8 rows");
        benchmark::DoNotOptimize(rows);
    }
}

void RuleQueryThroughSqlite(benchmark::State& state)
{
    sqlite3* db = OpenNative();
    std::int64_t i = 0;
    for (auto _ : state) {
        const std::string sql = RuleQuery(RuledMaterial(i++)).toStdString();
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db, sql.c_str(), int(sql.size()), &statement, nullptr);
        int rows = 0;
        while (sqlite3_step(statement) == SQLITE_ROW) {
            for (int c = 0; c < sqlite3_column_count(statement); ++c)
                benchmark::DoNotOptimize(sqlite3_column_text(statement, c));
            ++rows;
        }
        sqlite3_finalize(statement);
        if (rows != 8)
            state.SkipWithError("rule query did not give 8 rows");
    }
    sqlite3_close(db);
}

void GroupSpreadThroughExecute(benchmark::State& state)
{
    SqlConnection connection(ScratchCopy());
    const QString batch = SpreadBatch();
    for (auto _ : state)
        connection.Execute(batch);
}

void GroupSpreadThroughSqlite(benchmark::State& state)
{
    sqlite3* db = OpenNative(ScratchCopy());
    const std::string sql = NativeSpread();
    for (auto _ : state) {
        char* error = nullptr;
        if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
            state.SkipWithError(error);
            sqlite3_free(error);
        }
    }
    sqlite3_close(db);
}

BENCHMARK(RuleQueryThroughExecute)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(RuleQueryThroughSqlite)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(GroupSpreadThroughExecute)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);
BENCHMARK(GroupSpreadThroughSqlite)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

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

void PrintRatio(const MedianReporter& reporter, const char* ours, const char* native, double target)
{
    if (!reporter.medians.count(ours) || !reporter.medians.count(native))
        return;   // filtered out
    const double a = reporter.medians.at(ours);
    const double b = reporter.medians.at(native);
    std::printf("%-26s %12.1f us   %-24s %12.1f us   ratio %.2f (target <= %.1f) %s\n", ours, a * 1e6, native, b * 1e6,
                a / b, target, a / b <= target ? "met" : "MISSED");
}

}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (!QFile::exists(DatabasePath())) {
        std::printf("Writing %s (%d groups, %d materials)…\n", qPrintable(DatabasePath()), kGroups, kMaterials);
        DemoDatabase::WriteSynthetic(DatabasePath(), kGroups, kMaterials);
    }
    // Both sides start from the same warm file cache, whichever runs first.
    QFile warm(DatabasePath());
    if (warm.open(QIODevice::ReadOnly))
        while (!warm.read(1 << 20).isEmpty()) {
        }
    benchmark::Initialize(&argc, argv);
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nMedians:\n");
    PrintRatio(reporter, "RuleQueryThroughExecute", "RuleQueryThroughSqlite", 3.0);
    PrintRatio(reporter, "GroupSpreadThroughExecute", "GroupSpreadThroughSqlite", 1.3);
    benchmark::Shutdown();
    return 0;
}
