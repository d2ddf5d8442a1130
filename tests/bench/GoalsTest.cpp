#include "Goals.h"
#include "Names.h"
#include "Results.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {

Measurement took(double seconds) {
    Measurement m;
    m.seconds = seconds;
    return m;
}

Measurement peak(double mib, double fileMib = 0) {
    Measurement m;
    m.counters[BenchNames::peakCounter] = mib * 1024 * 1024;
    if (fileMib > 0)
        m.counters[BenchNames::fileSizeCounter] = fileMib * 1024 * 1024;
    return m;
}

TEST(Goals, TimeRatiosAreJudgedAgainstTheirLimits) {
    Results results;
    results.record("slow", took(0.030));
    results.record("slower", took(0.031));
    results.record("plain", took(0.010));
    results.record("rebuild", took(0.150));
    results.record("keystroke", took(0.001));

    const GoalLine atLimit = costRatio("t", "slow", "plain", 3.0).judge(results);
    EXPECT_EQ(atLimit.ratio, "3.00x");
    EXPECT_EQ(atLimit.measured, "30.00 ms");
    EXPECT_EQ(atLimit.baseline, "10.00 ms");
    EXPECT_EQ(atLimit.verdict, GoalLine::Verdict::Pass);
    EXPECT_EQ(costRatio("t", "slower", "plain", 3.0).judge(results).verdict, GoalLine::Verdict::Fail);

    const GoalLine faster = speedup("t", "keystroke", "rebuild", 100).judge(results);
    EXPECT_EQ(faster.ratio, "150.00x");
    EXPECT_EQ(faster.verdict, GoalLine::Verdict::Pass);
    EXPECT_EQ(speedup("t", "keystroke", "rebuild", 200).judge(results).verdict, GoalLine::Verdict::Fail);

    const GoalLine info = reportRatio("t", "slower", "plain").judge(results);
    EXPECT_EQ(info.verdict, GoalLine::Verdict::Info);
    EXPECT_EQ(info.limit, "-");
}

TEST(Goals, PeakMemoryCountsOnlyWhatTheProjectAdds) {
    Results results;
    results.record("bare", peak(22));
    results.record("big", peak(70, 12)); // (70 - 22) / 12 = 4
    results.record("small", peak(60, 12));

    const GoalLine big = memoryRatio("m", "big", "bare", 4.0).judge(results);
    EXPECT_EQ(big.ratio, "4.00x file");
    EXPECT_EQ(big.verdict, GoalLine::Verdict::Fail); // the limit is "under"
    EXPECT_EQ(big.measured, "70.0 MiB");
    EXPECT_EQ(memoryRatio("m", "small", "bare", 4.0).judge(results).verdict, GoalLine::Verdict::Pass);
    EXPECT_EQ(memoryRatio("m", "bare", "bare", 4.0).judge(results).verdict, GoalLine::Verdict::Fail)
        << "no file size: nothing to judge by";
}

TEST(Goals, MissingAndFailedRunsAreShownSo) {
    Results results;
    results.record("plain", took(0.01));
    Measurement broken;
    broken.error = "the export failed";
    results.record("broken", broken);

    EXPECT_EQ(costRatio("t", "absent", "plain", 3).judge(results).verdict, GoalLine::Verdict::NotRun);
    EXPECT_EQ(costRatio("t", "plain", "absent", 3).judge(results).verdict, GoalLine::Verdict::NotRun);
    const GoalLine failed = costRatio("t", "broken", "plain", 3).judge(results);
    EXPECT_EQ(failed.verdict, GoalLine::Verdict::Fail);
    EXPECT_NE(failed.measured.find("the export failed"), std::string::npos);

    std::ostringstream table;
    const int failures = printGoals(
        table,
        {costRatio("Broken goal", "broken", "plain", 3), costRatio("Absent goal", "absent", "plain", 3)},
        results);
    EXPECT_EQ(failures, 1);
    EXPECT_NE(table.str().find("Broken goal"), std::string::npos);
    EXPECT_NE(table.str().find("FAIL"), std::string::npos);
    EXPECT_NE(table.str().find("not run"), std::string::npos);
}

TEST(Goals, TheReporterKeepsTheMedianOfARepeatedBenchmark) {
    using Run = benchmark::BenchmarkReporter::Run;
    const auto run = [](const char *name, Run::RunType type, const char *aggregate, double ms,
                        int repetitions) {
        Run r;
        r.run_name.function_name = name;
        r.run_type = type;
        r.aggregate_name = aggregate;
        r.repetitions = repetitions;
        r.iterations = 1;
        r.time_unit = benchmark::kMillisecond;
        r.real_accumulated_time = ms / 1000;
        return r;
    };
    std::ostringstream shown;
    CollectingReporter reporter(shown);
    reporter.ReportRuns({run("Repeated", Run::RT_Iteration, "", 9, 3),
                         run("Repeated", Run::RT_Aggregate, "mean", 7, 3),
                         run("Repeated", Run::RT_Aggregate, "median", 5, 3)});
    reporter.ReportRuns({run("Once", Run::RT_Iteration, "", 2, 1)});

    ASSERT_NE(reporter.results().find("Repeated"), nullptr);
    EXPECT_DOUBLE_EQ(reporter.results().find("Repeated")->seconds, 0.005);
    ASSERT_NE(reporter.results().find("Once"), nullptr);
    EXPECT_DOUBLE_EQ(reporter.results().find("Once")->seconds, 0.002);
    EXPECT_NE(shown.str().find("5.00 ms"), std::string::npos);
}

} // namespace
