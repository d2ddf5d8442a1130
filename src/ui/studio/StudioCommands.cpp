#include "ui/studio/StudioCommands.h"

#include "ui/studio/StudioDocument.h"

#include <algorithm>
#include <utility>

StudioCommand::StudioCommand(StudioDocument &document, const QString &text)
    : QUndoCommand(text), m_document(document) {}

void StudioCommand::redo() {
    forward();
    // The first time, the window's own handler shows the outcome as its command says.
    if (std::exchange(m_done, true))
        showForward();
}

void StudioCommand::undo() {
    backward();
    showBackward();
}

void StudioCommand::show(qint16 page, qint16 answer) const {
    emit m_document.changeRevisited(page, answer);
}

QuestDialogs &StudioCommand::project() const {
    return m_document.project();
}

NameCommand::NameCommand(StudioDocument &document, Name name, const QString &before, const QString &after)
    : QUndoCommand(name == Prefix ? QStringLiteral("Dialog Prefix") : QStringLiteral("Speaker Name")),
      m_document(document), m_name(name), m_before(before), m_after(after) {}

void NameCommand::store(const QString &text) {
    if (m_name == Prefix)
        m_document.storePrefix(text);
    else
        m_document.storeSpeaker(text);
}

void NameCommand::redo() {
    store(m_after);
}

void NameCommand::undo() {
    store(m_before);
}

int NameCommand::id() const {
    return 1 + m_name;
}

bool NameCommand::mergeWith(const QUndoCommand *other) {
    m_after = static_cast<const NameCommand *>(other)->m_after;
    setObsolete(m_after == m_before);
    return true;
}

AnswerFields AnswerFields::of(const Selection &answer) {
    return {answer.text(), answer.isLinked(), answer.LinkPage(), answer.EndDialog()};
}

void AnswerFields::storeInto(Selection &answer) const {
    answer.Init(text, isLinked, LinkPage, EndDialog);
}

namespace {
QString onPage(const char *what, qint16 page) {
    return QStringLiteral("%1 on page %2").arg(QLatin1StringView(what)).arg(page);
}
} // namespace

ApplyCommand::ApplyCommand(StudioDocument &document, qint16 page, qint16 slot)
    : StudioCommand(document, onPage("Apply", page)), m_page(page), m_slot(slot) {}

std::unique_ptr<ApplyCommand> ApplyCommand::make(StudioDocument &document, qint16 page, qint16 slot,
                                                 const QString &speech, const AnswerFields &answer) {
    const Dialog &dialog = document.project().Dialog(page);
    std::unique_ptr<ApplyCommand> command(new ApplyCommand(document, page, slot));
    if (!dialog.visitText([&speech](auto text) { return text == speech; })) {
        command->m_speechBefore = dialog.text();
        command->m_speechAfter = speech;
    }
    const AnswerFields before = AnswerFields::of(dialog.Selection(slot));
    if (slot <= dialog.SelectionUBound() && before != answer) {
        command->m_answerBefore = before;
        command->m_answerAfter = answer;
    }
    if (!command->m_speechAfter && !command->m_answerAfter)
        return nullptr;
    return command;
}

void ApplyCommand::store(const std::optional<QString> &speech, const std::optional<AnswerFields> &answer) {
    Dialog &dialog = project().Dialog(m_page);
    if (speech)
        dialog.setText(*speech);
    if (answer)
        answer->storeInto(dialog.Selection(m_slot));
    emit m_document.pageChanged(m_page);
}

void ApplyCommand::forward() {
    store(m_speechAfter, m_answerAfter);
}

void ApplyCommand::backward() {
    store(m_speechBefore, m_answerBefore);
}

void ApplyCommand::showForward() const {
    show(m_page, m_slot);
}

void ApplyCommand::showBackward() const {
    show(m_page, m_slot);
}

NewPage::NewPage(const QuestDialogs &project, std::unique_ptr<Dialog> page, qint16 besides)
    : m_page(std::move(page)), m_slot(project.nextFreeSlot(besides)), m_appended(m_slot == project.Count()) {}

void NewPage::put(StudioDocument &document) {
    if (m_appended) {
        document.project().appendDialog(std::move(m_page));
        emit document.pageInserted(m_slot);
    } else {
        m_page = document.project().replaceDialog(m_slot, std::move(m_page));
        emit document.pageChanged(m_slot);
    }
}

void NewPage::takeOut(StudioDocument &document) {
    if (m_appended) {
        m_page = document.project().takeLastDialog();
        emit document.pageRemoved(m_slot);
    } else {
        m_page = document.project().replaceDialog(m_slot, std::move(m_page));
        emit document.pageChanged(m_slot);
    }
}

AddPageCommand::AddPageCommand(StudioDocument &document, std::unique_ptr<Dialog> page)
    : StudioCommand(document, QString()), m_added(document.project(), std::move(page)) {
    setText(QStringLiteral("Add New page %1").arg(m_added.slot()));
}

void AddPageCommand::forward() {
    m_added.put(m_document);
}

void AddPageCommand::backward() {
    m_added.takeOut(m_document);
}

void AddPageCommand::showForward() const {
    show(project().UpperBound(), 0);
}

