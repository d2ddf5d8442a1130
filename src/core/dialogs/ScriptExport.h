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

// The first character of the prefix the server cannot use in a section name (anything but
// ASCII letters, digits and "_"), or a null QChar when it can use it all.
QChar unusablePrefixCharacter(const QString &prefix);
// "The dialog prefix cannot hold "X": ..." for that character.
QString unusablePrefixMessage(QChar c);

// Writes the script, split at page boundaries into parts of at most MaxFileBytes bytes when it
// is bigger (each part opens with the script's first line), and removes any later part an
// earlier, bigger export left. The value is the files written, part 1 first.
Outcome<QStringList> writeScript(const QuestDialogs &project, const QString &prefix, const QString &path);

// The whole export: refuses a prefix the server cannot use, writes the script (with the
// defaults for an empty speaker and empty answers, which the project keeps as they are) and,
// when the folder holds none, the support script. The value is every file written.
Outcome<QStringList> exportProject(QuestDialogs &project, const QString &prefix, const QString &path);

} // namespace ScriptExport
