#pragma once

#include "core/dialogs/ProjectFile.h"

class CliIo;
class QuestDialogs;

// Reads a project file as the Dialog Studio's "Open..." does: the project is cleared, then the
// file's pages are added. False, with the file name and the reason reported, when the file is
// missing, cannot be read, is damaged or holds more pages than a project can.
bool loadProject(const QString &path, QuestDialogs &project, ProjectFile::ReadResult &result, CliIo &io);
