#include "Goals.h"

#include "Names.h"
#include "Results.h"

#include <QString>
#include <algorithm>
#include <array>
#include <optional>

namespace {

std::string times(double ratio) {
    return (QString::number(ratio, 'f', 2) + u'x').toStdString();
}

// The measurement of `name`, or the reason the line cannot be judged.
const Measurement *lookUp(const Results &results, const std::string &name, GoalLine &line) {
    const Measurement *m = results.find(name);
    if (!m) {
        line.measured = line.measured.empty() ? name + " not run" : line.measured;
        return nullptr;
    }
    if (!m->error.empty()) {
        line.measured = name + ": " + m->error;
        line.verdict = GoalLine::Verdict::Fail;
        return nullptr;
    }
    return m;
}

} // namespace

namespace {

// A goal on two times: `ratio` makes one figure of them, and `met` judges it (no verdict: a
// line shown for the record).
Goal timeGoal(std::string title, std::string measured, std::string baseline, std::string limit,
              std::function<double(double, double)> ratio, std::function<std::optional<bool>(double)> met) {
    return {std::move(title), [=](const Results &results) {
                GoalLine line;
                line.limit = limit;
                const Measurement *m = lookUp(results, measured, line);
                const Measurement *b = m ? lookUp(results, baseline, line) : nullptr;
                if (!m || !b)
                    return line;
                const double value = ratio(m->seconds, b->seconds);
                line.measured = formatSeconds(m->seconds);
                line.baseline = formatSeconds(b->seconds);
                line.ratio = times(value);
                const std::optional<bool> verdict = met(value);
                line.verdict = !verdict   ? GoalLine::Verdict::Info
                               : *verdict ? GoalLine::Verdict::Pass
                                          : GoalLine::Verdict::Fail;
                return line;
            }};
}

} // namespace

Goal costRatio(std::string title, std::string measured, std::string baseline, double limit) {
    return timeGoal(
        std::move(title), std::move(measured), std::move(baseline), "<= " + times(limit),
        [](double m, double b) { return m / b; },
        [limit](double r) { return std::optional<bool>(r <= limit); });
}

Goal reportRatio(std::string title, std::string measured, std::string baseline) {
    return timeGoal(
        std::move(title), std::move(measured), std::move(baseline), std::string(1, '-'),
        [](double m, double b) { return m / b; }, [](double) { return std::optional<bool>(); });
}

Goal speedup(std::string title, std::string measured, std::string baseline, double limit) {
    return timeGoal(
        std::move(title), std::move(measured), std::move(baseline), ">= " + times(limit) + " faster",
        [](double m, double b) { return b / m; },
        [limit](double r) { return std::optional<bool>(r >= limit); });
}

Goal timeLimit(std::string title, std::string measured, double limit) {
    return {std::move(title), [=](const Results &results) {
                GoalLine line;
                line.limit = "< " + formatSeconds(limit);
                const Measurement *m = lookUp(results, measured, line);
                if (!m)
                    return line;
                line.measured = formatSeconds(m->seconds);
                line.baseline = std::string(1, '-');
                line.ratio = std::string(1, '-');
                line.verdict = m->seconds < limit ? GoalLine::Verdict::Pass : GoalLine::Verdict::Fail;
                return line;
            }};
}

namespace {

Goal memoryGoal(std::string title, std::string measured, std::string baseline, std::optional<double> limit) {
    return {std::move(title), [=](const Results &results) {
                GoalLine line;
                line.limit = limit ? "< " + times(*limit) + " file" : std::string(1, '-');
                const Measurement *m = lookUp(results, measured, line);
                const Measurement *b = m ? lookUp(results, baseline, line) : nullptr;
                if (!m || !b)
                    return line;
                const auto peak = m->counter(BenchNames::peakCounter);
                const auto file = m->counter(BenchNames::fileSizeCounter);
                const auto bare = b->counter(BenchNames::peakCounter);
                if (!peak || !file || !bare || *file <= 0) {
                    line.measured = "no peak memory figures";
                    line.verdict = GoalLine::Verdict::Fail;
                    return line;
                }
                const double ratio = (*peak - *bare) / *file;
                line.measured = formatBytes(*peak);
                line.baseline = "bare " + formatBytes(*bare) + " + file " + formatBytes(*file);
                line.ratio = times(ratio) + " file";
                line.verdict = !limit           ? GoalLine::Verdict::Info
                               : ratio < *limit ? GoalLine::Verdict::Pass
                                                : GoalLine::Verdict::Fail;
                return line;
            }};
}

} // namespace

