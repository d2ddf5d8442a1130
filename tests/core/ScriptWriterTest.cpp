#include "core/dialogs/ScriptWriter.h"
#include "core/dialogs/QuestDialogs.h"
#include "core/dialogs/ScriptExport.h"
#include "core/text/CodePage.h"
#include "support/ProjectFixtures.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using TestSupport::answer;
using TestSupport::crlfLines;
using TestSupport::readFile;

// A page with these answers in slots 0, 1, ...
template <class... Answers> std::unique_ptr<Dialog> page(const QString &speech, Answers... answers) {
    auto d = std::make_unique<Dialog>(speech);
    (d->AddSelection(std::move(answers)), ...);
    return d;
}

// The lines 1 to 10 of a page block, which every page has.
QByteArray gumpHead(const char *section) {
    return "[DIALOG " + QByteArray(section) + "]\r\n" +
           crlfLines({"30,30", "NOMOVE", "Page 0", "resizepic 0 0 5054 380 330", "Page 1",
                      "HTMLGUMP 30 15 100 20 0 0 0\t\t//NPC NAME",
                      "HTMLGUMP 30 35 340 100 1 1 1\t\t//NPC SPEECH", "BUTTON 10 150 4005 4006 1 0 1",
                      "HTMLGUMP 50 150 270 40 2 0 0\t\t//PLAYER ANSWERS"});
}

QByteArray script(QuestDialogs &project, const QString &prefix) {
    ScriptWriter::fillExportDefaults(project);
    return ScriptWriter::build(project, prefix).value.bytes;
}

} // namespace

TEST(ScriptWriter, WorkedExampleByteForByte) {
    QuestDialogs project;
    project.Clear();
    project.setSpeaker("Guard");
    project.AddNewDialog(page("Halt! *[raises a hand*/] Who goes there?",
                              answer("A friend", true, "1", false), answer("Nobody", false, {}, true)));
    project.AddNewDialog(page("Welcome, friend.", answer("Thanks", false, {}, true)));

    QTemporaryDir dir;
    const QString path = dir.filePath("guard.scp");
    QString reason;
    ASSERT_TRUE(project.DumpToFile(path, "d_guard", &reason)) << reason.toStdString();
    EXPECT_EQ(TestSupport::readFile(path), TestSupport::readFile(RUNEQUILL_EXAMPLE("frmDC_guard.scp")));
}

TEST(ScriptWriter, FreshProjectGetsItsDefaults) {
    QuestDialogs project; // as Init leaves it, with no speaker
    const QByteArray expected =
        crlfLines({"//=====QDS: P STARTS======", " "}) + gumpHead("P_0") +
        crlfLines({" ", "[DIALOG P_0 Text]", "<var.bfont_lgreen><SRC.TARG.NAME><var.br>",
                   "<var.bfont_lgrey>Enter New Dialog", "<var.br><var.bfont_lgrey>End Dialog<var.br>", " ",
                   "[DIALOG P_0 BUTTON]", "ON=1", "\tReturn 1", " "});
    EXPECT_EQ(script(project, "P"), expected);
    EXPECT_EQ(project.Speaker(), QStringLiteral("<SRC.TARG.NAME>"));
    EXPECT_EQ(project.Dialog(0).Selection(0).text(), QStringLiteral("End Dialog"));

    // A speaker that is set is kept, and the filled-in answer text stays for later exports.
    project.setSpeaker("Bob");
    EXPECT_TRUE(script(project, "P").contains("<var.bfont_lgreen>Bob<var.br>\r\n"));
}

TEST(ScriptWriter, EmptyFileNameWritesNothingAndAppliesNoDefaults) {
    QuestDialogs project;
    QString reason = "stale";
    EXPECT_FALSE(project.DumpToFile(QString(), "P", &reason));
    EXPECT_TRUE(reason.isEmpty());
    EXPECT_TRUE(project.Speaker().isEmpty());
    EXPECT_TRUE(project.Dialog(0).Selection(0).text().isEmpty());
}

