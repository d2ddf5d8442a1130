#include "cli/ProjectLoading.h"

#include "cli/CliIo.h"
#include "core/dialogs/QuestDialogs.h"

bool loadProject(const QString &path, QuestDialogs &project, ProjectFile::ReadResult &result, CliIo &io) {
    project.Clear();
    result = ProjectFile::read(path, project);
    switch (result.status) {
    case ProjectFile::ReadResult::Ok:
        return true;
    case ProjectFile::ReadResult::NotFound:
        io.fileFailure(path, QStringLiteral("no such file"));
        return false;
    case ProjectFile::ReadResult::Damaged:
        io.fileFailure(path, ProjectFile::damagedMessage());
        return false;
    case ProjectFile::ReadResult::CannotRead:
    case ProjectFile::ReadResult::TooManyPages:
        break;
    }
    io.fileFailure(path, result.reason);
    return false;
}
