// The studio's docks: a keystroke in the speech box with the problems list, the map and the Play
// dock shown, a page shown on the map and played in the Play dock at 100 and 32767 pages, and
// the whole map of a 2000-page project.

#include "Benchmarks.h"
#include "Fixtures.h"
#include "Names.h"
#include "StudioWindow.h"

#include "core/dialogs/ConversationGraph.h"
#include "support/ProjectFixtures.h"
#include "ui/studio/MapView.h"
#include "ui/studio/PlayPane.h"

#include <QAction>
#include <QDockWidget>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStandardPaths>
#include <QTest>
#include <QTreeView>

namespace {

void runDockedKeystroke(benchmark::State &state, int pages) {
    StudioWindow studio;
    if (!studio.show(state))
        return;
    studio.window.dockProblems->show();
    studio.window.dockMap->show();
    studio.window.dockPlay->show();
    studio.load(pages);
    QPlainTextEdit *speech = studio.window.txtSpeech;
    speech->setFocus();
    speech->moveCursor(QTextCursor::End);
    StudioWindow::settle();
    StudioWindow::timeLetters(state, speech);
    studio.window.dockProblems->hide();
    studio.window.dockMap->hide();
    studio.window.dockPlay->hide();
}

// One letter typed at the end of the dialog prefix, up to the repaint, with both docks shown; a
// backspace after it, not timed, brings the prefix back.
void runPrefixKeystroke(benchmark::State &state, int pages) {
    StudioWindow studio;
    if (!studio.show(state))
        return;
    studio.window.dockProblems->show();
    studio.window.dockMap->show();
    studio.load(pages);
    QLineEdit *prefix = studio.window.DialogName;
    prefix->setFocus();
    prefix->end(false);
    StudioWindow::settle();
    const int rows = studio.window.lstProblems->model()->rowCount();
    StudioWindow::timeLetters(state, prefix);
    // A blank, which the server cannot use in a section name, is a finding more.
    QTest::keyClick(prefix, Qt::Key_Space);
    StudioWindow::settle();
    if (studio.window.lstProblems->model()->rowCount() != rows + 1)
        state.SkipWithError("the problems list did not follow the prefix");
    studio.window.dockProblems->hide();
    studio.window.dockMap->hide();
}

// A map view of its own on the generated project, its links followed once (not timed).
struct MapOnProject {
    QuestDialogs project;
    ConversationGraph graph;
    MapView view;

    explicit MapOnProject(int pages) {
        ProjectFixtures::generate(project, pages);
        graph.sync(project);
        view.resize(420, 600);
        view.show();
    }
};

void runMapPage(benchmark::State &state, int pages) {
    MapOnProject map(pages);
    if (!QTest::qWaitForWindowExposed(&map.view)) {
        state.SkipWithError("the map was never exposed");
        return;
    }
    // The same few pages at every size, each one a change of page.
    const qint16 shown[] = {0, 1, 17, 42, 99};
    int next = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        map.view.update(map.graph, map.project, shown[next++ % 5], false);
        StudioWindow::settle();
        state.SetIterationTime(secondsSince(start));
    }
}

// A page played in a Play dock of its own: its sections written, read back, checked and drawn.
void runPlayPage(benchmark::State &state, int pages) {
    QuestDialogs project;
    ProjectFixtures::generate(project, pages);
    PlayPane pane;
    pane.resize(420, 600);
    pane.show();
    if (!QTest::qWaitForWindowExposed(&pane)) {
        state.SkipWithError("the Play dock was never exposed");
        return;
    }
    const PlayPane::Source source{ProjectFixtures::prefix(), ProjectFixtures::speaker(), QString()};
    pane.follow(project, source, 0); // its links followed once, not timed
    const qint16 shown[] = {1, 17, 42, 99, 0};
    int next = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        pane.follow(project, source, shown[next++ % 5]);
        StudioWindow::settle();
        state.SetIterationTime(secondsSince(start));
    }
}

void runWholeMap(benchmark::State &state) {
    MapOnProject map(2000);
    map.view.setWholeMap(true);
    if (!QTest::qWaitForWindowExposed(&map.view)) {
        state.SkipWithError("the map was never exposed");
        return;
    }
    for (auto _ : state) {
        const auto start = Clock::now();
        map.view.update(map.graph, map.project, 0, true);
        map.view.viewport()->repaint();
        state.SetIterationTime(secondsSince(start));
    }
}

} // namespace

void registerDockBenchmarks() {
    namespace N = BenchNames;
    // The docks' place and visibility go to a settings file of the run's own.
    QStandardPaths::setTestModeEnabled(true);
    timed(benchmark::RegisterBenchmark(N::dockedKeystroke100, runDockedKeystroke, 100), Timing::Manual)
        ->Unit(benchmark::kMicrosecond);
    timed(benchmark::RegisterBenchmark(N::dockedKeystroke32767, runDockedKeystroke, QuestDialogs::MaxPages),
          Timing::Manual)
        ->Unit(benchmark::kMicrosecond);
    timed(benchmark::RegisterBenchmark(N::prefixKeystroke100, runPrefixKeystroke, 100), Timing::Manual)
        ->Unit(benchmark::kMicrosecond);
    timed(benchmark::RegisterBenchmark(N::prefixKeystroke32767, runPrefixKeystroke, QuestDialogs::MaxPages),
          Timing::Manual)
        ->Unit(benchmark::kMicrosecond);
    timed(benchmark::RegisterBenchmark(N::mapPage100, runMapPage, 100), Timing::Manual)
        ->Unit(benchmark::kMicrosecond);
    timed(benchmark::RegisterBenchmark(N::mapPage32767, runMapPage, QuestDialogs::MaxPages), Timing::Manual)
        ->Unit(benchmark::kMicrosecond);
    timed(benchmark::RegisterBenchmark(N::playPage100, runPlayPage, 100), Timing::Manual)
        ->Unit(benchmark::kMicrosecond);
    timed(benchmark::RegisterBenchmark(N::playPage32767, runPlayPage, QuestDialogs::MaxPages), Timing::Manual)
        ->Unit(benchmark::kMicrosecond);
    timed(benchmark::RegisterBenchmark(N::wholeMap2000, runWholeMap), Timing::Manual);
}