TEST(ScriptWriter, FailedWriteReportsAndKeepsThePreviousFile) {
    QTemporaryDir dir;
    QuestDialogs project;
    QString reason;
    EXPECT_FALSE(project.DumpToFile(dir.path(), "P", &reason)) << "a folder is never replaced";
    EXPECT_FALSE(reason.isEmpty());

    const QString path = dir.filePath("old.scp");
    ASSERT_TRUE(TestSupport::writeFile(path, "old"));
    CodePage::setEncoding(QStringConverter::Latin1);
    TestSupport::CodePageGuard guard;
    project.setSpeaker(QStringLiteral("\u20ac")); // not in Latin-1
    reason.clear();
    EXPECT_FALSE(project.DumpToFile(path, "P", &reason));
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_EQ(TestSupport::readFile(path), QByteArray("old"));
}

TEST(ScriptWriter, ButtonsAndHandlersFollowTheSlots) {
    QuestDialogs project;
    project.setSpeaker("S");
    Dialog &p = project.Dialog(0);
    p.Selection(0).Init("one", false, {}, false); // neither linked nor ending
    p.AddSelection(answer("two", true, "4", false));
    p.AddSelection(answer("three", true, "", true));
    const QByteArray three = script(project, "P");
    EXPECT_TRUE(three.contains("HTMLGUMP 50 150 270 40 2 0 0\t\t//PLAYER ANSWERS\r\n"
                               "BUTTON 10 190 4005 4006 1 0 2\r\nHTMLGUMP 50 190 270 40 3 0 0\r\n"
                               "BUTTON 10 230 4005 4006 1 0 3\r\nHTMLGUMP 50 230 270 40 4 0 0\r\n \r\n"));
    EXPECT_FALSE(three.contains("BUTTON 10 270"));
    EXPECT_TRUE(three.contains("<var.br><var.bfont_lgrey>three<var.br>\r\n \r\n"));
    EXPECT_TRUE(three.endsWith("[DIALOG P_0 BUTTON]\r\nON=1\r\n \r\n"
                               "ON=2\r\n\tsrc.iQuest::GetDialog P_4\r\n \r\n"
                               "ON=3\r\n\tsrc.iQuest::GetDialog P_\r\n\tReturn 1\r\n \r\n"))
        << three.toStdString();

    // Four slots fill the layout; a fifth (only ever read from a file) gets a text line and
    // a handler but no button.
    p.AddSelection(answer("four", false, {}, true));
    p.AddSelection(answer("five", false, {}, true));
    ASSERT_EQ(p.SelectionCount(), 5);
    const QByteArray five = script(project, "P");
    EXPECT_TRUE(five.contains("BUTTON 10 270 4005 4006 1 0 4\r\nHTMLGUMP 50 270 270 40 5 0 0\r\n \r\n"));
    EXPECT_FALSE(five.contains("1 0 5"));
    EXPECT_TRUE(five.contains("<var.br><var.bfont_lgrey>five<var.br>\r\n \r\n[DIALOG P_0 BUTTON]"));
    EXPECT_TRUE(five.endsWith("ON=5\r\n\tReturn 1\r\n \r\n"));
}

TEST(ScriptWriter, SpeechConversion) {
    EXPECT_EQ(ScriptWriter::convertSpeech("Hi *[bows*/] friend"),
              QStringLiteral("<var.bfont_lgrey>Hi <var.bfont_red>[bows] <var.bfont_lgrey> friend"));
    EXPECT_EQ(ScriptWriter::convertSpeech(""), QStringLiteral("<var.bfont_lgrey>"));
    EXPECT_EQ(ScriptWriter::convertSpeech("a *[sighs"),
              QStringLiteral("<var.bfont_lgrey>a <var.bfont_red>[sighs"));
    EXPECT_EQ(ScriptWriter::convertSpeech("end*/]*/] *"),
              QStringLiteral("<var.bfont_lgrey>end] <var.bfont_lgrey>] <var.bfont_lgrey> *"));
    EXPECT_EQ(ScriptWriter::convertSpeech("**[x*/*/]"),
              QStringLiteral("<var.bfont_lgrey>*<var.bfont_red>[x*/] <var.bfont_lgrey>"));

    // Answers and the speaker are not converted.
    QuestDialogs project;
    project.setSpeaker("*[S*/]");
    project.Dialog(0).Selection(0).setText("*[a*/]");
    const QByteArray out = script(project, "P");
    EXPECT_TRUE(out.contains("<var.bfont_lgreen>*[S*/]<var.br>\r\n"));
    EXPECT_TRUE(out.contains("<var.br><var.bfont_lgrey>*[a*/]<var.br>\r\n"));
}

