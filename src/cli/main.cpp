#include "cli/Cli.h"
#include "core/text/CodePage.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>
#include <unistd.h>

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    QFile output;
    QFile errors;
    // Unbuffered, so that an output that cannot take the result (a full disk, a closed pipe)
    // fails the write itself and the exit status says so.
    if (!output.open(STDOUT_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered) ||
        !errors.open(STDERR_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered))
        return ExitCode::Failure;
    QTextStream out(&output);
    QTextStream err(&errors);
    err.setEncoding(CodePage::encoding());
    return Cli().run(QCoreApplication::arguments().mid(1), out, err);
}
