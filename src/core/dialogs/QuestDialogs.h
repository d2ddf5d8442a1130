#pragma once

#include "core/dialogs/Dialog.h"
#include "core/dialogs/ProjectObserver.h"
#include "core/text/FileError.h"

#include <QString>
#include <memory>
#include <set>
#include <vector>

// One NPC conversation: the speaker's name and the pages, numbered from 0. A page whose text
// is exactly "Null" is a placeholder: the next AddNewDialog fills it. A project always holds
// at least one page and at most 32767 (page numbers are 16-bit).
class QuestDialogs {
public:
    static constexpr qint16 MaxPages = 32767;
    static QString placeholderText() { return QStringLiteral("Null"); }

    // A new project is already in the state Init leaves it in.
    QuestDialogs();
    QuestDialogs(const QuestDialogs &) = delete;
    QuestDialogs &operator=(const QuestDialogs &) = delete;
    ~QuestDialogs();

    const QString &Speaker() const { return m_Speaker; }
    void setSpeaker(const QString &speaker) { m_Speaker = speaker; }

    // The stored page `index`. An index outside 0..UpperBound() reads a detached default page
    // that belongs to no project: writes to it go nowhere.
    ::Dialog &Dialog(qint16 index);
    const ::Dialog &Dialog(qint16 index) const;
    // Puts `vData` into the existing slot `index`; an index outside the pages is ignored.
    void setDialog(qint16 index, std::unique_ptr<::Dialog> vData);

    qint16 UpperBound() const { return static_cast<qint16>(m_pages.size()) - 1; }
    qint16 Count() const { return static_cast<qint16>(m_pages.size()); }

    // One page: page 0 "Enter New Dialog" with one default answer. Speaker is kept.
    void Init();
    // One placeholder page: page 0 "Null" with one default answer. Speaker is kept.
    void Clear();
    // Stores the page in the lowest placeholder slot, or appends it. On a full project
    // (32767 pages, no placeholder) nothing changes and the result is false.
    bool AddNewDialog(std::unique_ptr<::Dialog> NewDialog);
    // Removes page `index` and moves the later pages down by one, and the links with them (see
    // takeDialog). An index outside the pages, or removing the only page, changes nothing.
    void RemoveDialog(qint16 index);

    // An answer's link as it was before a page removal changed it.
    struct LinkChange {
        qint16 page; // the answer's page, numbered as before the removal
        qint16 slot;
        bool isLinked;
        QString LinkPage;
    };
    // A removed page with what its removal did to the links, enough to put everything back.
    struct RemovedPage {
        std::unique_ptr<::Dialog> page; // null when nothing was removed
        qint16 index = -1;
        std::vector<LinkChange> links;
    };
    // Removes page `index` as RemoveDialog does and hands it back. Every linked answer whose
    // LinkPage names a later page (a page number written plainly: digits, no leading zero)
    // now names the page's new number; one naming the removed page itself is no longer linked
    // and its LinkPage is emptied. Any other LinkPage text is left as it is.
    RemovedPage takeDialog(qint16 index);
    // Undoes takeDialog: the page goes back to its number and the links as they were.
    void restoreDialog(RemovedPage removed);

    // The slot the next AddNewDialog fills: the lowest placeholder, Count() to append, or -1
    // when the project is full. A placeholder numbered `besides` is passed over.
    qint16 nextFreeSlot(qint16 besides = -1) const;
    // Puts the page after the last one, even when a placeholder is free. On a full project
    // nothing changes and the result is false.
    bool appendDialog(std::unique_ptr<::Dialog> page);
    // Puts `page` into the existing slot `index` and hands back the page that was there
    // (null, and nothing changed, for an index outside the pages).
    std::unique_ptr<::Dialog> replaceDialog(qint16 index, std::unique_ptr<::Dialog> page);
    // Removes the last page without touching any link and hands it back; the only page stays.
    std::unique_ptr<::Dialog> takeLastDialog();

    // Exchanges the pages and the speaker with `other`, whose observers, like this project's, are
    // told that every page is about to go. A project read in full replaces the one shown this
    // way, and the one shown stays whole until then.
    void swap(QuestDialogs &other);

    // Writes the project as a SPHERE dialog script (see dialogs/ScriptWriter.h), in numbered
    // parts when it is too big for one file (see dialogs/ScriptExport.h). An empty Speaker is
    // written as "<SRC.TARG.NAME>" and every empty answer text as "End Dialog"; the project
    // keeps its own. An empty FilePath writes nothing.
    WriteOutcome DumpToFile(const QString &FilePath, const QString &DialogPrefix) const;

    // Views that follow the project without re-reading all of it are told before it changes.
    // An observer stays until removed or until the project is destroyed.
    void addObserver(ProjectObserver *observer);
    void removeObserver(ProjectObserver *observer);

private:
    friend class Dialog;
    void pageAboutToChange(const ::Dialog &page);
    void pageTextChanged(const ::Dialog &page);
    void attach(::Dialog &page, qint16 index);
    void resetPages(const QString &firstText);
    void pagesAboutToReset();
    void renumberFrom(size_t first);

    std::vector<std::unique_ptr<::Dialog>> m_pages;
    QString m_Speaker;
    std::set<qint16> m_placeholders; // numbers of the pages whose text is "Null"
    mutable std::unique_ptr<::Dialog> m_scratch;
    std::vector<ProjectObserver *> m_observers;
};
