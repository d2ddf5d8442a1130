#include "ui/frmDCFixture.h"

#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>

TEST(frmDCPages, OpensWithItsControlsCaptionsAndAFreshProject) {
    Studio s;
    s.project.setSpeaker("Kept");
    EXPECT_EQ(s.w.windowTitle(),
              "Greyhollow ParleyWorks for 55i, by Halden, originally for 99l by tobble[*]");

    QStringList captions;
    for (QWidget *c : s.w.centralWidget()->findChildren<QWidget *>()) {
        if (auto *frame = qobject_cast<QGroupBox *>(c))
            captions << frame->title();
        else if (auto *button = qobject_cast<QAbstractButton *>(c);
                 button && !qobject_cast<UpDown *>(c->parent()))
            captions << button->text();
        else if (auto *label = qobject_cast<QLabel *>(c))
            captions << label->text();
    }
    EXPECT_EQ(captions.join('|'),
              "Speech line|NPC Speech|Emote Start: *[, Emote End: */]. Emote Text are colored in red|"
              "Dialog: QDS_NpcName_DialogName_0|Speaker: | Analysis Window|Dialog Pages|Remove |Add New|"
              "Select Page:|Ubound: 0|Page Settings|Apply|Selection Ends Current Dialog|"
              "Selection is Linked to another page|Remove|Add New|Page ID|Selection Text|Ubound: 0|"
              "Player Selections|Universal Settings|Dialog Prefix|Speaker Name");
    EXPECT_TRUE(s.w.Label7->font().bold());
    EXPECT_TRUE(s.w.txtPage->isReadOnly() && s.w.txtSelID->isReadOnly());

    QStringList menu;
    for (QAction *a : s.w.menuBar()->actions())
        menu << a->objectName() + "=" + a->text();
    for (QAction *a : s.w.MnuProj->actions())
        menu << a->objectName() + "=" + (a->isSeparator() ? QString("-") : a->text());
    EXPECT_EQ(menu, (QStringList{"=Project", "=Edit", "=View", "MnuAnalysis=Analysis", "MnuProjNew=New",
                                 "HF1=-", "MnuProjOpen=Open...", "MnuProjSave=Save", "HF2=-",
                                 "MnuProjExport=Export...", "HF3=-", "MnuProjEnd=Return"}));

    EXPECT_EQ(s.shown(), "page 0 [Ubound: 0] sel 0 [Ubound: 0] text '' linked 0 id '0' ends 1");
    EXPECT_EQ(s.w.txtSpeech->toPlainText(), "Enter New Dialog");
    EXPECT_EQ(s.w.DialogName->text(), "QDS_NpcName_DialogName");
    EXPECT_EQ(s.w.txtSpeaker->text(), "");
    EXPECT_EQ(s.w.UPDPage->maximum(), 0);
    EXPECT_EQ(s.w.UPDSelID->buddy(), s.w.txtSelID);
    EXPECT_EQ(s.project.Speaker(), "Kept");
}

TEST(frmDCPages, PrefixAndSpeakerBoxesOnlyRelabelThePane) {
    Studio s;
    Studio::retype(s.w.DialogName, "abc");
    Studio::retype(s.w.txtSpeaker, "Bob");
    EXPECT_EQ(s.w.Label9->text(), "Dialog: abc_0");
    EXPECT_EQ(s.w.Label10->text(), "Speaker: Bob");
    EXPECT_EQ(s.project.Speaker(), "");
    EXPECT_EQ(s.stored(), (QStringList{"0:Enter New Dialog", "  |0||1"}));
}

