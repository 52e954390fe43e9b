#include "BenchReport.h"

#include <QString>
#include <algorithm>
#include <cstdio>

namespace {

const char* Verdict(double ratio, double goal)
{
    return ratio <= goal ? "met" : "MISSED";
}

}

benchmark::internal::Benchmark* Measured(benchmark::internal::Benchmark* b, int repetitions)
{
    return b->Repetitions(repetitions)
        ->ComputeStatistics("min", [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); })
        ->ComputeStatistics("max", [](const std::vector<double>& v) { return *std::max_element(v.begin(), v.end()); })
        ->DisplayAggregatesOnly(true);
}

void RunInterleaved(int argc, char** argv, BenchReport& report)
{
    std::vector<char*> args(argv, argv + argc);
    std::string interleave = "--benchmark_enable_random_interleaving=true";
    args.insert(args.begin() + 1, interleave.data());
    int count = int(args.size());
    benchmark::Initialize(&count, args.data());
    benchmark::RunSpecifiedBenchmarks(&report);
}

bool BenchReport::ReportContext(const Context& context)
{
    // In place of the library's own context, whose DEBUG warning speaks of
    // Debian's build of the timing library, not of the code measured here.
    std::printf("vell-bench: measured code built %s (%s); %d CPUs, load average %.2f\n", VELL_BUILD_TYPE,
                VELL_BUILD_FLAGS, context.cpu_info.num_cpus,
                context.cpu_info.load_avg.empty() ? 0.0 : context.cpu_info.load_avg.front());
    name_field_width_ = context.name_field_width;
    printed_header_ = false;
    return true;
}

void BenchReport::ReportRuns(const std::vector<Run>& runs)
{
    for (const Run& run : runs) {
        const double seconds = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        Figures& f = figures_[run.run_name.function_name];
        if (run.aggregate_name == "median")
            f.median = seconds;
        else if (run.aggregate_name == "min")
            f.min = seconds;
        else if (run.aggregate_name == "max")
            f.max = seconds;
    }
    ConsoleReporter::ReportRuns(runs);
}

void BenchReport::PrintRatio(const char* what, const char* ours, const char* baseline, double goal) const
{
    if (!figures_.count(ours) || !figures_.count(baseline))
        return;   // filtered out
    const Figures& a = figures_.at(ours);
    const Figures& b = figures_.at(baseline);
    // The ratio of the minima is the steadier one on a busy machine; the goal is judged on the medians.
    const double ratio = a.median / b.median;
    const bool ms = b.median >= 0.01;
    const double scale = ms ? 1e3 : 1e6;
    std::printf("%-40s %11.1f %s (%.1f-%.1f) %11.1f %s (%.1f-%.1f)  ratio %.2f (of minima %.2f)  goal <= %.2f %s\n",
                what, a.median * scale, ms ? "ms" : "us", a.min * scale, a.max * scale, b.median * scale,
                ms ? "ms" : "us", b.min * scale, b.max * scale, ratio, a.min / b.min, goal, Verdict(ratio, goal));
}

void BenchReport::PrintTime(const char* what, const char* name, double goalSeconds) const
{
    if (!figures_.count(name))
        return;
    const Figures& f = figures_.at(name);
    std::printf("%-40s %11.2f ms (%.2f-%.2f)  goal <= %.0f ms %s\n", what, f.median * 1e3, f.min * 1e3, f.max * 1e3,
                goalSeconds * 1e3, f.median <= goalSeconds ? "met" : "MISSED");
}

void BenchReport::PrintScaling(const char* fewerName, int fewer, const char* moreName, int more) const
{
    if (!figures_.count(fewerName) || !figures_.count(moreName))
        return;
    const double few = figures_.at(fewerName).median / fewer;
    const double many = figures_.at(moreName).median / more;
    std::printf("%-40s %11.2f us at %d %11.2f us at %d  ratio %.2f  goal <= 1.50 %s\n", "spread, cost per material",
                few * 1e6, fewer, many * 1e6, more, many / few, Verdict(many / few, 1.5));
}

void BenchReport::PrintMemory(const RecordsetMemory& m)
{
    const double mib = 1024.0 * 1024.0;
    const QString what = QStringLiteral("record set of %1 rows").arg(m.rows);
    if (m.peakBytes < 0) {
        std::printf("%-40s peak unknown, %.1f MiB held, values %.1f MiB\n", qPrintable(what), m.heldBytes / mib,
                    m.valueBytes / mib);
        return;
    }
    const double ratio = double(m.peakBytes) / double(m.valueBytes);
    std::printf("%-40s %11.1f MiB peak, %.1f MiB held, values %.1f MiB  ratio %.2f  goal <= 2.00 %s\n",
                qPrintable(what), m.peakBytes / mib, m.heldBytes / mib, m.valueBytes / mib, ratio, Verdict(ratio, 2.0));
}
