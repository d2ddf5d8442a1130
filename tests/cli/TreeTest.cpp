#include "CliRunner.h"

#include "core/text/CodePage.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

TEST(CliTree, PrintsPagesWithTheirAnswersIndented) {
    CliFiles files;
    const CliResult r = runCli({"tree", files.write("guard.QDS", guardProject)});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, QByteArray("0:Halt! *[raises a hand*/] Who goes there?\n"
                                "  s0 L1 A friend\n"
                                "  s1 Nobody\n"
                                "1:Welcome, friend.\n"
                                "  s0 Thanks\n"));
    EXPECT_TRUE(r.err.isEmpty());
}

TEST(CliTree, EveryNodeKeepsItsOwnLine) {
    // A lone LF belongs to the line it is in, so a speech can hold one; the default answer of a
    // page without answers has an empty text; a trailing "Null" page stays a placeholder.
    CliFiles files;
    const QString path = files.write(
        "odd.QDS", {"p", "s", "PAGE 0", "first\nsecond", "SELECTION  go", " 0 ", "0", "PAGE 1", "Null", ""});
    const CliResult r = runCli({"tree", path});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, QByteArray("0:first<var.br>second\n"
                                "  s0 L 0   go\n"
                                "1:Null\n"
                                "  s0 \n"));
}

TEST(CliTree, PrintsInTheSystemCodePage) {
    CodePageGuard guard;
    CodePage::setEncoding(QStringConverter::Latin1);
    CliFiles files;
    const QString latin = files.path("latin.QDS");
    TestSupport::writeFile(latin, "p\r\ns\r\nPAGE 0\r\ncaf\xe9\r\n");
    const CliResult r = runCli({"tree", latin});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, QByteArray("0:caf\xe9\n  s0 \n"));
}
