#include "core/dialogs/ExportNotes.h"

#include <gtest/gtest.h>

// The question lists the first ten errors with their places and counts the rest.
TEST(ExportNotes, ErrorsQuestionShowsTenAndCountsTheRest) {
    std::vector<Finding> errors;
    for (qint16 n = 0; n < 12; ++n)
        errors.push_back({n, qint16(n % 2 - 1), Finding::Error, QStringLiteral("bad %1").arg(n)});
    const QStringList lines = ExportNotes::errorsQuestion(errors).split(u'\n');
    ASSERT_EQ(lines.size(), 15);
    EXPECT_EQ(lines[2], "page 0: bad 0");
    EXPECT_EQ(lines[3], "page 1, answer 0: bad 1");
    EXPECT_EQ(lines[11], "page 9, answer 0: bad 9");
    EXPECT_EQ(lines[12], "... and 2 more (View > Problems lists them all).");
    EXPECT_EQ(lines[14], "Export anyway?");
}

// A new part is named with the console line that loads it, from the server's scripts folder
// when the file lies under one; the other files written are listed first.
TEST(ExportNotes, NewPartsAreNamedWithTheirLoadCommand) {
    EXPECT_EQ(ExportNotes::loadCommand("/srv/shard/Scripts/custom/quests/g_part2.scp"),
              "LOAD Scripts/custom/quests/g_part2.scp");
    EXPECT_EQ(ExportNotes::loadCommand("/srv/shard/scripts/g_part3.scp"), "LOAD scripts/g_part3.scp");
    const ScriptExport::Written written{
        {"/srv/x/g.scp", "/srv/x/g_part2.scp", "/srv/x/runequill_support.scp"}, {"/srv/x/g_part2.scp"}};
    EXPECT_EQ(ExportNotes::writtenMessage(written),
              "The export also wrote:\n/srv/x/g_part2.scp\n/srv/x/runequill_support.scp\n\n"
              "g_part2.scp is a new part file: a running server reads it only after a restart or "
              "\"LOAD scripts/<folder>/g_part2.scp\" on its console.");
    EXPECT_TRUE(ExportNotes::writtenMessage({{"/srv/x/g.scp"}, {}}).isEmpty());
}
