// Peak memory of a process holding the largest project, against a process that only shows a
// bare window: the Dialog Studio that opened it with its own "Open..." (the goal), and, for
// the record, the project read from its file while the main window is shown.

#include "Benchmarks.h"
#include "ChildModes.h"
#include "Fixtures.h"
#include "Names.h"

#include "core/dialogs/QuestDialogs.h"

#include <QFileInfo>

namespace {

void runPeak(benchmark::State &state, const QStringList &modeArguments, qint64 fileBytes) {
    for (auto _ : state) {
        QString error;
        const auto figures = ChildProcess::run(modeArguments, &error);
        if (!figures) {
            state.SkipWithError(error.toUtf8().constData());
            return;
        }
        state.SetIterationTime(figures->totalSeconds);
        state.counters[BenchNames::peakCounter] = benchmark::Counter(
            double(figures->peakBytes), benchmark::Counter::kDefaults, benchmark::Counter::kIs1024);
        if (fileBytes > 0)
            state.counters[BenchNames::fileSizeCounter] = benchmark::Counter(
                double(fileBytes), benchmark::Counter::kDefaults, benchmark::Counter::kIs1024);
    }
}

void runBarePeak(benchmark::State &state) {
    runPeak(state, {QString::fromLatin1(ChildModes::bareWindow)}, 0);
}

void runLargestProjectPeak(benchmark::State &state, const char *mode) {
    auto &fixtures = BenchFixtures::instance();
    const QString file = fixtures.projectFile(QuestDialogs::MaxPages);
    if (!fixtures.error().isEmpty()) {
        state.SkipWithError(fixtures.error().toUtf8().constData());
        return;
    }
    runPeak(state, {QString::fromLatin1(mode), file}, QFileInfo(file).size());
}

void runProjectPeak(benchmark::State &state) {
    runLargestProjectPeak(state, ChildModes::projectWindow);
}

void runStudioPeak(benchmark::State &state) {
    runLargestProjectPeak(state, ChildModes::studioWindow);
}

void runStudioHistoryPeak(benchmark::State &state) {
    runLargestProjectPeak(state, ChildModes::studioHistory);
}

} // namespace

void registerPeakMemoryBenchmarks() {
    // One child each: a peak is a peak, and a second run would only take time.
    for (auto *b : {benchmark::RegisterBenchmark(BenchNames::peakBareWindow, runBarePeak),
                    benchmark::RegisterBenchmark(BenchNames::peakProject, runProjectPeak),
                    benchmark::RegisterBenchmark(BenchNames::peakStudio, runStudioPeak),
                    benchmark::RegisterBenchmark(BenchNames::peakStudioHistory, runStudioHistoryPeak)})
        b->Iterations(1)->Repetitions(1)->UseManualTime()->Unit(benchmark::kMillisecond);
}
