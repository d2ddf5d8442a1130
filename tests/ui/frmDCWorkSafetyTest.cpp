#include "ui/frmDCFixture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QUndoStack>

namespace {
const QString seed =
    QStringLiteral("Greyhollow ParleyWorks for 55i, by Halden, originally for 99l by tobble");
using Answer = UserPrompts::UnsavedAnswer;
} // namespace

TEST(frmDCWorkSafety, ReturnAndTheCloseBoxAskOnlyWhileSomethingIsUnsaved) {
    QTemporaryDir dir;
    Studio s;
    s.w.MnuProjEnd->trigger();
    EXPECT_TRUE(s.prompts.unsavedQuestions().isEmpty()) << "nothing unsaved, nothing asked";
    EXPECT_EQ(s.navigator.calls, QStringList{"main"});
    s.w.show();
    s.w.activateWindow();

    Studio::retype(s.w.txtSpeech, "Halt!");
    Studio::click(s.w.CMDSave);
    EXPECT_TRUE(s.w.isWindowModified());
    s.w.close(); // the close box, answered Cancel
    EXPECT_EQ(s.prompts.unsavedQuestions().size(), 1);
    s.w.MnuEditUndo->trigger();
    EXPECT_FALSE(s.w.isWindowModified()) << "undone back to the started project";
    s.w.MnuEditRedo->trigger();
    EXPECT_TRUE(s.w.isWindowModified());

    // Save with its file dialog cancelled keeps the window; then saved for real, it leaves.
    s.prompts.queueUnsaved(Answer::Save);
    s.w.MnuProjEnd->trigger();
    EXPECT_TRUE(s.w.isVisible());
    s.prompts.queueUnsaved(Answer::Save);
    s.prompts.queueFileName(dir.filePath("guard"));
    s.w.MnuProjEnd->trigger();
    EXPECT_FALSE(s.w.isVisible());
    EXPECT_TRUE(TestSupport::readFile(dir.filePath("guard.QDS")).contains("Halt!"));
    EXPECT_EQ(s.w.windowTitle(), seed + " - guard.QDS[*]");
    EXPECT_EQ(s.navigator.calls, (QStringList{"main", "main"}));

    // The prefix is saved too. Discard goes on.
    s.w.show();
    Studio::retype(s.w.DialogName, "QDS_Guard");
    EXPECT_TRUE(s.w.isWindowModified());
    s.prompts.queueUnsaved(Answer::Discard);
    s.w.close();
    EXPECT_FALSE(s.w.isVisible());
    EXPECT_EQ(s.prompts.unsavedQuestions().size(), 4);
    EXPECT_EQ(s.navigator.calls.size(), 3) << "the close box goes back to the main window";

    // New and Open start over: no history, nothing unsaved, no file name.
    s.w.show();
    Studio::click(s.w.CmdAddPage);
    s.prompts.queueConfirm(true);
    s.w.MnuProjNew->trigger();
    EXPECT_FALSE(s.w.isWindowModified() || s.w.History->canUndo());
    EXPECT_EQ(s.w.windowTitle(), seed + "[*]");
}

TEST(frmDCWorkSafety, EveryChangeUndoesAndRedoesNamingItsPage) {
    Studio s;
    QList<QStringList> states{s.stored() + s.tree()};
    QStringList undoTexts;
    const auto step = [&](const std::function<void()> &change) {
        change();
        s.w.MnuAnalysis_Click();
        states << s.stored() + s.tree();
        undoTexts << s.w.MnuEditUndo->text();
    };
    step([&] {
        Studio::retype(s.w.txtSpeech, "Halt!");
        Studio::click(s.w.CMDSave);
    });
    step([&] {
        Studio::retype(s.w.txtPageID, "1");
        QTest::keyClick(s.w.txtPageID, Qt::Key_Return);
    });
    step([&] { Studio::click(s.w.CmdAddPage); });
    step([&] { Studio::click(s.w.CmdADDSel); }); // takes the empty answer 0
    step([&] { Studio::click(s.w.CmdADDSel); }); // appends answer 1
    step([&] { Studio::click(s.w.CmdRemoveSel); });
    step([&] { Studio::click(s.w.CMDRemovePage); }); // page 0's link to it goes
    EXPECT_EQ(undoTexts, (QStringList{"Undo Apply on page 0", "Undo Apply on page 0", "Undo Add New page 1",
                                      "Undo Add New answer on page 1", "Undo Add New answer on page 1",
                                      "Undo Remove answer on page 1", "Undo Remove page 1"}));
    EXPECT_EQ(states.last().mid(0, 2), (QStringList{"0:Halt!", "  |0||1"}));

    for (qsizetype i = states.size() - 2; i >= 0; --i) {
        s.w.MnuEditUndo->trigger();
        EXPECT_EQ(s.stored() + s.tree(), states[i]) << "undone to step " << i;
    }
    EXPECT_FALSE(s.w.isWindowModified());
    EXPECT_EQ(s.w.MnuEditRedo->text(), "Redo Apply on page 0");
    for (qsizetype i = 1; i < states.size(); ++i) {
        s.w.MnuEditRedo->trigger();
        EXPECT_EQ(s.stored() + s.tree(), states[i]) << "redone to step " << i;
    }
    EXPECT_EQ(s.w.txtPage->text(), "0");
}

