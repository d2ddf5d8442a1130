#pragma once

#include <QString>

// The program's two kinds of files, as every file dialog and command line names them: SPHERE
// scripts (*.scp) and Dialog Studio projects (*.QDS).
namespace FileTypes {

// The file dialogs' filters, in Qt's form.
QString scriptFilter();
QString projectFilter();

// A name chosen without an extension gets the kind's own (".scp", ".QDS").
QString withScriptExtension(const QString &name);
QString withProjectExtension(const QString &name);

// True for the name of a project file (".QDS" in any case).
bool isProjectFile(const QString &name);

// The project a name given on the command line means: the name itself, or the name with
// ".QDS" added when only that file exists.
QString projectNamed(const QString &name);

} // namespace FileTypes
