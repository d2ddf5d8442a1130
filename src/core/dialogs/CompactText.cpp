#include "core/dialogs/CompactText.h"

#include <cstring>
#include <limits>
#include <new>

static_assert(__STDCPP_DEFAULT_NEW_ALIGNMENT__ >= 8, "the low three bits of a block's address carry tags");

namespace {
int charShift(qsizetype i) {
    return int(8 * (i + 1));
}
} // namespace

void CompactText::assign(QStringView text) {
    quint64 bits = 0;
    const qsizetype n = text.size();
    if (n > 0) {
        const bool latin1 = QtPrivate::isLatin1(text);
        if (latin1 && n <= inlineCapacity) {
            bits = inlineTag | quint64(n) << 1;
            for (qsizetype i = 0; i < n; ++i)
                bits |= quint64(text[i].unicode()) << charShift(i);
        } else {
            const bool isLong = quint64(n) > std::numeric_limits<quint32>::max();
            const size_t header = isLong ? sizeof(quint64) : sizeof(quint32);
            const size_t bytes = size_t(n) * (latin1 ? 1 : sizeof(char16_t));
            char *block = static_cast<char *>(::operator new(header + bytes));
            if (isLong) {
                const quint64 length = quint64(n);
                std::memcpy(block, &length, sizeof length);
            } else {
                const quint32 length = quint32(n);
                std::memcpy(block, &length, sizeof length);
            }
            char *out = block + header;
            if (latin1) {
                const char16_t *in = text.utf16();
                for (qsizetype i = 0; i < n; ++i)
                    out[i] = char(in[i]);
            } else {
                std::memcpy(out, text.utf16(), bytes);
            }
            bits =
                quint64(reinterpret_cast<quintptr>(block)) | (latin1 ? 0 : wideTag) | (isLong ? longTag : 0);
        }
    }
    // The new text is built before the old one goes: `text` may be a view of this very text.
    release();
    m_bits = bits;
}

QString CompactText::toString() const {
    if (m_bits == 0)
        return {};
    const qsizetype n = size();
    if (isInline()) {
        char chars[inlineCapacity];
        for (qsizetype i = 0; i < n; ++i)
            chars[i] = char(m_bits >> charShift(i));
        return QString::fromLatin1(chars, n);
    }
    if (m_bits & wideTag)
        return QString(reinterpret_cast<const QChar *>(data()), n);
    return QString::fromLatin1(data(), n);
}

bool CompactText::operator==(QStringView text) const {
    const qsizetype n = size();
    if (n != text.size())
        return false;
    if (isInline()) {
        for (qsizetype i = 0; i < n; ++i)
            if (text[i].unicode() != char16_t(uchar(m_bits >> charShift(i))))
                return false;
        return true;
    }
    if (n == 0)
        return true;
    if (m_bits & wideTag)
        return QStringView(reinterpret_cast<const QChar *>(data()), n) == text;
    return text.compare(QLatin1StringView(data(), n)) == 0;
}

void CompactText::release() {
    if (m_bits != 0 && !isInline())
        ::operator delete(const_cast<char *>(block()));
    m_bits = 0;
}
