// Start-up: from the start of a process to the main window on screen, against a process of
// the same program that shows a bare QMainWindow. Also, for the record, the same two windows
// built and shown inside this process, where the program's start costs nothing.

#include "Benchmarks.h"
#include "ChildModes.h"
#include "Names.h"
#include "NoNavigator.h"

#include "ui/shell/frmMain.h"

#include <QMainWindow>
#include <QTest>
#include <functional>
#include <memory>

namespace {

void runProcessStart(benchmark::State &state, const char *mode) {
    for (auto _ : state) {
        QString error;
        const auto figures = ChildProcess::run({QString::fromLatin1(mode)}, &error);
        if (!figures) {
            state.SkipWithError(error.toUtf8().constData());
            break;
        }
        state.SetIterationTime(figures->readySeconds);
    }
}

void runMainProcess(benchmark::State &state) {
    runProcessStart(state, ChildModes::mainWindow);
}
void runBareProcess(benchmark::State &state) {
    runProcessStart(state, ChildModes::bareWindow);
}

// Times construction, show() and the wait for the first expose; closing the window is not timed.
void showWindows(benchmark::State &state, const std::function<std::unique_ptr<QWidget>()> &make) {
    for (auto _ : state) {
        const auto start = Clock::now();
        std::unique_ptr<QWidget> window = make();
        window->show();
        const bool exposed = QTest::qWaitForWindowExposed(window.get());
        state.SetIterationTime(secondsSince(start));
        if (!exposed) {
            state.SkipWithError("the window was never exposed");
            break;
        }
    }
}

void runMainWindow(benchmark::State &state) {
    NoNavigator navigator;
    showWindows(state, [&] { return std::make_unique<frmMain>(navigator); });
}

void runBareWindow(benchmark::State &state) {
    showWindows(state, [] { return std::make_unique<QMainWindow>(); });
}

} // namespace

void registerStartupBenchmarks() {
    namespace N = BenchNames;
    timed(benchmark::RegisterBenchmark(N::startMainWindow, runMainProcess), Timing::Manual);
    timed(benchmark::RegisterBenchmark(N::startBareWindow, runBareProcess), Timing::Manual);
    timed(benchmark::RegisterBenchmark(N::showMainWindow, runMainWindow), Timing::Manual)
        ->Unit(benchmark::kMicrosecond);
    timed(benchmark::RegisterBenchmark(N::showBareWindow, runBareWindow), Timing::Manual)
        ->Unit(benchmark::kMicrosecond);
}