Goal memoryRatio(std::string title, std::string measured, std::string baseline, double limit) {
    return memoryGoal(std::move(title), std::move(measured), std::move(baseline), limit);
}

Goal memoryReport(std::string title, std::string measured, std::string baseline) {
    return memoryGoal(std::move(title), std::move(measured), std::move(baseline), std::nullopt);
}

std::vector<Goal> runequillGoals() {
    using namespace BenchNames;
    return {
        costRatio("Export, 32767 pages / plain write", exportProject, plainWriteExport, 3.0),
        costRatio("Save, 32767 pages / plain write", saveProject, plainWriteProject, 3.0),
        reportRatio("(safe replace of the script / plain write)", safeWriteExport, plainWriteExport),
        reportRatio("(safe replace of the project / plain write)", safeWriteProject, plainWriteProject),
        costRatio("Open, 32767 pages / plain read", openProject, plainReadProject, 3.0),
        costRatio("Start-up to main window / bare window", startMainWindow, startBareWindow, 1.5),
        reportRatio("(main window alone / bare window alone)", showMainWindow, showBareWindow),
        costRatio("Keystroke, 32767 pages / 100 pages", keystroke32767, keystroke100, 1.5),
        speedup("Keystroke, 32767 pages / plain tree rebuild", keystroke32767, straightRebuild, 100),
        reportRatio("(keystroke, 1000 pages / 100 pages)", keystroke1000, keystroke100),
        reportRatio("(keystroke, 10000 pages / 100 pages)", keystroke10000, keystroke100),
        costRatio("Apply, 32767 pages / 100 pages", apply32767, apply100, 2.0),
        costRatio("Keystroke with all three docks, 32767 pages / 100 pages", dockedKeystroke32767,
                  dockedKeystroke100, 1.5),
        costRatio("Keystroke in the prefix box with both docks, 32767 pages / 100 pages",
                  prefixKeystroke32767, prefixKeystroke100, 1.5),
        costRatio("Page on the map, 32767 pages / 100 pages", mapPage32767, mapPage100, 2.0),
        costRatio("Page played, 32767 pages / 100 pages", playPage32767, playPage100, 2.0),
        timeLimit("Whole map of 2000 pages drawn", wholeMap2000, 1.0),
        reportRatio("(Apply, 1000 pages / 100 pages)", apply1000, apply100),
        reportRatio("(Apply, 10000 pages / 100 pages)", apply10000, apply100),
        reportRatio("(Open... in the studio, 32767 pages / read alone)", openInStudio, openProject),
        costRatio("Open... over a 32767-page project / into a new one", openOverLargest, openInStudio, 1.5),
        memoryRatio("Peak memory, studio with 32767 pages, over bare", peakStudio, peakBareWindow, 4.0),
        memoryReport("(peak memory, 32767 pages + main window, over bare)", peakProject, peakBareWindow),
        timeLimit("Remove page 0 of 32767 pages", removePage, 0.050),
        timeLimit("Undo of that removal", undoRemovePage, 0.050),
        memoryRatio("Peak memory, studio with 32767 pages and 1000 Applies to undo, over bare",
                    peakStudioHistory, peakBareWindow, 4.0),
    };
}

int printGoals(std::ostream &out, const std::vector<Goal> &goals, const Results &results) {
    std::vector<std::array<std::string, 6>> rows;
    rows.push_back({"Goal", "Measured", "Baseline", "Ratio", "Limit", "Result"});
    int failed = 0;
    for (const Goal &goal : goals) {
        const GoalLine line = goal.judge(results);
        const char *result = line.verdict == GoalLine::Verdict::Pass   ? "PASS"
                             : line.verdict == GoalLine::Verdict::Fail ? "FAIL"
                             : line.verdict == GoalLine::Verdict::Info ? "info"
                                                                       : "not run";
        failed += line.verdict == GoalLine::Verdict::Fail ? 1 : 0;
        rows.push_back({goal.title, line.measured, line.baseline, line.ratio, line.limit, result});
    }
    std::array<size_t, 6> width{};
    for (const auto &row : rows)
        for (size_t i = 0; i < row.size(); ++i)
            width[i] = std::max(width[i], row[i].size());
    out << '\n';
    for (size_t r = 0; r < rows.size(); ++r) {
        for (size_t i = 0; i < rows[r].size(); ++i) {
            out << rows[r][i];
            if (i + 1 < rows[r].size())
                out << std::string(width[i] - rows[r][i].size() + 2, ' ');
        }
        out << '\n';
        if (r == 0) {
            size_t total = 0;
            for (size_t w : width)
                total += w + 2;
            out << std::string(total - 2, '-') << '\n';
        }
    }
    return failed;
}
