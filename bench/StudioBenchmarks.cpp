// The Dialog Studio with projects of 100 to 32767 pages: a keystroke in the speech box (which
// rebuilds the analysis tree), Apply, and "Open..." of the largest project. The keystroke is
// held against itself at 100 pages and against the plain way of rebuilding such a tree.

#include "Benchmarks.h"
#include "Fixtures.h"
#include "Names.h"
#include "StudioWindow.h"

#include "core/dialogs/AnalysisNodes.h"
#include "support/ProjectFixtures.h"
#include "ui/studio/AnalysisTree.h"

#include <QAction>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTreeWidget>
#include <functional>

namespace {

constexpr int largest = QuestDialogs::MaxPages;

// A studio on the screen with the generated project loaded; null (and the run skipped) when
// the window never showed.
std::unique_ptr<StudioWindow> loadedStudio(benchmark::State &state, int pages) {
    auto studio = std::make_unique<StudioWindow>();
    if (!studio->show(state))
        return nullptr;
    studio->load(pages);
    QPlainTextEdit *speech = studio->window.txtSpeech;
    speech->setFocus();
    speech->moveCursor(QTextCursor::End);
    return studio;
}

bool treeHolds(const StudioWindow &studio, int pages) {
    return studio.window.TrvAnalysis->model()->rowCount() == pages && studio.project.Count() == pages;
}

// One letter typed at the end of page 0's speech, up to the repaint. A backspace after it, not
// timed, keeps the text from growing over the run.
void runKeystroke(benchmark::State &state, int pages) {
    const auto studio = loadedStudio(state, pages);
    if (!studio)
        return;
    QPlainTextEdit *speech = studio->window.txtSpeech;
    StudioWindow::timeLetters(state, speech);
    if (!treeHolds(*studio, pages))
        state.SkipWithError("the tree lost pages");
}

// Apply of an edited speech and answer text, up to the repaint. The edits, not timed, add a
// letter to each and then take it away again, so that every Apply stores a change of both.
void runApply(benchmark::State &state, int pages) {
    const auto studio = loadedStudio(state, pages);
    if (!studio)
        return;
    QPlainTextEdit *speech = studio->window.txtSpeech;
    QLineEdit *answer = studio->window.txtSel;
    bool grow = true;
    for (auto _ : state) {
        const Qt::Key key = grow ? Qt::Key_A : Qt::Key_Backspace;
        QTest::keyClick(speech, key);
        QTest::keyClick(answer, key);
        StudioWindow::settle();
        grow = !grow;
        const auto start = Clock::now();
        studio->window.CMDSave_Click();
        StudioWindow::settle();
        state.SetIterationTime(secondsSince(start));
    }
    if (!treeHolds(*studio, pages))
        state.SkipWithError("the tree lost pages");
}

// The plain way: clear a tree widget and add an item per page and per answer, each with its
// text and key, up to the repaint. Shown at the studio's tree size.
void runStraightRebuild(benchmark::State &state) {
    auto &fixtures = BenchFixtures::instance();
    const QuestDialogs &project = fixtures.project(largest);
    const QString prefix = ProjectFixtures::prefix();
    StudioWindow studio; // only for the size of its tree
    QTreeWidget tree;
    tree.setHeaderHidden(true);
    tree.setUniformRowHeights(true);
    tree.resize(studio.window.TrvAnalysis->size());
    tree.show();
    if (!QTest::qWaitForWindowExposed(&tree)) {
        state.SkipWithError("the tree was never exposed");
        return;
    }
    for (auto _ : state) {
        const auto start = Clock::now();
        tree.clear();
        for (qint16 n = 0; n <= project.UpperBound(); ++n) {
            const Dialog &page = project.Dialog(n);
            auto *pageItem = new QTreeWidgetItem(&tree, {AnalysisNodes::pageText(n, page)});
            pageItem->setData(0, Qt::UserRole, AnalysisNodes::pageKey(prefix, n));
            for (qint16 k = 0; k <= page.SelectionUBound(); ++k) {
                auto *answerItem =
                    new QTreeWidgetItem(pageItem, {AnalysisNodes::answerText(k, page.Selection(k))});
                answerItem->setData(0, Qt::UserRole, AnalysisNodes::answerKey(prefix, n, k));
            }
        }
        StudioWindow::settle();
        state.SetIterationTime(secondsSince(start));
    }
    if (tree.topLevelItemCount() != largest)
        state.SkipWithError("the tree lost pages");
}

// "Open..." given the largest project's file, up to page 0 shown. Each round starts from a new
// project (not timed), as in a window just opened; or, `over` set, from the same large project
// opened before, which the new one replaces.
void runOpenInStudio(benchmark::State &state, bool over) {
    auto &fixtures = BenchFixtures::instance();
    const QString path = fixtures.projectFile(largest);
    if (!fixtures.error().isEmpty()) {
        state.SkipWithError(fixtures.error().toUtf8().constData());
        return;
    }
    StudioWindow studio;
    if (!studio.show(state))
        return;
    if (over) {
        studio.prompts.queueFileName(path);
        studio.window.MnuProjOpen_Click();
    }
    for (auto _ : state) {
        studio.prompts.clear();
        if (!over)
            studio.window.MnuProjNew_Click();
        StudioWindow::settle();
        studio.prompts.queueFileName(path);
        const auto start = Clock::now();
        studio.window.MnuProjOpen_Click();
        StudioWindow::settle();
        state.SetIterationTime(secondsSince(start));
        if (!treeHolds(studio, largest) || !studio.prompts.messages().isEmpty()) {
            state.SkipWithError("the project did not come back whole");
            break;
        }
    }
}

// "Remove " of page 0 (timed: `undo` false) or the Undo of that removal (timed: `undo` true), up
// to the repaint. The other half of each round, not timed, brings page 0 back.
void runRemovePage(benchmark::State &state, bool undo) {
    const auto studio = loadedStudio(state, largest);
    if (!studio)
        return;
    frmDC &window = studio->window;
    const auto timedStep = [&](const std::function<void()> &step, bool timed) {
        const auto start = Clock::now();
        step();
        StudioWindow::settle();
        if (timed)
            state.SetIterationTime(secondsSince(start));
    };
    for (auto _ : state) {
        window.txtPage->setText(QStringLiteral("0"));
        timedStep([&] { window.CMDRemovePage_Click(); }, !undo);
        timedStep([&] { window.MnuEditUndo->trigger(); }, undo);
    }
    if (!treeHolds(*studio, largest) || window.txtPage->text() != QStringLiteral("0"))
        state.SkipWithError("the project did not come back whole");
}

} // namespace

