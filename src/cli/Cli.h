#pragma once

#include "core/dialogs/ProjectFile.h"
#include <QString>
#include <QStringList>

class QCommandLineParser;
class QTextStream;
class QuestDialogs;

namespace ExitCode {
constexpr int Ok = 0;
constexpr int Findings = 1; // check found an error, or export or npc refused to write one
constexpr int Failure = 2;  // a usage mistake, or a file that cannot be read or written
} // namespace ExitCode

// The two streams a command talks through. Results go out whole or not at all; every message
// on the error stream starts with the program's name.
class CliIo {
public:
    CliIo(QTextStream &out, QTextStream &err) : m_out(out), m_err(err) {}

    // Writes the text to the output in the files' code page. When a character cannot be
    // encoded, or the output cannot be written, nothing goes out, the reason is reported and
    // the result is false.
    bool print(const QString &text);
    // "wrote FILE" for each file, FILE with the system's separators; as print.
    bool printWritten(const QStringList &files);

    // "runequill-cli: FILE: reason", FILE with the system's separators; the result is
    // ExitCode::Failure.
    int fileFailure(const QString &file, const QString &reason);
    int fileFailure(const FileError &error) { return fileFailure(error.path, error.reason); }
    // "runequill-cli: message" on the error stream.
    void warn(const QString &message) { report(message); }
    // "runequill-cli: COMMAND: warning: TEXT" for each warning.
    void warnings(const QString &command, const QStringList &found);
    // The mistake, then the usage; the result is ExitCode::Failure.
    int usageMistake(const QString &message);
    // The exit status of what went out so far: ExitCode::Failure once a result could not be
    // printed or a failure or mistake was reported, else ExitCode::Ok.
    int status() const { return m_status; }

private:
    void report(const QString &message);

    int m_status = ExitCode::Ok;
    QTextStream &m_out;
    QTextStream &m_err;
};

// The texts that describe the program itself. All plain ASCII, so that any code page holds them.
namespace Usage {

QString programName();
// The short synopsis printed after a usage mistake.
QString usage();
// The full description printed by --help.
QString help();
// "runequill-cli" and the version number, on one line.
QString version();

} // namespace Usage

// Reads a command's options and file names with the parser the command has set up. Nothing
// when the command is already over: --help was printed, or a usage mistake (an unknown option,
// a missing or empty file name, an extra argument) was reported; io.status() is then its exit
// status.
std::optional<QStringList> readArguments(QCommandLineParser &parser, const QString &command,
                                         const QStringList &args, const QStringList &fileNames, CliIo &io);

// Reads a project file as the Dialog Studio's "Open..." does: the project is cleared, then the
// file's pages are added. Nothing, with the file name and the reason reported, when the file
// is missing, cannot be read, is damaged or holds more pages than a project can.
std::optional<ProjectFile::Header> loadProject(const QString &path, QuestDialogs &project, CliIo &io);

// The command-line companion: export, tree, check, item and npc, for batch use without the
// windows.
class Cli {
public:
    // Runs one command line. `args` are the arguments after the program's name. Results go to
    // `out` (through its device, when it has one, as bytes in the files' code page), messages to
    // `err`. The result is the exit status: 0 done, 1 check found an error or export refused
    // to write one, 2 failure.
    int run(const QStringList &args, QTextStream &out, QTextStream &err);
};

// The values of a repeatable option "--OPTION KEY=VALUE", in order, each KEY as the server reads
// keys; nothing, with the mistake reported, when one is not.
struct Assignment {
    QString key, value;
};
std::optional<QList<Assignment>> assignments(const QCommandLineParser &parser, const QString &command,
                                             const QString &option, CliIo &io);

// The commands, one file each: they read their own options and report through `io`; the
// result is the exit status.
int runExport(const QStringList &args, CliIo &io);
int runTree(const QStringList &args, CliIo &io);
int runCheck(const QStringList &args, CliIo &io);
int runItem(const QStringList &args, CliIo &io);
int runNpc(const QStringList &args, CliIo &io);

// The analysis view as text: each page's node text on a line of its own, each of its answers'
// below it, indented by two spaces; LF line ends. A line break inside a text shows as
// "<var.br>", as the script and the project file write it, so that every node keeps its line.
QString treeText(const QuestDialogs &project);
