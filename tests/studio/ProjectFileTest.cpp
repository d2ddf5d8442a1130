#include "studio/ProjectFile.h"
#include "common/TestSupport.h"
#include "dialogs/QuestDialogs.h"
#include "dialogs/ScriptWriter.h"
#include "platform/CodePage.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using Status = ProjectFile::ReadResult::Status;

std::unique_ptr<Selection> answer(const QString &text, bool linked, const QString &link, bool ends) {
    auto s = std::make_unique<Selection>();
    s->Init(text, linked, link, ends);
    return s;
}

// The guard project of the file format's example.
void buildGuard(QuestDialogs &project) {
    project.Clear();
    auto p0 = std::make_unique<Dialog>("Halt! Who goes there?");
    p0->AddSelection(answer("A friend.", true, "1", false));
    p0->AddSelection(answer("Nobody.", false, {}, true));
    project.AddNewDialog(std::move(p0));
    auto p1 = std::make_unique<Dialog>("Welcome, friend.");
    p1->AddSelection(answer("Thank you.", false, {}, true));
    project.AddNewDialog(std::move(p1));
}

const QByteArray GuardFile = TestSupport::crlfLines(
    {"QDS_NpcName_DialogName", "Guard", "PAGE 0", "Halt! Who goes there?", "SELECTION A friend.", "1", "0",
     "SELECTION Nobody.", "-1", "1", "PAGE 1", "Welcome, friend.", "SELECTION Thank you.", "-1", "1", ""});

// One line per page and answer, enough to compare whole projects.
QStringList dump(const QuestDialogs &project) {
    QStringList out;
    for (qint16 n = 0; n <= project.UpperBound(); ++n) {
        const Dialog &page = project.Dialog(n);
        out << QString::number(n) + ":" + page.text();
        for (qint16 k = 0; k <= page.SelectionUBound(); ++k) {
            const Selection &a = page.Selection(k);
            out << QStringLiteral("  %1|%2|%3|%4")
                       .arg(a.text())
                       .arg(a.isLinked())
                       .arg(a.LinkPage())
                       .arg(a.EndDialog());
        }
    }
    return out;
}

ProjectFile::ReadResult parseInto(QuestDialogs &project, const QByteArray &file) {
    project.Clear();
    return ProjectFile::parse(QString::fromLatin1(file), project);
}

struct CodePageGuard {
    ~CodePageGuard() { CodePage::resetEncoding(); }
};

} // namespace

TEST(ProjectFile, ExampleFileByteForByteAndBack) {
    QuestDialogs project;
    buildGuard(project);
    QTemporaryDir dir;
    const QString path = dir.filePath("guard.QDS");
    QString reason;
    ASSERT_TRUE(ProjectFile::save(path, "QDS_NpcName_DialogName", "Guard", project, &reason))
        << reason.toStdString();
    EXPECT_EQ(TestSupport::readFile(path), GuardFile);

    QuestDialogs loaded;
    loaded.Clear();
    const auto result = ProjectFile::read(path, loaded);
    EXPECT_EQ(result.status, Status::Ok);
    EXPECT_TRUE(result.hasPrefix && result.hasSpeaker);
    EXPECT_EQ(result.prefix, QStringLiteral("QDS_NpcName_DialogName"));
    EXPECT_EQ(result.speaker, QStringLiteral("Guard"));
    // An unlinked answer comes back with an empty page id.
    EXPECT_EQ(dump(loaded), QStringList({"0:Halt! Who goes there?", "  A friend.|1|1|0", "  Nobody.|0||1",
                                         "1:Welcome, friend.", "  Thank you.|0||1"}));
}

