#pragma once

#include <QLatin1StringView>
#include <QtGlobal>
#include <bit>
#include <charconv>
#include <cstring>

// Fast paths for the ASCII text that makes up most of the program's files.
namespace Ascii {

// Eight bytes at a time.
inline bool isAscii(const char *bytes, qsizetype size) {
    quint64 seen = 0;
    qsizetype i = 0;
    for (; i + 8 <= size; i += 8) {
        quint64 word;
        std::memcpy(&word, bytes + i, 8);
        seen |= word;
    }
    for (; i < size; ++i)
        seen |= static_cast<unsigned char>(bytes[i]);
    return (seen & 0x8080808080808080ull) == 0;
}

// Copies `size` UTF-16 characters to `out` as single bytes, four at a time. True when every one was ASCII;
// otherwise what was written to `out` means nothing.
inline bool narrow(const char16_t *text, qsizetype size, char *out) {
    quint64 seen = 0;
    qsizetype i = 0;
    if constexpr (std::endian::native == std::endian::little) {
        for (; i + 4 <= size; i += 4) {
            quint64 word;
            std::memcpy(&word, text + i, 8);
            seen |= word;
            const quint32 packed = quint32((word & 0xFF) | ((word >> 8) & 0xFF00) |
                                           ((word >> 16) & 0xFF0000) | ((word >> 24) & 0xFF000000));
            std::memcpy(out + i, &packed, 4);
        }
    }
    for (; i < size; ++i) {
        seen |= text[i];
        out[i] = static_cast<char>(text[i]);
    }
    return (seen & 0xFF80FF80FF80FF80ull) == 0;
}

// Copies ASCII bytes to `out` as UTF-16 characters.
inline void widen(const char *bytes, qsizetype size, char16_t *out) {
    for (qsizetype i = 0; i < size; ++i)
        out[i] = static_cast<unsigned char>(bytes[i]);
}

// A number in decimal, held on the stack: for the page and answer numbers that files repeat
// by the thousand, without a string allocation for each.
class Decimal {
public:
    explicit Decimal(int n) : m_size(std::to_chars(m_digits, m_digits + sizeof m_digits, n).ptr - m_digits) {}
    QLatin1StringView view() const { return QLatin1StringView(m_digits, m_size); }

private:
    char m_digits[12];
    qsizetype m_size;
};

} // namespace Ascii
