#include "dialogs/QuestDialogs.h"

QuestDialogs::QuestDialogs() { Init(); }

QuestDialogs::~QuestDialogs()
{
    for (auto &page : m_pages)
        page->m_project = nullptr;
}

::Dialog &QuestDialogs::Dialog(qint16 index)
{
    if (index >= 0 && index < Count())
        return *m_pages[static_cast<size_t>(index)];
    if (!m_scratch)
        m_scratch = std::make_unique<::Dialog>();
    m_scratch->Init(QString());
    return *m_scratch;
}

const ::Dialog &QuestDialogs::Dialog(qint16 index) const { return const_cast<QuestDialogs *>(this)->Dialog(index); }

void QuestDialogs::setDialog(qint16 index, std::unique_ptr<::Dialog> vData)
{
    if (!vData || index < 0 || index >= Count())
        return;
    m_pages[static_cast<size_t>(index)]->m_project = nullptr;
    m_pages[static_cast<size_t>(index)] = std::move(vData);
    attach(*m_pages[static_cast<size_t>(index)], index);
}

void QuestDialogs::Init() { resetPages(QStringLiteral("Enter New Dialog")); }

void QuestDialogs::Clear() { resetPages(placeholderText()); }

void QuestDialogs::resetPages(const QString &firstText)
{
    for (auto &page : m_pages)
        page->m_project = nullptr;
    m_pages.clear();
    m_placeholders.clear();
    pagesReset();
    m_pages.push_back(std::make_unique<::Dialog>(firstText));
    attach(*m_pages.front(), 0);
}

bool QuestDialogs::AddNewDialog(std::unique_ptr<::Dialog> NewDialog)
{
    if (!NewDialog)
        return false;
    const qint16 slot = FindFreeDialog();
    if (slot < 0)
        return false;
    if (slot == Count()) {
        m_pages.push_back(std::move(NewDialog));
    } else {
        m_pages[static_cast<size_t>(slot)]->m_project = nullptr;
        m_pages[static_cast<size_t>(slot)] = std::move(NewDialog);
    }
    attach(*m_pages[static_cast<size_t>(slot)], slot);
    return true;
}

void QuestDialogs::RemoveDialog(qint16 index)
{
    if (index < 0 || index > UpperBound() || Count() <= 1)
        return;
    m_pages[static_cast<size_t>(index)]->m_project = nullptr;
    m_pages.erase(m_pages.begin() + index);
    m_placeholders.clear();
    pagesReset();
    for (size_t i = 0; i < m_pages.size(); ++i) {
        m_pages[i]->m_index = static_cast<qint16>(i);
        if (m_pages[i]->text() == placeholderText())
            m_placeholders.insert(static_cast<qint16>(i));
    }
}

qint16 QuestDialogs::FindFreeDialog() const
{
    if (!m_placeholders.empty())
        return *m_placeholders.begin();
    if (Count() < MaxPages)
        return Count();
    return -1;
}

ProjectChanges QuestDialogs::takeChanges()
{
    ProjectChanges out = std::move(m_changes);
    m_changes = ProjectChanges();
    ++m_generation;
    return out;
}

void QuestDialogs::attach(::Dialog &page, qint16 index)
{
    page.m_project = this;
    page.m_index = index;
    page.m_reportedIn = 0;
    pageChanged(page);
}

void QuestDialogs::pageChanged(::Dialog &page)
{
    if (page.text() == placeholderText())
        m_placeholders.insert(page.m_index);
    else
        m_placeholders.erase(page.m_index);
    if (page.m_reportedIn != m_generation) {
        page.m_reportedIn = m_generation;
        if (!m_changes.reset)
            m_changes.pages.push_back(page.m_index);
    }
}

void QuestDialogs::pagesReset()
{
    m_changes.reset = true;
    m_changes.pages.clear();
    ++m_generation;
}
