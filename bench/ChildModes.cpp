#include "ChildModes.h"

#include "core/dialogs/ProjectFile.h"
#include "support/ScriptedPrompts.h"
#include "ui/shell/AppNavigator.h"
#include "ui/shell/frmMain.h"

#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QTest>
#include <QUndoStack>

namespace {

bool shownAndExposed(QWidget *window) {
    if (!window)
        return false;
    window->show();
    if (!QTest::qWaitForWindowExposed(window))
        return false;
    QCoreApplication::processEvents(); // its first paint too
    return true;
}

// The main window the navigator opened.
frmMain *openedMainWindow() {
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *window = qobject_cast<frmMain *>(widget))
            return window;
    return nullptr;
}

int bareWindow(const QStringList &) {
    QMainWindow window;
    if (!shownAndExposed(&window))
        return 1;
    ChildProcess::markReady();
    return 0;
}

// What the program's own main() does, up to the main window on screen.
int mainWindow(const QStringList &) {
    AppNavigator navigator;
    navigator.openMain();
    if (!shownAndExposed(openedMainWindow()))
        return 1;
    ChildProcess::markReady();
    return 0;
}

// The studio's project loaded from a file while the main window is shown.
int projectWindow(const QStringList &arguments) {
    if (arguments.isEmpty())
        return 2;
    AppNavigator navigator;
    QuestDialogs &project = navigator.studioProject();
    project.Clear();
    if (!ProjectFile::read(arguments.first(), project).ok())
        return 3;
    navigator.openMain();
    if (!shownAndExposed(openedMainWindow()))
        return 1;
    ChildProcess::markReady();
    return 0;
}

// The Dialog Studio opened as the main window's menu opens it, and the file read by its
// "Open..." command; null when the window did not come up.
frmDC *openInStudio(AppNavigator &navigator, ScriptedPrompts &prompts, const QString &path) {
    navigator.openDialogStudio();
    frmDC *studio = navigator.dialogStudio();
    if (!shownAndExposed(studio))
        return nullptr;
    prompts.queueFileName(path);
    studio->MnuProjOpen_Click();
    return studio;
}

// The program's own way to a large project on screen: the Dialog Studio opened as the main
// window's menu opens it, and the file read by its "Open..." command, up to page 0 shown.
int studioWindow(const QStringList &arguments) {
    if (arguments.isEmpty())
        return 2;
    ScriptedPrompts prompts;
    AppNavigator navigator(&prompts);
    frmDC *studio = openInStudio(navigator, prompts, arguments.first());
    if (!studio)
        return 1;
    QCoreApplication::processEvents(); // the tree and page 0 painted
    if (!prompts.messages().isEmpty() || navigator.studioProject().Count() < 2)
        return 3;
    ChildProcess::markReady();
    return 0;
}

// The studio of studioWindow after 1,000 Apply steps on pages spread over the project, each a
// change of the speech and the shown answer that its undo history keeps.
int studioHistory(const QStringList &arguments) {
    if (arguments.isEmpty())
        return 2;
    ScriptedPrompts prompts;
    AppNavigator navigator(&prompts);
    frmDC *studio = openInStudio(navigator, prompts, arguments.first());
    if (!studio)
        return 1;
    const qint16 pages = navigator.studioProject().Count();
    if (!prompts.messages().isEmpty() || pages < 2)
        return 3;
    for (int step = 0; step < 1000; ++step) {
        const qint16 page = qint16(step * 31 % pages);
        studio->txtPage->setText(QString::number(page));
        studio->ShowPage(page);
        studio->txtSpeech->setPlainText(QStringLiteral("Step %1").arg(step));
        studio->txtSel->setText(QStringLiteral("Answer %1").arg(step));
        studio->CMDSave_Click();
    }
    QCoreApplication::processEvents();
    if (studio->History->count() != 1000)
        return 4;
    ChildProcess::markReady();
    return 0;
}

} // namespace

namespace ChildModes {

const std::map<QString, ChildProcess::Mode> &all() {
    static const std::map<QString, ChildProcess::Mode> modes = {
        {QString::fromLatin1(bareWindow), ::bareWindow},
        {QString::fromLatin1(mainWindow), ::mainWindow},
        {QString::fromLatin1(projectWindow), ::projectWindow},
        {QString::fromLatin1(studioWindow), ::studioWindow},
        {QString::fromLatin1(studioHistory), ::studioHistory},
    };
    return modes;
}

} // namespace ChildModes
