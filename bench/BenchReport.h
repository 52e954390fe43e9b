#pragma once

#include "RecordsetMemory.h"

#include <benchmark/benchmark.h>

#include <map>
#include <string>

// The console report of the benchmarks, which also keeps each benchmark's
// median and range for the summary of ratios printed at the end.
class BenchReport : public benchmark::ConsoleReporter {
public:
    struct Figures {
        double median = 0, min = 0, max = 0;   // seconds per iteration
    };

    bool ReportContext(const Context& context) override;
    void ReportRuns(const std::vector<Run>& runs) override;

    // Our side against its baseline, with the goal for their ratio.
    void PrintRatio(const char* what, const char* ours, const char* baseline, double goal) const;
    // A time judged against its goal alone, where no baseline does the same work.
    void PrintTime(const char* what, const char* name, double goalSeconds) const;
    // The spread's cost per material at a million against that at `fewer` materials.
    void PrintScaling(const char* fewerName, int fewer, const char* moreName, int more) const;
    static void PrintMemory(const RecordsetMemory& memory);

private:
    std::map<std::string, Figures> figures_;
};

// Repeated, its repetitions summed up by median, minimum and maximum.
benchmark::internal::Benchmark* Measured(benchmark::internal::Benchmark* b, int repetitions);
// Runs what is registered, the repetitions of every benchmark interleaved at
// random with the others', so a busy moment falls on both sides of a ratio.
void RunInterleaved(int argc, char** argv, BenchReport& report);
