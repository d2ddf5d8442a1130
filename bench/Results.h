#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <optional>
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

// Prints the runs as the console reporter does and keeps their figures for the goals table.
class CollectingReporter : public benchmark::ConsoleReporter {
public:
    explicit CollectingReporter(OutputOptions options) : ConsoleReporter(options) {}
    void ReportRuns(const std::vector<Run> &runs) override;
    const Results &results() const { return m_results; }

private:
    Results m_results;
};
