#include "core/text/EncodedText.h"

#include "core/text/Ascii.h"
#include "core/text/CodePage.h"

#include <algorithm>
#include <cstring>

namespace {} // namespace

EncodedText::EncodedText(qsizetype expectedSize)
    : m_asciiCompatible(CodePage::isAsciiCompatible(CodePage::encoding())), m_fast(m_asciiCompatible) {
    m_bytes.resize(expectedSize);
}

// Room for `n` more bytes at the end; the array grows by doubling, and only take() trims it.
char *EncodedText::extend(qsizetype n) {
    const qsizetype needed = m_used + n;
    if (needed > m_bytes.size())
        m_bytes.resize(std::max(needed, 2 * m_bytes.size()));
    char *out = m_bytes.data() + m_used;
    m_used = needed;
    return out;
}

EncodedText &EncodedText::appendLatin1(QLatin1StringView text) {
    if (m_failed)
        return *this;
    if (m_asciiCompatible && Ascii::isAscii(text.data(), text.size()))
        std::memcpy(extend(text.size()), text.data(), text.size());
    else
        append(QString(text));
    return *this;
}

EncodedText &EncodedText::appendUtf16(QStringView text) {
    if (m_failed)
        return *this;
    if (!m_asciiCompatible)
        m_text.append(text);
    else if (!appendAscii(text))
        appendEncoded(text);
    return *this;
}

// Copies the text in as bytes while every character is ASCII; false (and nothing added)
// when one is not.
bool EncodedText::appendAscii(QStringView text) {
    if (!m_asciiCompatible)
        return false;
    if (Ascii::narrow(text.utf16(), text.size(), extend(text.size())))
        return true;
    m_used -= text.size();
    return false;
}

// A piece that is not all ASCII, in a code page that agrees with ASCII: encoded on its own,
// which gives the bytes it has in the whole text, for such code pages keep no state from one
// character to the next. Only the start of a file is special (a byte-order mark may go there),
// so a later piece is encoded behind one ASCII letter that is then dropped.
void EncodedText::appendEncoded(QStringView text) {
    const bool atStart = m_used == 0;
    QString padded;
    if (!atStart)
        padded.append(u'a').append(text);
    const Outcome<QByteArray> encoded = CodePage::encode(atStart ? text : QStringView(padded));
    if (!encoded.ok()) {
        m_error = encoded.error->reason;
        m_failed = true;
        m_fast = false;
        return;
    }
    const QByteArray *bytes = &encoded.value;
    const qsizetype skip = atStart ? 0 : 1;
    std::memcpy(extend(bytes->size() - skip), bytes->constData() + skip, bytes->size() - skip);
}

qsizetype EncodedText::size() const {
    if (m_failed)
        return 0;
    if (m_asciiCompatible)
        return m_used;
    const Outcome<QByteArray> bytes = CodePage::encode(m_text);
    return bytes.value.size();
}

Outcome<QByteArray> EncodedText::take() {
    if (!m_failed && !m_asciiCompatible) {
        // Other code pages get the whole text at once.
        return CodePage::encode(m_text);
    }
    if (m_failed)
        return {{}, FileError{{}, 0, m_error}};
    m_bytes.truncate(m_used);
    return {std::move(m_bytes), std::nullopt};
}
