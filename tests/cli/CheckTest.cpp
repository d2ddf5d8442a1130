#include "CliRunner.h"

#include "core/dialogs/ProjectCheck.h"
#include "core/dialogs/QuestDialogs.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {
struct CheckCase {
    const char *rule;
    std::initializer_list<const char *> file;
    const char *findings; // "F" stands for the file's name
    int code;
};

const CheckCase checkCases[] = {
    {"a sound project", guardProject, "", 0},
    {"link to no page",
     {"p", "s", "PAGE 0", "hi", "SELECTION go", "3", "1"},
     "F: page 0, answer 0: error: linked to page 3, which does not exist (the last page is 0)\n",
     1},
    {"link not written as a page number",
     {"p", "s", "PAGE 0", "hi", "SELECTION go", "+0", "1"},
     "F: page 0, answer 0: error: linked to \"+0\", which names no page: the script calls the section p_+0\n",
     1},
    {"answer that does nothing",
     {"p", "s", "PAGE 0", "hi", "SELECTION go", "-1", "0"},
     "F: page 0, answer 0: warning: the answer neither leads to a page nor ends the dialog\n",
     0},
    {"page only its own answer leads to",
     {"p",      "s", "PAGE 0",        "a",  "SELECTION bye",
      "-1",     "1", "PAGE 1",        "b",  "SELECTION again",
      "1",      "0", "SELECTION on",  "2",  "0",
      "PAGE 2", "c", "SELECTION bye", "-1", "1"},
     "F: page 1: warning: no answer of another page leads to this page\n",
     0},
    {"placeholder page",
     {"p", "s"},
     "F: page 0: warning: placeholder page: its speech is \"Null\", which the Dialog Studio takes for a free "
     "slot "
     "to put the next new page in\n"
     "F: page 0, answer 0: warning: empty answer text, exported as \"End Dialog\"\n",
     0},
    {"fifth answer",
     {"p", "s", "PAGE 0", "hi", "SELECTION 1", "-1", "1", "SELECTION 2", "-1", "1", "SELECTION 3", "-1", "1",
      "SELECTION 4", "-1", "1", "SELECTION 5", "-1", "1"},
     "F: page 0, answer 4: error: the gump has buttons for four answers only; the player cannot choose this "
     "one\n",
     1},
    {"empty answer text",
     {"p", "s", "PAGE 0", "hi"},
     "F: page 0, answer 0: warning: empty answer text, exported as \"End Dialog\"\n",
     0},
    {"comment marks",
     {"p//x", "a//b", "PAGE 0", "see http://x", "SELECTION a//b", "-1", "1"},
     "F: page 0: warning: the speech holds \"//\"; the server reads the rest of its line as a comment\n"
     "F: page 0: warning: the speaker name holds \"//\"; the server reads the rest of every speaker line as "
     "a "
     "comment\n"
     "F: page 0: warning: the dialog prefix holds \"//\"; the server reads the rest of every section header "
     "and "
     "page call as a comment\n"
     "F: page 0, answer 0: warning: the answer text holds \"//\"; the server reads the rest of its line as a "
     "comment\n",
     0},
};

QString writeProject(CliFiles &files, const QString &name, const QByteArray &bytes) {
    TestSupport::writeFile(files.path(name), bytes);
    return files.path(name);
}
} // namespace

TEST(CliCheck, EachRuleIsReportedWhereTheWindowShowsIt) {
    for (const CheckCase &c : checkCases) {
        CliFiles files;
        const QString path = files.write("rule%2.QDS", c.file);
        const CliResult r = runCli({"check", path});
        EXPECT_EQ(r.code, c.code) << c.rule;
        EXPECT_EQ(QString::fromUtf8(r.out), QString::fromUtf8(c.findings).replace("F: ", path + ": "))
            << c.rule;
        EXPECT_TRUE(r.err.isEmpty()) << c.rule;
    }
}

TEST(CliCheck, LinesPastTheServersLimitAreErrors) {
    // The speech line is "<var.bfont_lgrey>" (17 characters) and the speech.
    CliFiles files;
    const QByteArray head = "p\r\ns\r\nPAGE 0\r\n";
    const QByteArray ending = "\r\nSELECTION bye\r\n-1\r\n1\r\n";
    EXPECT_EQ(runCli({"check", writeProject(files, "fits.QDS", head + QByteArray(4079, 'a') + ending)}).out,
              "");
    const QString path = writeProject(files, "long.QDS", head + QByteArray(4080, 'a') + ending);
    CliResult r = runCli({"check", path});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(
        QString::fromUtf8(r.out),
        path + ": page 0: error: the speech line is 4097 characters long; the server cuts script lines after "
               "4096\n");

    // The speaker line stands on every page and is named once; an answer line is
    // "<var.br><var.bfont_lgrey>" (25), the text and "<var.br>" (8). A prefix that looks like
    // a placeholder of a format string is only text.
    const QByteArray twoPages = "p%1%2\r\n" + QByteArray(4090, 's') +
                                "\r\nPAGE 0\r\nhi\r\nSELECTION go\r\n1\r\n0\r\nPAGE 1\r\nx\r\nSELECTION " +
                                QByteArray(4064, 'b') + "\r\n-1\r\n1\r\n";
    const QString both = writeProject(files, "both.QDS", twoPages);
    r = runCli({"check", both});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(
        QString::fromUtf8(r.out),
        both +
            ": page 0: error: the speaker line (on every page) is 4116 characters long; the server cuts "
            "script lines after 4096\n" +
            both +
            ": page 1, answer 0: error: the answer line is 4097 characters long; the server cuts "
            "script lines after 4096\n");
}

TEST(CliCheck, LinksTheFileCannotHoldAreErrorsAndTheProjectIsLeftAlone) {
    QuestDialogs project;
    Dialog &page = project.Dialog(0);
    page.Selection(0).Init("empty id", true, "", false);
    auto notNumber = std::make_unique<Selection>();
    notNumber->Init("word", true, "two", true);
    page.AddSelection(std::move(notNumber));
    auto blank = std::make_unique<Selection>();
    blank->Init("", false, "", true);
    page.AddSelection(std::move(blank));

    const std::vector<Finding> findings = checkProject(project, "p", "");
    ASSERT_EQ(findings.size(), 3u);
    EXPECT_EQ(findings[0].answer, 0);
    EXPECT_EQ(findings[0].severity, Finding::Error);
    EXPECT_EQ(findings[0].message, "linked, but the page id is empty");
    EXPECT_EQ(findings[1].answer, 1);
    EXPECT_EQ(findings[1].message, "linked to \"two\", which is not a page number");
    EXPECT_EQ(findings[2].answer, 2);
    EXPECT_EQ(findings[2].severity, Finding::Warning);
    // The export's defaults were filled in on a copy only.
    EXPECT_TRUE(project.Speaker().isEmpty());
    EXPECT_TRUE(page.Selection(2).text().isEmpty());
}
