#pragma once

#include "core/dialogs/Gump.h"

#include <QString>
#include <vector>

// A conversation played through its exported dialogs, as a player on the server would: the
// pages shown so far, with back and forward through them, and where a button leads. It reads
// nothing but the gumps it is given, so playing never changes the project.
class Playthrough {
public:
    // One step: a page shown, or the conversation ended.
    struct Step {
        qint16 page = -1; // -1 once the conversation ended
        QString ending;   // how it ended
    };

    // The page a dialog name opens: prefix, "_" and the page number written plainly, the case
    // of the name ignored as the server ignores it; -1 for a name no exported page has.
    static qint16 pageOfDialog(const QString &name, const QString &prefix, qint16 upperBound);

    // Starts again at `page`: the steps before are forgotten.
    void start(qint16 page);
    // Presses button `number` of the shown page, whose gump is `gump`: what its handler opens is
    // shown next, or the conversation ends. Steps ahead of the shown one are forgotten.
    void press(const Gump &gump, int number, const QString &prefix, qint16 upperBound);

    bool canGoBack() const { return m_at > 0; }
    bool canGoForward() const { return m_at + 1 < m_steps.size(); }
    void back();
    void forward();

    bool started() const { return !m_steps.empty(); }
    const Step &current() const { return m_steps.at(m_at); }
    // Where this play started.
    qint16 firstPage() const { return m_steps.empty() ? qint16(0) : m_steps.front().page; }

private:
    void go(Step step);

    std::vector<Step> m_steps;
    std::size_t m_at = 0;
};