TEST(ProjectFile, RoundTripKeepsEveryPage) {
    QuestDialogs project;
    project.Clear();
    for (int n = 0; n < 40; ++n) {
        auto page = std::make_unique<Dialog>(QStringLiteral("Speech %1 *[waves*/] \u00e9").arg(n));
        for (int k = 0; k < n % 5 + 1; ++k)
            page->AddSelection(answer(QStringLiteral("Answer %1.%2").arg(n).arg(k), k % 2 == 0,
                                      QString::number((n + k) % 40), k % 3 == 0));
        project.AddNewDialog(std::move(page));
    }
    QTemporaryDir dir;
    const QString path = dir.filePath("big.QDS");
    ASSERT_TRUE(ProjectFile::save(path, "prefix", "Speaker Name", project));
    QuestDialogs loaded;
    loaded.Clear();
    const auto result = ProjectFile::read(path, loaded);
    ASSERT_EQ(result.status, Status::Ok);
    EXPECT_EQ(result.prefix, QStringLiteral("prefix"));
    EXPECT_EQ(result.speaker, QStringLiteral("Speaker Name"));
    // Unlinked answers lose their page id; everything else comes back.
    for (qint16 n = 0; n <= project.UpperBound(); ++n)
        for (qint16 k = 0; k <= project.Dialog(n).SelectionUBound(); ++k)
            if (!project.Dialog(n).Selection(k).isLinked())
                project.Dialog(n).Selection(k).setLinkPage(QString());
    EXPECT_EQ(dump(loaded), dump(project));
}

TEST(ProjectFile, LineBreaksAndBadLinksStillReadBack) {
    QuestDialogs project;
    project.Dialog(0).setText("one\r\ntwo\nPAGE 9");
    project.Dialog(0).Selection(0).Init("yes\rSELECTION no", true, "", false); // linked, no page id
    project.Dialog(0).AddSelection(answer("later", true, "abc", true));
    project.Dialog(0).AddSelection(answer("fine", true, " 2 ", false));
    project.Dialog(0).AddSelection(answer("negative", true, "-3", false));
    const QString text = ProjectFile::text("pre\nfix", "spe\r\naker", project);
    EXPECT_EQ(text, QString::fromLatin1(TestSupport::crlfLines(
                        {"pre<var.br>fix", "spe<var.br>aker", "PAGE 0", "one<var.br>two<var.br>PAGE 9",
                         "SELECTION yes<var.br>SELECTION no", "-1", "0", "SELECTION later", "-1", "1",
                         "SELECTION fine", " 2 ", "0", "SELECTION negative", "-3", "0", ""})));

    QuestDialogs loaded;
    loaded.Clear();
    const auto result = ProjectFile::parse(text, loaded);
    EXPECT_EQ(result.status, Status::Ok);
    EXPECT_EQ(result.prefix, QStringLiteral("pre<var.br>fix"));
    EXPECT_EQ(dump(loaded), QStringList({"0:one<var.br>two<var.br>PAGE 9", "  yes<var.br>SELECTION no|0||0",
                                         "  later|0||1", "  fine|1| 2 |0", "  negative|0||0"}));
    // The texts export exactly as the originals do.
    project.Dialog(0).Selection(0).setIsLinked(false);
    project.Dialog(0).Selection(1).setIsLinked(false);
    project.Dialog(0).Selection(3).setIsLinked(false);
    EXPECT_EQ(ScriptWriter::scriptText(loaded, "P"), ScriptWriter::scriptText(project, "P"));
}

