#include "CliRunner.h"

#include "core/text/CodePage.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

// What each field writes is CompileItemTest's; here, the options and the additional file.
TEST(CliItem, FieldsThenTheAdditionalTextWithEveryLineEndedInCrLf) {
    CliFiles files;
    const QString additional = files.path("unix.txt");
    TestSupport::writeFile(additional, "ON=@STEP\nSAY a\rSAY b\r\n");
    const CliResult r = runCli({"item", "--field", "2=first", "--field", "2=a=b", "--field=4=0a22", "--field",
                                "35=", "--additional", additional});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QByteArray("[ITEMDEF i_item]\r\nNAME=a=b\r\nID=0a22\r\n\r\nON=@CREATE\r\nON=@STEP\r\n"
                                "SAY a\r\nSAY b\r\n"));
    EXPECT_EQ(runCli({"item"}).out, QByteArray("[ITEMDEF i_item]\r\n\r\nON=@CREATE\r\n"));
    EXPECT_TRUE(r.err.isEmpty());

    // Warnings go to the error stream; the item is printed all the same.
    const CliResult warned = runCli({"item", "--field", "5=0a22"});
    EXPECT_EQ(warned.code, 0);
    EXPECT_EQ(warned.err, "runequill-cli: item: warning: DISPID= cannot be set in an item definition: the "
                          "server ignores it\n");
    EXPECT_EQ(warned.out, QByteArray("[ITEMDEF i_item]\r\nDISPID=0a22\r\n\r\nON=@CREATE\r\n"));
}

TEST(CliItem, BadFieldsAndMissingFilesPrintNothing) {
    for (const char *field : {"36=x", "-1=x", "x=1", "2", "=x", "+2=x", "002=x"}) {
        const CliResult r = runCli({"item", "--field", field});
        EXPECT_EQ(r.code, 2) << field;
        EXPECT_TRUE(r.out.isEmpty()) << field;
        EXPECT_TRUE(r.err.contains("Usage:")) << field;
    }
    CliFiles files;
    const CliResult r = runCli({"item", "--additional", files.path("none.txt")});
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.startsWith("runequill-cli: " + files.path("none.txt") + ": ")) << r.err.toStdString();

    // A character the system code page cannot hold stops the output before any of it goes out.
    CodePageGuard guard;
    CodePage::setEncoding(QStringConverter::Latin1);
    const CliResult euro = runCli({"item", "--field", "2=5 \u20ac"});
    EXPECT_EQ(euro.code, 2);
    EXPECT_TRUE(euro.out.isEmpty());
    EXPECT_TRUE(euro.err.contains("U+20AC")) << euro.err.toStdString();
}
