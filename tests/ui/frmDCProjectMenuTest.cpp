// The studio's menu commands where they meet files and other windows; the event semantics of
// the window are in the scenario tables (frmDCScenarioTest).
#include "ui/frmDCFixture.h"

#include "ui/shell/AppNavigator.h"
#include "ui/shell/frmMain.h"

#include <QApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <unistd.h>

TEST(frmDCProjectMenu, ReturnOpensTheMainWindowAndTheNextStudioStartsAfresh) {
    ScriptedPrompts prompts;
    AppNavigator navigator(&prompts);
    navigator.openDialogStudio();
    QPointer<frmDC> first = navigator.dialogStudio();
    ASSERT_TRUE(first);
    EXPECT_EQ(first->objectName(), "frmDC");
    Studio::retype(first->txtSpeaker, "Guard");
    Studio::click(first->CmdAddPage);
    prompts.queueUnsaved(UserPrompts::UnsavedAnswer::Discard);
    first->MnuProjEnd->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(first);
    QList<frmMain *> mains;
    for (QWidget *top : QApplication::topLevelWidgets())
        if (auto *main = qobject_cast<frmMain *>(top); main && main->isVisible())
            mains << main;
    EXPECT_EQ(mains.size(), 1);

    navigator.openDialogStudio();
    frmDC *second = navigator.dialogStudio();
    EXPECT_EQ(navigator.studioProject().Speaker(), "") << "the speaker was the discarded project's";
    EXPECT_EQ(navigator.studioProject().Count(), 1);
    EXPECT_EQ(second->txtSpeaker->text(), "");
    for (frmMain *main : mains)
        main->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

namespace {
// Locks a folder against new files and removals, or unlocks it: as root that takes an
// immutable folder; otherwise one without write permission.
bool lock(const QString &folder, bool on) {
    if (geteuid() == 0)
        return QProcess::execute("chattr", {on ? "+i" : "-i", folder}) == 0;
    return QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner |
                                             (on ? QFile::Permissions() : QFile::WriteOwner));
}

// A folder holding these files, locked; empty when this machine cannot lock one.
QString lockedFolder(const QTemporaryDir &dir, const QStringList &files) {
    const QString folder = dir.filePath("locked");
    QDir().mkpath(folder);
    for (const QString &file : files)
        TestSupport::writeFile(folder + "/" + file, "//=====QDS: old STARTS======\r\n");
    if (lock(folder, true) && !QFile(folder + "/probe").open(QIODevice::WriteOnly))
        return folder;
    lock(folder, false);
    return {};
}
} // namespace

// Save onto an existing file in a locked folder writes it in place; a new file there fails.
TEST(frmDCProjectMenu, SaveWritesInPlaceWhenOnlyTheFolderIsLocked) {
    QTemporaryDir dir;
    const QString folder = lockedFolder(dir, {"guard.QDS"});
    if (folder.isEmpty())
        GTEST_SKIP() << "this machine cannot lock a folder against new files";
    const QString kept = folder + "/guard.QDS";
    Studio s;
    Studio::retype(s.w.txtSpeech, "Halt!");
    s.prompts.queueFileName(kept);
    s.prompts.queueFileName(folder + "/new.QDS");
    s.w.MnuProjSave->trigger();
    s.w.MnuProjSaveAs->trigger();
    const QByteArray written = TestSupport::readFile(kept);
    lock(folder, false);
    EXPECT_TRUE(written.contains("PAGE 0\r\nHalt!\r\n"));
    ASSERT_EQ(s.prompts.messages().size(), 1) << "only the new file fails";
    EXPECT_TRUE(s.prompts.messages()[0].contains("could not be written: The folder cannot be written: "));
}
