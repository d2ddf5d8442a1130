#include "core/dialogs/ScriptWriter.h"
#include "core/dialogs/QuestDialogs.h"
#include "core/dialogs/ScriptExport.h"
#include "core/text/CodePage.h"
#include "support/ProjectFixtures.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using TestSupport::readFile;

QByteArray script(const QuestDialogs &project, const QString &prefix) {
    return ScriptWriter::build(project, prefix).value.bytes;
}

} // namespace

// Each NAME.QDS under fixtures/export, read as "Open..." reads it, exports as NAME.scp byte for
// byte: the defaults of a fresh project, the buttons and handlers of every slot, pages under
// their numbers.
TEST(ScriptWriter, FixtureProjectsExportByteForByte) {
    QTemporaryDir dir;
    const QDir fixtures(QStringLiteral(RUNEQUILL_FIXTURES "/export"));
    const QStringList names = fixtures.entryList({"*.QDS"}, QDir::Files);
    ASSERT_GE(names.size(), 3);
    for (const QString &name : names) {
        SCOPED_TRACE(name.toStdString());
        QuestDialogs project;
        const QStringList read = TestSupport::readProject(fixtures.filePath(name), project);
        ASSERT_EQ(read.value(0), "Ok");
        project.setSpeaker(read.value(2).mid(8)); // "speaker TEXT"
        const QString out = dir.filePath(name + ".scp");
        const QString expected = fixtures.filePath(QFileInfo(name).completeBaseName() + ".scp");
        ASSERT_FALSE(project.DumpToFile(out, read.value(1).mid(7)));
        ASSERT_TRUE(QFile::exists(expected));
        EXPECT_EQ(TestSupport::readFile(out), TestSupport::readFile(expected));
    }
}

// Without a file name nothing is written; a text the code page cannot hold fails the export and
// keeps the previous file.
TEST(ScriptWriter, FailedWriteReportsAndKeepsThePreviousFile) {
    QuestDialogs project;
    EXPECT_TRUE(project.DumpToFile(QString(), "P"));
    QTemporaryDir dir;
    const QString path = dir.filePath("old.scp");
    ASSERT_TRUE(TestSupport::writeFile(path, "old"));
    CodePage::setEncoding(QStringConverter::Latin1);
    TestSupport::CodePageGuard guard;
    project.setSpeaker(QStringLiteral("\u20ac")); // not in Latin-1
    EXPECT_FALSE(project.DumpToFile(path, "P").value_or(FileError()).reason.isEmpty());
    EXPECT_EQ(TestSupport::readFile(path), QByteArray("old"));
}

// The buttons and handlers of every slot are in the fixture five-answers; a linked answer
// without a page id (only the window can make one) still ends the dialog after its jump.
TEST(ScriptWriter, ALinkWithoutAPageIdJumpsAndEnds) {
    QuestDialogs project;
    project.Dialog(0).Selection(0).Init("three", true, "", true);
    EXPECT_TRUE(
        script(project, "P")
            .endsWith("[DIALOG P_0 BUTTON]\r\nON=1\r\n\tsrc.iQuest::GetDialog P_\r\n\tReturn 1\r\n \r\n"));
}

// Speeches are converted as the fixture emotes-and-line-breaks shows; a lone CR is a line break
// too, and the texts themselves are kept as typed.
TEST(ScriptWriter, LineBreaksInTextsStayOnOneScriptLine) {
    EXPECT_EQ(ScriptWriter::joinLines("a\r\nb\rc\nd\n\re"),
              QStringLiteral("a<var.br>b<var.br>c<var.br>d<var.br><var.br>e"));
    QuestDialogs project;
    project.setSpeaker("Old\rGuard");
    EXPECT_TRUE(script(project, "P").contains("<var.bfont_lgreen>Old<var.br>Guard<var.br>\r\n"));
    EXPECT_EQ(project.Speaker(), QStringLiteral("Old\rGuard"));
}

// A script too big for the server to load is cut at page boundaries into parts that each open
// with the script's first line and together hold the whole script (what a later export leaves
// in them is in the fixtures of reexport/).
TEST(ScriptWriter, BigScriptsAreSplitIntoPartsTheServerLoads) {
    QTemporaryDir dir;
    QuestDialogs project;
    ProjectFixtures::generate(project, 8000);
    const QString path = dir.filePath("big.scp");
    ASSERT_FALSE(project.DumpToFile(path, "P"));
    const QByteArray whole = ScriptWriter::build(project, "P").value.bytes;
    const QByteArray head = whole.left(whole.indexOf("\r\n \r\n") + 5);
    QByteArray joined = readFile(path);
    int parts = 1;
    for (QString part; QFileInfo::exists(part = ScriptExport::partPath(path, parts + 1)); ++parts) {
        const QByteArray bytes = readFile(part);
        EXPECT_LE(bytes.size(), ScriptExport::MaxFileBytes);
        EXPECT_TRUE(bytes.startsWith(head + "[DIALOG P_")) << "cut at a page boundary";
        joined += bytes.mid(head.size());
    }
    EXPECT_GE(parts, 2);
    EXPECT_EQ(joined, whole);
}
