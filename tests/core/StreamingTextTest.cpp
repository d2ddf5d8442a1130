// The piecewise writer and the block-wise line reader must give exactly what encoding the
// whole text, or splitting the whole decoded file, gives.

#include "core/text/CodePage.h"
#include "core/text/EncodedText.h"
#include "core/text/TextFile.h"
#include "core/text/TextFileLines.h"
#include "support/TestSupport.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class StreamingText : public ::testing::TestWithParam<QStringConverter::Encoding> {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        CodePage::setEncoding(GetParam());
    }
    void TearDown() override { CodePage::resetEncoding(); }

    QTemporaryDir dir;
};

// The lines of the whole decoded file, split by the documented rule: at CR LF or a lone CR, or at
// LF in a file without any CR; what follows the last line end is a line only if not empty.
QStringList expectedLines(const QString &text) {
    QStringList lines = text.split(QRegularExpression(text.contains(u'\r') ? "\r\n?" : "\n"));
    if (lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QStringList streamedLines(const QString &path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    TextFileLines reader;
    EXPECT_FALSE(reader.open(file).has_value());
    QStringList lines;
    QStringView line;
    while (reader.next(line))
        lines << line.toString();
    EXPECT_FALSE(reader.failed());
    return lines;
}

TEST_P(StreamingText, PiecesEncodeAsTheWholeText) {
    const QList<QStringList> cases = {
        {QStringLiteral("PAGE 0"), QStringLiteral("\r\n"), QStringLiteral("plain")},
        {QStringLiteral("caf\u00e9 "), QStringLiteral("na\u00efve"), QStringLiteral("\r\n")},
        {QString(QChar(0xFEFF)) + QStringLiteral("first"), QString(QChar(0xFEFF)) + QStringLiteral("later")},
        {QStringLiteral("ok "), QStringLiteral("\u20ac uro"), QStringLiteral(" \u4e2d")},
        {QStringLiteral("pair "), QStringLiteral("\U0001F600"), QStringLiteral("x")},
        {QStringLiteral("lone "), QString(QChar(0xDC00)), QStringLiteral("x\u00ff")},
        {QString(), QStringLiteral("tail")},
    };
    for (const QStringList &pieces : cases) {
        SCOPED_TRACE(pieces.join(u'|').toStdString());
        EncodedText built(4);
        for (const QString &piece : pieces)
            built.append(piece);
        built.append(QLatin1StringView("\r\n"));
        const auto bytes = built.take();
        const auto whole = CodePage::encode(pieces.join(QString()) + QStringLiteral("\r\n"));
        EXPECT_EQ(bytes.value, whole.value);
        EXPECT_EQ(bytes.error.value_or(FileError()).reason, whole.error.value_or(FileError()).reason);
    }
}

TEST_P(StreamingText, LinesAreThoseOfTheWholeDecodedFile) {
    constexpr qsizetype block = 1 << 20; // the reader's block size
    const QByteArray euro = "\xE2\x82\xAC";
    const QByteArray crAtBlockEnd = QByteArray(block - 1, 'a') + "\r\nnext\r\n";
    const QByteArray charAcrossBlocks = QByteArray(block - 1, 'b') + euro + "\rend";
    const QByteArray lateBadByte = QByteArray(block + 100, 'c') + "\r\n\xE9t\xE9\r\n";
    const QByteArray longLine = "head\r\n" + QByteArray(3 * block + 7, 'd');
    const QByteArray highBytes = QByteArray(block, '\xE9') + "\r\nx";

    const QList<std::pair<const char *, QByteArray>> files = {
        {"empty", ""},
        {"crlf", "one\r\ntwo\r\n\r\nfour"},
        {"lone cr and lf", "a\rb\nc\r\n\rd\n"},
        {"lf only", "a\nb\n\nc"},
        {"bom at start", "\xEF\xBB\xBF"
                         "first\r\n\xEF\xBB\xBF"
                         "second\r\n"},
        {"utf-8 text", "caf\xC3\xA9\r\n" + euro + "\r\n"},
        {"not utf-8", "caf\xE9\r\n\x80\x81\r\n"},
        {"cr at block end", crAtBlockEnd},
        {"char across blocks", charAcrossBlocks},
        {"bad byte late", lateBadByte},
        {"long line", longLine},
        {"high bytes", highBytes},
        {"cut character at end", "ok\r\n\xE2\x82"},
    };
    for (const auto &[name, bytes] : files) {
        SCOPED_TRACE(name);
        const QString path = dir.filePath(QString::fromLatin1(name));
        ASSERT_TRUE(TestSupport::writeFile(path, bytes));
        const Outcome<QString> text = TextFile::read(path);
        ASSERT_TRUE(text.ok());
        const QStringList expected = expectedLines(text.value);
        const QStringList actual = streamedLines(path);
        ASSERT_EQ(actual.size(), expected.size());
        for (qsizetype i = 0; i < expected.size(); ++i)
            ASSERT_EQ(actual[i], expected[i]) << "line " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(CodePages, StreamingText,
                         ::testing::Values(QStringConverter::Utf8, QStringConverter::Latin1,
                                           QStringConverter::System, QStringConverter::Utf16LE));

} // namespace
