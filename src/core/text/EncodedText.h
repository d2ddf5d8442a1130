#pragma once

#include "core/text/Ascii.h"
#include "core/text/FileError.h"

#include <QByteArray>
#include <QLatin1StringView>
#include <QString>
#include <QStringView>
#include <cstring>
#include <optional>

// The bytes of a file in the files' code page, built piece by piece. The result is what
// CodePage::encode gives for all the pieces joined, error message included, as long as no
// piece ends inside a surrogate pair. Where the code page agrees with ASCII (UTF-8, Latin-1),
// the text is never held whole as UTF-16 first: ASCII pieces are copied straight in and only
// the others go through the encoder.
class EncodedText {
public:
    explicit EncodedText(qsizetype expectedSize = 0);

    // Inline: the writers append a dozen small pieces for every page of a large project.
    // An ASCII piece that fits the room already there is copied straight in; the rest goes
    // the general way.
    EncodedText &append(QLatin1StringView text) {
        if (text.isEmpty()) // an empty view may carry a null pointer, which memcpy must not see
            return *this;
        if (m_fast && text.size() <= m_bytes.size() - m_used && Ascii::isAscii(text.data(), text.size())) {
            std::memcpy(m_bytes.data() + m_used, text.data(), text.size());
            m_used += text.size();
            return *this;
        }
        return appendLatin1(text);
    }
    EncodedText &append(QStringView text) {
        if (text.isEmpty())
            return *this;
        if (m_fast && text.size() <= m_bytes.size() - m_used &&
            Ascii::narrow(text.utf16(), text.size(), m_bytes.data() + m_used)) {
            m_used += text.size();
            return *this;
        }
        return appendUtf16(text);
    }
    EncodedText &append(const QString &text) { return append(QStringView(text)); }
    EncodedText &append(QChar c) { return append(QStringView(&c, 1)); }

    // How many bytes the text so far takes. For a code page that does not agree with ASCII this
    // encodes the text so far, which is slow; 0 once a piece could not be encoded.
    qsizetype size() const;

    // The bytes; an error naming the first character the code page cannot hold when a piece
    // could not be encoded (later pieces are not encoded).
    Outcome<QByteArray> take();

private:
    EncodedText &appendLatin1(QLatin1StringView text);
    EncodedText &appendUtf16(QStringView text);
    char *extend(qsizetype n);
    bool appendAscii(QStringView text);
    void appendEncoded(QStringView text);

    QByteArray m_bytes; // bytes up to m_used are the text; the rest is room to grow
    qsizetype m_used = 0;
    QString m_text; // the whole text, for code pages that do not agree with ASCII
    QString m_error;
    bool m_failed = false;
    bool m_asciiCompatible;
    bool m_fast; // m_asciiCompatible and not m_failed
};
