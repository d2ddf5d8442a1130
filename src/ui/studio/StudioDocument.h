#pragma once

#include "core/dialogs/ProjectFile.h"

#include <QObject>
#include <QString>

class QuestDialogs;
class QUndoCommand;
class QUndoStack;

// The project the Dialog Studio edits, whole: its pages, its dialog prefix and speaker name,
// the file it was last opened from or saved to, and the history of its changes, whose clean
// state says whether anything is unsaved. Every change goes through here (the page and answer
// commands of StudioCommands.h, the prefix and the speaker), and the views (the window's boxes,
// the tree, the map, the problems list) follow the signals. The speaker is the project's own.
class StudioDocument : public QObject {
    Q_OBJECT
public:
    static QString defaultPrefix() { return QStringLiteral("QDS_NpcName_DialogName"); }

    explicit StudioDocument(QuestDialogs &project, QObject *parent = nullptr);

    QuestDialogs &project() { return m_project; }
    const QuestDialogs &project() const { return m_project; }
    const QString &prefix() const { return m_prefix; }
    const QString &speaker() const;
    // Empty until the project is opened from a file or saved to one.
    const QString &fileName() const { return m_fileName; }
    QUndoStack *undoStack() const { return m_history; }
    // Changed since it was started, opened or saved.
    bool isModified() const;

    // Changes that can be undone. Edits of the same name one after another are one step.
    void setPrefix(const QString &prefix);
    void setSpeaker(const QString &speaker);
    // Makes a page or answer change (a command of StudioCommands.h) and keeps it for Undo.
    void push(QUndoCommand *command);

    // Starting over, which empties the history and leaves nothing unsaved.
    // A new window's project: page 0 "Enter New Dialog", the default prefix, no speaker, no file.
    void start();
    // "New": one placeholder page and no file; the prefix and the speaker stay.
    void clear();
    // Reads the file and, only when all of it was read, takes it for the project and its file;
    // otherwise nothing changes. The error names the file.
    Outcome<ProjectFile::Header> open(const QString &path);
    // Writes the project to the file, which is the document's file from then on.
    WriteOutcome save(const QString &path);

signals:
    // Each tells what a change, or its undo or redo, did to the project.
    // A page's speech or answers changed (a placeholder filled by a new page included).
    void pageChanged(qint16 page);
    // A page was put in at `page`, or taken out there: the later pages moved and the links to
    // them with them.
    void pageInserted(qint16 page);
    void pageRemoved(qint16 page);
    // Nothing of the project before is left (start, New, Open).
    void projectReplaced();
    void prefixChanged(const QString &prefix);
    void speakerChanged(const QString &speaker);
    void fileNameChanged(const QString &fileName);
    void modifiedChanged(bool modified);
    // A change was undone or redone: the page and answer that show it.
    void changeRevisited(qint16 page, qint16 answer);

private:
    friend class NameCommand;
    void storePrefix(const QString &prefix);
    void storeSpeaker(const QString &speaker);
    void startOver(const QString &fileName);

    QuestDialogs &m_project;
    QString m_prefix = defaultPrefix();
    QString m_fileName;
    QUndoStack *m_history;
};
