#pragma once

#include "core/dialogs/CompactText.h"
#include "core/dialogs/Selection.h"

#include <QString>
#include <array>
#include <memory>

class QuestDialogs;

// One page of a conversation: the NPC's speech and its answer slots, numbered from 0.
// A page always holds at least one slot; growth through AddSelection stops at five.
class Dialog {
public:
    static constexpr qint16 MaxSelectionUBound = 4;

    // A new page is already initialised with an empty speech and one default answer.
    Dialog();
    explicit Dialog(const QString &text);
    Dialog(const Dialog &) = delete;
    Dialog &operator=(const Dialog &) = delete;
    ~Dialog();

    QString text() const { return m_text.toString(); }
    // Calls f with a view of the speech (see CompactText::visit).
    template <class F> decltype(auto) visitText(F &&f) const { return m_text.visit(f); }
    void setText(const QString &text);

    // The stored answer in slot `index`. An index outside 0..SelectionUBound() reads a
    // detached default answer that belongs to no page: writes to it go nowhere.
    // (Inline: the script and file writers call it for every answer of every page.)
    ::Selection &Selection(qint16 index) {
        if (index >= 0 && index < SelectionCount())
            return *m_selections[static_cast<size_t>(index)];
        return detachedSelection();
    }
    const ::Selection &Selection(qint16 index) const { return const_cast<Dialog *>(this)->Selection(index); }
    // Puts `vData` into the existing slot `index`; an index outside the slots is ignored.
    void setSelection(qint16 index, std::unique_ptr<::Selection> vData);

    qint16 SelectionUBound() const { return static_cast<qint16>(m_count - 1); }
    qint16 SelectionCount() const { return static_cast<qint16>(m_count); }

    // Sets the speech and leaves exactly one default answer (empty text, not linked, ending).
    void Init(const QString &text);
    // Stores the answer in the first slot with an empty text, or in a new last slot while
    // there are fewer than five. False (and the page unchanged) when the page is full.
    bool AddSelection(std::unique_ptr<::Selection> selSelection);
    // Removes slot `index` and closes the gap. An index outside the slots, or removing the
    // page's only answer, changes nothing.
    void RemoveSelection(qint16 index);
    // RemoveSelection that hands the answer back (null when nothing was removed).
    std::unique_ptr<::Selection> takeSelection(qint16 index);
    // Puts an answer back into slot `index` (0..SelectionCount()), moving the later ones up.
    // False, and nothing changed, when the page already holds five answers.
    bool insertSelection(qint16 index, std::unique_ptr<::Selection> selection);

    // A page of its own with the same speech and the same answers, slot for slot.
    std::unique_ptr<Dialog> clone() const;

private:
    friend class QuestDialogs;
    friend class Selection;
    qint16 FindEmptySelection() const;
    ::Selection &detachedSelection();
    void put(size_t slot, std::unique_ptr<::Selection> selection);
    void aboutToChange();
    void textChanged();

    // A large project holds tens of thousands of pages: the answers sit in the page itself
    // (there are never more than five) and the speech is kept compact.
    CompactText m_text;
    std::array<std::unique_ptr<::Selection>, MaxSelectionUBound + 1> m_selections;
    mutable std::unique_ptr<::Selection> m_scratch;

    // Set while the page belongs to a project, which is told before every change.
    QuestDialogs *m_project = nullptr;
    qint16 m_index = -1;
    quint8 m_count = 0;
};
