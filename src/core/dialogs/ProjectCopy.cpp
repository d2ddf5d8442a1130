#include "core/dialogs/ProjectCopy.h"

#include "core/dialogs/QuestDialogs.h"

std::unique_ptr<QuestDialogs> copyProject(const QuestDialogs &source) {
    auto copy = std::make_unique<QuestDialogs>();
    copy->setSpeaker(source.Speaker());
    copy->Clear();

    // The slots are made under a stand-in text first: a "Null" page or an empty answer would be
    // taken for a free slot, and the next page or answer added would fill it.
    const QString standIn = QStringLiteral("-");
    for (qint16 n = 0; n < source.Count(); ++n) {
        auto page = std::make_unique<Dialog>(standIn);
        page->Selection(0).setText(standIn);
        for (qint16 k = 1; k < source.Dialog(n).SelectionCount(); ++k) {
            auto answer = std::make_unique<Selection>();
            answer->setText(standIn);
            page->AddSelection(std::move(answer));
        }
        copy->AddNewDialog(std::move(page));
    }
    for (qint16 n = 0; n < source.Count(); ++n) {
        const Dialog &from = source.Dialog(n);
        Dialog &to = copy->Dialog(n);
        for (qint16 k = 0; k < from.SelectionCount(); ++k) {
            const Selection &answer = from.Selection(k);
            to.Selection(k).Init(answer.text(), answer.isLinked(), answer.LinkPage(), answer.EndDialog());
        }
        to.setText(from.text());
    }
    return copy;
}