TEST(frmDCPages, AddPageAppliesFirstAndShowsTheLastPage) {
    Studio s;
    Studio::retype(s.w.txtSpeech, "Hello");
    Studio::click(s.w.CmdAddPage);
    EXPECT_EQ(s.stored(), (QStringList{"0:Hello", "  |0||1", "1:Enter NPC Speech Here", "  |0||1"}));
    EXPECT_EQ(s.shown(), "page 1 [Ubound: 1] sel 0 [Ubound: 0] text '' linked 0 id '0' ends 1");
    EXPECT_EQ(s.w.txtSpeech->toPlainText(), "Enter NPC Speech Here");
    EXPECT_EQ(s.tree(), (QStringList{"0:Hello", "  s0 ", "1:Enter NPC Speech Here", "  s0 "}));
    EXPECT_EQ(s.w.UPDPage->maximum(), 1);

    // A placeholder page is filled rather than a page appended; the last page is shown.
    s.project.Dialog(0).setText("Null");
    Studio::click(s.w.CmdAddPage);
    EXPECT_EQ(s.project.Count(), 2);
    EXPECT_EQ(s.project.Dialog(0).text(), "Enter NPC Speech Here");
    EXPECT_EQ(s.w.txtPage->text(), "1");
    EXPECT_TRUE(s.prompts.messages().isEmpty());
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

TEST(frmDCPages, RemovePageDropsTheShownPageAndShowsTheLast) {
    Studio s;
    Studio::click(s.w.CMDRemovePage);
    EXPECT_EQ(s.prompts.messages(), QStringList{"You must have at least one selection"});
    EXPECT_EQ(s.project.Count(), 1);

    Studio::click(s.w.CmdAddPage);
    Studio::click(s.w.CmdAddPage);
    s.project.Dialog(1).setText("one");
    s.project.Dialog(2).setText("two");
    s.w.UPDPage->stepDown();
    s.w.UPDPage->stepDown();
    s.w.txtSpeech->setPlainText("unapplied");
    Studio::click(s.w.CMDRemovePage);
    EXPECT_EQ(s.stored(), (QStringList{"0:one", "  |0||1", "1:two", "  |0||1"}));
    EXPECT_EQ(s.shown(), "page 1 [Ubound: 1] sel 0 [Ubound: 0] text '' linked 0 id '0' ends 1");
    EXPECT_EQ(s.w.txtSpeech->toPlainText(), "two");
    EXPECT_EQ(s.tree(), (QStringList{"0:one", "  s0 ", "1:two", "  s0 "}))
        << "rebuilt through the speech box";
}

TEST(frmDCPages, TypingRebuildsTheTreeButStoresOnlyOnApply) {
    Studio s;
    const QModelIndex page0 = s.w.TrvAnalysis->model()->index(0, 0);
    s.w.TrvAnalysis->expand(page0);
    Studio::retype(s.w.txtSpeech, "Hi");
    EXPECT_FALSE(s.w.TrvAnalysis->isExpanded(page0)) << "each keystroke rebuilds the tree";
    EXPECT_EQ(s.project.Dialog(0).text(), "Enter New Dialog");
    EXPECT_EQ(s.tree(), (QStringList{"0:Enter New Dialog", "  s0 "}));

    Studio::retype(s.w.txtSel, "Bye");
    s.w.ChkENDDIalog->setChecked(false);
    Studio::click(s.w.CMDSave);
    EXPECT_EQ(s.stored(), (QStringList{"0:Hi", "  Bye|0||0"}));
    EXPECT_EQ(s.tree(), (QStringList{"0:Hi", "  s0 Bye"}));
}

TEST(frmDCPages, EnterInTheSpeechAppliesAndStillBreaksTheLineAtTheCaret) {
    Studio s;
    Studio::retype(s.w.txtSpeech, "Hello");
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(s.w.txtSpeech, Qt::Key_Left);
    QTest::keyClick(s.w.txtSpeech, Qt::Key_Return);
    EXPECT_EQ(s.project.Dialog(0).text(), "Hello");
    EXPECT_EQ(s.w.txtSpeech->toPlainText(), "He\nllo");
    QTest::keyClick(s.w.txtSpeech, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(s.project.Dialog(0).text(), "He\nllo");
    EXPECT_EQ(s.tree().first(), "0:He\nllo");
}

TEST(frmDCPages, LeavingTheSpeechAppliesButNotForAMenuOrAnotherWindow) {
    Studio s;
    Studio::retype(s.w.txtSel, "Answer"); // the answer box has no focus-lost handler
    Studio::retype(s.w.txtSpeech, "Typed");
    QFocusEvent popup(QEvent::FocusOut, Qt::PopupFocusReason);
    QCoreApplication::sendEvent(s.w.txtSpeech, &popup);
    QFocusEvent otherWindow(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QCoreApplication::sendEvent(s.w.txtSpeech, &otherWindow);
    EXPECT_EQ(s.project.Dialog(0).text(), "Enter New Dialog");

    s.w.txtPageID->setFocus(); // the speech box loses the focus within the window
    EXPECT_EQ(s.stored(), (QStringList{"0:Typed", "  Answer|0||1"}));
    EXPECT_EQ(s.w.txtPageID->text(), "0");
}

TEST(frmDCPages, PageSpinnerShowsPagesWithoutStoring) {
    Studio s;
    Studio::click(s.w.CmdAddPage);
    Studio::click(s.w.CmdAddPage);
    s.w.UPDPage->stepDown();
    EXPECT_EQ(s.w.txtPage->text(), "1");
    Studio::retype(s.w.txtSpeech, "not stored");
    s.w.UPDPage->stepDown();
    s.w.UPDPage->stepDown(); // already at 0: nothing happens
    EXPECT_EQ(s.w.txtPage->text(), "0");
    EXPECT_EQ(s.w.txtSpeech->toPlainText(), "Enter New Dialog");
    EXPECT_EQ(s.project.Dialog(1).text(), "Enter NPC Speech Here");
    s.w.UPDPage->stepUp();
    s.w.UPDPage->stepUp();
    s.w.UPDPage->stepUp();
    EXPECT_EQ(s.w.txtPage->text(), "2");

    s.w.ShowPage(7); // past the last page: ignored
    EXPECT_EQ(s.w.txtSpeech->toPlainText(), "Enter NPC Speech Here");
    EXPECT_EQ(s.w.CurrentPage(), 2);
}
