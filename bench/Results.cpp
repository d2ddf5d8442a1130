#include "Results.h"

#include <QString>
#include <iomanip>

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

bool CollectingReporter::ReportContext(const Context &context) {
    m_out << "runequill-bench on " << context.cpu_info.num_cpus << " CPUs"
          << (context.cpu_info.scaling == benchmark::CPUInfo::ENABLED ? " (frequency scaling on)" : "")
          << "; each time is the median of its repetitions, which take turns with the others'.\n";
    return true;
}

void CollectingReporter::ReportRuns(const std::vector<Run> &runs) {
    for (const Run &run : runs) {
        // A repeated benchmark is reported once per repetition and then by its aggregates:
        // the median stands for it. A single run stands for itself.
        const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
        const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
        if (!median && !single && !run.error_occurred)
            continue;
        const std::string &name = run.run_name.function_name;
        Measurement m;
        m_out << "  " << std::left << std::setw(34) << name << ' ';
        if (run.error_occurred) {
            m.error = run.error_message.empty() ? std::string("failed") : run.error_message;
            m_out << "failed: " << m.error;
        } else {
            m.seconds = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
            m_out << std::right << std::setw(11) << formatSeconds(m.seconds);
            for (const auto &[counter, value] : run.counters) {
                m.counters[counter] = value.value;
                if (value.oneK == benchmark::Counter::kIs1024)
                    m_out << "  " << counter << ' ' << formatBytes(value.value)
                          << (value.flags & benchmark::Counter::kIsRate ? "/s" : "");
            }
        }
        m_out << '\n' << std::flush;
        m_results.record(name, m);
    }
}

std::string formatSeconds(double seconds) {
    const auto text = [](double value, const char *unit, int decimals) {
        return (QString::number(value, 'f', decimals) + QLatin1String(unit)).toStdString();
    };
    if (seconds >= 1)
        return text(seconds, " s", 2);
    if (seconds >= 1e-3)
        return text(seconds * 1e3, " ms", 2);
    if (seconds >= 1e-6)
        return text(seconds * 1e6, " us", 2);
    return text(seconds * 1e9, " ns", 0);
}

std::string formatBytes(double bytes) {
    return (QString::number(bytes / (1024.0 * 1024.0), 'f', 1) + QLatin1String(" MiB")).toStdString();
}
