#pragma once

#include <QLatin1StringView>
#include <QString>
#include <QStringView>
#include <bit>
#include <cstring>

// A text kept in as little memory as it allows, for the many short texts of a large project.
// Up to seven Latin-1 characters live in the object itself; a longer text gets one block with a
// small length header, at one byte a character when every character is Latin-1 and as UTF-16
// otherwise. toString() gives back exactly the text that was stored (an empty text as a null
// QString).
class CompactText {
public:
    CompactText() noexcept = default;
    explicit CompactText(QStringView text) { assign(text); }
    CompactText(const CompactText &) = delete;
    CompactText &operator=(const CompactText &) = delete;
    ~CompactText() { release(); }

    void assign(QStringView text);
    QString toString() const;
    qsizetype size() const {
        if (m_bits == 0)
            return 0;
        if (isInline())
            return qsizetype((m_bits >> 1) & 7);
        if (m_bits & longTag) {
            quint64 length = 0;
            std::memcpy(&length, block(), sizeof length);
            return qsizetype(length);
        }
        quint32 length = 0;
        std::memcpy(&length, block(), sizeof length);
        return qsizetype(length);
    }
    bool isEmpty() const { return m_bits == 0; }
    bool operator==(QStringView text) const;

    // Calls f with a view of the stored text, without building a QString: a QLatin1StringView
    // of its bytes when it is kept at one byte a character, a QStringView otherwise. The view
    // lasts until the text changes.
    template <class F> decltype(auto) visit(F &&f) const {
        if (isInline()) {
            if constexpr (std::endian::native == std::endian::little)
                return f(QLatin1StringView(reinterpret_cast<const char *>(&m_bits) + 1, size()));
            else
                return f(QStringView(toString()));
        }
        if (m_bits == 0)
            return f(QLatin1StringView());
        if (m_bits & wideTag)
            return f(QStringView(reinterpret_cast<const QChar *>(data()), size()));
        return f(QLatin1StringView(data(), size()));
    }

private:
    // m_bits is 0 for the empty text. With bit 0 set it holds the text itself: its length in
    // bits 1-3 and its characters in bytes 1 to 7. Otherwise it is the address of the block,
    // whose alignment leaves bit 1 (UTF-16) and bit 2 (64-bit length header) free.
    static constexpr quint64 inlineTag = 1;
    static constexpr quint64 wideTag = 2;
    static constexpr quint64 longTag = 4;
    static constexpr quint64 tagMask = 7;
    static constexpr qsizetype inlineCapacity = 7;

    bool isInline() const { return m_bits & inlineTag; }
    const char *block() const { return reinterpret_cast<const char *>(quintptr(m_bits & ~tagMask)); }
    // the characters of a text that has a block
    const char *data() const { return block() + (m_bits & longTag ? sizeof(quint64) : sizeof(quint32)); }
    void release();

    quint64 m_bits = 0;
};
