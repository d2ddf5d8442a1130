#include "Results.h"

std::optional<double> Measurement::counter(const std::string &name) const {
    const auto it = counters.find(name);
    if (it == counters.end())
        return std::nullopt;
    return it->second;
}

const Measurement *Results::find(const std::string &name) const {
    const auto it = m_byName.find(name);
    return it == m_byName.end() ? nullptr : &it->second;
}

void CollectingReporter::ReportRuns(const std::vector<Run> &runs) {
    ConsoleReporter::ReportRuns(runs);
    for (const Run &run : runs) {
        // A repeated benchmark is reported once per repetition and then by its aggregates:
        // the median stands for it. A single run stands for itself.
        const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
        const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
        if (!median && !single && !run.error_occurred)
            continue;
        Measurement m;
        if (run.error_occurred) {
            m.error = run.error_message.empty() ? std::string("failed") : run.error_message;
        } else {
            m.seconds = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
            for (const auto &[name, counter] : run.counters)
                m.counters[name] = counter.value;
        }
        m_results.record(run.run_name.function_name, m);
    }
}
