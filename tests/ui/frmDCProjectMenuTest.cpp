// The studio's menu commands where they meet files and other windows; the event semantics of
// the window are in the scenario tables (frmDCScenarioTest).
#include "ui/frmDCFixture.h"

#include "core/text/CodePage.h"
#include "ui/shell/AppNavigator.h"
#include "ui/shell/frmMain.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

using TestSupport::readFile;
using TestSupport::writeFile;

// The one test of the studio's message for a save that fails: the file and the reason. A
// character the code page cannot hold fails the save before the old file is touched.
TEST(frmDCProjectMenu, SaveThatCannotWriteSaysSoAndKeepsTheOldFile) {
    QTemporaryDir dir;
    Studio s;
    s.prompts.queueFileName(dir.filePath("missing/p.QDS"));
    s.w.MnuProjSave->trigger();
    ASSERT_TRUE(writeFile(dir.filePath("old.QDS"), "old\r\n"));
    TestSupport::CodePageGuard guard;
    CodePage::setEncoding(QStringConverter::Latin1);
    s.w.txtSel->setText(QString(QChar(0x20AC))); // pasted: QTest types ASCII only
    s.prompts.queueFileName(dir.filePath("old.QDS"));
    s.w.MnuProjSave->trigger();
    ASSERT_EQ(s.prompts.messages().size(), 2);
    EXPECT_EQ(s.prompts.messages()[0], "The file " + QDir::toNativeSeparators(dir.filePath("missing/p.QDS")) +
                                           " could not be written: No such file or directory");
    EXPECT_TRUE(s.prompts.messages()[1].contains("U+20AC")) << s.prompts.messages()[1].toStdString();
    EXPECT_EQ(readFile(dir.filePath("old.QDS")), "old\r\n");
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

TEST(frmDCLongTexts, OpenThenSaveKeepsTextsLongerThanALineBoxShows) {
    // A line box holds 32767 characters unless told otherwise: longer texts from a file must
    // still reach the saved file whole.
    QTemporaryDir dir;
    const QByteArray longText(40'000, 'x');
    const QByteArray file = "p" + longText + "\r\ns" + longText + "\r\nPAGE 0\r\nspeech\r\nSELECTION a" +
                            longText + "\r\n-1\r\n1\r\nSELECTION b\r\n-1\r\n0\r\n\r\n";
    const QString original = dir.filePath("long.QDS");
    ASSERT_TRUE(TestSupport::writeFile(original, file));
    Studio s;
    s.prompts.queueConfirm(true);
    s.prompts.queueFileName(original);
    s.w.MnuProjOpen->trigger();
    ASSERT_TRUE(s.prompts.messages().isEmpty());

    const QString saved = dir.filePath("saved.QDS");
    s.prompts.queueFileName(saved);
    s.w.MnuProjSave->trigger(); // applies the answer shown, the long one, first
    EXPECT_EQ(TestSupport::readFile(saved), file);
}

TEST(frmDCProjectMenu, OpenOfMorePagesThanAProjectHoldsSaysWhyAndLoadsNothing) {
    QTemporaryDir dir;
    QByteArray huge = "pre\r\nspk\r\n";
    for (int n = 0; n <= QuestDialogs::MaxPages; ++n)
        huge += "PAGE " + QByteArray::number(n) + "\r\nx\r\n";
    ASSERT_TRUE(writeFile(dir.filePath("huge.QDS"), huge));
    Studio s;
    s.prompts.queueConfirm(true);
    s.prompts.queueFileName(dir.filePath("huge.QDS"));
    s.w.MnuProjOpen->trigger();
    EXPECT_EQ(s.prompts.messages(),
              QStringList{"The file " + QDir::toNativeSeparators(dir.filePath("huge.QDS")) +
                          " could not be read: The file holds more pages than a project "
                          "can hold (at most 32767)"});
    EXPECT_EQ(s.stored(), QStringList({"0:Null", "  |0||1"}));
    EXPECT_EQ(s.w.DialogName->text(), "QDS_NpcName_DialogName");
}

TEST(frmDCPages, AddPageOnAFullProjectSaysSo) {
    Studio s;
    while (s.project.AddNewDialog(std::make_unique<Dialog>("p"))) {
    }
    Studio::click(s.w.CmdAddPage);
    EXPECT_EQ(s.project.Count(), QuestDialogs::MaxPages);
    EXPECT_EQ(s.prompts.messages(), QStringList{"You can only have 32767 pages per dialog"});
    EXPECT_EQ(s.w.txtPage->text(), "32766");
    EXPECT_EQ(s.w.TrvAnalysis->model()->rowCount(), QuestDialogs::MaxPages);
}
