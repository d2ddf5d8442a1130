#include "core/dialogs/Playthrough.h"

#include "core/dialogs/LinkTarget.h"

qint16 Playthrough::pageOfDialog(const QString &name, const QString &prefix, qint16 upperBound) {
    const QString stem = prefix + u'_';
    if (!name.startsWith(stem, Qt::CaseInsensitive))
        return -1;
    const LinkTarget target = linkTarget(name.sliced(stem.size()), upperBound);
    return target.kind == LinkTarget::Page ? target.page : qint16(-1);
}

void Playthrough::start(qint16 page) {
    m_steps.clear();
    m_steps.push_back({page, {}});
    m_at = 0;
}

void Playthrough::press(const Gump &gump, int number, const QString &prefix, qint16 upperBound) {
    const auto handler = gump.handlers.find(number);
    if (handler == gump.handlers.end()) {
        go({-1, QStringLiteral("Button %1 has no lines on the server: the dialog closed.").arg(number)});
        return;
    }
    const QString &opens = handler->second.opens;
    if (opens.isEmpty()) {
        go({-1, QStringLiteral("Button %1 ends the conversation.").arg(number)});
        return;
    }
    const qint16 page = pageOfDialog(opens, prefix, upperBound);
    if (page < 0)
        go({-1, QStringLiteral("Button %1 opens the dialog %2, which the script does not have: "
                               "nothing opened.")
                    .arg(number)
                    .arg(opens)});
    else
        go({page, {}});
}

void Playthrough::go(Step step) {
    if (m_steps.empty()) {
        m_steps.push_back(std::move(step));
        return;
    }
    m_steps.resize(m_at + 1);
    m_steps.push_back(std::move(step));
    ++m_at;
}

void Playthrough::back() {
    if (canGoBack())
        --m_at;
}

void Playthrough::forward() {
    if (canGoForward())
        ++m_at;
}
