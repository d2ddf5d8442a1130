#include "cli/Cli.h"

#include "core/dialogs/ExportNotes.h"
#include "core/dialogs/ProjectCheck.h"
#include "core/dialogs/QuestDialogs.h"
#include "core/dialogs/ScriptExport.h"
#include "core/text/FileTypes.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace {
// A script written over a project file would destroy the very work it was made from, and
// swapping the two file names is an easy slip: such a target is refused.
QString overwriteRefusal(const QString &projectPath, const QString &scriptPath) {
    const QFileInfo project(projectPath);
    const QFileInfo script(scriptPath);
    if (FileTypes::isProjectFile(scriptPath))
        return QStringLiteral("will not write a script over a project file (.QDS)");
    if (script.exists() && project.exists() && script.canonicalFilePath() == project.canonicalFilePath())
        return QStringLiteral("will not write the script over the project file it is made from");
    return {};
}
} // namespace

int runExport(const QStringList &args, CliIo &io) {
    QCommandLineParser parser;
    const QCommandLineOption prefixOption(QStringLiteral("prefix"), QString(), QStringLiteral("P"));
    const QCommandLineOption speakerOption(QStringLiteral("speaker"), QString(), QStringLiteral("S"));
    const QCommandLineOption forceOption(QStringLiteral("force"));
    parser.addOptions({prefixOption, speakerOption, forceOption});
    const std::optional<QStringList> files =
        readArguments(parser, QStringLiteral("export"), args,
                      {QStringLiteral("PROJECT.QDS"), QStringLiteral("SCRIPT.scp")}, io);
    if (!files)
        return io.status();
    const QString &projectPath = (*files)[0];
    const QString &scriptPath = (*files)[1];

    if (const QString refusal = overwriteRefusal(projectPath, scriptPath); !refusal.isEmpty())
        return io.fileFailure(scriptPath, refusal);

    QuestDialogs project;
    const std::optional<ProjectFile::Header> file = loadProject(projectPath, project, io);
    if (!file)
        return ExitCode::Failure;

    const QString prefix =
        parser.isSet(prefixOption) ? parser.value(prefixOption) : file->prefix.value_or(QString());
    const QString speaker =
        parser.isSet(speakerOption) ? parser.value(speakerOption) : file->speaker.value_or(QString());
    // As in the studio, an empty speaker leaves the project's own, which is written as its default.
    if (!speaker.isEmpty())
        project.setSpeaker(speaker);
    if (const char32_t c = ScriptExport::unusablePrefixCharacter(prefix))
        return io.fileFailure(scriptPath, ScriptExport::unusablePrefixMessage(c));
    const std::vector<Finding> errors = exportErrors(project, prefix, project.Speaker());
    for (const Finding &error : errors)
        io.warn(QStringLiteral("%1: %2: error: %3").arg(projectPath, findingPlace(error), error.message));
    if (!errors.empty() && !parser.isSet(forceOption)) {
        io.warn(QStringLiteral("%1: not written: the server would refuse or misread the script (--force "
                               "writes it all the same)")
                    .arg(scriptPath));
        return ExitCode::Findings;
    }

    const Outcome<ScriptExport::Written> written = ScriptExport::exportProject(project, prefix, scriptPath);
    if (!written.ok())
        return io.fileFailure(*written.error);
    if (!io.printWritten(written.value.files))
        return ExitCode::Failure;
    for (const QString &part : written.value.newParts)
        io.warn(ExportNotes::newPartNotice(part));
    return ExitCode::Ok;
}
