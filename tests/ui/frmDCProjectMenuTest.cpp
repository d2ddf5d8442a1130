#include "ui/frmDCFixture.h"

#include "core/text/CodePage.h"
#include "ui/shell/AppNavigator.h"
#include "ui/shell/frmMain.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

using TestSupport::crlfLines;
using TestSupport::readFile;
using TestSupport::writeFile;

namespace {
const QString projectFilter = "Farstead QDS Studio File (*.QDS)";
const QString scriptFilter = "SPHERE Script File (*.scp)";
const QString openQuestion =
    "Opening a new project will close the recent one, all unsaved data will be lost. Are you sure?";

const QByteArray guardFile = readFile(RUNEQUILL_EXAMPLE("frmDC_guard.QDS"));

void toggle(QCheckBox *box) {
    QTest::keyClick(box, Qt::Key_Space);
}

// Fills the window as a user would: page 0 with a linked and an ending answer, page 1 with
// one ending answer, which is typed but not applied.
void typeGuard(Studio &s, const QString &speech0, const QString &a0, const QString &a1,
               const QString &speech1, const QString &b0) {
    Studio::retype(s.w.txtSpeaker, "Guard");
    Studio::retype(s.w.txtSpeech, speech0);
    Studio::retype(s.w.txtSel, a0);
    Studio::retype(s.w.txtPageID, "1");
    toggle(s.w.ChkENDDIalog);
    Studio::click(s.w.CmdADDSel);
    Studio::retype(s.w.txtSel, a1);
    QTest::keyClick(s.w.txtSel, Qt::Key_Return);
    Studio::click(s.w.CmdAddPage);
    Studio::retype(s.w.txtSpeech, speech1);
    Studio::retype(s.w.txtSel, b0);
}
} // namespace

TEST(frmDCProjectMenu, NewAsksAndClearsThePagesOnly) {
    Studio s;
    Studio::retype(s.w.DialogName, "pre");
    Studio::click(s.w.CmdAddPage);
    s.w.MnuProjNew->trigger();
    EXPECT_EQ(s.project.Count(), 2) << "No keeps the project";
    s.prompts.queueConfirm(true);
    s.w.MnuProjNew->trigger();
    EXPECT_EQ(s.prompts.questions(), QStringList(2, "Are You Sure To Clear The Current Project?"));
    EXPECT_EQ(s.stored(), (QStringList{"0:Null", "  |0||1"}));
    EXPECT_EQ(s.shown(), "page 0 [Ubound: 0] sel 0 [Ubound: 0] text '' linked 0 id '0' ends 1");
    EXPECT_EQ(s.w.txtSpeech->toPlainText(), "Null");
    EXPECT_EQ(s.w.DialogName->text(), "pre");
    EXPECT_EQ(s.tree(), (QStringList{"0:Null", "  s0 "}));
}

TEST(frmDCProjectMenu, SaveWritesTheDescribedFileIncludingUnappliedEdits) {
    QTemporaryDir dir;
    Studio s;
    typeGuard(s, "Halt! Who goes there?", "A friend.", "Nobody.", "Welcome, friend.", "Thank you.");
    s.prompts.queueFileName(dir.filePath("guard"));
    s.w.MnuProjSave->trigger();
    EXPECT_EQ(readFile(dir.filePath("guard.QDS")), guardFile);
    EXPECT_EQ(s.w.cdlFile, dir.filePath("guard.QDS"));

    s.w.MnuProjSave->trigger(); // cancelled: nothing written
    s.prompts.queueFileName(dir.filePath("copy.qds"));
    s.w.MnuProjSave->trigger();
    EXPECT_EQ(readFile(dir.filePath("copy.qds")), guardFile);
    ASSERT_EQ(s.prompts.prompts().size(), 3);
    for (const ScriptedPrompts::Prompt &p : s.prompts.prompts())
        EXPECT_EQ(p.text, projectFilter);
    EXPECT_EQ(s.prompts.prompts()[0].fileName, "");
    EXPECT_EQ(s.prompts.prompts()[1].fileName, dir.filePath("guard.QDS"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), (QStringList{"copy.qds", "guard.QDS"}));
    EXPECT_TRUE(s.prompts.messages().isEmpty());
}

