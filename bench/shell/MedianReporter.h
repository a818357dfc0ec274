// A console reporter that keeps the median of every benchmark's repetitions, so that a
// benchmark program can print its rows as ratios of the program's piece to its anchor.

#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace bench {

class MedianReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> medians;   // benchmark name -> median real time (its unit)
    std::map<std::string, double> counters;  // "name:counter" -> median of that counter

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Aggregate || run.aggregate_name != "median") continue;
            const std::string name = run.run_name.function_name +
                                     (run.run_name.args.empty() ? "" : "/" + run.run_name.args);
            medians[name] = run.GetAdjustedRealTime();
            for (const auto& [key, c] : run.counters) counters[name + ":" + key] = c.value;
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // Prints one row when both medians were measured: project / anchor against the goal (none
    // for a goal of 0: a row for reference).
    void Ratio(const char* what, const std::string& project, const std::string& anchor,
               double goal) const {
        row(what, medians, project, anchor, "%9.2f", goal);
    }

    // The same for the median of a counter of each benchmark.
    void CounterRatio(const char* what, const std::string& project, const std::string& anchor,
                      const std::string& counter, double goal) const {
        row(what, counters, project + ":" + counter, anchor + ":" + counter, "%9.0f", goal);
    }

private:
    static void row(const char* what, const std::map<std::string, double>& values,
                    const std::string& project, const std::string& anchor, const char* number,
                    double goal) {
        const auto p = values.find(project);
        const auto a = values.find(anchor);
        if (p == values.end() || a == values.end() || a->second <= 0) return;
        std::printf("%-48s ", what);
        std::printf(number, p->second);
        std::printf(" / ");
        std::printf(number, a->second);
        std::printf(" = %5.2fx", p->second / a->second);
        if (goal > 0)
            std::printf("  (goal <= %.2fx)\n", goal);
        else
            std::printf("  (for reference)\n");
    }
};

// Adds random interleaving of repetitions to the command line unless it says otherwise, so a
// busy spell of the machine does not fall on one side of a ratio only.
inline void InitializeInterleaved(int& argc, char**& argv, std::vector<char*>& keep) {
    keep.assign(argv, argv + argc);
    static char interleave[] = "--benchmark_enable_random_interleaving=true";
    bool given = false;
    for (char* a : keep) given |= std::string(a).rfind("--benchmark_enable_random", 0) == 0;
    if (!given) keep.push_back(interleave);
    int count = static_cast<int>(keep.size());
    benchmark::Initialize(&count, keep.data());
}

}  // namespace bench
