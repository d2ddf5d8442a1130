#include "core/dialogs/QuestDialogs.h"

#include <algorithm>

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
    if (!NewDialog)
        return false;
    const qint16 slot = FindFreeDialog();
    if (slot < 0)
        return false;
    if (slot == Count()) {
        m_pages.push_back(std::move(NewDialog));
    } else {
        auto &placeholder = m_pages[static_cast<size_t>(slot)];
        pageAboutToChange(*placeholder);
        placeholder->m_project = nullptr;
        placeholder = std::move(NewDialog);
    }
    attach(*m_pages[static_cast<size_t>(slot)], slot);
    return true;
}

void QuestDialogs::RemoveDialog(qint16 index) {
    if (index < 0 || index > UpperBound() || Count() <= 1)
        return;
    pagesAboutToReset();
    m_pages[static_cast<size_t>(index)]->m_project = nullptr;
    m_pages.erase(m_pages.begin() + index);
    m_placeholders.clear();
    for (size_t i = 0; i < m_pages.size(); ++i) {
        m_pages[i]->m_index = static_cast<qint16>(i);
        if (m_pages[i]->m_text == placeholderText())
            m_placeholders.insert(static_cast<qint16>(i));
    }
}

qint16 QuestDialogs::FindFreeDialog() const {
    if (!m_placeholders.empty())
        return *m_placeholders.begin();
    if (Count() < MaxPages)
        return Count();
    return -1;
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
