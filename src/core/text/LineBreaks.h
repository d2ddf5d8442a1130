#pragma once

#include <QByteArrayView>
#include <QLatin1StringView>
#include <QString>
#include <QStringView>

// The one rule for where a line of script or dialog text ends: at CR LF, at a lone CR or at a
// lone LF. What follows the last line end is a line only when it is not empty. It works on
// UTF-16 text, Latin-1 text and the bytes of an ASCII-compatible code page alike.
namespace LineBreaks {

inline char16_t unit(QChar c) {
    return c.unicode();
}
inline char16_t unit(QLatin1Char c) {
    return c.unicode();
}
inline char16_t unit(char c) {
    return static_cast<unsigned char>(c);
}

// The length of the line end that starts at text[i]: 2 for CR LF, 1 for a lone CR or LF, else 0.
template <class View> qsizetype at(const View &text, qsizetype i) {
    const char16_t c = unit(text[i]);
    if (c == u'\r')
        return i + 1 < text.size() && unit(text[i + 1]) == u'\n' ? 2 : 1;
    return c == u'\n' ? 1 : 0;
}

// Calls f(line, ended) for every line of the text in order: the line without its end, and
// whether a line end followed it.
template <class View, class F> void forEachLine(const View &text, F &&f) {
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype end = at(text, i);
        if (end == 0) {
            ++i;
            continue;
        }
        f(text.sliced(start, i - start), true);
        i += end;
        start = i;
    }
    if (start < text.size())
        f(text.sliced(start), false);
}

// The text with every line end replaced by `end`.
inline QString withLineEnds(QStringView text, QStringView end) {
    QString out;
    out.reserve(text.size());
    forEachLine(text, [&](QStringView line, bool ended) {
        out += line;
        if (ended)
            out += end;
    });
    return out;
}

} // namespace LineBreaks
