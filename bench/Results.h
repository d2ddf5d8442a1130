#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <optional>
#include <ostream>
#include <string>

// What one benchmark measured: its real time per iteration and its counters, both the median
// of its repetitions when it was repeated.
struct Measurement {
    double seconds = 0;
    std::map<std::string, double> counters;
    std::string error; // why the benchmark gave up, when it did

    std::optional<double> counter(const std::string &name) const;
};

// The measurements of a run, by benchmark name.
class Results {
public:
    void record(const std::string &name, const Measurement &measurement) { m_byName[name] = measurement; }
    const Measurement *find(const std::string &name) const;

private:
    std::map<std::string, Measurement> m_byName;
};

// Keeps each benchmark's figures for the goals table and shows one short line per benchmark
// as it finishes. (--benchmark_out=FILE still writes every repetition in full.)
class CollectingReporter : public benchmark::BenchmarkReporter {
public:
    explicit CollectingReporter(std::ostream &out) : m_out(out) {}

    bool ReportContext(const Context &context) override;
    void ReportRuns(const std::vector<Run> &runs) override;
    const Results &results() const { return m_results; }

private:
    std::ostream &m_out;
    Results m_results;
};

// A duration or a size as the tables show it: "138.09 ms", "70.5 MiB".
std::string formatSeconds(double seconds);
std::string formatBytes(double bytes);