void AddPageCommand::showBackward() const {
    show(std::min(m_added.slot(), project().UpperBound()), 0);
}

LinkAnswerCommand::LinkAnswerCommand(StudioDocument &document, qint16 page, qint16 answer, qint16 target,
                                     std::optional<NewPage> added)
    : StudioCommand(document, QStringLiteral("Link answer %1 on page %2 to %3page %4")
                                  .arg(answer)
                                  .arg(page)
                                  .arg(added ? QStringLiteral("new ") : QString())
                                  .arg(target)),
      m_page(page), m_answer(answer),
      m_before(AnswerFields::of(document.project().Dialog(page).Selection(answer))), m_after(m_before),
      m_added(std::move(added)) {
    m_after.isLinked = true;
    m_after.LinkPage = QString::number(target);
}

std::unique_ptr<LinkAnswerCommand> LinkAnswerCommand::make(StudioDocument &document, qint16 page,
                                                           qint16 answer, qint16 target) {
    std::unique_ptr<LinkAnswerCommand> command(new LinkAnswerCommand(document, page, answer, target, {}));
    if (command->m_before == command->m_after)
        return nullptr;
    return command;
}

std::unique_ptr<LinkAnswerCommand> LinkAnswerCommand::makeToNewPage(StudioDocument &document, qint16 page,
                                                                    qint16 answer,
                                                                    std::unique_ptr<Dialog> added) {
    NewPage placed(document.project(), std::move(added), page);
    const qint16 target = placed.slot();
    if (target < 0)
        return nullptr;
    return std::unique_ptr<LinkAnswerCommand>(
        new LinkAnswerCommand(document, page, answer, target, std::move(placed)));
}

void LinkAnswerCommand::forward() {
    if (m_added)
        m_added->put(m_document);
    m_after.storeInto(project().Dialog(m_page).Selection(m_answer));
    emit m_document.pageChanged(m_page);
}

void LinkAnswerCommand::backward() {
    m_before.storeInto(project().Dialog(m_page).Selection(m_answer));
    emit m_document.pageChanged(m_page);
    if (m_added)
        m_added->takeOut(m_document);
}

void LinkAnswerCommand::showForward() const {
    show(m_page, m_answer);
}

void LinkAnswerCommand::showBackward() const {
    show(m_page, m_answer);
}

RemovePageCommand::RemovePageCommand(StudioDocument &document, qint16 page)
    : StudioCommand(document, QStringLiteral("Remove page %1").arg(page)), m_index(page) {}

void RemovePageCommand::forward() {
    m_removed = project().takeDialog(m_index);
    emit m_document.pageRemoved(m_index);
}

void RemovePageCommand::backward() {
    project().restoreDialog(std::move(m_removed));
    m_removed = {};
    emit m_document.pageInserted(m_index);
}

void RemovePageCommand::showForward() const {
    show(project().UpperBound(), 0);
}

void RemovePageCommand::showBackward() const {
    show(m_index, 0);
}

AddAnswerCommand::AddAnswerCommand(StudioDocument &document, qint16 page, const AnswerFields &added)
    : StudioCommand(document, onPage("Add New answer", page)), m_page(page), m_added(added) {}

void AddAnswerCommand::forward() {
    Dialog &dialog = project().Dialog(m_page);
    const qint16 count = dialog.SelectionCount();
    m_slot = count;
    for (qint16 slot = 0; slot < count; ++slot)
        if (!dialog.Selection(slot).hasText()) {
            m_slot = slot;
            m_replaced = AnswerFields::of(dialog.Selection(slot));
            break;
        }
    m_appended = m_slot == count;
    auto answer = std::make_unique<Selection>();
    m_added.storeInto(*answer);
    dialog.AddSelection(std::move(answer));
    emit m_document.pageChanged(m_page);
}

void AddAnswerCommand::backward() {
    Dialog &dialog = project().Dialog(m_page);
    if (m_appended)
        dialog.RemoveSelection(m_slot);
    else
        m_replaced.storeInto(dialog.Selection(m_slot));
    emit m_document.pageChanged(m_page);
}

void AddAnswerCommand::showForward() const {
    show(m_page, project().Dialog(m_page).SelectionUBound());
}

void AddAnswerCommand::showBackward() const {
    show(m_page, std::min(m_slot, project().Dialog(m_page).SelectionUBound()));
}

RemoveAnswerCommand::RemoveAnswerCommand(StudioDocument &document, qint16 page, qint16 slot)
    : StudioCommand(document, onPage("Remove answer", page)), m_page(page), m_slot(slot) {}

void RemoveAnswerCommand::forward() {
    m_removed = project().Dialog(m_page).takeSelection(m_slot);
    emit m_document.pageChanged(m_page);
}

void RemoveAnswerCommand::backward() {
    project().Dialog(m_page).insertSelection(m_slot, std::move(m_removed));
    emit m_document.pageChanged(m_page);
}

void RemoveAnswerCommand::showForward() const {
    show(m_page, project().Dialog(m_page).SelectionUBound());
}

void RemoveAnswerCommand::showBackward() const {
    show(m_page, m_slot);
}
