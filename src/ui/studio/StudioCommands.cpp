#include "ui/studio/StudioCommands.h"

#include <algorithm>
#include <utility>

StudioCommand::StudioCommand(QuestDialogs &project, ShowChange show, const QString &text)
    : QUndoCommand(text), m_project(project), m_show(std::move(show)) {}

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
    if (m_show)
        m_show(page, answer);
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

ApplyCommand::ApplyCommand(QuestDialogs &project, ShowChange show, qint16 page, qint16 slot)
    : StudioCommand(project, std::move(show), onPage("Apply", page)), m_page(page), m_slot(slot) {}

std::unique_ptr<ApplyCommand> ApplyCommand::make(QuestDialogs &project, ShowChange show, qint16 page,
                                                 qint16 slot, const QString &speech,
                                                 const AnswerFields &answer) {
    const Dialog &dialog = project.Dialog(page);
    std::unique_ptr<ApplyCommand> command(new ApplyCommand(project, std::move(show), page, slot));
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
    Dialog &dialog = m_project.Dialog(m_page);
    if (speech)
        dialog.setText(*speech);
    if (answer)
        answer->storeInto(dialog.Selection(m_slot));
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

AddPageCommand::AddPageCommand(QuestDialogs &project, ShowChange show, std::unique_ptr<Dialog> page)
    : StudioCommand(project, std::move(show), QString()), m_page(std::move(page)),
      m_slot(project.nextFreeSlot()), m_appended(m_slot == project.Count()) {
    setText(QStringLiteral("Add New page %1").arg(m_slot));
}

void AddPageCommand::forward() {
    if (m_appended)
        m_project.AddNewDialog(std::move(m_page));
    else
        m_page = m_project.replaceDialog(m_slot, std::move(m_page));
}

void AddPageCommand::backward() {
    if (m_appended)
        m_page = m_project.takeLastDialog();
    else
        m_page = m_project.replaceDialog(m_slot, std::move(m_page));
}

void AddPageCommand::showForward() const {
    show(m_project.UpperBound(), 0);
}

void AddPageCommand::showBackward() const {
    show(std::min(m_slot, m_project.UpperBound()), 0);
}

RemovePageCommand::RemovePageCommand(QuestDialogs &project, ShowChange show, qint16 page)
    : StudioCommand(project, std::move(show), QStringLiteral("Remove page %1").arg(page)), m_index(page) {}

void RemovePageCommand::forward() {
    m_removed = m_project.takeDialog(m_index);
}

void RemovePageCommand::backward() {
    m_project.restoreDialog(std::move(m_removed));
    m_removed = {};
}

void RemovePageCommand::showForward() const {
    show(m_project.UpperBound(), 0);
}

void RemovePageCommand::showBackward() const {
    show(m_index, 0);
}

AddAnswerCommand::AddAnswerCommand(QuestDialogs &project, ShowChange show, qint16 page,
                                   const AnswerFields &added)
    : StudioCommand(project, std::move(show), onPage("Add New answer", page)), m_page(page), m_added(added) {}

void AddAnswerCommand::forward() {
    Dialog &dialog = m_project.Dialog(m_page);
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
}

void AddAnswerCommand::backward() {
    Dialog &dialog = m_project.Dialog(m_page);
    if (m_appended)
        dialog.RemoveSelection(m_slot);
    else
        m_replaced.storeInto(dialog.Selection(m_slot));
}

void AddAnswerCommand::showForward() const {
    show(m_page, m_project.Dialog(m_page).SelectionUBound());
}

void AddAnswerCommand::showBackward() const {
    show(m_page, std::min(m_slot, m_project.Dialog(m_page).SelectionUBound()));
}

RemoveAnswerCommand::RemoveAnswerCommand(QuestDialogs &project, ShowChange show, qint16 page, qint16 slot)
    : StudioCommand(project, std::move(show), onPage("Remove answer", page)), m_page(page), m_slot(slot) {}

void RemoveAnswerCommand::forward() {
    m_removed = m_project.Dialog(m_page).takeSelection(m_slot);
}

void RemoveAnswerCommand::backward() {
    m_project.Dialog(m_page).insertSelection(m_slot, std::move(m_removed));
}

void RemoveAnswerCommand::showForward() const {
    show(m_page, m_project.Dialog(m_page).SelectionUBound());
}

void RemoveAnswerCommand::showBackward() const {
    show(m_page, m_slot);
}
