#include "StudioWindow.h"

#include "support/ProjectFixtures.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QTest>

bool StudioWindow::show(benchmark::State &state) {
    window.show();
    window.activateWindow();
    const bool exposed = QTest::qWaitForWindowExposed(&window);
    settle();
    if (!exposed)
        state.SkipWithError("the studio was never exposed");
    return exposed;
}

void StudioWindow::load(int pages) {
    ProjectFixtures::generate(project, pages);
    window.txtPage->setText(QStringLiteral("0"));
    window.ShowPage(0);
    window.MnuAnalysis_Click();
    settle();
}

void StudioWindow::settle() {
    QCoreApplication::processEvents();
}

void StudioWindow::timeLetters(benchmark::State &state, QWidget *box) {
    for (auto _ : state) {
        const auto start = Clock::now();
        QTest::keyClick(box, Qt::Key_A);
        settle();
        state.SetIterationTime(secondsSince(start));
        QTest::keyClick(box, Qt::Key_Backspace);
        settle();
    }
}
