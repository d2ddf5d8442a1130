// The command-line export onto targets it cannot write: exit status 2, the file and the reason on
// the standard error, and whatever was at the target left exactly as it was.
#include "CliRunner.h"
#include "support/FullDisk.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QProcess>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace {

struct ProgramRun {
    int code = -1;
    QByteArray out;
    QString err;
};

// Runs the program itself; with a `limit`, no file it writes may grow past that many bytes, as
// on a disk that fills up, and SIGXFSZ is ignored so that the write fails instead.
ProgramRun runProgram(const QStringList &args, std::optional<qint64> limit = std::nullopt) {
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
    process.start(QStringLiteral(RUNEQUILL_CLI_PATH), args);
    process.waitForFinished(-1);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), QString::fromUtf8(process.readAllStandardError())};
}

void expectFailureNaming(const ProgramRun &r, const QString &target) {
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.startsWith("runequill-cli: " + target + ": ")) << r.err.toStdString();
    EXPECT_GT(r.err.size(), ("runequill-cli: " + target + ": \n").size()) << "the reason is given";
}

// A project whose script is some tens of kilobytes.
QString bigProject(CliFiles &files) {
    QByteArray text = "d_big\r\nSpeaker\r\n";
    for (int n = 0; n < 60; ++n)
        text += "PAGE " + QByteArray::number(n) + "\r\nSpeech of page " + QByteArray::number(n) +
                "\r\nSELECTION Next\r\n" + QByteArray::number(n + 1) + "\r\n0\r\n";
    const QString path = files.path("big.QDS");
    TestSupport::writeFile(path, text);
    return path;
}

const QByteArray Before = "//old script\r\n";

} // namespace

TEST(CliDiskFailure, ExportOntoFoldersThatAreMissingOrAreFiles) {
    CliFiles files;
    const QString project = files.write("guard.QDS", guardProject);

    const QString inMissing = files.path("missing/out.scp");
    expectFailureNaming(runProgram({"export", project, inMissing}), inMissing);
    EXPECT_FALSE(QFileInfo::exists(files.path("missing")));

    const QString plain = files.path("plain.scp");
    TestSupport::writeFile(plain, Before);
    expectFailureNaming(runProgram({"export", project, plain + "/out.scp"}), plain + "/out.scp");
    EXPECT_EQ(TestSupport::readFile(plain), Before);

    const QString folder = files.path("folder.scp");
    QDir().mkpath(folder);
    const ProgramRun r = runProgram({"export", project, folder});
    expectFailureNaming(r, folder);
    EXPECT_TRUE(r.err.contains("folder")) << r.err.toStdString();
    EXPECT_EQ(FullDisk::nodeKind(folder), "dir");
}

TEST(CliDiskFailure, ExportOntoADeviceNodeLeavesTheNode) {
    CliFiles files;
    const QString project = files.write("guard.QDS", guardProject);
    const QString node = files.path("node.scp");
    ASSERT_TRUE(FullDisk::makeDeviceNode(node));
    const QString kind = FullDisk::nodeKind(node);
    const ProgramRun r = runProgram({"export", project, node});
    expectFailureNaming(r, node);
    EXPECT_TRUE(r.err.contains("not a regular file")) << r.err.toStdString();
    EXPECT_EQ(FullDisk::nodeKind(node), kind);

    // A project that is a device, or a folder, is refused for reading, and nothing is written.
    const QString script = files.path("out.scp");
    expectFailureNaming(runProgram({"export", node, script}), node);
    expectFailureNaming(runProgram({"tree", files.path(".")}), files.path("."));
    EXPECT_FALSE(QFileInfo::exists(script));
}

TEST(CliDiskFailure, DiskThatFillsUpHalfWayKeepsTheOldScript) {
    CliFiles files;
    const QString project = bigProject(files);
    const QString reference = files.path("reference.scp");
    ASSERT_EQ(runProgram({"export", project, reference}).code, 0);
    const QByteArray script = TestSupport::readFile(reference);
    ASSERT_GT(script.size(), 20000);

    const QString target = files.path("target.scp");
    for (const qint64 limit : {script.size() / 2, script.size() - 1}) {
        SCOPED_TRACE(limit);
        TestSupport::writeFile(target, Before);
        const ProgramRun r = runProgram({"export", project, target}, limit);
        expectFailureNaming(r, target);
        EXPECT_EQ(TestSupport::readFile(target), Before);
        EXPECT_EQ(QDir(files.path(".")).entryList(QDir::Files),
                  QStringList({"big.QDS", "reference.scp", "runequill_support.scp", "target.scp"}))
            << "no half-written file is left behind";
    }
    EXPECT_EQ(runProgram({"export", project, target}, script.size()).code, 0);
    EXPECT_EQ(TestSupport::readFile(target), script);
}
