// Links only a project in memory can hold, for a file cannot; the check's other findings are the
// command cases in fixtures/cli.
#include "core/dialogs/ProjectCheck.h"
#include "core/dialogs/ConversationGraph.h"
#include "core/dialogs/ProjectFile.h"
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

// One page checked alone finds what the whole check finds on it: the projects of the check's
// command cases, their pages one by one.
TEST(ProjectCheck, APageCheckedAloneFindsWhatTheWholeCheckFindsThere) {
    const QDir cases(QStringLiteral(RUNEQUILL_FIXTURES "/cli"));
    int checked = 0;
    for (const QString &name : cases.entryList({"check-*"}, QDir::Dirs)) {
        QuestDialogs project;
        project.Clear();
        const Outcome<ProjectFile::Header> read =
            ProjectFile::read(cases.filePath(name + "/in/p.QDS"), project);
        if (!read.ok())
            continue;
        const QString prefix = read.value.prefix.value_or(QString()),
                      speaker = read.value.speaker.value_or(QString());
        const std::vector<Finding> all = checkProject(project, prefix, speaker);
        ConversationGraph graph;
        graph.sync(project);
        for (qint16 n = 0; n < project.Count(); ++n, ++checked) {
            QStringList whole, alone;
            for (const Finding &f : all)
                if (f.page == n)
                    whole << QStringLiteral("%1 %2 %3").arg(f.answer).arg(f.severity).arg(f.message);
            for (const Finding &f : checkPage(project, prefix, speaker, n, graph.isReached(n)))
                alone << QStringLiteral("%1 %2 %3").arg(f.answer).arg(f.severity).arg(f.message);
            EXPECT_EQ(alone, whole) << name.toStdString() << " page " << n;
        }
    }
    EXPECT_GE(checked, 20);
}
