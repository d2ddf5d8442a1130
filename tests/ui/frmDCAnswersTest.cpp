#include "ui/frmDCFixture.h"

TEST(frmDCAnswers, AddNewFillsTheEmptySlotThenAppendsUpToFour) {
    Studio s;
    Studio::click(s.w.CmdADDSel);
    EXPECT_EQ(s.shown(),
              "page 0 [Ubound: 0] sel 0 [ Ubound: 0] text 'Input Selection Text' linked 0 id '' ends 1");
    EXPECT_EQ(s.stored(), (QStringList{"0:Enter New Dialog", "  Input Selection Text|0||1"}));

    Studio::retype(s.w.txtSel, "First");
    QTest::keyClick(s.w.txtSel, Qt::Key_Return);
    Studio::click(s.w.CmdADDSel);
    EXPECT_EQ(s.shown(),
              "page 0 [Ubound: 0] sel 1 [ Ubound: 1] text 'Input Selection Text' linked 0 id '' ends 1");
    Studio::click(s.w.CmdADDSel);
    Studio::retype(s.w.txtSel, "Third");
    Studio::click(s.w.CmdADDSel);
    EXPECT_EQ(s.w.txtSelID->text(), "3");
    EXPECT_EQ(s.w.UPDSelID->maximum(), 3);

    Studio::retype(s.w.txtSel, "Edited fourth");
    Studio::click(s.w.CmdADDSel);
    EXPECT_EQ(s.prompts.messages(), QStringList{"You can only have four selections pre dialog"});
    EXPECT_EQ(s.stored(), (QStringList{"0:Enter New Dialog", "  First|0||1", "  Input Selection Text|0||1",
                                       "  Third|0||1", "  Edited fourth|0||1"}))
        << "the shown answer was stored before the refusal";
    EXPECT_EQ(s.tree().last(), "  s3 Edited fourth");
}

TEST(frmDCAnswers, RemoveShowsTheLastAnswerAndRefusesTheOnlyOne) {
    Studio s;
    Studio::click(s.w.CmdRemoveSel);
    EXPECT_EQ(s.prompts.messages(), QStringList{"You must have at least one selection"});

    Dialog &page = s.project.Dialog(0);
    for (const char *text : {"A", "B", "C"}) {
        auto answer = std::make_unique<Selection>();
        answer->Init(text, false, {}, true);
        page.AddSelection(std::move(answer));
    }
    s.w.MnuAnalysis->trigger();
    s.w.ShowPage(0);
    s.w.UPDSelID->stepUp();
    Studio::retype(s.w.txtSel, "B edited, not stored");
    Studio::click(s.w.CmdRemoveSel);
    EXPECT_EQ(s.stored(), (QStringList{"0:Enter New Dialog", "  A|0||1", "  C|0||1"}));
    EXPECT_EQ(s.shown(), "page 0 [Ubound: 0] sel 1 [ Ubound: 1] text 'C' linked 0 id '' ends 1");
    EXPECT_EQ(s.tree(), (QStringList{"0:Enter New Dialog", "  s0 A", "  s1 B", "  s2 C"}))
        << "the tree keeps the old answers until the next rebuild";
    s.w.MnuAnalysis->trigger();
    EXPECT_EQ(s.tree(), (QStringList{"0:Enter New Dialog", "  s0 A", "  s1 C"}));
}

TEST(frmDCAnswers, PageIdTicksTheLinkBoxAndApplyStoresTheLink) {
    Studio s;
    Studio::retype(s.w.txtPageID, "");
    EXPECT_FALSE(s.w.ChkGoPage->isChecked());
    QTest::keyClicks(s.w.txtPageID, "3");
    EXPECT_TRUE(s.w.ChkGoPage->isChecked());
    QTest::keyClick(s.w.txtPageID, Qt::Key_Return);
    EXPECT_EQ(s.stored(), (QStringList{"0:Enter New Dialog", "  |1|3|1"}));
    EXPECT_EQ(s.shown(), "page 0 [Ubound: 0] sel 0 [Ubound: 0] text '' linked 1 id '3' ends 1");
    EXPECT_EQ(s.tree().last(), "  s0 L3 ");

    s.w.ChkGoPage->setChecked(false);
    Studio::click(s.w.CMDSave);
    EXPECT_EQ(s.stored().last(), "  |0|3|1") << "unlinking keeps the old page id";
    EXPECT_EQ(s.w.txtPageID->text(), "0");

    s.w.txtPageID->clear();
    s.w.ChkGoPage->setChecked(true);
    Studio::click(s.w.CMDSave);
    EXPECT_EQ(s.stored().last(), "  |1||1");
    EXPECT_EQ(s.shown(), "page 0 [Ubound: 0] sel 0 [Ubound: 0] text '' linked 0 id '' ends 1")
        << "a linked answer with no page id shows a clear box";
    EXPECT_EQ(s.tree().last(), "  s0 L ");
}

TEST(frmDCAnswers, ShowPageAndShowSelectionDifferInThePageIdOfAnUnlinkedAnswer) {
    Studio s;
    Studio::click(s.w.CmdADDSel);
    EXPECT_EQ(s.w.txtPageID->text(), "") << "ShowSelection";
    Studio::click(s.w.CMDSave);
    EXPECT_EQ(s.w.txtPageID->text(), "0") << "ShowPage";
    EXPECT_FALSE(s.w.ChkGoPage->isChecked());
}

TEST(frmDCAnswers, AnswerSpinnerShowsAnswersWithoutStoring) {
    Studio s;
    Studio::retype(s.w.txtSel, "Zero");
    Studio::click(s.w.CmdADDSel);
    Studio::retype(s.w.txtPageID, "1");
    s.w.ChkENDDIalog->setChecked(false);
    Studio::click(s.w.CMDSave); // keeps answer 1 shown
    EXPECT_EQ(s.w.txtSelID->text(), "1");
    s.w.UPDSelID->stepDown();

    Studio::retype(s.w.txtSel, "Zero edited");
    s.w.UPDSelID->stepUp();
    EXPECT_EQ(s.shown(),
              "page 0 [Ubound: 0] sel 1 [ Ubound: 1] text 'Input Selection Text' linked 1 id '1' ends 0");
    s.w.UPDSelID->stepUp(); // the last answer: nothing happens
    s.w.UPDSelID->stepDown();
    EXPECT_EQ(s.shown(), "page 0 [Ubound: 0] sel 0 [ Ubound: 1] text 'Zero' linked 0 id '' ends 1");
    EXPECT_EQ(s.stored().at(1), "  Zero|0||1");
}
