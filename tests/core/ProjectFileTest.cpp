#include "core/dialogs/ProjectFile.h"
#include "core/dialogs/QuestDialogs.h"
#include "core/dialogs/ScriptWriter.h"
#include "core/text/CodePage.h"
#include "support/TestSupport.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

// Line ends, damaged and hostile files, huge inputs and random round trips have tests of their
// own (HostileFileTest, RoundTripTest); these are the format's ordinary rules.
namespace {

using Status = ProjectFile::ReadResult::Status;
using TestSupport::answer;
using TestSupport::crlfLines;
using TestSupport::pages;

ProjectFile::ReadResult parseInto(QuestDialogs &project, const QByteArray &file) {
    project.Clear();
    return ProjectFile::parse(QString::fromLatin1(file), project);
}

} // namespace

TEST(ProjectFile, ExampleFileByteForByteAndBack) {
    QuestDialogs project;
    project.Clear();
    auto p0 = std::make_unique<Dialog>("Halt! Who goes there?");
    p0->AddSelection(answer("A friend.", true, "1", false));
    p0->AddSelection(answer("Nobody.", false, {}, true));
    project.AddNewDialog(std::move(p0));
    auto p1 = std::make_unique<Dialog>("Welcome, friend.");
    p1->AddSelection(answer("Thank you.", false, {}, true));
    project.AddNewDialog(std::move(p1));

    QTemporaryDir dir;
    const QString path = dir.filePath("guard.QDS");
    QString reason;
    ASSERT_TRUE(ProjectFile::save(path, "QDS_NpcName_DialogName", "Guard", project, &reason))
        << reason.toStdString();
    EXPECT_EQ(TestSupport::readFile(path), TestSupport::readFile(RUNEQUILL_EXAMPLE("frmDC_guard.QDS")));

    QuestDialogs loaded;
    loaded.Clear();
    const auto result = ProjectFile::read(path, loaded);
    EXPECT_EQ(result.status, Status::Ok);
    EXPECT_TRUE(result.hasPrefix && result.hasSpeaker);
    EXPECT_EQ(result.prefix, QStringLiteral("QDS_NpcName_DialogName"));
    EXPECT_EQ(result.speaker, QStringLiteral("Guard"));
    // An unlinked answer comes back with an empty page id.
    EXPECT_EQ(pages(loaded), QStringList({"0:Halt! Who goes there?", "  A friend.|1|1|0", "  Nobody.|0||1",
                                          "1:Welcome, friend.", "  Thank you.|0||1"}));
}

TEST(ProjectFile, LineBreaksAndBadLinksStillReadBack) {
    QuestDialogs project;
    project.Dialog(0).setText("one\r\ntwo\nPAGE 9");
    project.Dialog(0).Selection(0).Init("yes\rSELECTION no", true, "", false); // linked, no page id
    project.Dialog(0).AddSelection(answer("later", true, "abc", true));
    project.Dialog(0).AddSelection(answer("fine", true, " 2 ", false));
    project.Dialog(0).AddSelection(answer("negative", true, "-3", false));
    const QString text = ProjectFile::text("pre\nfix", "spe\r\naker", project);
    EXPECT_EQ(text, QString::fromLatin1(crlfLines(
                        {"pre<var.br>fix", "spe<var.br>aker", "PAGE 0", "one<var.br>two<var.br>PAGE 9",
                         "SELECTION yes<var.br>SELECTION no", "-1", "0", "SELECTION later", "-1", "1",
                         "SELECTION fine", " 2 ", "0", "SELECTION negative", "-3", "0", ""})));

    QuestDialogs loaded;
    loaded.Clear();
    const auto result = ProjectFile::parse(text, loaded);
    EXPECT_EQ(result.status, Status::Ok);
    EXPECT_EQ(result.prefix, QStringLiteral("pre<var.br>fix"));
    EXPECT_EQ(pages(loaded), QStringList({"0:one<var.br>two<var.br>PAGE 9", "  yes<var.br>SELECTION no|0||0",
                                          "  later|0||1", "  fine|1| 2 |0", "  negative|0||0"}));
    // The texts export exactly as the originals do.
    project.Dialog(0).Selection(0).setIsLinked(false);
    project.Dialog(0).Selection(1).setIsLinked(false);
    project.Dialog(0).Selection(3).setIsLinked(false);
    EXPECT_EQ(ScriptWriter::build(loaded, "P").value.bytes, ScriptWriter::build(project, "P").value.bytes);
}

