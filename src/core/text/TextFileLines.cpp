#include "core/text/TextFileLines.h"

#include "core/text/Ascii.h"
#include "core/text/CodePage.h"

#include <QFileDevice>
#include <QStringDecoder>
#include <cstring>

namespace {

constexpr qsizetype BlockSize = 1 << 20;

// A decoder that, like the one for the whole file, drops a byte-order mark only at its start.
QStringDecoder decoderFor(bool atFileStart) {
    QStringConverter::Flags flags = QStringConverter::Flag::Stateless;
    if (!atFileStart)
        flags |= QStringConverter::Flag::ConvertInitialBom;
    return QStringDecoder(CodePage::encoding(), flags);
}

} // namespace

WriteOutcome TextFileLines::open(QIODevice &device) {
    m_device = &device;
    if (!survey())
        return FileError{{}, 0, m_error};
    return std::nullopt;
}

// One pass over the file: whether it holds a CR or a NUL, and whether the code page reads all of it.
// A file it cannot read is decoded whole, with the fallback that CodePage::decode applies.
bool TextFileLines::survey() {
    m_whole = !CodePage::isAsciiCompatible(CodePage::encoding());
    const bool check = !m_whole && CodePage::encoding() != QStringConverter::Latin1;
    QByteArray carry; // the bytes after a block's last ASCII byte: a character may go on
    qint64 offset = 0;
    QByteArray block(BlockSize, Qt::Uninitialized);
    for (;;) {
        const qint64 n = m_device->read(block.data(), block.size());
        if (n < 0) {
            fail();
            return false;
        }
        if (n == 0)
            break;
        m_byCarriageReturn = m_byCarriageReturn || std::memchr(block.constData(), '\r', size_t(n));
        m_holdsNul = m_holdsNul || std::memchr(block.constData(), '\0', size_t(n));
        if (check && !m_whole && (!carry.isEmpty() || !Ascii::isAscii(block.constData(), n))) {
            qsizetype cut = n;
            while (cut > 0 && static_cast<unsigned char>(block[cut - 1]) >= 0x80)
                --cut;
            if (cut == 0) { // no ASCII byte to split after yet
                carry.append(block.constData(), n);
                continue;
            }
            carry.append(block.constData(), cut);
            // Split after an ASCII byte, no character is cut in two, valid or not.
            QStringDecoder decoder = decoderFor(offset == 0);
            const QString decoded = decoder.decode(carry); // decoding happens on conversion
            m_whole = decoder.hasError();
            offset += carry.size();
            carry = QByteArray(block.constData() + cut, n - cut);
        } else {
            offset += n;
        }
    }
    if (check && !m_whole && !carry.isEmpty()) {
        QStringDecoder decoder = decoderFor(offset == 0);
        const QString decoded = decoder.decode(carry); // decoding happens on conversion
        m_whole = decoder.hasError();
    }
    if (!m_device->seek(0)) {
        fail();
        return false;
    }
    if (m_whole) {
        const QByteArray bytes = m_device->readAll();
        const auto *file = qobject_cast<QFileDevice *>(m_device);
        if (file && file->error() != QFileDevice::NoError) {
            fail();
            return false;
        }
        m_text = CodePage::decode(bytes);
        m_byCarriageReturn = m_text.contains(u'\r');
    }
    return true;
}

void TextFileLines::fail() {
    m_error = m_device->errorString();
}

// Reads the next block behind the bytes not yet handed out. False at the end or on an error.
bool TextFileLines::fill() {
    if (m_atEnd)
        return false;
    m_buffer.remove(0, m_pos);
    m_pos = 0;
    const qsizetype kept = m_buffer.size();
    m_buffer.resize(kept + BlockSize);
    const qint64 n = m_device->read(m_buffer.data() + kept, BlockSize);
    m_buffer.resize(kept + std::max<qint64>(n, 0));
    if (n < 0)
        fail();
    if (n <= 0) {
        m_atEnd = true;
        return false;
    }
    return true;
}

bool TextFileLines::next(QStringView &line) {
    if (failed())
        return false;
    ++m_lineNumber;
    const char16_t endChar = m_byCarriageReturn ? u'\r' : u'\n';
    if (m_whole) {
        if (m_textPos >= m_text.size())
            return false;
        qsizetype stop = m_text.indexOf(QChar(endChar), m_textPos);
        if (stop < 0)
            stop = m_text.size();
        line = QStringView(m_text).sliced(m_textPos, stop - m_textPos);
        m_textPos = stop + 1;
        if (m_byCarriageReturn && m_textPos < m_text.size() && m_text[m_textPos] == u'\n')
            ++m_textPos;
        return true;
    }

    const char end = static_cast<char>(endChar);
    qsizetype searched = m_pos;
    for (;;) {
        if (m_afterCarriageReturn && m_pos < m_buffer.size()) {
            if (m_buffer[m_pos] == '\n')
                ++m_pos;
            m_afterCarriageReturn = false;
            searched = std::max(searched, m_pos);
        }
        const void *found =
            std::memchr(m_buffer.constData() + searched, end, size_t(m_buffer.size() - searched));
        if (found) {
            const qsizetype stop = static_cast<const char *>(found) - m_buffer.constData();
            decode(m_buffer.constData() + m_pos, stop - m_pos);
            m_pos = stop + 1;
            if (m_byCarriageReturn) {
                if (m_pos < m_buffer.size()) {
                    if (m_buffer[m_pos] == '\n')
                        ++m_pos;
                } else {
                    m_afterCarriageReturn = true;
                }
            }
            line = m_line;
            return true;
        }
        const qsizetype consumed = m_pos;
        searched = m_buffer.size() - consumed;
        if (!fill()) {
            if (failed())
                return false;
            if (m_pos >= m_buffer.size())
                return false;
            decode(m_buffer.constData() + m_pos, m_buffer.size() - m_pos);
            m_pos = m_buffer.size();
            // A file of nothing but a byte-order mark holds no line, as an empty one holds none.
            if (m_line.isEmpty())
                return false;
            line = m_line;
            return true;
        }
    }
}

void TextFileLines::decode(const char *bytes, qsizetype size) {
    const bool atFileStart = m_firstLine;
    m_firstLine = false;
    if (Ascii::isAscii(bytes, size)) {
        m_line.resize(size);
        Ascii::widen(bytes, size, reinterpret_cast<char16_t *>(m_line.data()));
        return;
    }
    QStringDecoder decoder = decoderFor(atFileStart);
    m_line = decoder.decode(QByteArrayView(bytes, size));
}
