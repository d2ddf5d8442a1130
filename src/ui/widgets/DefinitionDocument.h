#pragma once

#include "core/definitions/ScriptFile.h"

#include <QString>
#include <functional>
#include <optional>

class Navigator;
class QMainWindow;
class UserPrompts;

// The document of a creator window (the Item Creator, the NPC Creator): one definition, new or
// read from a script file of many sections, into which Save writes it back in place. It keeps
// the file, which section of it the definition is and whether the form changed since, and does
// the Script menu's file commands over them, asking before unsaved work is lost. The window's
// title names the file and marks unsaved work. What the form holds and makes is the window's:
// the document is told how to show a section and how to build and write the form's.
class DefinitionDocument {
public:
    struct Kind {
        QString sectionType; // "ITEMDEF": the sections "Open..." offers
        QString noun;        // "item": "Which item?", "The item has changed. Save it?"
        QString caption;     // the window's title, after the file's name
        QString dialog;      // the name under which the script dialogs' folder is remembered
    };
    struct Form {
        // Shows a new definition, or the section at `index` of a file as read; neither is unsaved.
        std::function<void()> showNew;
        std::function<void(const ScriptFile &file, qsizetype index)> showRead;
        // The section the form makes now.
        std::function<DefinitionSection()> compiled;
        // Writes what the form makes into the file (ScriptFile::save) and, when written, takes it
        // as the section read; the value is its occurrence.
        std::function<Outcome<qsizetype>(const QString &path,
                                         const std::optional<ScriptFile::Place> &replacing)>
            write;
    };

    DefinitionDocument(QMainWindow &window, UserPrompts &prompts, Navigator &navigator, Kind kind, Form form);

    // Whether the form changed since it was opened, saved or copied.
    bool isChanged() const { return m_changed; }
    void setChanged(bool changed);
    // The file the definition was read from or saved to, which Save writes; empty for a new one.
    const QString &fileName() const { return m_file; }
    // The last chosen script file name; the save and open dialogs start from it.
    QString cdlScript;

    // "New", "Open...", "Save", "Save As...": the last two true when the definition was written.
    void startNew();
    void open();
    bool save();
    bool saveAs();
    // "Copy": the text goes to the clipboard, which counts as saved.
    void copy(const QString &text);
    // "Return": the main window instead of this one.
    void returnToMain();
    // Asks what to do with unsaved work; true when the form may be thrown away.
    bool mayDiscard();

private:
    bool writeInto(const QString &path, const std::optional<ScriptFile::Place> &replacing);
    void setFile(const QString &file, const ScriptFile::Place &place);

    QMainWindow &m_window;
    UserPrompts &m_prompts;
    Navigator &m_navigator;
    const Kind m_kind;
    const Form m_form;
    QString m_file;
    ScriptFile::Place m_place; // the definition's section in the file: its name, which of that name
    bool m_changed = false;
};