TEST(frmDCWorkSafety, CtrlZUndoesTheFocusedBoxsTypingAndElsewhereTheProject) {
    Studio s;
    Studio::retype(s.w.txtSpeech, "Halt!");
    Studio::click(s.w.CMDSave);
    Studio::retype(s.w.txtSel, "abc");
    QTest::keyClick(s.w.txtSel, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_NE(s.w.txtSel->text(), "abc");
    s.w.txtSpeech->setFocus();
    QTest::keyClick(s.w.txtSpeech, Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClicks(s.w.txtSpeech, "xyz");
    QTest::keyClick(s.w.txtSpeech, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(s.w.txtSpeech->toPlainText(), "Halt!");
    EXPECT_EQ(s.project.Dialog(0).text(), "Halt!") << "the project's history was left alone";

    s.w.CMDSave->setFocus();
    QTest::keyClick(s.w.CMDSave, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(s.project.Dialog(0).text(), "Enter New Dialog");
    QTest::keyClick(s.w.CMDSave, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(s.project.Dialog(0).text(), "Halt!");
}

TEST(frmDCWorkSafety, ApplyFromAnyTriggerKeepsTheAnswerBeingEdited) {
    Studio s;
    for (int i = 0; i < 3; ++i)
        Studio::click(s.w.CmdADDSel);
    ASSERT_EQ(s.w.txtSelID->text(), "2");
    Studio::retype(s.w.txtPageID, "1");
    QTest::mouseClick(s.w.ChkENDDIalog, Qt::LeftButton); // leaving the page-id box applies first
    EXPECT_EQ(s.w.txtSelID->text(), "2");
    EXPECT_FALSE(s.w.ChkENDDIalog->isChecked());
    Studio::retype(s.w.txtSel, "Where is the inn?");
    QTest::keyClick(s.w.txtSel, Qt::Key_Return);
    EXPECT_EQ(s.shown(),
              "page 0 [Ubound: 0] sel 2 [ Ubound: 2] text 'Where is the inn?' linked 1 id '1' ends 0");
    EXPECT_EQ(s.stored(), (QStringList{"0:Enter New Dialog", "  Input Selection Text|0||1",
                                       "  Input Selection Text|0||1", "  Where is the inn?|1|1|0"}));
}

TEST(frmDCWorkSafety, PageIdsAreNumbersAndSaveReportsLinksItCannotKeep) {
    QTemporaryDir dir;
    Studio s;
    s.w.txtPageID->clear();
    QTest::keyClicks(s.w.txtPageID, "a1b-2 ");
    EXPECT_EQ(s.w.txtPageID->text(), "12");
    Studio::retype(s.w.txtPageID, "40000");
    EXPECT_EQ(s.w.txtPageID->text(), "4000");
    QGuiApplication::clipboard()->setText("abc");
    s.w.txtPageID->selectAll();
    QTest::keyClick(s.w.txtPageID, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(s.w.txtPageID->text(), "4000") << "a paste that is not a number is refused";

    // A link that came from elsewhere, such as a hand-edited file.
    s.project.Dialog(0).Selection(0).Init("Go", true, "abc", false);
    s.w.ShowPage(0);
    s.prompts.queueFileName(dir.filePath("links.QDS"));
    s.w.MnuProjSave->trigger();
    EXPECT_EQ(
        s.prompts.messages(),
        QStringList{"These answers are linked to a page id that is not a page number. The file holds them "
                    "as not linked:\npage 0, answer 0: \"abc\""});
    EXPECT_TRUE(TestSupport::readFile(dir.filePath("links.QDS")).contains("SELECTION Go\r\n-1\r\n0\r\n"));
}

TEST(frmDCWorkSafety, BoxesHandOverTextsExactlyAsStored) {
    Studio s;
    const QString speech = QString::fromUtf8("a\u00A0b\u2028c\u2029d\ne\r\nf");
    const QString answer = QString::fromUtf8("x\u00A0y\u2028z");
    s.project.Dialog(0).setText(speech);
    s.project.Dialog(0).Selection(0).setText(answer);
    s.w.ShowPage(0);
    Studio::click(s.w.CMDSave);
    EXPECT_EQ(s.project.Dialog(0).text(), speech);
    EXPECT_EQ(s.project.Dialog(0).Selection(0).text(), answer);
    EXPECT_FALSE(s.w.History->canUndo()) << "storing what is there changes nothing";

    // A line break typed into the box is a line break.
    s.w.txtSpeech->moveCursor(QTextCursor::End);
    s.w.txtSpeech->setFocus();
    QTest::keyClick(s.w.txtSpeech, Qt::Key_Return);
    QTest::keyClicks(s.w.txtSpeech, "g");
    QTest::keyClick(s.w.txtSpeech, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(s.w.txtSpeech, "h");
    Studio::click(s.w.CMDSave);
    EXPECT_EQ(s.project.Dialog(0).text(), speech + "\ng\nh") << "Shift+Enter too is a line break";
}
