#include "dialogs/Dialog.h"

#include "dialogs/QuestDialogs.h"

Dialog::Dialog() { Init(QString()); }

Dialog::Dialog(const QString &text) { Init(text); }

Dialog::~Dialog() = default;

void Dialog::setText(const QString &text)
{
    m_text = text;
    changed();
}

::Selection &Dialog::detachedSelection()
{
    if (!m_scratch)
        m_scratch = std::make_unique<::Selection>();
    m_scratch->Init(QString(), false, QString(), true);
    return *m_scratch;
}

void Dialog::setSelection(qint16 index, std::unique_ptr<::Selection> vData)
{
    if (!vData || index < 0 || index >= SelectionCount())
        return;
    adopt(*vData);
    m_selections[static_cast<size_t>(index)] = std::move(vData);
    changed();
}

void Dialog::Init(const QString &text)
{
    m_text = text;
    m_selections.clear();
    // Room for all five slots at once: smaller than what growing to five leaves, and no
    // reallocation while a page is read from a file.
    m_selections.reserve(MaxSelectionUBound + 1);
    auto first = std::make_unique<::Selection>();
    first->Init(QString(), false, QString(), true);
    adopt(*first);
    m_selections.push_back(std::move(first));
    changed();
}

bool Dialog::AddSelection(std::unique_ptr<::Selection> selSelection)
{
    if (!selSelection)
        return false;
    const qint16 free = FindEmptySelection();
    if (free >= 0) {
        adopt(*selSelection);
        m_selections[static_cast<size_t>(free)] = std::move(selSelection);
    } else if (SelectionUBound() < MaxSelectionUBound) {
        adopt(*selSelection);
        m_selections.push_back(std::move(selSelection));
    } else {
        return false;
    }
    changed();
    return true;
}

void Dialog::RemoveSelection(qint16 index)
{
    if (index < 0 || index > SelectionUBound() || SelectionCount() <= 1)
        return;
    m_selections.erase(m_selections.begin() + index);
    changed();
}

qint16 Dialog::FindEmptySelection() const
{
    for (size_t i = 0; i < m_selections.size(); ++i)
        if (m_selections[i]->text().isEmpty())
            return static_cast<qint16>(i);
    return -1;
}

void Dialog::adopt(::Selection &selection) { selection.m_page = this; }

void Dialog::changed()
{
    if (m_project)
        m_project->pageChanged(*this);
}
