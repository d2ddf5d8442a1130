#pragma once

#include "core/text/LineBreaks.h"

#include <QLatin1StringView>
#include <QString>
#include <QStringView>
#include <cstring>

// Line breaks inside a text that must stay on one line of a file become "<var.br>". The
// writers append to a QString or to the file's bytes (EncodedText), from a text viewed either
// as UTF-16 or as Latin-1 bytes: the functions here take any of those.
namespace JoinedText {

inline constexpr QLatin1StringView LineBreakMark("<var.br>");

// False when no character of the text is at or below CR, so that it holds no line break:
// true of most texts, which this finds four characters at a time.
inline bool mayHoldLineBreak(QStringView text) {
    constexpr quint64 lanes = 0x0001000100010001ull;
    const char16_t *chars = text.utf16();
    qsizetype i = 0;
    for (; i + 4 <= text.size(); i += 4) {
        quint64 word;
        std::memcpy(&word, chars + i, 8);
        if ((word - 0x0E * lanes) & ~word & (0x8000 * lanes)) // some character below 0x0E
            return true;
    }
    for (; i < text.size(); ++i)
        if (chars[i] <= u'\r')
            return true;
    return false;
}

// The same for Latin-1 bytes, eight at a time.
inline bool mayHoldLineBreak(QLatin1StringView text) {
    constexpr quint64 lanes = 0x0101010101010101ull;
    const char *bytes = text.data();
    qsizetype i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        quint64 word;
        std::memcpy(&word, bytes + i, 8);
        if ((word - 0x0E * lanes) & ~word & (0x80 * lanes)) // some byte below 0x0E
            return true;
    }
    for (; i < text.size(); ++i)
        if (static_cast<unsigned char>(bytes[i]) <= '\r')
            return true;
    return false;
}

// Appends `text` with each line break (CR LF, CR or LF) replaced by "<var.br>".
template <class Out, class View> void append(Out &out, View text) {
    if (!mayHoldLineBreak(text)) {
        out.append(text);
        return;
    }
    LineBreaks::forEachLine(text, [&out](View line, bool ended) {
        out.append(line);
        if (ended)
            out.append(LineBreakMark);
    });
}

// The way back for a text read from a file: each "<var.br>" becomes a line break (LF), the
// break the studio's speech box makes.
inline QString restoreLineBreaks(QStringView text) {
    if (!text.contains(LineBreakMark))
        return text.toString();
    QString out;
    out.reserve(text.size());
    qsizetype start = 0;
    for (qsizetype at = text.indexOf(LineBreakMark); at >= 0; at = text.indexOf(LineBreakMark, start)) {
        out.append(text.mid(start, at - start)).append(u'\n');
        start = at + LineBreakMark.size();
    }
    return out.append(text.mid(start));
}

} // namespace JoinedText
