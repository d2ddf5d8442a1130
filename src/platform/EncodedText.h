#pragma once

#include <QByteArray>
#include <QLatin1StringView>
#include <QString>
#include <QStringView>
#include <optional>

// The bytes of a file in the system code page, built piece by piece. The result is what
// CodePage::encode gives for all the pieces joined, error message included, as long as no
// piece ends inside a surrogate pair. Where the code page agrees with ASCII (UTF-8, Latin-1),
// the text is never held whole as UTF-16 first: ASCII pieces are copied straight in and only
// the others go through the encoder.
class EncodedText {
public:
    explicit EncodedText(qsizetype expectedSize = 0);

    EncodedText &append(QLatin1StringView text);
    EncodedText &append(QStringView text);
    EncodedText &append(const QString &text) { return append(QStringView(text)); }
    EncodedText &append(QChar c) { return append(QStringView(&c, 1)); }

    // The bytes; nothing when a piece could not be encoded, with *error naming the first
    // character the code page cannot hold (later pieces are not encoded).
    std::optional<QByteArray> take(QString *error = nullptr);

private:
    char *extend(qsizetype n);
    bool appendAscii(QStringView text);
    void appendEncoded(QStringView text);

    QByteArray m_bytes; // bytes up to m_used are the text; the rest is room to grow
    qsizetype m_used = 0;
    QString m_text; // the whole text, for code pages that do not agree with ASCII
    QString m_error;
    bool m_failed = false;
    bool m_asciiCompatible;
};
