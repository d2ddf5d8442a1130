// The reading rules and files from anywhere (other editors, other machines, damaged disks, the
// fuzzer's finds): each NAME.QDS under fixtures/reading must read as NAME.pages says, and what
// was read from any of them comes back unchanged from a save and a second read.
#include "core/dialogs/ProjectFile.h"
#include "core/dialogs/QuestDialogs.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Control characters made visible, so that the expected lines are plain text.
QString visible(QString line) {
    return line.replace(u'\\', QStringLiteral("\\\\"))
        .replace(u'\r', QStringLiteral("\\r"))
        .replace(u'\n', QStringLiteral("\\n"))
        .replace(QChar(0), QStringLiteral("\\0"));
}

QStringList visible(const QStringList &lines) {
    QStringList out;
    for (const QString &line : lines)
        out << visible(line);
    return out;
}

} // namespace

TEST(Reading, FixtureFilesReadAsDescribedAndSurviveASave) {
    QTemporaryDir scratch;
    const QString saved = scratch.filePath("saved.QDS");
    int described = 0;
    for (const char *folder : {"reading", "corpus"}) {
        const QDir dir(QStringLiteral(RUNEQUILL_FIXTURES "/") + folder);
        for (const QString &name : dir.entryList({"*.QDS"}, QDir::Files)) {
            SCOPED_TRACE(name.toStdString());
            QuestDialogs project;
            const QStringList read = TestSupport::readProject(dir.filePath(name), project);
            QFile expected(dir.filePath(QFileInfo(name).completeBaseName() + ".pages"));
            if (expected.open(QIODevice::ReadOnly)) {
                ++described;
                EXPECT_EQ(visible(read).join(u'\n') + u'\n', QString::fromUtf8(expected.readAll()));
            }
            if (read.first().startsWith("Failed"))
                continue;

            // Line breaks inside speeches come back as LF, inside other texts as "<var.br>"; a
            // second save writes the same bytes.
            const QString prefix = read.filter(QRegularExpression("^prefix ")).value(0).mid(7);
            const QString speaker = read.filter(QRegularExpression("^speaker ")).value(0).mid(8);
            ASSERT_FALSE(ProjectFile::save(saved, prefix, speaker, project).has_value());
            const QByteArray first = TestSupport::readFile(saved);
            QuestDialogs again;
            QStringList back = TestSupport::readProject(saved, again);
            back.removeFirst();
            QStringList want =
                QStringList{"prefix " + prefix, "speaker " + speaker} + TestSupport::pages(project);
            static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
            for (QString &line : want)
                line.replace(lineBreak,
                             line.front().isDigit() ? QStringLiteral("\n") : QStringLiteral("<var.br>"));
            EXPECT_EQ(back, want);
            ASSERT_FALSE(ProjectFile::save(saved, prefix, speaker, again).has_value());
            EXPECT_EQ(TestSupport::readFile(saved), first);
        }
    }
    EXPECT_GE(described, 40);
}

TEST(Reading, LinesLongerThanAReadBlock) {
    QTemporaryDir dir;
    const QString path = dir.filePath("long.QDS");
    const QByteArray line(3 << 20, 'a');
    QuestDialogs project;
    ASSERT_TRUE(TestSupport::writeFile(path, line));
    EXPECT_EQ(TestSupport::readProject(path, project).mid(0, 2),
              QStringList({"Damaged at line 2", "prefix " + line}));

    ASSERT_TRUE(TestSupport::writeFile(path, "p\r\ns\r\nPAGE 0\r\n" + line + "\r\nSELECTION " + line +
                                                 "\r\n-1\r\n1\r\n"));
    EXPECT_EQ(TestSupport::readProject(path, project).first(), "Ok");
    EXPECT_EQ(project.Dialog(0).text(), line);
    EXPECT_EQ(project.Dialog(0).Selection(0).text(), line);
}

// (One page more is refused whole: the studio's table project-open-too-many shows it.)
TEST(Reading, NoMorePagesThanAProjectHolds) {
    QTemporaryDir dir;
    const QString path = dir.filePath("full.QDS");
    QByteArray file = "p\r\ns\r\n";
    for (int n = 0; n < QuestDialogs::MaxPages - 1; ++n)
        file += "PAGE " + QByteArray::number(n) + "\r\nx\r\n";
    QuestDialogs project;

    // A placeholder gives its slot to the page after it, even at the limit.
    ASSERT_TRUE(TestSupport::writeFile(path, file + "PAGE 0\r\nNull\r\nPAGE 0\r\ny\r\n"));
    EXPECT_EQ(TestSupport::readProject(path, project).first(), "Ok");
    EXPECT_EQ(project.Count(), QuestDialogs::MaxPages);
    EXPECT_EQ(project.Dialog(QuestDialogs::MaxPages - 1).text(), QStringLiteral("y"));
}
