#include "core/dialogs/Dialog.h"

#include "core/dialogs/QuestDialogs.h"

#include <algorithm>

Dialog::Dialog() {
    Init(QString());
}

Dialog::Dialog(const QString &text) {
    Init(text);
}

Dialog::~Dialog() = default;

void Dialog::setText(const QString &text) {
    if (m_text == text)
        return;
    aboutToChange();
    m_text.assign(text);
    textChanged();
}

::Selection &Dialog::detachedSelection() {
    if (!m_scratch)
        m_scratch = std::make_unique<::Selection>();
    m_scratch->Init(QString(), false, QString(), true);
    return *m_scratch;
}

void Dialog::setSelection(qint16 index, std::unique_ptr<::Selection> vData) {
    if (!vData || index < 0 || index >= SelectionCount())
        return;
    aboutToChange();
    put(static_cast<size_t>(index), std::move(vData));
}

void Dialog::Init(const QString &text) {
    aboutToChange();
    m_text.assign(text);
    for (auto &slot : m_selections)
        slot.reset();
    m_count = 0;
    auto first = std::make_unique<::Selection>();
    first->Init(QString(), false, QString(), true);
    put(0, std::move(first));
    m_count = 1;
    textChanged();
}

bool Dialog::AddSelection(std::unique_ptr<::Selection> selSelection) {
    if (!selSelection)
        return false;
    const qint16 free = FindEmptySelection();
    if (free < 0 && SelectionUBound() >= MaxSelectionUBound)
        return false;
    aboutToChange();
    if (free >= 0) {
        put(static_cast<size_t>(free), std::move(selSelection));
    } else {
        put(m_count, std::move(selSelection));
        ++m_count;
    }
    return true;
}

void Dialog::RemoveSelection(qint16 index) {
    takeSelection(index);
}

std::unique_ptr<::Selection> Dialog::takeSelection(qint16 index) {
    if (index < 0 || index > SelectionUBound() || SelectionCount() <= 1)
        return nullptr;
    aboutToChange();
    const auto first = m_selections.begin() + index;
    const auto end = m_selections.begin() + m_count;
    std::unique_ptr<::Selection> taken = std::move(*first);
    std::move(first + 1, end, first);
    --m_count;
    m_selections[m_count].reset();
    taken->m_page = nullptr;
    return taken;
}

bool Dialog::insertSelection(qint16 index, std::unique_ptr<::Selection> selection) {
    if (!selection || index < 0 || index > SelectionCount() || SelectionUBound() >= MaxSelectionUBound)
        return false;
    aboutToChange();
    const auto at = m_selections.begin() + index;
    std::move_backward(at, m_selections.begin() + m_count, m_selections.begin() + m_count + 1);
    put(static_cast<size_t>(index), std::move(selection));
    ++m_count;
    return true;
}

std::unique_ptr<Dialog> Dialog::clone() const {
    auto copy = std::make_unique<Dialog>(text());
    for (quint8 slot = 0; slot < m_count; ++slot) {
        const ::Selection &from = *m_selections[slot];
        auto answer = std::make_unique<::Selection>();
        answer->Init(from.text(), from.isLinked(), from.LinkPage(), from.EndDialog());
        copy->put(slot, std::move(answer));
    }
    copy->m_count = m_count;
    return copy;
}

qint16 Dialog::FindEmptySelection() const {
    for (quint8 i = 0; i < m_count; ++i)
        if (m_selections[i]->m_text.isEmpty())
            return static_cast<qint16>(i);
    return -1;
}

void Dialog::put(size_t slot, std::unique_ptr<::Selection> selection) {
    selection->m_page = this;
    m_selections[slot] = std::move(selection);
}

void Dialog::aboutToChange() {
    if (m_project)
        m_project->pageAboutToChange(*this);
}

void Dialog::textChanged() {
    if (m_project)
        m_project->pageTextChanged(*this);
}
