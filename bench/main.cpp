// runequill-bench: runs the benchmarks, then prints the goals table. Any Google Benchmark
// flag may be given (--benchmark_filter=Open, say); a goal whose runs were filtered out
// shows "not run".

#include "Benchmarks.h"
#include "ChildModes.h"
#include "Goals.h"
#include "Results.h"

#include <QApplication>
#include <iostream>
#include <vector>

namespace {

// The offscreen platform says so for every window shown; the table has no use for it.
QtMessageHandler qtHandler = nullptr;
void quietHandler(QtMsgType type, const QMessageLogContext &context, const QString &message) {
    if (message != QLatin1String("This plugin does not support propagateSizeHints()"))
        qtHandler(type, context, message);
}

} // namespace

int main(int argc, char **argv) {
    // Windows are shown without a display, here and in the children measured for memory.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    qtHandler = qInstallMessageHandler(quietHandler);
    if (const auto code = ChildProcess::runIfAsked(QApplication::arguments().mid(1), ChildModes::all()))
        return *code;

    registerFileBenchmarks();
    registerStartupBenchmarks();
    registerPeakMemoryBenchmarks();
    registerStudioBenchmarks();
    registerDockBenchmarks();

    // Repetitions of different benchmarks take turns, so that a measurement and its baseline
    // see the same machine; a flag given on the command line comes later and wins.
    std::vector<char *> args{argv[0], const_cast<char *>("--benchmark_enable_random_interleaving=true")};
    args.insert(args.end(), argv + 1, argv + argc);
    int count = int(args.size());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data()))
        return 1;

    CollectingReporter reporter(std::cout);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    const int failed = printGoals(std::cout, runequillGoals(), reporter.results());
    return failed == 0 ? 0 : 1;
}