TEST(ProjectFile, ReadingRules) {
    QuestDialogs project;

    // Just the two header lines: the placeholder page stays.
    auto result = parseInto(project, TestSupport::crlfLines({"pre", "spk"}));
    EXPECT_EQ(result.status, Status::Ok);
    EXPECT_EQ(result.speaker, QStringLiteral("spk"));
    EXPECT_EQ(dump(project), QStringList({"0:Null", "  |0||1"}));

    // Pages are numbered by their order; lines outside records are skipped; "PAGE " alone
    // does not start the first record but ends a page; a bare "SELECTION " is skipped.
    result =
        parseInto(project, TestSupport::crlfLines({"pre", "spk", "junk", "PAGE ", "PAGE 7", "seven", "noise",
                                                   "SELECTION ", "SELECTION a", "0", "1", "PAGE ", "next"}));
    EXPECT_EQ(result.status, Status::Ok);
    EXPECT_EQ(dump(project), QStringList({"0:seven", "  a|1|0|1", "1:next", "  |0||1"}));

    // Link and end lines are numbers with blanks allowed; only 1 ends, only >= 0 links.
    result = parseInto(project, TestSupport::crlfLines({"p", "s", "PAGE 0", "x", "SELECTION a", " 0 ", "2",
                                                        "SELECTION b", "-1", "-1", "SELECTION c", "-7", "1.0",
                                                        "SELECTION d", "12.5", "\t1 "}));
    EXPECT_EQ(result.status, Status::Ok);
    EXPECT_EQ(dump(project), QStringList({"0:x", "  a|1| 0 |0", "  b|0||0", "  c|0||1", "  d|1|12.5|1"}));

    // Seven answers: the first five are kept.
    QByteArray seven = TestSupport::crlfLines({"p", "s", "PAGE 0", "x"});
    for (int k = 1; k <= 7; ++k)
        seven += "SELECTION a" + QByteArray::number(k) + "\r\n-1\r\n1\r\n";
    result = parseInto(project, seven);
    EXPECT_EQ(result.status, Status::Ok);
    ASSERT_EQ(project.Dialog(0).SelectionCount(), 5);
    EXPECT_EQ(project.Dialog(0).Selection(4).text(), QStringLiteral("a5"));

    // A "Null" page is a placeholder: the next page read takes its number.
    result = parseInto(project,
                       TestSupport::crlfLines({"p", "s", "PAGE 0", "A", "PAGE 1", "Null", "PAGE 2", "C"}));
    EXPECT_EQ(dump(project), QStringList({"0:A", "  |0||1", "1:C", "  |0||1"}));
}

TEST(ProjectFile, LineEnds) {
    QuestDialogs project;
    // A lone LF belongs to the line when the file has CRs; a lone CR ends a line.
    auto result = parseInto(project, "p\r\ns\rPAGE 0\r\nsp\neech\r\n");
    EXPECT_EQ(result.status, Status::Ok);
    EXPECT_EQ(result.speaker, QStringLiteral("s"));
    EXPECT_EQ(project.Dialog(0).text(), QStringLiteral("sp\neech"));
    // A file without any CR is split at LF; the last line needs no line end.
    result = parseInto(project, "p\ns\nPAGE 0\nspeech\nSELECTION a\n3\n0");
    EXPECT_EQ(result.status, Status::Ok);
    EXPECT_EQ(dump(project), QStringList({"0:speech", "  a|1|3|0"}));
}

TEST(ProjectFile, DamagedFilesKeepWhatWasReadBeforeTheDamage) {
    QuestDialogs project;
    auto result = parseInto(project, "");
    EXPECT_EQ(result.status, Status::Damaged);
    EXPECT_FALSE(result.hasPrefix);

    result = parseInto(project, "only\r\n");
    EXPECT_EQ(result.status, Status::Damaged);
    EXPECT_TRUE(result.hasPrefix);
    EXPECT_FALSE(result.hasSpeaker);
    EXPECT_EQ(result.prefix, QStringLiteral("only"));

    const QByteArray head =
        TestSupport::crlfLines({"p", "s", "PAGE 0", "first", "SELECTION ok", "-1", "1", "PAGE 1"});
    for (const QByteArray &tail : {QByteArray(), // a page line with nothing after it
                                   TestSupport::crlfLines({"second", "SELECTION a", "1"}),
                                   TestSupport::crlfLines({"second", "SELECTION a", "", "1"}),
                                   TestSupport::crlfLines({"second", "SELECTION a", "1e9", "1"}),
                                   TestSupport::crlfLines({"second", "SELECTION a", "0x1", "1"}),
                                   TestSupport::crlfLines({"second", "SELECTION a", "1", "yes"})}) {
        result = parseInto(project, head + tail);
        EXPECT_EQ(result.status, Status::Damaged) << tail.toStdString();
        EXPECT_TRUE(result.hasSpeaker);
        EXPECT_EQ(dump(project), QStringList({"0:first", "  ok|0||1"})) << tail.toStdString();
    }
}

