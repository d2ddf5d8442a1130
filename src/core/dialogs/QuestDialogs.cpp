#include "core/dialogs/QuestDialogs.h"

#include "core/dialogs/LinkTarget.h"

#include <algorithm>
#include <utility>

QuestDialogs::QuestDialogs() {
    Init();
}

QuestDialogs::~QuestDialogs() {
    for (auto &page : m_pages)
        page->m_project = nullptr;
    const std::vector<ProjectObserver *> observers = std::move(m_observers);
    m_observers.clear();
    for (ProjectObserver *observer : observers)
        observer->projectDestroyed(*this);
}

::Dialog &QuestDialogs::Dialog(qint16 index) {
    if (index >= 0 && index < Count())
        return *m_pages[static_cast<size_t>(index)];
    if (!m_scratch)
        m_scratch = std::make_unique<::Dialog>();
    m_scratch->Init(QString());
    return *m_scratch;
}

const ::Dialog &QuestDialogs::Dialog(qint16 index) const {
    return const_cast<QuestDialogs *>(this)->Dialog(index);
}

void QuestDialogs::setDialog(qint16 index, std::unique_ptr<::Dialog> vData) {
    if (!vData || index < 0 || index >= Count())
        return;
    auto &slot = m_pages[static_cast<size_t>(index)];
    pageAboutToChange(*slot);
    slot->m_project = nullptr;
    slot = std::move(vData);
    attach(*slot, index);
}

void QuestDialogs::Init() {
    resetPages(QStringLiteral("Enter New Dialog"));
}

void QuestDialogs::Clear() {
    resetPages(placeholderText());
}

void QuestDialogs::resetPages(const QString &firstText) {
    pagesAboutToReset();
    for (auto &page : m_pages)
        page->m_project = nullptr;
    m_pages.clear();
    m_placeholders.clear();
    m_pages.push_back(std::make_unique<::Dialog>(firstText));
    attach(*m_pages.front(), 0);
}

bool QuestDialogs::AddNewDialog(std::unique_ptr<::Dialog> NewDialog) {
    const qint16 slot = nextFreeSlot();
    if (slot == Count())
        return appendDialog(std::move(NewDialog));
    if (!NewDialog || slot < 0)
        return false;
    auto &placeholder = m_pages[static_cast<size_t>(slot)];
    pageAboutToChange(*placeholder);
    placeholder->m_project = nullptr;
    placeholder = std::move(NewDialog);
    attach(*placeholder, slot);
    return true;
}

bool QuestDialogs::appendDialog(std::unique_ptr<::Dialog> page) {
    if (!page || Count() >= MaxPages)
        return false;
    m_pages.push_back(std::move(page));
    attach(*m_pages.back(), UpperBound());
    return true;
}

void QuestDialogs::RemoveDialog(qint16 index) {
    takeDialog(index);
}

namespace {
// The page of the project a LinkPage names, or -1.
int linkedPage(const CompactText &link) {
    const int page = link.visit([](auto text) { return plainPageNumber(text); });
    return page < QuestDialogs::MaxPages ? page : -1;
}
} // namespace

QuestDialogs::RemovedPage QuestDialogs::takeDialog(qint16 index) {
    RemovedPage removed;
    if (index < 0 || index > UpperBound() || Count() <= 1)
        return removed;
    // Every page is announced as renumbered, so the links below change without a word each.
    pagesAboutToReset();
    removed.index = index;
    removed.page = std::move(m_pages[static_cast<size_t>(index)]);
    removed.page->m_project = nullptr;
    m_pages.erase(m_pages.begin() + index);
    for (size_t p = 0; p < m_pages.size(); ++p) {
        ::Dialog &page = *m_pages[p];
        for (quint8 slot = 0; slot < page.m_count; ++slot) {
            ::Selection &answer = *page.m_selections[slot];
            if (!answer.m_isLinked)
                continue;
            const int target = linkedPage(answer.m_LinkPage);
            if (target < index)
                continue;
            const qint16 was = static_cast<qint16>(p < size_t(index) ? p : p + 1);
            removed.links.push_back({was, static_cast<qint16>(slot), true, answer.LinkPage()});
            if (target == index) {
                answer.m_isLinked = false;
                answer.m_LinkPage.assign(QStringView());
            } else {
                answer.m_LinkPage.assign(QString::number(target - 1));
            }
        }
    }
    renumberFrom(static_cast<size_t>(index));
    return removed;
}

