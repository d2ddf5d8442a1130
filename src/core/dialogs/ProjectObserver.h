#pragma once

#include <QtGlobal>

class Dialog;
class QuestDialogs;

// Told of a project's changes before they happen, so that a view of the project can keep what
// it last showed of the pages that change, and read everything else from the project itself.
class ProjectObserver {
public:
    virtual ~ProjectObserver() = default;

    // Page `index` is about to change: its speech, one of its answers or its answer list, or
    // the page is about to be replaced by another in the same slot. `page` is still as it was.
    // Pages appended at the end are not announced; the page count tells of them.
    virtual void pageAboutToChange(qint16 index, const Dialog &page) = 0;
    // Every page is about to go, or to move to another number (Init, Clear, RemoveDialog).
    virtual void pagesAboutToReset() = 0;
    // The project is being destroyed; it has already forgotten this observer.
    virtual void projectDestroyed(const QuestDialogs &project) = 0;

protected:
    // Moves this observer from the project `followed` points at to `project` (either may be
    // null) and points `followed` at it. False when it followed that project already.
    bool follow(QuestDialogs *&followed, QuestDialogs *project);
};
