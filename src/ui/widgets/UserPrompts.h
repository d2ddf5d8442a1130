#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The questions the program asks its user: message boxes and file dialogs. The windows talk
// only to this interface, so that tests can answer in place of a person.
class UserPrompts {
public:
    virtual ~UserPrompts() = default;

    // The program's title, shown on every message box.
    static QString title() { return QStringLiteral("Runequill"); }

    // A message with an OK button only and no icon.
    virtual void message(QWidget *parent, const QString &text) = 0;

    // A question with Yes (the default) and No and the question icon; true only for Yes.
    virtual bool confirm(QWidget *parent, const QString &text) = 0;

    // A question about something that may do harm: Yes, and No as the default (so that Enter
    // does not go on), with the warning icon; true only for Yes.
    virtual bool confirmRisky(QWidget *parent, const QString &text) = 0;

    // What to do with changes not yet saved: a question with Save, Discard and Cancel and the
    // question icon. Closing the box counts as Cancel.
    enum class UnsavedAnswer { Save, Discard, Cancel };
    virtual UnsavedAnswer askUnsavedChanges(QWidget *parent, const QString &text) = 0;

    // One entry chosen from a list; its index, or -1 when the user cancels.
    virtual int chooseOne(QWidget *parent, const QString &text, const QStringList &entries) = 0;

    // A question with the question icon answered by one of these buttons (the first is the
    // default) or Cancel; the index of the button, or -1 for Cancel and for closing the box.
    virtual int chooseButton(QWidget *parent, const QString &text, const QStringList &buttons) = 0;

    // A file dialog. `filter` is a Qt filter such as "Farstead QDS Studio File (*.QDS)";
    // `fileName` is the name to start with; a folder ending in a separator starts there. A name
    // typed without an extension gets the first one the filter lists, before the dialog checks
    // whether the file exists. Returns the chosen name, or an empty string when the user cancels.
    virtual QString openFileName(QWidget *parent, const QString &filter, const QString &fileName) = 0;
    // The save dialog asks before an existing file is replaced, unless told that the caller
    // asks its own question about it (or keeps what the file holds).
    enum class Overwrite { Confirm, DontConfirm };
    virtual QString saveFileName(QWidget *parent, const QString &filter, const QString &fileName,
                                 Overwrite overwrite = Overwrite::Confirm) = 0;
};
