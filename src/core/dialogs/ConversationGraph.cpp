#include "core/dialogs/ConversationGraph.h"

#include "core/dialogs/LinkTarget.h"
#include "core/dialogs/QuestDialogs.h"

#include <algorithm>
#include <deque>

ConversationGraph::~ConversationGraph() {
    if (m_project)
        m_project->removeObserver(this);
}

int ConversationGraph::pageNamed(const QString &linkPage) {
    const LinkTarget target = linkTarget(linkPage, QuestDialogs::MaxPages - 1);
    return target.kind == LinkTarget::Page ? target.page : -1;
}

std::vector<int> ConversationGraph::targetsOf(const Dialog &page) {
    std::vector<int> targets;
    for (qint16 k = 0; k < page.SelectionCount(); ++k) {
        const Selection &answer = page.Selection(k);
        if (answer.isLinked()) {
            const int target = pageNamed(answer.LinkPage());
            if (target >= 0)
                targets.push_back(target);
        }
    }
    return targets;
}

void ConversationGraph::addLinks(qint16 from, const std::vector<int> &targets) {
    for (const int target : targets) {
        std::vector<qint16> &sources = m_incoming[target];
        sources.insert(std::upper_bound(sources.begin(), sources.end(), from), from);
        m_changed.insert(static_cast<qint16>(target));
    }
}

void ConversationGraph::removeLinks(qint16 from, const std::vector<int> &targets) {
    for (const int target : targets) {
        const auto found = m_incoming.find(target);
        if (found == m_incoming.end())
            continue;
        std::vector<qint16> &sources = found->second;
        const auto at = std::lower_bound(sources.begin(), sources.end(), from);
        if (at != sources.end() && *at == from)
            sources.erase(at);
        if (sources.empty())
            m_incoming.erase(found);
        m_changed.insert(static_cast<qint16>(target));
    }
}

void ConversationGraph::rebuild() {
    m_incoming.clear();
    m_pending.clear();
    for (qint16 n = 0; n < m_project->Count(); ++n)
        for (const int target : targetsOf(m_project->Dialog(n)))
            m_incoming[target].push_back(n);
    m_count = m_project->Count();
    m_stale = false;
}

bool ConversationGraph::sync(QuestDialogs &project) {
    m_changed.clear();
    m_full = false;
    if (follow(m_project, &project))
        m_stale = true;
    if (m_stale) {
        rebuild();
        m_full = true;
        return true;
    }
    // A page past the last one gains or loses its meaning as the page count changes.
    const qint16 oldCount = m_count;
    for (auto &[page, oldTargets] : m_pending) {
        removeLinks(page, oldTargets);
        if (page < project.Count())
            addLinks(page, targetsOf(project.Dialog(page)));
        m_changed.insert(page);
    }
    m_pending.clear();
    for (qint16 n = oldCount; n < project.Count(); ++n) {
        addLinks(n, targetsOf(project.Dialog(n)));
        m_changed.insert(n);
    }
    m_count = project.Count();
    if (m_count != oldCount)
        for (auto &[target, sources] : m_incoming)
            if (target >= std::min(oldCount, m_count))
                m_changed.insert(sources.begin(), sources.end());
    return !m_changed.empty() || m_count != oldCount;
}

void ConversationGraph::pageAboutToChange(qint16 index, const Dialog &page) {
    if (m_stale || index >= m_count)
        return;
    m_pending.try_emplace(index, targetsOf(page));
}

void ConversationGraph::pagesAboutToReset() {
    m_stale = true;
    m_pending.clear();
}

void ConversationGraph::projectDestroyed(const QuestDialogs &) {
    m_project = nullptr;
    m_stale = true;
    m_pending.clear();
    m_incoming.clear();
}

std::vector<ConversationGraph::Link> ConversationGraph::linksFrom(qint16 page) const {
    std::vector<Link> links;
    if (!m_project || page < 0 || page > m_project->UpperBound())
        return links;
    const Dialog &dialog = m_project->Dialog(page);
    for (qint16 k = 0; k < dialog.SelectionCount(); ++k) {
        const Selection &answer = dialog.Selection(k);
        Link link;
        link.from = page;
        link.answer = k;
        link.linked = answer.isLinked();
        link.ends = answer.EndDialog();
        link.text = answer.text();
        if (link.linked) {
            link.linkText = answer.LinkPage();
            const int target = pageNamed(link.linkText);
            link.broken = target < 0 || target > m_project->UpperBound();
            link.to = link.broken ? qint16(-1) : static_cast<qint16>(target);
        }
        links.push_back(std::move(link));
    }
    return links;
}

std::vector<qint16> ConversationGraph::pagesLeadingTo(qint16 page, std::size_t limit) const {
    std::vector<qint16> pages;
    const auto found = m_incoming.find(page);
    if (found == m_incoming.end())
        return pages;
    for (const qint16 source : found->second) {
        if (pages.size() >= limit)
            break;
        if (source != page && (pages.empty() || pages.back() != source))
            pages.push_back(source);
    }
    return pages;
}

std::size_t ConversationGraph::leadingToCount(qint16 page) const {
    const auto found = m_incoming.find(page);
    if (found == m_incoming.end())
        return 0;
    std::size_t count = 0;
    qint16 last = -1;
    for (const qint16 source : found->second) {
        if (source != page && source != last)
            ++count;
        last = source;
    }
    return count;
}

bool ConversationGraph::isReached(qint16 page) const {
    return page == 0 || leadingToCount(page) > 0;
}

std::map<qint16, int> ConversationGraph::neighbourhood(qint16 page, int depth, std::size_t fanIn) const {
    std::map<qint16, int> found;
    if (!m_project || page < 0 || page > m_project->UpperBound())
        return found;
    found[page] = 0;
    std::vector<qint16> ahead{page};
    for (int d = 1; d <= depth; ++d) {
        std::vector<qint16> next;
        for (const qint16 from : ahead)
            for (const Link &link : linksFrom(from))
                if (link.to >= 0 && found.try_emplace(link.to, d).second)
                    next.push_back(link.to);
        ahead = std::move(next);
    }
    // Going back passes through pages already found ahead: a page two links before this one
    // may lead to it through a page it also leads to.
    std::vector<qint16> behind{page};
    std::set<qint16> passed{page};
    for (int d = 1; d <= depth; ++d) {
        std::vector<qint16> next;
        for (const qint16 to : behind)
            for (const qint16 from : pagesLeadingTo(to, fanIn))
                if (next.size() < fanIn && passed.insert(from).second) {
                    found.try_emplace(from, -d);
                    next.push_back(from);
                }
        behind = std::move(next);
    }
    return found;
}
