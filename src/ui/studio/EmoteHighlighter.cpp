#include "ui/studio/EmoteHighlighter.h"

#include "core/dialogs/EmoteMarks.h"

namespace {
enum State { Outside = 0, InsideEmote = 1 };
}

EmoteHighlighter::EmoteHighlighter(QTextDocument *document) : QSyntaxHighlighter(document) {
    // The support script's colour for emotes.
    m_emote.setForeground(QColor(0xff, 0x00, 0x00));
}

void EmoteHighlighter::highlightBlock(const QString &text) {
    bool open = previousBlockState() == InsideEmote;
    for (const auto &[start, end] : EmoteMarks::emotes(text, open))
        setFormat(int(start), int(end - start), m_emote);
    setCurrentBlockState(open ? InsideEmote : Outside);
}
