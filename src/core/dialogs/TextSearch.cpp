#include "core/dialogs/TextSearch.h"

#include "core/dialogs/QuestDialogs.h"

namespace {
bool holds(const QuestDialogs &project, const TextPlace &place, const QString &text) {
    const Dialog &page = project.Dialog(place.page);
    const QString found = place.answer < 0 ? page.text() : page.Selection(place.answer).text();
    return found.contains(text, Qt::CaseInsensitive);
}

// The place after (or before) `place`, wrapping round.
TextPlace step(const QuestDialogs &project, TextPlace place, bool forward) {
    if (forward) {
        if (place.answer < project.Dialog(place.page).SelectionUBound())
            return {place.page, qint16(place.answer + 1)};
        return {qint16(place.page < project.UpperBound() ? place.page + 1 : 0), -1};
    }
    if (place.answer >= 0)
        return {place.page, qint16(place.answer - 1)};
    const qint16 previous = place.page > 0 ? qint16(place.page - 1) : project.UpperBound();
    return {previous, project.Dialog(previous).SelectionUBound()};
}
} // namespace

bool findText(const QuestDialogs &project, const QString &text, TextPlace from, bool forward,
              TextPlace *found, bool fromFirst) {
    if (text.isEmpty())
        return false;
    if (from.page < 0 || from.page > project.UpperBound() ||
        from.answer > project.Dialog(from.page).SelectionUBound())
        from = {0, -1};
    if (fromFirst && holds(project, from, text)) {
        *found = from;
        return true;
    }
    TextPlace place = from;
    // Every place once: at most six per page.
    for (int left = project.Count() * (Dialog::MaxSelectionUBound + 2); left > 0; --left) {
        place = step(project, place, forward);
        if (holds(project, place, text)) {
            *found = place;
            return true;
        }
        if (place == from)
            break;
    }
    return false;
}
