#pragma once

#include "core/dialogs/ProjectObserver.h"

#include <QString>
#include <map>
#include <set>
#include <unordered_map>
#include <vector>

class QuestDialogs;
class Selection;

// The page links of a project: where each answer leads and, the other way, which pages lead to
// a page. Outgoing links are read from the project itself; the incoming ones are kept here and
// brought up to date by sync(), which looks only at the pages that changed since the last sync
// (the project tells before a page changes), so following a conversation around one page costs
// the same in a project of 100 pages as in one of 32767.
class ConversationGraph : private ProjectObserver {
public:
    // Where one answer goes.
    struct Link {
        qint16 from = 0;
        qint16 answer = 0;
        qint16 to = -1; // the page it leads to, or -1
        bool linked = false;
        bool broken = false; // linked, but to no page of the project
        bool ends = false;   // choosing it ends the conversation
        QString text;        // the answer's text
        QString linkText;    // the page id as stored
    };

    ConversationGraph() = default;
    ~ConversationGraph() override;
    ConversationGraph(const ConversationGraph &) = delete;
    ConversationGraph &operator=(const ConversationGraph &) = delete;

    // Brings the incoming links up to the project. True when anything changed since the last
    // sync; changedPages() then names the pages whose own content or incoming links changed
    // (empty after a full rebuild, which changes everything).
    bool sync(QuestDialogs &project);
    const std::set<qint16> &changedPages() const { return m_changed; }
    bool rebuiltFully() const { return m_full; }

    // The page a stored link names, as the exported script calls it (see LinkTarget), in a
    // project of any size; -1 for text that can name no page.
    static int pageNamed(const QString &linkPage);

    // The answers of page `page`, in slot order.
    std::vector<Link> linksFrom(qint16 page) const;
    // The other pages with an answer leading to page `page`, each once, lowest first, at most
    // `limit` of them.
    std::vector<qint16> pagesLeadingTo(qint16 page, std::size_t limit = 1u << 16) const;
    // How many other pages lead to page `page`.
    std::size_t leadingToCount(qint16 page) const;
    // Page 0 is where a conversation starts; any other page is reached when another page leads
    // to it.
    bool isReached(qint16 page) const;

    // The pages within `depth` links of `page`, either way, with their distance: positive along
    // the links, negative against them (a page both ways counts as ahead). Each step against
    // the links takes at most `fanIn` pages, so the answer stays small whatever the project.
    std::map<qint16, int> neighbourhood(qint16 page, int depth = 2, std::size_t fanIn = 5) const;

private:
    void pageAboutToChange(qint16 index, const Dialog &page) override;
    void pagesAboutToReset() override;
    void projectDestroyed(const QuestDialogs &project) override;

    static std::vector<int> targetsOf(const Dialog &page);
    void addLinks(qint16 from, const std::vector<int> &targets);
    void removeLinks(qint16 from, const std::vector<int> &targets);
    void rebuild();

    QuestDialogs *m_project = nullptr;
    bool m_stale = true;
    bool m_full = false;
    qint16 m_count = 0;                           // pages at the last sync
    std::map<qint16, std::vector<int>> m_pending; // pages changed since, with their old targets
    // For every page number some answer names: the pages naming it, with one entry per answer.
    std::unordered_map<int, std::vector<qint16>> m_incoming;
    std::set<qint16> m_changed;
};
