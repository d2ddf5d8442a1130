#include "cli/Cli.h"

#include "core/dialogs/ProjectCheck.h"
#include "core/dialogs/QuestDialogs.h"

#include <QCommandLineParser>
#include <algorithm>

namespace {
QString findingLine(const QString &file, const Finding &finding) {
    QString line = file + QStringLiteral(": ") + findingPlace(finding);
    line += finding.severity == Finding::Error ? QStringLiteral(": error: ") : QStringLiteral(": warning: ");
    return line + finding.message + u'\n';
}
} // namespace

int runCheck(const QStringList &args, CliIo &io) {
    QCommandLineParser parser;
    const std::optional<QStringList> files =
        readArguments(parser, QStringLiteral("check"), args, {QStringLiteral("PROJECT.QDS")}, io);
    if (!files)
        return io.status();
    const QString &path = files->first();
    QuestDialogs project;
    const std::optional<ProjectFile::Header> file = loadProject(path, project, io);
    if (!file)
        return ExitCode::Failure;

    const std::vector<Finding> findings =
        checkProject(project, file->prefix.value_or(QString()), file->speaker.value_or(QString()));
    QString text;
    for (const Finding &finding : findings)
        text += findingLine(path, finding);
    if (!io.print(text))
        return ExitCode::Failure;
    const bool anyError = std::any_of(findings.begin(), findings.end(),
                                      [](const Finding &f) { return f.severity == Finding::Error; });
    return anyError ? ExitCode::Findings : ExitCode::Ok;
}
