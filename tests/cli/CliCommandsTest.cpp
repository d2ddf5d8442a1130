// Walks the command cases in tests/fixtures/cli, one folder each:
//   args       the command line, one argument a line ("\t" stands for a tab)
//   code       the exit status
//   out, err   the exact bytes of the standard output and error (none: nothing printed);
//              err-start instead of err: what the error must begin with
//   in/        files put in a scratch folder before the run
//   after/     files the scratch folder must then hold, byte for byte
//   absent     names the scratch folder must not hold
//   latin1     present: the system code page is Latin-1 for the run
// "$D" stands for the scratch folder, and "$D/PATH" for a file in it, named with the system's
// separators as a user types it and the program prints it; "$V" stands for the program's version.
#include "CliRunner.h"

#include "core/text/CodePage.h"

#include <QDir>
#include <cctype>
#include <gtest/gtest.h>

namespace {
QByteArray fill(QByteArray text, const QString &scratch) {
    text.replace("$V", RUNEQUILL_EXPECTED_VERSION);
    for (qsizetype at = text.indexOf("$D"); at >= 0; at = text.indexOf("$D", at)) {
        qsizetype end = at + 2;
        while (end < text.size() && text[at + 2] == '/' && !std::isspace(uchar(text[end])) &&
               text[end] != ':')
            ++end;
        const QString path = scratch + QString::fromUtf8(text.mid(at + 2, end - at - 2));
        const QByteArray native = QDir::toNativeSeparators(path).toUtf8();
        text.replace(at, end - at, native);
        at += native.size();
    }
    return text;
}

void copyInto(const QDir &from, const QString &to) {
    for (const QString &name : from.entryList(QDir::Files))
        ASSERT_TRUE(TestSupport::writeFile(to + "/" + name, TestSupport::readFile(from.filePath(name))));
}

void runCase(const QDir &dir) {
    ASSERT_TRUE(dir.exists("args") && dir.exists("code"));
    QTemporaryDir scratch;
    const QString d = scratch.path();
    copyInto(QDir(dir.filePath("in")), d);
    auto part = [&](const char *name) { return fill(TestSupport::readFile(dir.filePath(name)), d); };

    QStringList args; // tabs first: a Windows scratch folder's name holds backslashes
    for (const QString &arg :
         QString::fromUtf8(TestSupport::readFile(dir.filePath("args"))).chopped(1).split(u'\n'))
        args << QString::fromUtf8(
            fill(QString(arg).replace(QStringLiteral("\\t"), QStringLiteral("\t")).toUtf8(), d));
    std::optional<CodePageGuard> guard;
    if (dir.exists("latin1")) {
        guard.emplace();
        CodePage::setEncoding(QStringConverter::Latin1);
    }
    const CliResult r = runCli(args);
    guard.reset();

    EXPECT_EQ(r.code, part("code").trimmed().toInt());
    EXPECT_EQ(r.out, part("out"));
    if (dir.exists("err-start"))
        EXPECT_TRUE(r.err.toUtf8().startsWith(part("err-start"))) << r.err.toStdString();
    else
        EXPECT_EQ(r.err.toUtf8(), part("err"));

    const QDir after(dir.filePath("after"));
    for (const QString &name : after.entryList(QDir::Files))
        EXPECT_EQ(TestSupport::readFile(d + "/" + name), TestSupport::readFile(after.filePath(name)))
            << name.toStdString();
    for (const QByteArray &name : part("absent").split('\n'))
        EXPECT_TRUE(name.isEmpty() || !QFile::exists(d + "/" + name)) << name.constData();
}
} // namespace

TEST(CliCommands, EachCaseFolderPrintsWritesAndExitsAsRecorded) {
    const QDir root(QStringLiteral(RUNEQUILL_FIXTURES "/cli"));
    const QStringList cases = root.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    ASSERT_GE(cases.size(), 30);
    for (const QString &name : cases) {
        SCOPED_TRACE(name.toStdString());
        runCase(QDir(root.filePath(name)));
    }
}

// Each line of usage-mistakes.txt is a command line, its arguments split by tabs: each prints the
// usage on the standard error, nothing on the output, writes nothing and exits with 2. "$F" stands
// for the fixtures folder, "$D" for a scratch folder and "-" alone for no arguments.
TEST(CliCommands, UsageMistakesPrintTheUsageAndExitWith2) {
    QTemporaryDir scratch;
    const QString table = QStringLiteral(RUNEQUILL_FIXTURES "/cli/usage-mistakes.txt");
    const QString text = QString::fromUtf8(fill(TestSupport::readFile(table), scratch.path()))
                             .replace(QStringLiteral("$F"), QStringLiteral(RUNEQUILL_FIXTURES));
    const QStringList lines = text.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 20);
    for (const QString &line : lines) {
        const CliResult r = runCli(line == "-" ? QStringList() : line.split(u'\t'));
        EXPECT_EQ(r.code, 2) << line.toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << line.toStdString();
        EXPECT_TRUE(r.err.startsWith("runequill-cli: ")) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains("Usage:\n  runequill-cli export PROJECT.QDS SCRIPT.scp"))
            << r.err.toStdString();
    }
    EXPECT_TRUE(QDir(scratch.path()).isEmpty());
}

// A split export names every part it wrote, and a part that was not there before on the error
// stream, with what a running server needs to read it.
TEST(CliCommands, ExportNamesEveryPartOfASplitScript) {
    CliFiles files;
    QByteArray text = "p\r\ns\r\n";
    for (int n = 0; n < 1300; ++n)
        text += "PAGE " + QByteArray::number(n) + "\r\n" + QByteArray(4000, 'a') +
                "\r\nSELECTION bye\r\n-1\r\n1\r\n";
    TestSupport::writeFile(files.path("big.QDS"), text);
    const CliResult r = runCli({"export", files.path("big.QDS"), files.path("big.scp")});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(QString::fromUtf8(r.out), "wrote " + files.path("big.scp") + "\nwrote " +
                                            files.path("big_part2.scp") + "\nwrote " +
                                            files.path("runequill_support.scp") + "\n");
    EXPECT_EQ(r.err, "runequill-cli: big_part2.scp is a new part file: a running server reads it only "
                     "after a restart or \"LOAD scripts/<folder>/big_part2.scp\" on its console.\n");
}
