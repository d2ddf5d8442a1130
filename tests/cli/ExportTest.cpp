#include "CliRunner.h"

#include "common/TestSupport.h"
#include "dialogs/QuestDialogs.h"
#include "studio/ProjectFile.h"

#include <QFile>
#include <gtest/gtest.h>

using TestSupport::crlfLines;
using TestSupport::readFile;

TEST(CliExport, WorkedExampleIsWrittenByteForByte) {
    CliFiles files;
    const QString project = files.write("guard.QDS", guardProject);
    const CliResult r = runCli({"export", project, files.path("guard.scp")});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.isEmpty());
    const QByteArray head = crlfLines(
        {"[DIALOG d_guard_%1]", "30,30", "NOMOVE", "Page 0", "resizepic 0 0 5054 380 330", "Page 1",
         "HTMLGUMP 30 15 100 20 0 0 0\t\t//NPC NAME", "HTMLGUMP 30 35 340 100 1 1 1\t\t//NPC SPEECH",
         "BUTTON 10 150 4005 4006 1 0 1", "HTMLGUMP 50 150 270 40 2 0 0\t\t//PLAYER ANSWERS"});
    const QByteArray expected =
        crlfLines({"//=====QDS: d_guard STARTS======", " "}) + QByteArray(head).replace("%1", "0") +
        crlfLines({"BUTTON 10 190 4005 4006 1 0 2", "HTMLGUMP 50 190 270 40 3 0 0", " ",
                   "[DIALOG d_guard_0 Text]", "<var.bfont_lgreen>Guard<var.br>",
                   "<var.bfont_lgrey>Halt! <var.bfont_red>[raises a hand] <var.bfont_lgrey> Who goes there?",
                   "<var.br><var.bfont_lgrey>A friend<var.br>", "<var.br><var.bfont_lgrey>Nobody<var.br>",
                   " ", "[DIALOG d_guard_0 BUTTON]", "ON=1", "\tsrc.iQuest::GetDialog d_guard_1", " ", "ON=2",
                   "\tReturn 1", " "}) +
        QByteArray(head).replace("%1", "1") +
        crlfLines({" ", "[DIALOG d_guard_1 Text]", "<var.bfont_lgreen>Guard<var.br>",
                   "<var.bfont_lgrey>Welcome, friend.", "<var.br><var.bfont_lgrey>Thanks<var.br>", " ",
                   "[DIALOG d_guard_1 BUTTON]", "ON=1", "\tReturn 1", " "});
    EXPECT_EQ(readFile(files.path("guard.scp")), expected);
}

TEST(CliExport, WritesWhatTheLibraryWritesForTheSameProject) {
    // Five answers, an answer-less page, a speech over two lines, an empty speaker and a
    // trailing placeholder page: every oddity the file can carry into the export.
    CliFiles files;
    const QString path = files.write("odd.QDS", {"QDS_x",       "",
                                                 "PAGE 0",      "one\ntwo *[grin",
                                                 "SELECTION a", "1",
                                                 "1",           "SELECTION b",
                                                 "03",          "0",
                                                 "SELECTION c", "-1",
                                                 "0",           "SELECTION d",
                                                 "2",           "1",
                                                 "SELECTION e", "0",
                                                 "1",           "PAGE 1",
                                                 "no answers",  "PAGE 2",
                                                 "Null",        ""});
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

TEST(CliExport, UnwritableTargetLeavesNoFileAndNoChange) {
    CliFiles files;
    const QString project = files.write("guard.QDS", guardProject);

    const QString inMissingFolder = files.path("missing/out.scp");
    CliResult r = runCli({"export", project, inMissingFolder});
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(r.err.startsWith("runequill-cli: " + inMissingFolder + ": ")) << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(inMissingFolder));

    const QString underAFile = project + "/out.scp";
    r = runCli({"export", project, underAFile});
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(r.err.contains(underAFile)) << r.err.toStdString();
    EXPECT_EQ(readFile(project), crlfLines(guardProject));
}

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
