// The page and answer editing of the Dialog Studio window.
#include "core/dialogs/AnalysisNodes.h"
#include "core/dialogs/LinkTarget.h"
#include "core/dialogs/QuestDialogs.h"
#include "core/text/NumberReading.h"
#include "ui/studio/AnalysisModel.h"
#include "ui/studio/AnalysisTree.h"
#include "ui/studio/StudioCommands.h"
#include "ui/studio/StudioDocument.h"
#include "ui/studio/frmDC.h"
#include "ui/widgets/ExactText.h"
#include "ui/widgets/UpDown.h"
#include "ui/widgets/UserPrompts.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QUndoStack>

namespace {
QString oneSelectionLeft() {
    return QStringLiteral("You must have at least one selection");
}

// What "Add New" adds: a page with the default answer.
std::unique_ptr<Dialog> newPage() {
    auto page = std::make_unique<Dialog>();
    page->Init(QStringLiteral("Enter NPC Speech Here"));
    return page;
}

QString noRoomForPages() {
    return QStringLiteral("You can only have %1 pages per dialog").arg(QuestDialogs::MaxPages);
}
} // namespace

qint16 frmDC::CurrentPage() const {
    return readBoxNumber(txtPage->text());
}

void frmDC::ShowPage(qint16 page) {
    if (page < 0 || Project.UpperBound() < page)
        return;
    const Dialog &dialog = Project.Dialog(page);
    assign(txtSpeech, dialog.text());
    UPDPage->setMaximum(Project.UpperBound());
    assign(txtSelID, QStringLiteral("0"));
    LblOutOf->setText(QStringLiteral("Ubound: ") + QString::number(Project.UpperBound()));
    LBLSelOutof->setText(QStringLiteral("Ubound: ") + QString::number(dialog.SelectionUBound()));
    UPDSelID->setMaximum(dialog.SelectionUBound());
    const Selection &first = dialog.Selection(0);
    assign(txtSel, first.text());
    assign(txtPageID, QStringLiteral("0"));
    if (first.isLinked()) {
        ChkGoPage->setChecked(true);
        assign(txtPageID, first.LinkPage());
    } else {
        ChkGoPage->setChecked(false);
    }
    ChkENDDIalog->setChecked(first.EndDialog());
}

void frmDC::ShowSelection(qint16 index) {
    const Dialog &dialog = Project.Dialog(CurrentPage());
    assign(txtSelID, QString::number(index));
    LBLSelOutof->setText(QStringLiteral(" Ubound: ") + QString::number(dialog.SelectionUBound()));
    UPDSelID->setMaximum(dialog.SelectionUBound());
    const Selection &answer = dialog.Selection(index);
    assign(txtSel, answer.text());
    ChkENDDIalog->setChecked(answer.EndDialog());
    if (answer.isLinked()) {
        ChkGoPage->setChecked(true);
        assign(txtPageID, answer.LinkPage());
    } else {
        ChkGoPage->setChecked(false);
        assign(txtPageID, QString());
    }
}

void frmDC::StoreSelection() {
    const qint16 page = CurrentPage();
    const qint16 slot = readBoxNumber(txtSelID->text());
    AnswerFields answer = AnswerFields::of(Project.Dialog(page).Selection(slot));
    answer.text = txtSel->text();
    if (ChkGoPage->isChecked()) {
        answer.isLinked = true;
        answer.LinkPage = txtPageID->text();
    } else {
        answer.isLinked = false;
    }
    answer.EndDialog = ChkENDDIalog->isChecked();
    if (auto command = ApplyCommand::make(*Document, page, slot, ExactText::get(txtSpeech), answer))
        record(command.release());
}

void frmDC::CMDSave_Click() {
    const qint16 answer = readBoxNumber(txtSelID->text());
    StoreSelection();
    MnuAnalysis_Click();
    ShowPage(CurrentPage());
    // The answer being edited stays shown, so that the next click lands on it.
    if (answer > 0 && answer <= Project.Dialog(CurrentPage()).SelectionUBound())
        ShowSelection(answer);
}

void frmDC::applyAndRebuild() {
    CMDSave_Click();
    MnuAnalysis_Click();
}

void frmDC::MnuAnalysis_Click() {
    TrvAnalysis->rebuild(Project, Document->prefix());
    refreshDocks();
}

void frmDC::Addnote(const QString &ParentID, const QString &NoteName, const QString &Key) {
    TrvAnalysis->analysisModel()->addNode(ParentID, NoteName, Key);
}

void frmDC::AddRootNote(const QString &NoteName, const QString &Key) {
    TrvAnalysis->analysisModel()->addRootNode(NoteName, Key);
}

