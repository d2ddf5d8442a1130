#pragma once

#include <QLatin1StringView>
#include <QStringView>
#include <cstring>
#include <utility>
#include <vector>

// The emote marks of a speech, "*[" and "*/]", read as the export reads them: left to right,
// neither overlapping the other. The export turns them into colour changes, the check looks for
// an emote never closed, and the speech box colours emotes as the export will.
namespace EmoteMarks {

enum Mark { Opening, Closing };

// The next '*' at or after `from`, or -1.
inline qsizetype nextStar(QStringView text, qsizetype from) {
    return text.indexOf(u'*', from);
}

inline qsizetype nextStar(QLatin1StringView text, qsizetype from) {
    if (from >= text.size())
        return -1;
    const void *star = std::memchr(text.data() + from, '*', size_t(text.size() - from));
    return star ? static_cast<const char *>(star) - text.data() : -1;
}

inline constexpr qsizetype length(Mark mark) {
    return mark == Opening ? 2 : 3;
}

// Calls found(position, mark) for every mark of the text, in order.
template <class View, class Found> void scan(View text, Found &&found) {
    const qsizetype n = text.size();
    const auto at = [&](qsizetype k, char16_t c) { return k < n && text[k].unicode() == c; };
    for (qsizetype i = nextStar(text, 0); i >= 0; i = nextStar(text, i + 1)) {
        if (at(i + 1, u'[')) {
            found(i, Opening);
            i += 1;
        } else if (at(i + 1, u'/') && at(i + 2, u']')) {
            found(i, Closing);
            i += 2;
        }
    }
}

// True when the text ends inside an emote: an opening mark that no closing mark follows.
template <class View> bool leftOpen(View text) {
    bool open = false;
    scan(text, [&open](qsizetype, Mark mark) { open = mark == Opening; });
    return open;
}

// The stretches the export colours red, as [start, end) positions: from an opening mark to the
// closing mark after it, both included, or to the end of the text when none follows. `open`
// says whether the text starts inside an emote (what came before it left one open), and is left
// saying whether it ends inside one.
inline std::vector<std::pair<qsizetype, qsizetype>> emotes(QStringView text, bool &open) {
    std::vector<std::pair<qsizetype, qsizetype>> found;
    qsizetype start = 0;
    scan(text, [&](qsizetype at, Mark mark) {
        if (mark == Opening && !open) {
            open = true;
            start = at;
        } else if (mark == Closing && open) {
            open = false;
            found.emplace_back(start, at + length(Closing));
        }
    });
    if (open)
        found.emplace_back(start, text.size());
    return found;
}

} // namespace EmoteMarks
