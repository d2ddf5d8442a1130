#include "core/dialogs/ProjectFile.h"
#include "core/dialogs/QuestDialogs.h"
#include "support/ProjectFixtures.h"
#include "support/TestSupport.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

constexpr int fullProject = QuestDialogs::MaxPages;

// One page block of the script, built line by line from the format's table, independently of
// the writer.
QByteArray expectedBlock(const Dialog &page, qint16 n, const QString &prefix, const QString &speaker) {
    const QString name = prefix + u'_' + QString::number(n);
    QStringList lines = {
        QStringLiteral("[DIALOG %1]").arg(name),
        QStringLiteral("30,30"),
        QStringLiteral("NOMOVE"),
        QStringLiteral("Page 0"),
        QStringLiteral("resizepic 0 0 5054 380 330"),
        QStringLiteral("Page 1"),
        QStringLiteral("HTMLGUMP 30 15 100 20 0 0 0\t\t//NPC NAME"),
        QStringLiteral("HTMLGUMP 30 35 340 100 1 1 1\t\t//NPC SPEECH"),
        QStringLiteral("BUTTON 10 150 4005 4006 1 0 1"),
        QStringLiteral("HTMLGUMP 50 150 270 40 2 0 0\t\t//PLAYER ANSWERS"),
    };
    for (int k = 2; k <= 4 && k <= page.SelectionCount(); ++k) {
        const int y = 150 + 40 * (k - 1);
        lines << QStringLiteral("BUTTON 10 %1 4005 4006 1 0 %2").arg(y).arg(k)
              << QStringLiteral("HTMLGUMP 50 %1 270 40 %2 0 0").arg(y).arg(k + 1);
    }
    lines << QStringLiteral(" ") << QStringLiteral("[DIALOG %1 Text]").arg(name)
          << QStringLiteral("<var.bfont_lgreen>") + speaker + QStringLiteral("<var.br>");
    QString speech = page.text();
    speech.replace(QStringLiteral("*["), QStringLiteral("<var.bfont_red>["));
    speech.replace(QStringLiteral("*/]"), QStringLiteral("] <var.bfont_lgrey>"));
    lines << QStringLiteral("<var.bfont_lgrey>") + speech;
    for (qint16 k = 0; k <= page.SelectionUBound(); ++k)
        lines << QStringLiteral("<var.br><var.bfont_lgrey>") + page.Selection(k).text() +
                     QStringLiteral("<var.br>");
    lines << QStringLiteral(" ") << QStringLiteral("[DIALOG %1 BUTTON]").arg(name);
    for (qint16 k = 0; k <= page.SelectionUBound(); ++k) {
        const Selection &answer = page.Selection(k);
        lines << QStringLiteral("ON=%1").arg(k + 1);
        if (answer.isLinked())
            lines << QStringLiteral("\tsrc.iQuest::GetDialog ") + prefix + u'_' + answer.LinkPage();
        if (answer.EndDialog())
            lines << QStringLiteral("\tReturn 1");
        lines << QStringLiteral(" ");
    }
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1();
}

// Page n's block as the export wrote it: from its gump header up to the next page's.
QByteArray blockOf(const QByteArray &script, const QString &prefix, int n) {
    const QByteArray header = QStringLiteral("[DIALOG %1_%2]\r\n").arg(prefix).arg(n).toLatin1();
    const QByteArray next = QStringLiteral("[DIALOG %1_%2]\r\n").arg(prefix).arg(n + 1).toLatin1();
    const qsizetype start = script.indexOf(header);
    if (start < 0)
        return {};
    const qsizetype stop = script.indexOf(next, start);
    return script.mid(start, stop < 0 ? -1 : stop - start);
}

class LargeProjectTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString path(const QString &name) const { return dir.filePath(name); }

    QTemporaryDir dir;
};

TEST_F(LargeProjectTest, GeneratedProjectsAreRepeatableAndVaried) {
    const auto text = [](const QuestDialogs &project) {
        return ProjectFile::text(ProjectFixtures::prefix(), ProjectFixtures::speaker(), project);
    };
    QuestDialogs first, second, other;
    ProjectFixtures::generate(first, 300);
    ProjectFixtures::generate(second, 300);
    ProjectFixtures::generate(other, 300, ProjectFixtures::defaultSeed + 1);
    EXPECT_EQ(text(first), text(second));
    EXPECT_NE(text(first), text(other));

    ASSERT_EQ(first.Count(), 300);
    int emotes = 0, linked = 0, ending = 0;
    qsizetype speechLength = 0, answerLength = 0;
    for (qint16 n = 0; n < first.Count(); ++n) {
        const Dialog &page = first.Dialog(n);
        ASSERT_EQ(page.SelectionCount(), ProjectFixtures::answersPerPage) << "page " << n;
        emotes += page.text().contains(QStringLiteral("*[")) && page.text().contains(QStringLiteral("*/]"));
        speechLength += page.text().size();
        for (qint16 k = 0; k < page.SelectionCount(); ++k) {
            const Selection &answer = page.Selection(k);
            ASSERT_FALSE(answer.text().isEmpty());
            answerLength += answer.text().size();
            linked += answer.isLinked();
            ending += answer.EndDialog();
            if (answer.isLinked()) {
                const int target = answer.LinkPage().toInt();
                EXPECT_TRUE(target >= 0 && target < 300) << answer.LinkPage().toStdString();
            }
        }
    }
    const int answers = 300 * ProjectFixtures::answersPerPage;
    EXPECT_GT(emotes, 30);
    EXPECT_LT(emotes, 270);
    EXPECT_GT(linked, answers / 5);
    EXPECT_GT(ending, answers / 2);
    EXPECT_NEAR(double(speechLength) / 300, 80, 10);
    EXPECT_NEAR(double(answerLength) / answers, 30, 5);
}

