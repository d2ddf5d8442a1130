// The code page and the safe writer every save and export goes through: a write that cannot be
// done fails with a reason, and whatever was at the target before is there afterwards as it was.
#include "core/text/TextFile.h"
#include "core/text/CodePage.h"
#include "support/FullDisk.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using TestSupport::CodePageGuard;
using TestSupport::readFile;

namespace {

class SafeWriter : public ::testing::Test {
protected:
    // Writes the text; "ok" or the reason it failed.
    static QString write(const QString &path, QStringView text = u"new\r\n") {
        const WriteOutcome failed = TextFile::write(path, text);
        return failed ? failed->reason : QStringLiteral("ok");
    }
    QStringList entries() const {
        return QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System);
    }

    QTemporaryDir dir;
    const QByteArray before = "the file that was there\r\n";
};

} // namespace

TEST(CodePage, InvalidBytesReadAsWindows1252AndUnwritableCharactersFail) {
    CodePageGuard guard;
    CodePage::setEncoding(QStringConverter::Utf8);
    EXPECT_EQ(CodePage::decode("caf\xc3\xa9"), QStringLiteral("caf\u00e9"));
    EXPECT_EQ(CodePage::decode("caf\xe9 \x80"), QStringLiteral("caf\u00e9 \u20ac"));
    const auto reason = [](QStringView text) {
        return CodePage::encode(text).error.value_or(FileError()).reason;
    };
    EXPECT_TRUE(reason(QString(QChar(0xD800))).contains(QStringLiteral("U+D800"))) << "a lone surrogate";
    CodePage::setEncoding(QStringConverter::Latin1);
    EXPECT_TRUE(reason(u"price: \u20ac").contains(QStringLiteral("U+20AC")));
    EXPECT_EQ(CodePage::encode(u"caf\u00e9").value, QByteArray("caf\xe9"));
}

TEST_F(SafeWriter, WritesTheWholeFileAndReadsItBack) {
    const QString path = dir.filePath("a.txt");
    ASSERT_TRUE(TestSupport::writeFile(path, before));
    EXPECT_EQ(write(path, u"one\r\ntwo\r\n"), "ok");
    EXPECT_EQ(readFile(path), QByteArray("one\r\ntwo\r\n"));
    EXPECT_EQ(TextFile::read(path).value, QStringLiteral("one\r\ntwo\r\n"));
    EXPECT_TRUE(TextFile::exists(path));
    EXPECT_FALSE(TextFile::exists(dir.path()));
    EXPECT_FALSE(TextFile::exists(QString()));
    EXPECT_EQ(entries(), QStringList{"a.txt"});
}

TEST_F(SafeWriter, MissingFoldersFoldersDevicesAndUnwritableTextsLeaveTheTargetAlone) {
    const QString plain = dir.filePath("plain");
    ASSERT_TRUE(TestSupport::writeFile(plain, before));
    for (const QString &path : {dir.filePath("missing/out.txt"), plain + "/out.txt", QString()})
        EXPECT_NE(write(path), "ok") << path.toStdString();
    EXPECT_EQ(write(QString()), "No file name was given");

    const QString folder = dir.filePath("work.QDS");
    ASSERT_TRUE(QDir().mkpath(folder));
    EXPECT_TRUE(write(folder).contains("folder"));
    EXPECT_EQ(FullDisk::nodeKind(folder), "dir");

    // A device or pipe is refused before it is opened (a pipe would hang the writer), also
    // through a link; a link to a file, though, is written through and stays a link.
    const QString node = dir.filePath("node.QDS");
    ASSERT_TRUE(FullDisk::makeDeviceNode(node));
    const QString kind = FullDisk::nodeKind(node);
    EXPECT_TRUE(write(node).contains("not a regular file"));
    ASSERT_TRUE(QFile::link(node, dir.filePath("node-link")));
    EXPECT_NE(write(dir.filePath("node-link")), "ok");
    EXPECT_EQ(FullDisk::nodeKind(node), kind);
    ASSERT_TRUE(QFile::link(plain, dir.filePath("plain-link")));
    EXPECT_EQ(write(dir.filePath("plain-link")), "ok");
    EXPECT_TRUE(QFileInfo(dir.filePath("plain-link")).isSymLink());
    EXPECT_EQ(readFile(plain), "new\r\n");

    // A character the code page cannot hold fails before the file is touched.
    CodePageGuard guard;
    CodePage::setEncoding(QStringConverter::Latin1);
    ASSERT_TRUE(TestSupport::writeFile(plain, before));
    EXPECT_NE(write(plain, u"\u20ac"), "ok");
    EXPECT_EQ(readFile(plain), before);
    EXPECT_EQ(entries(), QStringList({"node-link", "node.QDS", "plain", "plain-link", "work.QDS"}));
}

TEST_F(SafeWriter, ADiskThatFillsUpKeepsThePreviousFile) {
    const QString text(5000, u'x');
    const QString target = dir.filePath("target.QDS");
    for (const qint64 limit : {qint64(0), qint64(2500), qint64(4999)}) {
        SCOPED_TRACE(limit);
        ASSERT_TRUE(TestSupport::writeFile(target, before));
        const QString shown = FullDisk::withFileSizeLimit(limit, [&] { return write(target, text); });
        EXPECT_NE(shown, "ok");
        EXPECT_FALSE(shown.isEmpty()) << "a failure comes with its reason";
        EXPECT_EQ(readFile(target), before);
        EXPECT_EQ(entries(), QStringList{"target.QDS"}) << "no half-written file is left behind";
    }
    EXPECT_EQ(FullDisk::withFileSizeLimit(5000, [&] { return write(target, text); }), "ok");
    EXPECT_EQ(readFile(target), text.toLatin1());
}

TEST_F(SafeWriter, ReadingRefusesFoldersAndDevices) {
    // A device that reads without end, and a pipe no one writes to: neither may be opened.
    for (const unsigned minorNumber : {5u, 3u}) {
        const QString node = dir.filePath(QStringLiteral("node%1").arg(minorNumber));
        ASSERT_TRUE(FullDisk::makeDeviceNode(node, minorNumber));
        EXPECT_FALSE(TextFile::readBytes(node).error.value_or(FileError()).reason.isEmpty());
    }
    EXPECT_TRUE(TextFile::readBytes(dir.path()).error.value_or(FileError()).reason.contains("folder"));
    const auto missing = TextFile::readBytes(dir.filePath("missing")).error.value_or(FileError());
    EXPECT_EQ(missing.reason, "No such file or directory");
    EXPECT_EQ(missing.kind, FileError::Missing);
}
