// The project file as "Save" writes it, compared byte for byte, CR LF included: UTF-8 on every
// system, so the same bytes as the fixture on Linux and on Windows.
#include "core/dialogs/ProjectFile.h"
#include "core/dialogs/QuestDialogs.h"
#include "support/ProjectFixtures.h"
#include "support/TestSupport.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using TestSupport::answer;
using TestSupport::readFile;

// Line breaks inside a text become "<var.br>", so that every text stays on its one line; a linked
// answer whose page id is no number is written unlinked, since reading refuses such a link line;
// a prefix that starts with a byte-order mark gets one more, since reading drops the first.
TEST(Writing, TextsStayOnTheirLinesAndBadLinksAreWrittenUnlinked) {
    QuestDialogs project;
    project.Dialog(0).setText("one\r\ntwo\nPAGE 9\rthree");
    project.Dialog(0).Selection(0).Init("yes\rSELECTION no", true, "", false);
    project.Dialog(0).AddSelection(answer("later", true, "abc", true));
    project.Dialog(0).AddSelection(answer("fine", true, " 2 ", false));
    project.Dialog(0).AddSelection(answer("negative", true, "-3", false));
    project.Dialog(0).AddSelection(answer("unlinked", false, "5", true));
    project.AddNewDialog(std::make_unique<Dialog>(QStringLiteral("caf\u00e9 \u20ac")));
    QTemporaryDir dir;
    const QString path = dir.filePath("hazards.QDS");
    ASSERT_FALSE(
        ProjectFile::save(path, QStringLiteral("\ufeffpre\nfix"), "spe\r\naker", project).has_value());
    EXPECT_EQ(readFile(path), readFile(RUNEQUILL_FIXTURES "/writing/hazards.QDS"));
}

// A full project of generated pages comes back from a save and an open byte for byte.
TEST(Writing, AFullProjectSurvivesSaveAndOpen) {
    QTemporaryDir dir;
    QuestDialogs project;
    ProjectFixtures::generate(project, QuestDialogs::MaxPages);
    ASSERT_TRUE(ProjectFixtures::saveProjectFile(project, dir.filePath("before.QDS")));
    QuestDialogs reopened;
    const QStringList read = TestSupport::readProject(dir.filePath("before.QDS"), reopened);
    ASSERT_EQ(read.mid(0, 3), QStringList({"Ok", "prefix " + ProjectFixtures::prefix(),
                                           "speaker " + ProjectFixtures::speaker()}));
    ASSERT_EQ(reopened.Count(), QuestDialogs::MaxPages);
    ASSERT_TRUE(ProjectFixtures::saveProjectFile(reopened, dir.filePath("after.QDS")));
    const QByteArray saved = readFile(dir.filePath("before.QDS"));
    EXPECT_TRUE(saved == readFile(dir.filePath("after.QDS")));
    for (const char *record : {"\r\nPAGE 9999\r\n", "\r\nPAGE 10000\r\n", "\r\nPAGE 32766\r\n"})
        EXPECT_TRUE(saved.contains(record)) << record;
}
