#include "cli/Cli.h"

#include "core/dialogs/AnalysisNodes.h"
#include "core/dialogs/QuestDialogs.h"
#include "core/dialogs/ScriptWriter.h"

#include <QCommandLineParser>

QString treeText(const QuestDialogs &project) {
    QString text;
    for (qint16 n = 0; n < project.Count(); ++n) {
        const Dialog &page = project.Dialog(n);
        text += ScriptWriter::joinLines(AnalysisNodes::pageText(n, page)) + u'\n';
        for (qint16 k = 0; k < page.SelectionCount(); ++k)
            text += QStringLiteral("  ") +
                    ScriptWriter::joinLines(AnalysisNodes::answerText(k, page.Selection(k))) + u'\n';
    }
    return text;
}

int runTree(const QStringList &args, CliIo &io) {
    QCommandLineParser parser;
    const std::optional<QStringList> files =
        readArguments(parser, QStringLiteral("tree"), args, {QStringLiteral("PROJECT.QDS")}, io);
    if (!files)
        return io.status();
    QuestDialogs project;
    if (!loadProject(files->first(), project, io))
        return ExitCode::Failure;
    return io.print(treeText(project)) ? ExitCode::Ok : ExitCode::Failure;
}