void QuestDialogs::restoreDialog(RemovedPage removed) {
    if (!removed.page || removed.index < 0 || removed.index > Count() || Count() >= MaxPages)
        return;
    pagesAboutToReset();
    m_pages.insert(m_pages.begin() + removed.index, std::move(removed.page));
    m_pages[static_cast<size_t>(removed.index)]->m_project = this;
    for (const LinkChange &change : removed.links) {
        ::Selection &answer = *m_pages[static_cast<size_t>(change.page)]->m_selections[change.slot];
        answer.m_isLinked = change.isLinked;
        answer.m_LinkPage.assign(change.LinkPage);
    }
    renumberFrom(static_cast<size_t>(removed.index));
}

void QuestDialogs::swap(QuestDialogs &other) {
    if (&other == this)
        return;
    pagesAboutToReset();
    other.pagesAboutToReset();
    std::swap(m_pages, other.m_pages);
    std::swap(m_placeholders, other.m_placeholders);
    std::swap(m_Speaker, other.m_Speaker);
    for (auto &page : m_pages)
        page->m_project = this;
    for (auto &page : other.m_pages)
        page->m_project = &other;
}

std::unique_ptr<::Dialog> QuestDialogs::replaceDialog(qint16 index, std::unique_ptr<::Dialog> page) {
    if (!page || index < 0 || index >= Count())
        return nullptr;
    auto &slot = m_pages[static_cast<size_t>(index)];
    pageAboutToChange(*slot);
    slot->m_project = nullptr;
    std::unique_ptr<::Dialog> old = std::exchange(slot, std::move(page));
    attach(*slot, index);
    return old;
}

std::unique_ptr<::Dialog> QuestDialogs::takeLastDialog() {
    if (Count() <= 1)
        return nullptr;
    pagesAboutToReset();
    std::unique_ptr<::Dialog> last = std::move(m_pages.back());
    m_pages.pop_back();
    last->m_project = nullptr;
    m_placeholders.erase(static_cast<qint16>(m_pages.size()));
    return last;
}

void QuestDialogs::renumberFrom(size_t first) {
    m_placeholders.erase(m_placeholders.lower_bound(static_cast<qint16>(first)), m_placeholders.end());
    for (size_t i = first; i < m_pages.size(); ++i) {
        m_pages[i]->m_index = static_cast<qint16>(i);
        if (m_pages[i]->m_text == placeholderText())
            m_placeholders.insert(m_placeholders.end(), static_cast<qint16>(i));
    }
}

qint16 QuestDialogs::nextFreeSlot(qint16 besides) const {
    for (const qint16 placeholder : m_placeholders)
        if (placeholder != besides)
            return placeholder;
    return Count() < MaxPages ? Count() : qint16(-1);
}

void QuestDialogs::addObserver(ProjectObserver *observer) {
    if (observer && std::find(m_observers.begin(), m_observers.end(), observer) == m_observers.end())
        m_observers.push_back(observer);
}

void QuestDialogs::removeObserver(ProjectObserver *observer) {
    m_observers.erase(std::remove(m_observers.begin(), m_observers.end(), observer), m_observers.end());
}

void QuestDialogs::attach(::Dialog &page, qint16 index) {
    page.m_project = this;
    page.m_index = index;
    pageTextChanged(page);
}

void QuestDialogs::pageAboutToChange(const ::Dialog &page) {
    for (ProjectObserver *observer : m_observers)
        observer->pageAboutToChange(page.m_index, page);
}

void QuestDialogs::pageTextChanged(const ::Dialog &page) {
    if (page.m_text == placeholderText())
        m_placeholders.insert(page.m_index);
    else
        m_placeholders.erase(page.m_index);
}

void QuestDialogs::pagesAboutToReset() {
    for (ProjectObserver *observer : m_observers)
        observer->pagesAboutToReset();
}

bool ProjectObserver::follow(QuestDialogs *&followed, QuestDialogs *project) {
    if (project == followed)
        return false;
    if (followed)
        followed->removeObserver(this);
    followed = project;
    if (followed)
        followed->addObserver(this);
    return true;
}
