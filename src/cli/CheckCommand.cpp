#include "cli/CheckCommand.h"

#include "cli/CliIo.h"
#include "cli/CommandArguments.h"
#include "cli/ProjectLoading.h"
#include "core/dialogs/ProjectCheck.h"
#include "core/dialogs/QuestDialogs.h"

#include <QCommandLineParser>
#include <algorithm>

namespace {
QString findingLine(const QString &file, const Finding &finding) {
    QString line = QStringLiteral("%1: page %2").arg(file, QString::number(finding.page));
    if (finding.answer >= 0)
        line += QStringLiteral(", answer %1").arg(QString::number(finding.answer));
    line += finding.severity == Finding::Error ? QStringLiteral(": error: ") : QStringLiteral(": warning: ");
    return line + finding.message + u'\n';
}
} // namespace

int runCheck(const QStringList &args, CliIo &io) {
    QCommandLineParser parser;
    const CommandArguments arguments =
        readArguments(parser, QStringLiteral("check"), args, {QStringLiteral("PROJECT.QDS")}, io);
    if (!arguments.proceed)
        return arguments.code;
    const QString &path = arguments.files[0];
    QuestDialogs project;
    ProjectFile::ReadResult file;
    if (!loadProject(path, project, file, io))
        return ExitCode::Failure;

    const std::vector<Finding> findings = checkProject(project, file.prefix, file.speaker);
    QString text;
    for (const Finding &finding : findings)
        text += findingLine(path, finding);
    if (!io.print(text))
        return ExitCode::Failure;
    const bool anyError = std::any_of(findings.begin(), findings.end(),
                                      [](const Finding &f) { return f.severity == Finding::Error; });
    return anyError ? ExitCode::Findings : ExitCode::Ok;
}