void frmDC::CmdAddPage_Click() {
    CMDSave_Click();
    // Page numbers are 16-bit: a full project has no room, and saying nothing would look
    // as if the page had been added.
    if (Project.nextFreeSlot() >= 0)
        record(new AddPageCommand(*Document, newPage()));
    else
        m_prompts.message(this, noRoomForPages());
    assign(txtPage, QString::number(Project.UpperBound()));
    ShowPage(Project.UpperBound());
    MnuAnalysis_Click();
}

void frmDC::CMDRemovePage_Click() {
    if (Project.Count() > 1) {
        record(new RemovePageCommand(*Document, CurrentPage()));
        assign(txtPage, QString::number(Project.UpperBound()));
        ShowPage(Project.UpperBound());
    } else {
        m_prompts.message(this, oneSelectionLeft());
    }
}

void frmDC::CmdADDSel_Click() {
    StoreSelection();
    MnuAnalysis_Click();
    Dialog &dialog = Project.Dialog(CurrentPage());
    if (dialog.SelectionCount() < 4) {
        record(new AddAnswerCommand(*Document, CurrentPage(),
                                    {QStringLiteral("Input Selection Text"), false, QString(), true}));
        ShowSelection(dialog.SelectionUBound());
        MnuAnalysis_Click();
    } else {
        m_prompts.message(this, QStringLiteral("You can only have four selections pre dialog"));
    }
}

void frmDC::CmdRemoveSel_Click() {
    Dialog &dialog = Project.Dialog(CurrentPage());
    if (dialog.SelectionCount() <= 1) {
        m_prompts.message(this, oneSelectionLeft());
        return;
    }
    record(new RemoveAnswerCommand(*Document, CurrentPage(), readBoxNumber(txtSelID->text())));
    ShowSelection(dialog.SelectionUBound());
}

void frmDC::mapView_Drop(qint16 page, qint16 answer, qint16 target) {
    CMDSave_Click();
    if (auto command = LinkAnswerCommand::make(*Document, page, answer, target))
        record(command.release());
    showChange(page, answer);
}

void frmDC::mapView_DropOnSpace(qint16 page, qint16 answer) {
    CMDSave_Click();
    if (auto command = LinkAnswerCommand::makeToNewPage(*Document, page, answer, newPage()))
        record(command.release());
    else
        m_prompts.message(this, noRoomForPages());
    showChange(page, answer);
}

void frmDC::UPDPage_Change() {
    ShowPage(readBoxNumber(txtPage->text()));
}

void frmDC::UPDSelID_Change() {
    ShowSelection(readBoxNumber(txtSelID->text()));
}

void frmDC::DialogName_Change() {
    Label9->setText(QStringLiteral("Dialog: ") + AnalysisNodes::pageKey(DialogName->text(), 0));
    Document->setPrefix(DialogName->text());
}

void frmDC::txtSpeaker_Change() {
    Label10->setText(QStringLiteral("Speaker: ") + txtSpeaker->text());
    Document->setSpeaker(txtSpeaker->text());
}

void frmDC::txtSpeech_Change() {
    MnuAnalysis_Click();
}

void frmDC::txtPageID_Change() {
    // A linked answer without a page id is shown as not linked.
    ChkGoPage->setChecked(linkTarget(txtPageID->text(), Project.UpperBound()).kind != LinkTarget::Empty);
}

void frmDC::txtSpeech_KeyDown(int key) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        applyAndRebuild();
}

void frmDC::txtSel_KeyDown(int key) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        applyAndRebuild();
}

void frmDC::txtPageID_KeyDown(int key) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        applyAndRebuild();
}

void frmDC::txtSpeech_LostFocus() {
    applyAndRebuild();
}

void frmDC::txtPageID_LostFocus() {
    applyAndRebuild();
}

void frmDC::record(QUndoCommand *command) {
    Document->push(command);
}

void frmDC::followProject() {
    MnuAnalysis_Click();
}

void frmDC::showChange(qint16 page, qint16 answer) {
    assign(txtPage, QString::number(page));
    ShowPage(page);
    if (answer > 0 && answer <= Project.Dialog(page).SelectionUBound())
        ShowSelection(answer);
    MnuAnalysis_Click();
}

void frmDC::showProject() {
    TrvAnalysis->startOver();
    ShowPage(0);
    assign(txtPage, QStringLiteral("0"));
    MnuAnalysis_Click();
}

void frmDC::showPrefix(const QString &prefix) {
    assign(DialogName, prefix);
    // The tree's keys hold the prefix; nothing it shows does.
    TrvAnalysis->rebuild(Project, prefix);
    refreshProblems();
    refreshPlay();
}

void frmDC::showSpeaker(const QString &speaker) {
    assign(txtSpeaker, speaker);
    refreshProblems();
    refreshPlay();
}

void frmDC::showPlaceInTree() {
    TrvAnalysis->showPlace(CurrentPage(), readBoxNumber(txtSelID->text()));
}
