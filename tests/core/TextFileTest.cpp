#include "core/text/TextFile.h"
#include "core/text/CodePage.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using TestSupport::CodePageGuard;

TEST(CodePage, InvalidBytesReadAsWindows1252) {
    CodePage::setEncoding(QStringConverter::Utf8);
    CodePageGuard guard;
    EXPECT_EQ(CodePage::decode("caf\xc3\xa9"), QStringLiteral("caf\u00e9"));
    EXPECT_EQ(CodePage::decode("caf\xe9 \x80"), QStringLiteral("caf\u00e9 \u20ac"));
}

TEST(CodePage, UnwritableCharacterIsAnError) {
    CodePage::setEncoding(QStringConverter::Latin1);
    CodePageGuard guard;
    QString reason;
    EXPECT_FALSE(CodePage::encode(u"price: \u20ac", &reason).has_value());
    EXPECT_TRUE(reason.contains(QStringLiteral("U+20AC"))) << reason.toStdString();
    EXPECT_EQ(CodePage::encode(u"caf\u00e9").value(), QByteArray("caf\xe9"));
    CodePage::setEncoding(QStringConverter::Utf8);
    EXPECT_FALSE(CodePage::encode(QString(QChar(0xD800)), &reason).has_value()) << "a lone surrogate";
    EXPECT_TRUE(reason.contains(QStringLiteral("U+D800"))) << reason.toStdString();
}

TEST(TextFile, WriteReplacesWholeFileAndReadsBack) {
    QTemporaryDir dir;
    const QString path = dir.filePath("a.txt");
    ASSERT_TRUE(TextFile::write(path, u"one\r\ntwo\r\n"));
    EXPECT_EQ(TestSupport::readFile(path), QByteArray("one\r\ntwo\r\n"));
    QString text;
    ASSERT_TRUE(TextFile::read(path, text));
    EXPECT_EQ(text, QStringLiteral("one\r\ntwo\r\n"));
    EXPECT_TRUE(TextFile::exists(path));
    EXPECT_FALSE(TextFile::exists(dir.path()));
    EXPECT_FALSE(TextFile::exists(QString()));
}

TEST(TextFile, FailedWritesLeaveThePreviousFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("keep.txt");
    ASSERT_TRUE(TestSupport::writeFile(path, "old"));
    QString reason;

    CodePage::setEncoding(QStringConverter::Latin1);
    {
        CodePageGuard guard;
        EXPECT_FALSE(TextFile::write(path, u"\u20ac", &reason));
    }
    EXPECT_EQ(TestSupport::readFile(path), QByteArray("old"));

    EXPECT_FALSE(TextFile::write(dir.filePath("missing/x.txt"), u"x", &reason));
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_FALSE(TextFile::write(dir.filePath("keep.txt/x.txt"), u"x", &reason));
    EXPECT_FALSE(TextFile::write(dir.path(), u"x", &reason));
    EXPECT_TRUE(QDir(dir.path()).exists());
}

TEST(TextFile, RefusesToReplaceADeviceNode) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath("pipe");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QString reason;
    EXPECT_FALSE(TextFile::write(fifo, u"x", &reason));
    EXPECT_TRUE(reason.contains(QStringLiteral("not a regular file"))) << reason.toStdString();
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(fifo).constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    QByteArray bytes;
    EXPECT_FALSE(TextFile::readBytes(fifo, bytes, &reason)) << "reading a pipe would hang";
    EXPECT_FALSE(TextFile::readBytes(dir.path(), bytes, &reason));
}
