#pragma once

#include <QChar>
#include <QLatin1StringView>
#include <QStringView>

// What the server makes of the characters of a script line, wherever the program writes one.
namespace ScriptSyntax {

// A name the server reads whole (a section's name, a DEFNAME, a dialog prefix) is made of ASCII
// letters, digits and "_": it splits a header at a blank and ends the name at "]".
inline bool isNameCharacter(QChar c) {
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9') || u == u'_';
}

// The first character of the text that cannot stand in a name, whole (both halves of a
// character beyond U+FFFF), or 0 when there is none.
inline char32_t firstNonNameCharacter(QStringView text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (isNameCharacter(c))
            continue;
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            return QChar::surrogateToUcs4(c, text[i + 1]);
        return c.unicode();
    }
    return 0;
}

inline bool isName(QStringView text) {
    return firstNonNameCharacter(text) == 0;
}

// "//" anywhere in a line starts a comment: the server drops the rest of the line.
inline constexpr QLatin1StringView CommentMark("//");

inline bool holdsCommentMark(QStringView text) {
    return text.contains(CommentMark);
}

} // namespace ScriptSyntax
