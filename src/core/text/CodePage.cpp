#include "core/text/CodePage.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {
std::optional<QStringConverter::Encoding> chosenEncoding;

QString windows1252(QByteArrayView bytes) {
    QStringDecoder decoder("windows-1252");
    if (decoder.isValid())
        return decoder.decode(bytes);
    // Without ICU Qt knows no Windows-1252; Latin-1 agrees with it outside 0x80..0x9F.
    static const char16_t high[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                      0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        text[i] = (b >= 0x80 && b < 0xA0) ? QChar(high[b - 0x80]) : QChar(b);
    }
    return text;
}
// Characters Qt's encoders pass over without reporting: anything above U+00FF in Latin-1, and
// a surrogate without its partner (which no 8-bit file can hold).
QStringView cannotHold(QStringView text) {
    const bool latin1 = CodePage::encoding() == QStringConverter::Latin1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            if (latin1)
                return text.mid(i, 2);
            ++i;
            continue;
        }
        if (c.isSurrogate() || (latin1 && c.unicode() > 0xFF))
            return text.mid(i, 1);
    }
    return {};
}
} // namespace

namespace CodePage {

QStringConverter::Encoding encoding() {
    return chosenEncoding.value_or(QStringConverter::Utf8);
}

void setEncoding(QStringConverter::Encoding encoding) {
    chosenEncoding = encoding;
}

void resetEncoding() {
    chosenEncoding.reset();
}

bool isAsciiCompatible(QStringConverter::Encoding encoding) {
    switch (encoding) {
    case QStringConverter::Utf8:
    case QStringConverter::Latin1:
        return true;
#ifdef Q_OS_UNIX
    case QStringConverter::System: // UTF-8 on every Unix
        return true;
#endif
    default:
        return false;
    }
}

bool dropsByteOrderMark() {
    const QChar mark(0xFEFF);
    QStringEncoder encoder(encoding(), QStringConverter::Flag::Stateless);
    const QByteArray bytes = encoder.encode(QStringView(&mark, 1));
    QStringDecoder decoder(encoding(), QStringConverter::Flag::Stateless);
    return !encoder.hasError() && !bytes.isEmpty() && QString(decoder.decode(bytes)).isEmpty();
}

QString decode(QByteArrayView bytes) {
    QStringDecoder decoder(encoding(), QStringConverter::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (!decoder.hasError())
        return text;
    return windows1252(bytes);
}

Outcome<QByteArray> encode(QStringView text) {
    QStringEncoder encoder(encoding(), QStringConverter::Flag::Stateless);
    Outcome<QByteArray> out;
    out.value = encoder.encode(text);
    if (!encoder.hasError() && cannotHold(text).isEmpty())
        return out;
    out.value.clear();
    out.error = FileError{{}, 0, QStringLiteral("the text cannot be written in the system code page")};
    // Find the first character the code page refuses, so the message can name it.
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype len = (text[i].isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        QStringEncoder one(encoding(), QStringConverter::Flag::Stateless);
        (void)one.encode(text.mid(i, len));
        if (one.hasError() || !cannotHold(text.mid(i, len)).isEmpty()) {
            const char32_t code = len == 2 ? QChar::surrogateToUcs4(text[i], text[i + 1]) : text[i].unicode();
            out.error->reason =
                QStringLiteral("the character U+%1 cannot be written in the system code page (%2)")
                    .arg(QString::number(code, 16).toUpper().rightJustified(4, u'0'),
                         QString::fromLatin1(QStringConverter::nameForEncoding(encoding())));
            break;
        }
        i += len - 1;
    }
    return out;
}

} // namespace CodePage
