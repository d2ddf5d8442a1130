#include "cli/Cli.h"
#include "cli/CliIo.h"
#include "platform/CodePage.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>
#include <cstdio>

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    QFile output;
    QFile errors;
    if (!output.open(stdout, QIODevice::WriteOnly) || !errors.open(stderr, QIODevice::WriteOnly))
        return ExitCode::Failure;
    QTextStream out(&output);
    QTextStream err(&errors);
    err.setEncoding(CodePage::encoding());
    return Cli().run(QCoreApplication::arguments().mid(1), out, err);
}