void registerStudioBenchmarks() {
    namespace N = BenchNames;
    const struct {
        int pages;
        const char *keystroke;
        const char *apply;
    } sizes[] = {{100, N::keystroke100, N::apply100},
                 {1000, N::keystroke1000, N::apply1000},
                 {10000, N::keystroke10000, N::apply10000},
                 {largest, N::keystroke32767, N::apply32767}};
    for (const auto &size : sizes) {
        timed(benchmark::RegisterBenchmark(size.keystroke, runKeystroke, size.pages), Timing::Manual)
            ->Unit(benchmark::kMicrosecond);
        timed(benchmark::RegisterBenchmark(size.apply, runApply, size.pages), Timing::Manual)
            ->Unit(benchmark::kMicrosecond);
    }
    timed(benchmark::RegisterBenchmark(N::straightRebuild, runStraightRebuild), Timing::Manual);
    timed(benchmark::RegisterBenchmark(N::openInStudio, runOpenInStudio, false), Timing::Manual);
    timed(benchmark::RegisterBenchmark(N::openOverLargest, runOpenInStudio, true), Timing::Manual);
    timed(benchmark::RegisterBenchmark(N::removePage, runRemovePage, false), Timing::Manual)
        ->Unit(benchmark::kMillisecond);
    timed(benchmark::RegisterBenchmark(N::undoRemovePage, runRemovePage, true), Timing::Manual)
        ->Unit(benchmark::kMillisecond);
}
