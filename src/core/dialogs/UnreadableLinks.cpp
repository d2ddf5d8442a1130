#include "core/dialogs/UnreadableLinks.h"

#include "core/dialogs/QuestDialogs.h"
#include "core/text/NumberReading.h"

std::vector<UnreadableLink> unreadableLinks(const QuestDialogs &project) {
    std::vector<UnreadableLink> found;
    for (qint16 p = 0; p <= project.UpperBound(); ++p) {
        const Dialog &page = project.Dialog(p);
        for (qint16 slot = 0; slot <= page.SelectionUBound(); ++slot) {
            const Selection &answer = page.Selection(slot);
            if (!answer.isLinked())
                continue;
            const QString link = answer.LinkPage();
            double value = 0;
            if (!parseDecimal(link, &value) || value < 0)
                found.push_back({p, slot, link});
        }
    }
    return found;
}
