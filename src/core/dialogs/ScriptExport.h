#pragma once

#include "core/text/FileError.h"

#include <QString>
#include <QStringList>

class QuestDialogs;

// Writing a project's dialog script where the server reads it: one file, or numbered parts
// when it would be too big for the server to load, and the support script that defines what
// exported dialogs call.
namespace ScriptExport {

// The server skips a script file bigger than this (and then fails to start).
constexpr qsizetype MaxFileBytes = 5'000'000;

// The support script's name, beside the dialog script.
QString supportFileName();
// The support script's text.
QByteArray supportScript();

// The line as the server hands it to the client once the support script's variables
// ("<var.br>" and the three colours) are filled in.
QString withSupportValues(const QString &line);

// Part `part` (1, 2, ...) of the script at `path`: part 1 is `path` itself, part n of
// "guard.scp" is "guard_part{n}.scp". The server loads every .scp file of a folder and knows a
// file by its name alone, so each part gets a name of its own.
QString partPath(const QString &path, int part);

// The first character (a whole one, also beyond U+FFFF) of the prefix the server cannot use in
// a section name (anything but ASCII letters, digits and "_"), or 0 when it can use it all.
char32_t unusablePrefixCharacter(const QString &prefix);
// "The dialog prefix cannot hold "X": ..." for that character.
QString unusablePrefixMessage(char32_t c);

// What an export wrote.
struct Written {
    QStringList files;    // every file written, the script's parts first, in order
    QStringList newParts; // the parts (2, 3, ...) among them that were not there before
};

// Writes the script, split at page boundaries into parts of at most MaxFileBytes bytes when it
// is bigger (each part opens with the script's first line). Where an earlier export wrote the
// script, every page name it had and this one has not is written again as empty sections after
// the pages, in the file that held it, and a part no longer needed keeps only its first line
// and those sections: a server that reloads its scripts would otherwise go on serving the old
// pages. Each file replaced is left with a modification time at least a second later than the
// earlier one's, which the server needs to see it as changed. `partBytes` lowers the size of a
// part, so that tests can split a small script; it never raises it above MaxFileBytes.
Outcome<Written> writeScript(const QuestDialogs &project, const QString &prefix, const QString &path,
                             qsizetype partBytes = MaxFileBytes);

// The whole export: refuses a prefix the server cannot use, writes the script and, when the
// folder holds none, the support script. Empty texts are written with their defaults; the
// project itself is left as it is.
Outcome<Written> exportProject(const QuestDialogs &project, const QString &prefix, const QString &path,
                               qsizetype partBytes = MaxFileBytes);

} // namespace ScriptExport
