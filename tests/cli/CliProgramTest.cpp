// The built program itself: its exit status and streams, and what it does when its output or
// its script cannot be written. Failed writes of every other kind are the safe writer's tests.
#include "CliRunner.h"

#include <QDir>
#include <QProcess>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace {
struct ProgramRun {
    int code = -1;
    QByteArray out;
    QByteArray err;
};

// With a `limit`, no file the program writes may grow past that many bytes, as on a disk that
// fills up; SIGXFSZ is ignored so that the write fails instead.
ProgramRun runProgram(const QStringList &args, std::optional<qint64> limit = std::nullopt,
                      const QString &outputFile = {}) {
    QProcess process;
    if (limit) {
        const rlim_t bytes = static_cast<rlim_t>(*limit);
        process.setChildProcessModifier([bytes] {
            rlimit fileSize{};
            ::getrlimit(RLIMIT_FSIZE, &fileSize);
            fileSize.rlim_cur = bytes;
            ::setrlimit(RLIMIT_FSIZE, &fileSize);
            std::signal(SIGXFSZ, SIG_IGN); // an ignored signal stays ignored across exec
        });
    }
    if (!outputFile.isEmpty())
        process.setStandardOutputFile(outputFile);
    process.start(QStringLiteral(RUNEQUILL_CLI_PATH), args);
    process.waitForFinished(-1);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), process.readAllStandardError()};
}
} // namespace

TEST(CliProgram, ExitStatusAndStreams) {
    CliFiles files;
    const QString broken = files.path("broken.QDS");
    TestSupport::writeFile(broken, "p\r\ns\r\nPAGE 0\r\nhi\r\nSELECTION go\r\n7\r\n0\r\n");
    ProgramRun r = runProgram({"check", broken});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, broken.toUtf8() +
                         ": page 0, answer 0: error: linked to page 7, which does not exist (the "
                         "last page is 0)\n");
    EXPECT_TRUE(r.err.isEmpty());

    if (QFile::exists("/dev/full")) {
        r = runProgram({"item"}, std::nullopt, "/dev/full");
        EXPECT_EQ(r.code, 2);
        EXPECT_TRUE(r.err.startsWith("runequill-cli: cannot print the result: ")) << r.err.constData();
    }
}

TEST(CliProgram, DiskThatFillsUpHalfWayKeepsTheOldScript) {
    CliFiles files;
    QByteArray text = "d_big\r\nSpeaker\r\n";
    for (int n = 0; n < 60; ++n)
        text += "PAGE " + QByteArray::number(n) + "\r\nSpeech of page " + QByteArray::number(n) +
                "\r\nSELECTION Next\r\n" + QByteArray::number((n + 1) % 60) + "\r\n0\r\n";
    const QString project = files.path("big.QDS");
    TestSupport::writeFile(project, text);
    const QString reference = files.path("reference.scp");
    ASSERT_EQ(runProgram({"export", project, reference}).code, 0);
    const QByteArray script = TestSupport::readFile(reference);
    ASSERT_GT(script.size(), 20000);

    const QString target = files.path("target.scp");
    const QByteArray before = "//old script\r\n";
    for (const qint64 limit : {script.size() / 2, script.size() - 1}) {
        SCOPED_TRACE(limit);
        TestSupport::writeFile(target, before);
        const ProgramRun r = runProgram({"export", project, target}, limit);
        EXPECT_EQ(r.code, 2);
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_TRUE(r.err.startsWith(("runequill-cli: " + target + ": ").toUtf8())) << r.err.constData();
        EXPECT_GT(r.err.size(), ("runequill-cli: " + target + ": \n").size()) << "the reason is given";
        EXPECT_EQ(TestSupport::readFile(target), before);
        EXPECT_EQ(QDir(files.path(".")).entryList(QDir::Files),
                  QStringList({"big.QDS", "reference.scp", "runequill_support.scp", "target.scp"}))
            << "no half-written file is left behind";
    }
    EXPECT_EQ(runProgram({"export", project, target}, script.size()).code, 0);
    EXPECT_EQ(TestSupport::readFile(target), script);
}
