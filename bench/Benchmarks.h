#pragma once

#include <benchmark/benchmark.h>
#include <chrono>

// Each group of benchmarks registers itself; main() calls these before running.
void registerFileBenchmarks();
void registerStartupBenchmarks();
void registerPeakMemoryBenchmarks();
void registerStudioBenchmarks();
void registerDockBenchmarks();

using Clock = std::chrono::steady_clock;

// The seconds since `start`, for a benchmark that times itself (Timing::Manual).
inline double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Wall-clock time by the library, or timed by the benchmark itself around the part that counts.
enum class Timing { Real, Manual };

// The settings every timed benchmark shares: wall-clock time (file work waits on the system),
// and several short repetitions so that the median of each can be compared with its
// baseline, whose repetitions take turns with them (random interleaving, set in main()).
inline benchmark::internal::Benchmark *timed(benchmark::internal::Benchmark *b,
                                             Timing timing = Timing::Real) {
    if (timing == Timing::Manual)
        b->UseManualTime();
    else
        b->UseRealTime();
    return b->Unit(benchmark::kMillisecond)->MinTime(0.2)->Repetitions(5)->ReportAggregatesOnly(true);
}
