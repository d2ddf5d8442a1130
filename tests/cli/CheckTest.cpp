// The check's findings as the command prints them are the cases in tests/fixtures/cli; here, links
// that only a project in memory can hold.
#include "core/dialogs/ProjectCheck.h"
#include "core/dialogs/QuestDialogs.h"

#include <gtest/gtest.h>

TEST(CliCheck, LinksTheFileCannotHoldAreErrorsAndTheProjectIsLeftAlone) {
    QuestDialogs project;
    Dialog &page = project.Dialog(0);
    page.Selection(0).Init("empty id", true, "", false);
    auto notNumber = std::make_unique<Selection>();
    notNumber->Init("word", true, "two", true);
    page.AddSelection(std::move(notNumber));
    auto blank = std::make_unique<Selection>();
    blank->Init("", false, "", true);
    page.AddSelection(std::move(blank));

    const std::vector<Finding> findings = checkProject(project, "p", "");
    ASSERT_EQ(findings.size(), 3u);
    EXPECT_EQ(findings[0].answer, 0);
    EXPECT_EQ(findings[0].severity, Finding::Error);
    EXPECT_EQ(findings[0].message, "linked, but the page id is empty");
    EXPECT_EQ(findings[1].answer, 1);
    EXPECT_EQ(findings[1].message, "linked to \"two\", which is not a page number");
    EXPECT_EQ(findings[2].answer, 2);
    EXPECT_EQ(findings[2].severity, Finding::Warning);
    // The export's defaults were filled in on a copy only.
    EXPECT_TRUE(project.Speaker().isEmpty());
    EXPECT_TRUE(page.Selection(2).text().isEmpty());
}
