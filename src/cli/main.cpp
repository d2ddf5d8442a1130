#include "cli/Cli.h"
#include "core/text/CodePage.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

namespace {
// The C runtime's descriptors of the standard streams, the same on every system Qt runs on.
constexpr int standardOutput = 1;
constexpr int standardError = 2;
} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    QFile output;
    QFile errors;
    // Unbuffered, so that an output that cannot take the result (a full disk, a closed pipe)
    // fails the write itself and the exit status says so.
    if (!output.open(standardOutput, QIODevice::WriteOnly | QIODevice::Unbuffered) ||
        !errors.open(standardError, QIODevice::WriteOnly | QIODevice::Unbuffered))
        return ExitCode::Failure;
    QTextStream out(&output);
    QTextStream err(&errors);
    err.setEncoding(CodePage::encoding());
    return Cli().run(QCoreApplication::arguments().mid(1), out, err);
}