TEST(frmDCProjectMenu, SaveThatCannotWriteSaysSoAndKeepsTheOldFile) {
    QTemporaryDir dir;
    Studio s;
    ASSERT_TRUE(writeFile(dir.filePath("plain"), "x"));
    s.prompts.queueFileName(dir.filePath("missing/p.QDS"));
    s.w.MnuProjSave->trigger();
    s.prompts.queueFileName(dir.filePath("plain/p.QDS"));
    s.w.MnuProjSave->trigger();
    ASSERT_EQ(s.prompts.messages().size(), 2);
    EXPECT_TRUE(s.prompts.messages()[0].startsWith(
        "The file " + QDir::toNativeSeparators(dir.filePath("missing/p.QDS")) + " could not be written: "));
    EXPECT_TRUE(s.prompts.messages()[1].contains("plain"));

    // A character the code page cannot hold fails the save before the old file is touched.
    ASSERT_TRUE(writeFile(dir.filePath("old.QDS"), "old\r\n"));
    CodePage::setEncoding(QStringConverter::Latin1);
    s.w.txtSel->setText(QString(QChar(0x20AC))); // pasted: QTest types ASCII only
    s.prompts.queueFileName(dir.filePath("old.QDS"));
    s.w.MnuProjSave->trigger();
    CodePage::resetEncoding();
    EXPECT_EQ(s.prompts.messages().size(), 3);
    EXPECT_EQ(readFile(dir.filePath("old.QDS")), "old\r\n");
}

TEST(frmDCProjectMenu, OpenAsksClearsFirstThenReadsTheFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(writeFile(dir.filePath("guard.QDS"), guardFile));
    Studio s;
    Studio::retype(s.w.DialogName, "pre");
    s.w.MnuProjOpen->trigger();
    EXPECT_EQ(s.project.Dialog(0).text(), "Enter New Dialog") << "No keeps the project";
    EXPECT_TRUE(s.prompts.prompts().size() == 1);

    // Yes, then a cancelled dialog: the project stays cleared, the boxes keep their texts.
    Studio::click(s.w.CmdAddPage);
    s.prompts.queueConfirm(true);
    s.w.MnuProjOpen->trigger();
    EXPECT_EQ(s.stored(), (QStringList{"0:Null", "  |0||1"}));
    EXPECT_EQ(s.w.txtPage->text(), "0");
    EXPECT_EQ(s.w.DialogName->text(), "pre");

    s.prompts.queueConfirm(true);
    s.prompts.queueFileName(dir.filePath("nothing.QDS"));
    s.w.MnuProjOpen->trigger();
    EXPECT_EQ(s.stored(), (QStringList{"0:Null", "  |0||1"}));

    s.prompts.queueConfirm(true);
    s.prompts.queueFileName(dir.filePath("guard")); // the extension is added
    s.w.MnuProjOpen->trigger();
    EXPECT_EQ(s.stored(), (QStringList{"0:Halt! Who goes there?", "  A friend.|1|1|0", "  Nobody.|0||1",
                                       "1:Welcome, friend.", "  Thank you.|0||1"}));
    EXPECT_EQ(s.w.DialogName->text(), "QDS_NpcName_DialogName");
    EXPECT_EQ(s.w.txtSpeaker->text(), "Guard");
    EXPECT_EQ(s.w.Label10->text(), "Speaker: Guard");
    EXPECT_EQ(s.shown(), "page 0 [Ubound: 1] sel 0 [Ubound: 1] text 'A friend.' linked 1 id '1' ends 0");
    EXPECT_EQ(s.tree().first(), "0:Halt! Who goes there?");
    EXPECT_EQ(s.project.Speaker(), "") << "the file's speaker goes to the box only";

    EXPECT_EQ(s.prompts.questions(), QStringList(4, openQuestion));
    QStringList started;
    for (const ScriptedPrompts::Prompt &p : s.prompts.prompts())
        if (p.kind == ScriptedPrompts::Prompt::OpenFile)
            started << p.text + "|" + p.fileName;
    EXPECT_EQ(started, (QStringList{projectFilter + "|", projectFilter + "|",
                                    projectFilter + "|" + dir.filePath("nothing.QDS")}));
    EXPECT_TRUE(s.prompts.messages().isEmpty());
}

