#include "CliRunner.h"

#include "core/dialogs/ProjectFile.h"
#include "core/dialogs/QuestDialogs.h"

#include <QFile>
#include <gtest/gtest.h>

using TestSupport::crlfLines;
using TestSupport::readFile;

TEST(CliExport, WorkedExampleIsWrittenByteForByte) {
    CliFiles files;
    const QString project = files.write("guard.QDS", guardProject);
    CliResult r = runCli({"export", project, files.path("guard.scp")});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QString support = files.path("runequill_support.scp");
    EXPECT_EQ(r.out, "wrote " + files.path("guard.scp") + "\nwrote " + support + "\n");
    EXPECT_TRUE(r.err.isEmpty());
    EXPECT_EQ(readFile(files.path("guard.scp")), readFile(RUNEQUILL_EXAMPLE("frmDC_guard.scp")));
    EXPECT_TRUE(readFile(support).contains("\r\n[FUNCTION iQuest::GetDialog]\r\n"));

    // The support script there, maybe edited, is kept.
    TestSupport::writeFile(support, "edited");
    r = runCli({"export", project, files.path("guard.scp")});
    EXPECT_EQ(r.out, "wrote " + files.path("guard.scp") + "\n");
    EXPECT_EQ(readFile(support), "edited");

    // A prefix the server cannot use writes nothing.
    r = runCli({"export", project, files.path("tab.scp"), "--prefix", "d\tguard"});
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.err,
              "runequill-cli: " + files.path("tab.scp") +
                  ": The dialog prefix holds a tab, which the server cannot use in a section name. Use "
                  "letters, digits and \"_\" only.\n");
    EXPECT_FALSE(QFile::exists(files.path("tab.scp")));
}

TEST(CliExport, WritesWhatTheLibraryWritesForTheSameProject) {
    // Five answers, an answer-less page, a speech over two lines, an empty speaker and a
    // trailing placeholder page: every oddity the file can carry into the export.
    CliFiles files;
    const QString path = files.path("odd.QDS");
    TestSupport::writeFile(path,
                           "QDS_x\r\n\r\nPAGE 0\r\none\ntwo *[grin\r\nSELECTION a\r\n1\r\n1\r\n"
                           "SELECTION b\r\n03\r\n0\r\nSELECTION c\r\n-1\r\n0\r\nSELECTION d\r\n2\r\n1\r\n"
                           "SELECTION e\r\n0\r\n1\r\nPAGE 1\r\nno answers\r\nPAGE 2\r\nNull\r\n\r\n");
    QuestDialogs library;
    library.Clear();
    ASSERT_EQ(ProjectFile::read(path, library).status, ProjectFile::ReadResult::Ok);
    ASSERT_TRUE(library.DumpToFile(files.path("library.scp"), "QDS_x"));

    const CliResult r = runCli({"export", path, files.path("cli.scp")});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QByteArray script = readFile(files.path("cli.scp"));
    EXPECT_FALSE(script.isEmpty());
    EXPECT_EQ(script, readFile(files.path("library.scp")));
    EXPECT_TRUE(script.contains("<var.bfont_lgreen><SRC.TARG.NAME><var.br>\r\n"));
}

TEST(CliExport, OptionsOverrideThePrefixAndSpeakerOfTheFile) {
    CliFiles files;
    const QString project = files.write("guard.QDS", guardProject);
    const QString script = files.path("out.scp");

    ASSERT_EQ(runCli({"export", project, script, "--prefix", "npc_x", "--speaker=Ann"}).code, 0);
    QByteArray text = readFile(script);
    EXPECT_TRUE(text.startsWith("//=====QDS: npc_x STARTS======\r\n"));
    EXPECT_TRUE(text.contains("\tsrc.iQuest::GetDialog npc_x_1\r\n"));
    EXPECT_TRUE(text.contains("<var.bfont_lgreen>Ann<var.br>\r\n"));
    EXPECT_FALSE(text.contains("d_guard") || text.contains(">Guard<"));

    // An empty speaker given on the command line leaves the export's own default.
    ASSERT_EQ(runCli({"export", "--speaker", "", "--prefix", "", project, script}).code, 0);
    text = readFile(script);
    EXPECT_TRUE(text.startsWith("//=====QDS:  STARTS======\r\n \r\n[DIALOG _0]\r\n"));
    EXPECT_TRUE(text.contains("<var.bfont_lgreen><SRC.TARG.NAME><var.br>\r\n"));
}

// Targets in missing folders, under files, folders and devices: CliDiskFailureTest.
TEST(CliExport, FailedReadOrRefusedTargetKeepsTheOldScript) {
    CliFiles files;
    const QString project = files.write("guard.QDS", guardProject);
    const QString script = files.write("old.scp", {"old script"});
    const QString damaged =
        files.write("damaged.QDS", {"p", "s", "PAGE 0", "speech", "SELECTION a", "x", "0"});

    CliResult r = runCli({"export", damaged, script});
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.err, "runequill-cli: " + damaged + ": " + ProjectFile::damagedMessage() + "\n");
    EXPECT_EQ(runCli({"export", files.path("none.QDS"), script}).code, 2);
    EXPECT_EQ(readFile(script), crlfLines({"old script"}));

    // A script is never written over a project file: swapped names would lose the project.
    const QString other = files.write("other.qds", {"keep"});
    r = runCli({"export", project, other});
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(r.err.contains(other));
    EXPECT_EQ(readFile(other), crlfLines({"keep"}));
    const QString sameFile = files.write("guard.txt", guardProject);
    EXPECT_EQ(runCli({"export", sameFile, files.path("./guard.txt")}).code, 2);
    EXPECT_EQ(readFile(sameFile), crlfLines(guardProject));
}
