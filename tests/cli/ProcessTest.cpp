#include "CliRunner.h"

#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

namespace {
struct ProcessResult {
    int code = -1;
    QByteArray out;
    QByteArray err;
};

ProcessResult runProgram(const QStringList &args) {
    QProcess process;
    process.start(RUNEQUILL_CLI_PATH, args);
    process.waitForFinished(-1);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), process.readAllStandardError()};
}
} // namespace

TEST(CliProgram, ExitStatusAndStreams) {
    CliFiles files;
    const QString broken = files.write("broken.QDS", {"p", "s", "PAGE 0", "hi", "SELECTION go", "7", "0"});
    ProcessResult r = runProgram({"check", broken});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out,
              (broken + ": page 0, answer 0: error: linked to page 7, which does not exist (the last page is "
                        "0)\n")
                  .toUtf8());
    EXPECT_TRUE(r.err.isEmpty());

    EXPECT_EQ(runProgram({"check", files.write("guard.QDS", guardProject)}).code, 0);

    r = runProgram({"item", "--field", "0=lamp"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, QByteArray("[ITEMDEF i_lamp]\r\n\r\nON=@CREATE\r\n"));

    r = runProgram({"export", broken});
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.startsWith("runequill-cli: export: SCRIPT.scp is missing\nUsage:\n"));

    r = runProgram({"tree", files.path("none.QDS")});
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.err, ("runequill-cli: " + files.path("none.QDS") + ": no such file\n").toUtf8());
}

TEST(CliProgram, OutputThatCannotBeWrittenIsAFailure) {
    if (!QFile::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full here";
    QProcess process;
    process.setStandardOutputFile("/dev/full");
    process.start(RUNEQUILL_CLI_PATH, {"item"});
    process.waitForFinished(-1);
    EXPECT_EQ(process.exitCode(), 2);
    EXPECT_TRUE(process.readAllStandardError().startsWith("runequill-cli: cannot print the result: "));
}