TEST(frmDCProjectMenu, OpenOfADamagedFileShowsWhatWasReadAndSaysSo) {
    QTemporaryDir dir;
    ASSERT_TRUE(
        writeFile(dir.filePath("bad.QDS"), crlfLines({"pre", "spk", "PAGE 0", "first", "SELECTION a", "-1",
                                                      "1", "PAGE 1", "second", "SELECTION b", "x", "1"})));
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.QDS"));
    Studio s;
    s.prompts.queueConfirm(true);
    s.prompts.queueFileName(dir.filePath("bad.QDS"));
    s.w.MnuProjOpen->trigger();
    EXPECT_EQ(s.prompts.messages(), QStringList{"The file is either corrupted or in the wrong format"});
    EXPECT_EQ(s.stored(), (QStringList{"0:first", "  a|0||1"}));
    EXPECT_EQ(s.w.txtSpeech->toPlainText(), "first");
    EXPECT_EQ(s.w.DialogName->text(), "pre");

    s.prompts.queueConfirm(true);
    s.prompts.queueFileName(dir.filePath("folder.QDS"));
    s.w.MnuProjOpen->trigger();

    QByteArray huge = crlfLines({"pre", "spk"});
    for (int n = 0; n <= QuestDialogs::MaxPages; ++n)
        huge += "PAGE " + QByteArray::number(n) + "\r\nx\r\n";
    ASSERT_TRUE(writeFile(dir.filePath("huge.QDS"), huge));
    s.prompts.queueConfirm(true);
    s.prompts.queueFileName(dir.filePath("huge.QDS"));
    s.w.MnuProjOpen->trigger();
    ASSERT_EQ(s.prompts.messages().size(), 3);
    EXPECT_TRUE(s.prompts.messages()[1].startsWith(
        "The file " + QDir::toNativeSeparators(dir.filePath("folder.QDS")) + " could not be read: "));
    EXPECT_TRUE(s.prompts.messages()[2].startsWith(
        "The file " + QDir::toNativeSeparators(dir.filePath("huge.QDS")) + " could not be read: "));
    EXPECT_EQ(s.stored(), (QStringList{"0:Null", "  |0||1"}));
}

TEST(frmDCProjectMenu, ExportWritesTheWorkedExampleWithoutUnappliedEdits) {
    QTemporaryDir dir;
    Studio s;
    Studio::retype(s.w.DialogName, "d_guard");
    typeGuard(s, "Halt! *[raises a hand*/] Who goes there?", "A friend", "Nobody", "Welcome, friend.",
              "Thanks");
    QTest::keyClick(s.w.txtSel, Qt::Key_Return);
    Studio::retype(s.w.txtSel, "not applied");
    s.prompts.queueFileName(dir.filePath("guard"));
    s.w.MnuProjExport->trigger();
    EXPECT_EQ(readFile(dir.filePath("guard.scp")), readFile(RUNEQUILL_EXAMPLE("frmDC_guard.scp")));
    EXPECT_EQ(s.project.Speaker(), "Guard");
    EXPECT_EQ(s.w.cdlFile1, dir.filePath("guard.scp"));
    EXPECT_EQ(s.w.cdlFile, "") << "the export dialog is a dialog of its own";
    ASSERT_EQ(s.prompts.prompts().size(), 1);
    EXPECT_EQ(s.prompts.prompts()[0].text, scriptFilter);
}

TEST(frmDCProjectMenu, ExportCopiesTheSpeakerEvenWhenCancelledAndReportsFailures) {
    QTemporaryDir dir;
    Studio s;
    s.w.MnuProjExport->trigger();
    EXPECT_EQ(s.project.Speaker(), "") << "an empty speaker box leaves the speaker";
    Studio::retype(s.w.txtSpeaker, "Bob");
    s.w.MnuProjExport->trigger();
    EXPECT_EQ(s.project.Speaker(), "Bob");
    EXPECT_TRUE(QDir(dir.path()).isEmpty());

    s.prompts.queueFileName(dir.filePath("missing/out.scp"));
    s.w.MnuProjExport->trigger();
    ASSERT_EQ(s.prompts.messages().size(), 1);
    EXPECT_TRUE(s.prompts.messages()[0].startsWith(
        "The file " + QDir::toNativeSeparators(dir.filePath("missing/out.scp")) + " could not be written: "));
    s.w.MnuProjExport->trigger();
    EXPECT_EQ(s.prompts.prompts().last().fileName, dir.filePath("missing/out.scp"));
}

TEST(frmDCProjectMenu, ReturnOpensTheMainWindowAndTheSpeakerSurvives) {
    RecordingNavigator recording;
    {
        QuestDialogs project;
        ScriptedPrompts prompts;
        frmDC w(project, prompts, recording);
        w.show();
        w.MnuProjEnd->trigger();
        EXPECT_EQ(recording.calls, QStringList{"main"});
        EXPECT_FALSE(w.isVisible());
    }

    ScriptedPrompts prompts;
    AppNavigator navigator(&prompts);
    navigator.openDialogStudio();
    QPointer<frmDC> first = navigator.dialogStudio();
    ASSERT_TRUE(first);
    Studio::retype(first->txtSpeaker, "Guard");
    Studio::click(first->CmdAddPage);
    first->MnuProjExport->trigger(); // cancelled, but the speaker is copied
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
    EXPECT_EQ(navigator.studioProject().Speaker(), "Guard");
    EXPECT_EQ(navigator.studioProject().Count(), 1);
    EXPECT_EQ(second->txtSpeaker->text(), "") << "a new window starts with empty boxes";
    for (frmMain *main : mains)
        main->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
