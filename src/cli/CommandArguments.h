#pragma once

#include <QStringList>

class CliIo;
class QCommandLineParser;

// Reads a command's options and file names with the parser the command has set up.
// `proceed` is false when the command is already over: --help was printed, or a usage mistake
// (an unknown option, a missing or empty file name, an extra argument) was reported; `code`
// is then its exit status.
struct CommandArguments {
    bool proceed = false;
    int code = 0;
    QStringList files;
};

CommandArguments readArguments(QCommandLineParser &parser, const QString &command, const QStringList &args,
                               const QStringList &fileNames, CliIo &io);
