#pragma once
// The table `make bench` prints at its end: one row per measure, with its
// figure, the baseline it is measured against in the same run, their ratio and
// the goal. A benchmark program runs its benchmarks through Collector, which
// prints as usual and keeps each run's mean real time, then adds its rows with
// row(). The rows go to the file named by BENCH_SUMMARY (appended), and to
// standard output when that is not set.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

namespace bench_summary {

// Prints like the console reporter and keeps the real time of each run, in
// milliseconds, by its name ("BM_Load/4_mean" for an aggregate, "BM_Load/4"
// for a single run).
class Collector : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.error_occurred) continue;  // the name of the flag in the installed Google Benchmark
            const double seconds = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
            ms[run.benchmark_name()] = seconds * 1e3;
        }
        ConsoleReporter::ReportRuns(runs);
    }
    // The time kept for name, or a negative number when it did not run.
    double time_ms(const std::string& name) const {
        const auto it = ms.find(name);
        return it == ms.end() ? -1.0 : it->second;
    }

    std::map<std::string, double> ms;
};

// One row: what is measured, its figure and its baseline as printed, the ratio
// of the two (or of the figure to the goal's bound) and the goal.
inline void row(const std::string& measure, const std::string& figure, const std::string& baseline, double ratio,
                const std::string& goal, bool met) {
    const char* path = std::getenv("BENCH_SUMMARY");
    FILE* out = path && *path ? std::fopen(path, "a") : stdout;
    if (!out) return;
    std::fprintf(out, "%s\t%s\t%s\t%.2f\t%s\t%s\n", measure.c_str(), figure.c_str(), baseline.c_str(), ratio,
                 goal.c_str(), met ? "met" : "NOT MET");
    if (out != stdout) std::fclose(out);
}

inline std::string ms_text(double ms) {
    char text[32];
    std::snprintf(text, sizeof text, ms < 1 ? "%.3f ms" : "%.1f ms", ms);
    return text;
}

}  // namespace bench_summary
