#include "cli/CommandArguments.h"

#include "cli/CliIo.h"
#include "cli/Usage.h"

#include <QCommandLineParser>

CommandArguments readArguments(QCommandLineParser &parser, const QString &command, const QStringList &args,
                               const QStringList &fileNames, CliIo &io) {
    const QCommandLineOption help(QStringLiteral("help"));
    parser.addOption(help);
    // The parser takes the first entry for the program's name.
    if (!parser.parse(QStringList{Usage::programName()} + args))
        return {false, io.usageMistake(QStringLiteral("%1: %2").arg(command, parser.errorText())), {}};
    if (parser.isSet(help))
        return {false, io.print(Usage::help()) ? ExitCode::Ok : ExitCode::Failure, {}};

    const QStringList files = parser.positionalArguments();
    if (files.size() < fileNames.size())
        return {false,
                io.usageMistake(QStringLiteral("%1: %2 is missing").arg(command, fileNames[files.size()])),
                {}};
    if (files.size() > fileNames.size())
        return {false,
                io.usageMistake(
                    QStringLiteral("%1: unexpected argument \"%2\"").arg(command, files[fileNames.size()])),
                {}};
    for (qsizetype i = 0; i < files.size(); ++i) {
        if (files[i].isEmpty())
            return {false, io.usageMistake(QStringLiteral("%1: %2 is empty").arg(command, fileNames[i])), {}};
    }
    return {true, ExitCode::Ok, files};
}