TEST(ProjectFile, TooManyPagesIsRefusedWhole) {
    QByteArray base = "p\r\ns\r\n";
    for (int n = 0; n < QuestDialogs::MaxPages - 1; ++n)
        base += "PAGE " + QByteArray::number(n) + "\r\nx\r\n";
    QuestDialogs project;
    EXPECT_EQ(parseInto(project, base + "PAGE 0\r\nx\r\n").status, Status::Ok);
    EXPECT_EQ(project.Count(), QuestDialogs::MaxPages);

    // A last "Null" page leaves its slot to the page after it, so that one still fits.
    EXPECT_EQ(parseInto(project, base + "PAGE 0\r\nNull\r\nPAGE 0\r\ny\r\n").status, Status::Ok);
    EXPECT_EQ(project.Count(), QuestDialogs::MaxPages);
    EXPECT_EQ(project.Dialog(QuestDialogs::MaxPages - 1).text(), QStringLiteral("y"));

    const auto result = parseInto(project, base + "PAGE 0\r\nx\r\nPAGE 0\r\ny\r\n");
    EXPECT_EQ(result.status, Status::TooManyPages);
    EXPECT_TRUE(result.reason.contains("32767")) << result.reason.toStdString();
    EXPECT_FALSE(result.hasPrefix);
    EXPECT_EQ(dump(project), QStringList({"0:Null", "  |0||1"}));
}

TEST(ProjectFile, ReadAndSaveFailures) {
    QTemporaryDir dir;
    QuestDialogs project;
    EXPECT_EQ(ProjectFile::read(QString(), project).status, Status::NotFound);
    EXPECT_EQ(ProjectFile::read(dir.filePath("missing.QDS"), project).status, Status::NotFound);
    const auto folder = ProjectFile::read(dir.path(), project);
    EXPECT_EQ(folder.status, Status::CannotRead);
    EXPECT_FALSE(folder.reason.isEmpty());

    // A file in Windows-1252 reads even where the system code page is UTF-8.
    CodePage::setEncoding(QStringConverter::Utf8);
    CodePageGuard guard;
    const QString path = dir.filePath("old.QDS");
    ASSERT_TRUE(TestSupport::writeFile(path, "p\r\nJos\xe9\r\n"));
    EXPECT_EQ(ProjectFile::read(path, project).speaker, QStringLiteral("Jos\u00e9"));

    // A save that cannot be written keeps the previous file.
    CodePage::setEncoding(QStringConverter::Latin1);
    QString reason;
    EXPECT_FALSE(ProjectFile::save(path, "p", QStringLiteral("\u20ac"), project, &reason));
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_EQ(TestSupport::readFile(path), QByteArray("p\r\nJos\xe9\r\n"));
    EXPECT_FALSE(ProjectFile::save(dir.path(), "p", "s", project, &reason));
}

TEST(ProjectFile, HugeInputsParse) {
    QuestDialogs project;
    // One 50-million-character line, and a million short lines.
    QString line(50'000'000, u'a');
    auto result = ProjectFile::parse(line, project);
    EXPECT_EQ(result.status, Status::Damaged);
    EXPECT_EQ(result.prefix.size(), line.size());

    QString many = QStringLiteral("p\r\ns\r\nPAGE 0\r\nx\r\n");
    many.reserve(8'000'000);
    for (int i = 0; i < 1'000'000; ++i)
        many += QLatin1StringView("SELECTION a\r\n1\r\n0\r\n");
    project.Clear();
    result = ProjectFile::parse(many, project);
    EXPECT_EQ(result.status, Status::Ok);
    EXPECT_EQ(project.Dialog(0).SelectionCount(), 5);
}
