#include "CliRunner.h"

#include "core/dialogs/ProjectFile.h"
#include "support/TestSupport.h"

#include <QDir>
#include <gtest/gtest.h>

TEST(CliUsage, MistakesPrintTheUsageAndExitWith2) {
    CliFiles files;
    const QString project = files.write("guard.QDS", guardProject);
    const QList<QStringList> mistakes = {
        {},
        {"frobnicate"},
        {"tree"},
        {"tree", project, "extra"},
        {"tree", ""},
        {"check", project, "--prefix", "x"},
        {"export", project},
        {"export", project, files.path("a.scp"), "--prefix"},
        {"export", project, files.path("a.scp"), "--colour", "red"},
        {"item", "stray"},
        {"item", "--additional", "a", "--additional", "b"},
        {"--help", "tree"},
        {"--version", "x"},
    };
    for (const QStringList &args : mistakes) {
        const CliResult r = runCli(args);
        EXPECT_EQ(r.code, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << args.join(' ').toStdString();
        EXPECT_TRUE(r.err.startsWith("runequill-cli: ")) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains("Usage:\n  runequill-cli export PROJECT.QDS SCRIPT.scp"))
            << r.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(files.path("a.scp")));
}

TEST(CliUsage, HelpAndVersion) {
    CliResult r = runCli({"--help"});
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(r.out.contains("FILE: page N[, answer K]: error|warning: message"));
    EXPECT_TRUE(r.out.contains("N and K are numbered from 0"));
    EXPECT_TRUE(r.err.isEmpty());
    EXPECT_EQ(runCli({"check", "--help"}).out, r.out);

    r = runCli({"--version"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, QByteArray("runequill-cli " RUNEQUILL_EXPECTED_VERSION "\n"));
}

TEST(CliUsage, FilesThatCannotBeReadAreNamedWithTheReason) {
    CliFiles files;
    const QString missing = files.path("missing.QDS");
    const QString damaged = files.write("damaged.QDS", {"only one line"});
    const QString folder = files.path("folder.QDS");
    QDir().mkpath(folder);
    QByteArray huge = "p\r\ns\r\n";
    for (int n = 0; n < 32768; ++n)
        huge += "PAGE 0\r\nx\r\n";
    const QString tooBig = files.path("huge.QDS");
    TestSupport::writeFile(tooBig, huge);

    const QList<QPair<QString, QString>> failures = {
        {missing, "no such file"},
        {damaged, ProjectFile::damagedMessage()},
        {folder, ""},
        {tooBig, "more pages than a project can hold"},
    };
    for (const auto &[path, reason] : failures) {
        for (const QStringList &args : {QStringList{"tree", path}, QStringList{"check", path},
                                        QStringList{"export", path, files.path("out.scp")}}) {
            const CliResult r = runCli(args);
            EXPECT_EQ(r.code, 2) << args.join(' ').toStdString();
            EXPECT_TRUE(r.out.isEmpty());
            EXPECT_TRUE(r.err.startsWith("runequill-cli: " + path + ": ")) << r.err.toStdString();
            EXPECT_TRUE(r.err.contains(reason)) << r.err.toStdString();
            EXPECT_FALSE(r.err.contains("Usage:"));
        }
    }
    EXPECT_FALSE(QFile::exists(files.path("out.scp")));
}
