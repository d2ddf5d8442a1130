#include "core/dialogs/AnalysisNodes.h"
#include "core/dialogs/QuestDialogs.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

TEST(AnalysisNodes, TextsAndKeys) {
    QuestDialogs project; // fresh: page 0 "Enter New Dialog" with one default answer
    Dialog &page = project.Dialog(0);
    EXPECT_EQ(AnalysisNodes::pageText(0, page), QStringLiteral("0:Enter New Dialog"));
    EXPECT_EQ(AnalysisNodes::answerText(0, page.Selection(0)), QStringLiteral("s0 "));

    page.setText("Halt! Who goes there?");
    page.Selection(0).Init("A friend.", true, "1", false);
    page.AddSelection(std::make_unique<Selection>());
    page.Selection(1).Init("Nobody.", false, "7", true); // a page id of an unlinked answer is not shown
    EXPECT_EQ(AnalysisNodes::pageText(12, page), QStringLiteral("12:Halt! Who goes there?"));
    EXPECT_EQ(AnalysisNodes::answerText(0, page.Selection(0)), QStringLiteral("s0 L1 A friend."));
    EXPECT_EQ(AnalysisNodes::answerText(1, page.Selection(1)), QStringLiteral("s1 Nobody."));
    page.Selection(1).Init("x", true, "", true);
    EXPECT_EQ(AnalysisNodes::answerText(1, page.Selection(1)), QStringLiteral("s1 L x"));

    EXPECT_EQ(AnalysisNodes::pageKey("QDS_NpcName_DialogName", 0),
              QStringLiteral("QDS_NpcName_DialogName_0"));
    EXPECT_EQ(AnalysisNodes::answerKey("QDS_NpcName_DialogName", 0, 1),
              QStringLiteral("QDS_NpcName_DialogName_0_1"));
    EXPECT_EQ(AnalysisNodes::answerKey("", 32766, 4), QStringLiteral("_32766_4"));
}