// Save, open, export and save again: the full project comes back byte for byte.
TEST_F(LargeProjectTest, FullProjectSurvivesSaveAndOpenByteForByte) {
    QuestDialogs project;
    ProjectFixtures::generate(project, fullProject);
    ASSERT_EQ(project.Count(), fullProject);
    ASSERT_TRUE(project.DumpToFile(path("before.scp"), ProjectFixtures::prefix()));
    ASSERT_TRUE(ProjectFixtures::saveProjectFile(project, path("before.QDS")));

    QuestDialogs reopened;
    reopened.Clear();
    const ProjectFile::ReadResult read = ProjectFile::read(path("before.QDS"), reopened);
    ASSERT_EQ(read.status, ProjectFile::ReadResult::Ok) << read.reason.toStdString();
    EXPECT_EQ(read.prefix, ProjectFixtures::prefix());
    EXPECT_EQ(read.speaker, ProjectFixtures::speaker());
    ASSERT_EQ(reopened.Count(), fullProject);

    // The export takes its speaker from the speaker box, which the file filled.
    reopened.setSpeaker(read.speaker);
    ASSERT_TRUE(reopened.DumpToFile(path("after.scp"), read.prefix));
    ASSERT_TRUE(ProjectFile::save(path("after.QDS"), read.prefix, read.speaker, reopened));

    const QByteArray fileBefore = TestSupport::readFile(path("before.QDS"));
    ASSERT_FALSE(fileBefore.isEmpty());
    EXPECT_TRUE(fileBefore == TestSupport::readFile(path("after.QDS"))) << "the project files differ";
    const QByteArray scriptBefore = TestSupport::readFile(path("before.scp"));
    ASSERT_FALSE(scriptBefore.isEmpty());
    EXPECT_TRUE(scriptBefore == TestSupport::readFile(path("after.scp"))) << "the scripts differ";
    EXPECT_TRUE(fileBefore.startsWith("QDS_Bench_Guard\r\nCaptain Aldric\r\nPAGE 0\r\n"));
    EXPECT_TRUE(fileBefore.endsWith("\r\n\r\n"));
    EXPECT_EQ(fileBefore.count("\r\nPAGE "), fullProject);
}

TEST_F(LargeProjectTest, FullProjectExportIsMadeOfItsPageBlocks) {
    QuestDialogs project;
    ProjectFixtures::generate(project, fullProject);
    const QString prefix = ProjectFixtures::prefix();
    const QString speaker = ProjectFixtures::speaker();
    ASSERT_TRUE(project.DumpToFile(path("full.scp"), prefix));
    // Too big for one file the server loads: numbered parts, each opening with the same head,
    // which joined give the whole script.
    const QByteArray head = "//=====QDS: QDS_Bench_Guard STARTS======\r\n \r\n";
    QByteArray script = TestSupport::readFile(path("full.scp"));
    ASSERT_TRUE(script.startsWith(head));
    int parts = 1;
    for (QString part = path("full_part2.scp"); QFileInfo::exists(part);
         part = path(QStringLiteral("full_part%1.scp").arg(++parts + 1))) {
        const QByteArray bytes = TestSupport::readFile(part);
        EXPECT_LE(bytes.size(), 5'000'000);
        EXPECT_TRUE(bytes.startsWith(head + "[DIALOG QDS_Bench_Guard_")) << "cut at a page boundary";
        script += bytes.mid(head.size());
    }
    EXPECT_GT(parts, 3);

    EXPECT_EQ(script.count("\r\n[DIALOG "), 3 * fullProject);

    // The first and last pages, some in the middle, and the first with an emote and the first
    // with an answer that both leads on and ends.
    std::vector<qint16> samples = {0, 1, 2, 9999, 16383, 32765, 32766};
    for (qint16 n = 0; n < project.Count(); ++n)
        if (project.Dialog(n).text().contains(QStringLiteral("*["))) {
            samples.push_back(n);
            break;
        }
    for (qint16 n = 0; n < project.Count() && samples.size() < 9; ++n)
        for (qint16 k = 0; k < project.Dialog(n).SelectionCount(); ++k)
            if (project.Dialog(n).Selection(k).isLinked() && project.Dialog(n).Selection(k).EndDialog()) {
                samples.push_back(n);
                break;
            }
    ASSERT_EQ(samples.size(), 9u);

    QByteArray expected = head;
    QByteArray actual = head;
    for (qint16 n : samples) {
        expected += expectedBlock(project.Dialog(n), n, prefix, speaker);
        actual += blockOf(script, prefix, n);
    }
    EXPECT_EQ(actual, expected);
    EXPECT_TRUE(
        script.endsWith(expectedBlock(project.Dialog(fullProject - 1), fullProject - 1, prefix, speaker)));

    // A later, smaller export leaves none of the earlier parts for the server to load.
    QuestDialogs small;
    ASSERT_TRUE(small.DumpToFile(path("full.scp"), prefix));
    EXPECT_FALSE(QFileInfo::exists(path("full_part2.scp")));
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("full_part%1.scp").arg(parts))));
}

} // namespace
