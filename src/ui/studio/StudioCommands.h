#pragma once

#include "core/dialogs/QuestDialogs.h"

#include <QString>
#include <QUndoCommand>
#include <memory>
#include <optional>

class StudioDocument;

// One change to the project that can be taken back. The window makes the change by pushing the
// command to the document (its first redo); each redo and undo tells the document's views what
// changed, and every later one also which page and answer show it (changeRevisited).
class StudioCommand : public QUndoCommand {
public:
    void redo() final;
    void undo() final;

protected:
    StudioCommand(StudioDocument &document, const QString &text);
    virtual void forward() = 0;
    virtual void backward() = 0;
    // What to show once the change has been made or taken back.
    virtual void showForward() const = 0;
    virtual void showBackward() const = 0;
    void show(qint16 page, qint16 answer) const;
    QuestDialogs &project() const;

    StudioDocument &m_document;

private:
    bool m_done = false;
};

// The dialog prefix or the speaker name. Typing into one box is one step: each edit merges
// into the one before it, and one that brings the text back leaves no step at all.
class NameCommand : public QUndoCommand {
public:
    enum Name { Prefix, Speaker };
    NameCommand(StudioDocument &document, Name name, const QString &before, const QString &after);
    void redo() override;
    void undo() override;
    int id() const override;
    bool mergeWith(const QUndoCommand *other) override;

private:
    void store(const QString &text);

    StudioDocument &m_document;
    Name m_name;
    QString m_before;
    QString m_after;
};

// An answer's four fields, as stored.
struct AnswerFields {
    QString text;
    bool isLinked = false;
    QString LinkPage;
    bool EndDialog = false;

    static AnswerFields of(const Selection &answer);
    void storeInto(Selection &answer) const;
    bool operator==(const AnswerFields &) const = default;
};

// Apply: a page's speech and one of its answers. Only the parts that change are kept.
class ApplyCommand : public StudioCommand {
public:
    // Null when storing the speech and the answer would change nothing.
    static std::unique_ptr<ApplyCommand> make(StudioDocument &document, qint16 page, qint16 slot,
                                              const QString &speech, const AnswerFields &answer);

private:
    ApplyCommand(StudioDocument &document, qint16 page, qint16 slot);
    void forward() override;
    void backward() override;
    void showForward() const override;
    void showBackward() const override;
    void store(const std::optional<QString> &speech, const std::optional<AnswerFields> &answer);

    qint16 m_page;
    qint16 m_slot;
    std::optional<QString> m_speechBefore, m_speechAfter;
    std::optional<AnswerFields> m_answerBefore, m_answerAfter;
};

// A page added where "Add New" adds one: into the lowest placeholder, or after the last page.
class NewPage {
public:
    // A placeholder numbered `besides` is not filled: an answer on it is being linked.
    NewPage(const QuestDialogs &project, std::unique_ptr<Dialog> page, qint16 besides = -1);
    // The page it goes to, or -1 when the project has no room.
    qint16 slot() const { return m_slot; }
    void put(StudioDocument &document);
    void takeOut(StudioDocument &document);

private:
    std::unique_ptr<Dialog> m_page; // the page while it is out of the project, else the placeholder
    qint16 m_slot;
    bool m_appended;
};

// "Add New" page: fills the lowest placeholder or appends.
class AddPageCommand : public StudioCommand {
public:
    AddPageCommand(StudioDocument &document, std::unique_ptr<Dialog> page);

private:
    void forward() override;
    void backward() override;
    void showForward() const override;
    void showBackward() const override;

    NewPage m_added;
};

// An answer's row dragged on the map: the answer linked to a page, or to a new page added as
// "Add New" adds one, both in one step. Only the link changes: an answer that ends the
// conversation still does.
class LinkAnswerCommand : public StudioCommand {
public:
    // Answer `answer` of page `page`, which exist, to page `target`. Null when it leads there
    // already.
    static std::unique_ptr<LinkAnswerCommand> make(StudioDocument &document, qint16 page, qint16 answer,
                                                   qint16 target);
    // The same answer to `added`; null when the project has no room for it.
    static std::unique_ptr<LinkAnswerCommand> makeToNewPage(StudioDocument &document, qint16 page,
                                                            qint16 answer, std::unique_ptr<Dialog> added);

private:
    LinkAnswerCommand(StudioDocument &document, qint16 page, qint16 answer, qint16 target,
                      std::optional<NewPage> added);
    void forward() override;
    void backward() override;
    void showForward() const override;
    void showBackward() const override;

    qint16 m_page;
    qint16 m_answer;
    AnswerFields m_before, m_after;
    std::optional<NewPage> m_added;
};

// "Remove " page, with the links that follow the pages.
class RemovePageCommand : public StudioCommand {
public:
    RemovePageCommand(StudioDocument &document, qint16 page);

private:
    void forward() override;
    void backward() override;
    void showForward() const override;
    void showBackward() const override;

    qint16 m_index;
    QuestDialogs::RemovedPage m_removed;
};

// "Add New" answer: fills the first answer with an empty text or appends one.
class AddAnswerCommand : public StudioCommand {
public:
    AddAnswerCommand(StudioDocument &document, qint16 page, const AnswerFields &added);

private:
    void forward() override;
    void backward() override;
    void showForward() const override;
    void showBackward() const override;

    qint16 m_page;
    qint16 m_slot = 0;
    bool m_appended = false;
    AnswerFields m_added;
    AnswerFields m_replaced; // the empty answer whose slot it took
};

// "Remove" answer.
class RemoveAnswerCommand : public StudioCommand {
public:
    RemoveAnswerCommand(StudioDocument &document, qint16 page, qint16 slot);

private:
    void forward() override;
    void backward() override;
    void showForward() const override;
    void showBackward() const override;

    qint16 m_page;
    qint16 m_slot;
    std::unique_ptr<Selection> m_removed;
};
