#pragma once

#include "ui/widgets/UserPrompts.h"

#include <QList>
#include <QStringList>

// Answers the program's questions from a script instead of a person: every message,
// question and file dialog is recorded in order, and each question or file dialog takes the
// next answer queued for it. A question with no answer queued is answered No, a question about
// unsaved changes Cancel; a file dialog with none is cancelled. A save dialog that asks before
// replacing a file asks (Replace, the file's name) when the name chosen exists, and is answered
// Yes.
class ScriptedPrompts : public UserPrompts {
public:
    struct Prompt {
        enum Kind { Message, Confirm, Risky, OpenFile, SaveFile, Replace, Unsaved, Choose } kind;
        QString text;     // the message or question, or the file dialog's filter
        QString fileName; // for file dialogs: the name the dialog started with; for a choice,
                          // the entries (or buttons) joined by "|"
    };

    // Both kinds of Yes/No question take these answers; unanswered, No.
    void queueConfirm(bool yes) { m_confirms.append(yes); }
    // Unanswered, the unsaved-changes question is cancelled and a choice of an entry or a button
    // is cancelled (-1).
    void queueUnsaved(UnsavedAnswer answer) { m_unsaved.append(answer); }
    void queueChoice(int index) { m_choices.append(index); }
    // An empty name stands for a cancelled dialog.
    void queueFileName(const QString &name) { m_fileNames.append(name); }

    const QList<Prompt> &prompts() const { return m_prompts; }
    QStringList texts(Prompt::Kind kind) const; // the texts of the prompts of a kind, in order
    QStringList messages() const { return texts(Prompt::Message); }
    QStringList questions() const { return texts(Prompt::Confirm); }
    QStringList riskyQuestions() const { return texts(Prompt::Risky); }
    QStringList unsavedQuestions() const { return texts(Prompt::Unsaved); }
    void clear();

    void message(QWidget *parent, const QString &text) override;
    bool confirm(QWidget *parent, const QString &text) override;
    bool confirmRisky(QWidget *parent, const QString &text) override;
    UnsavedAnswer askUnsavedChanges(QWidget *parent, const QString &text) override;
    int chooseOne(QWidget *parent, const QString &text, const QStringList &entries) override;
    int chooseButton(QWidget *parent, const QString &text, const QStringList &buttons) override;
    QString openFileName(QWidget *parent, const QString &filter, const QString &fileName) override;
    QString saveFileName(QWidget *parent, const QString &filter, const QString &fileName,
                         Overwrite overwrite = Overwrite::Confirm) override;

private:
    QList<Prompt> m_prompts;
    QList<bool> m_confirms;
    QList<UnsavedAnswer> m_unsaved;
    QStringList m_fileNames;
    QList<int> m_choices;
};
