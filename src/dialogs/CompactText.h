#pragma once

#include <QString>
#include <QStringView>

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
    qsizetype size() const;
    bool isEmpty() const { return m_bits == 0; }
    bool operator==(QStringView text) const;

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
    const char *block() const;
    const char *data() const; // the characters of a text that has a block
    void release();

    quint64 m_bits = 0;
};