TEST(ProjectFile, ReadingRules) {
    QByteArray sevenAnswers = crlfLines({"p", "s", "PAGE 0", "x"});
    for (int k = 1; k <= 7; ++k)
        sevenAnswers += "SELECTION a" + QByteArray::number(k) + "\r\n-1\r\n1\r\n";
    const struct {
        const char *rule;
        QByteArray file;
        Status status;
        QStringList pages;
    } cases[] = {
        {"two header lines: the placeholder page stays",
         crlfLines({"pre", "spk"}),
         Status::Ok,
         {"0:Null", "  |0||1"}},
        // "PAGE " alone does not start the first record but ends a page; a bare "SELECTION " is skipped.
        {"pages numbered by their order, lines outside records skipped",
         crlfLines({"pre", "spk", "junk", "PAGE ", "PAGE 7", "seven", "noise", "SELECTION ", "SELECTION a",
                    "0", "1", "PAGE ", "next"}),
         Status::Ok,
         {"0:seven", "  a|1|0|1", "1:next", "  |0||1"}},
        {"numbers with blanks; only 1 ends, only >= 0 links",
         crlfLines({"p", "s", "PAGE 0", "x", "SELECTION a", " 0 ", "2", "SELECTION b", "-1", "-1",
                    "SELECTION c", "-7", "1.0", "SELECTION d", "12.5", "\t1 "}),
         Status::Ok,
         {"0:x", "  a|1| 0 |0", "  b|0||0", "  c|0||1", "  d|1|12.5|1"}},
        {"of seven answers the first five are kept",
         sevenAnswers,
         Status::Ok,
         {"0:x", "  a1|0||1", "  a2|0||1", "  a3|0||1", "  a4|0||1", "  a5|0||1"}},
        {"the page after a placeholder takes its number",
         crlfLines({"p", "s", "PAGE 0", "A", "PAGE 1", "Null", "PAGE 2", "C"}),
         Status::Ok,
         {"0:A", "  |0||1", "1:C", "  |0||1"}},
        {"an end line that is no number damages the file, earlier pages are kept",
         crlfLines({"p", "s", "PAGE 0", "first", "SELECTION ok", "-1", "1", "PAGE 1", "second", "SELECTION a",
                    "1", "yes"}),
         Status::Damaged,
         {"0:first", "  ok|0||1"}},
    };
    QuestDialogs project;
    for (const auto &c : cases) {
        const auto result = parseInto(project, c.file);
        EXPECT_EQ(result.status, c.status) << c.rule;
        EXPECT_TRUE(result.hasSpeaker) << c.rule;
        EXPECT_EQ(pages(project), c.pages) << c.rule;
    }
}

TEST(ProjectFile, AFinalPlaceholderLeavesItsSlotToThePageAfterItAtTheLimit) {
    QByteArray file = "p\r\ns\r\n";
    for (int n = 0; n < QuestDialogs::MaxPages - 1; ++n)
        file += "PAGE " + QByteArray::number(n) + "\r\nx\r\n";
    QuestDialogs project;
    EXPECT_EQ(parseInto(project, file + "PAGE 0\r\nNull\r\nPAGE 0\r\ny\r\n").status, Status::Ok);
    EXPECT_EQ(project.Count(), QuestDialogs::MaxPages);
    EXPECT_EQ(project.Dialog(QuestDialogs::MaxPages - 1).text(), QStringLiteral("y"));
    EXPECT_EQ(parseInto(project, file + "PAGE 0\r\nx\r\nPAGE 0\r\ny\r\n").status, Status::TooManyPages);
}

TEST(ProjectFile, ReadAndSaveFailures) {
    QTemporaryDir dir;
    QuestDialogs project;
    EXPECT_EQ(ProjectFile::read(QString(), project).status, Status::NotFound);
    EXPECT_EQ(ProjectFile::read(dir.filePath("missing.QDS"), project).status, Status::NotFound);
    const auto folder = ProjectFile::read(dir.path(), project);
    EXPECT_EQ(folder.status, Status::CannotRead);
    EXPECT_FALSE(folder.reason.isEmpty());

    // A save that cannot be written keeps the previous file.
    const QString path = dir.filePath("old.QDS");
    ASSERT_TRUE(TestSupport::writeFile(path, "p\r\nJos\xe9\r\n"));
    TestSupport::CodePageGuard guard;
    CodePage::setEncoding(QStringConverter::Latin1);
    QString reason;
    EXPECT_FALSE(ProjectFile::save(path, "p", QStringLiteral("\u20ac"), project, &reason));
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_EQ(TestSupport::readFile(path), QByteArray("p\r\nJos\xe9\r\n"));
    EXPECT_FALSE(ProjectFile::save(dir.path(), "p", "s", project, &reason));
}
