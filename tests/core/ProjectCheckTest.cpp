// Links only a project in memory can hold, for a file cannot; the check's other findings are the
// command cases in fixtures/cli.
#include "core/dialogs/ProjectCheck.h"
#include "core/dialogs/QuestDialogs.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

TEST(ProjectCheck, LinksTheFileCannotHoldAreErrorsAndTheProjectIsLeftAlone) {
    QuestDialogs project;
    Dialog &page = project.Dialog(0);
    page.setSelection(0, TestSupport::answer("empty id", true, "", false));
    page.AddSelection(TestSupport::answer("word", true, "two", true));
    page.AddSelection(TestSupport::answer("", false, "", true));
    QStringList found;
    for (const Finding &f : checkProject(project, "p", ""))
        found << QStringLiteral("%1 %2: %3")
                     .arg(f.answer)
                     .arg(f.severity == Finding::Error ? "error" : "warning", f.message);
    EXPECT_EQ(found, QStringList({"0 error: linked, but the page id is empty",
                                  "1 error: linked to \"two\", which is not a page number",
                                  "2 warning: empty answer text, exported as \"End Dialog\""}));
    // The export's defaults were filled in on a copy only.
    EXPECT_TRUE(project.Speaker().isEmpty());
    EXPECT_TRUE(page.Selection(2).text().isEmpty());
}