TEST(ScriptWriter, LineBreaksInTextsStayOnOneScriptLine) {
    EXPECT_EQ(ScriptWriter::joinLines("a\r\nb\rc\nd\n\re"),
              QStringLiteral("a<var.br>b<var.br>c<var.br>d<var.br><var.br>e"));
    EXPECT_EQ(ScriptWriter::joinLines("plain"), QStringLiteral("plain"));

    QuestDialogs project;
    project.setSpeaker("Old\nGuard");
    project.Dialog(0).setText("Line one\r\n*[nods*/]\rthree");
    project.Dialog(0).Selection(0).setText("yes\nno");
    project.Dialog(0).AddSelection(answer("second", false, {}, true));
    const QByteArray out = script(project, "P");
    EXPECT_TRUE(out.contains(
        "[DIALOG P_0 Text]\r\n"
        "<var.bfont_lgreen>Old<var.br>Guard<var.br>\r\n"
        "<var.bfont_lgrey>Line one<var.br><var.bfont_red>[nods] <var.bfont_lgrey><var.br>three\r\n"
        "<var.br><var.bfont_lgrey>yes<var.br>no<var.br>\r\n"
        "<var.br><var.bfont_lgrey>second<var.br>\r\n \r\n"))
        << out.toStdString();
    // The texts themselves are kept as typed.
    EXPECT_EQ(project.Speaker(), QStringLiteral("Old\nGuard"));
    EXPECT_EQ(project.Dialog(0).Selection(0).text(), QStringLiteral("yes\nno"));
}

TEST(ScriptWriter, PagesAreWrittenUnderTheirCurrentNumbers) {
    QuestDialogs project;
    project.setSpeaker("S");
    project.Dialog(0).setText("A");
    project.AddNewDialog(page("B", answer("to C", true, "2", false)));
    project.AddNewDialog(page("C", answer("back", true, "0", true)));
    project.AddNewDialog(page("Null", answer("x", false, {}, true)));
    project.RemoveDialog(1);
    const QByteArray out = script(project, "Q");
    EXPECT_TRUE(out.contains("[DIALOG Q_1 Text]\r\n<var.bfont_lgreen>S<var.br>\r\n<var.bfont_lgrey>C\r\n"));
    EXPECT_TRUE(out.contains("[DIALOG Q_2 Text]\r\n<var.bfont_lgreen>S<var.br>\r\n<var.bfont_lgrey>Null\r\n"))
        << "a placeholder page is written like any other";
    EXPECT_FALSE(out.contains("[DIALOG Q_3"));
    EXPECT_TRUE(out.contains("[DIALOG Q_1 BUTTON]\r\nON=1\r\n\tsrc.iQuest::GetDialog Q_0\r\n\tReturn 1\r\n"));
}

// A script too big for the server to load is cut at page boundaries into parts that each open
// with the script's first line and together hold the whole script; a later, smaller export
// leaves no part behind for the server to load.
TEST(ScriptWriter, BigScriptsAreSplitIntoPartsTheServerLoads) {
    QTemporaryDir dir;
    QuestDialogs project;
    ProjectFixtures::generate(project, 8000);
    const QString path = dir.filePath("big.scp");
    ASSERT_TRUE(project.DumpToFile(path, "P"));
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

    QuestDialogs small;
    ASSERT_TRUE(small.DumpToFile(path, "P"));
    EXPECT_FALSE(QFileInfo::exists(ScriptExport::partPath(path, 2)));
}
