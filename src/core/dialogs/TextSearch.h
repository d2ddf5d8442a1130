#pragma once

#include <QString>

class QuestDialogs;

// A place in a project's texts: a page's speech (answer -1) or one of its answers.
struct TextPlace {
    qint16 page = 0;
    qint16 answer = -1;
    bool operator==(const TextPlace &) const = default;
};

// The next place after `from` (or before it, going back) whose speech or answer text holds
// `text`, ignoring case, in the order speech, answers 0, 1, ... of page 0, then page 1, and so
// on, wrapping round at the ends; `from` itself comes last, or first when `fromFirst`. False
// when no text holds it.
bool findText(const QuestDialogs &project, const QString &text, TextPlace from, bool forward,
              TextPlace *found, bool fromFirst = false);
