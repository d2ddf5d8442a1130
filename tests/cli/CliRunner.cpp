#include "CliRunner.h"

#include "cli/Cli.h"
#include "support/TestSupport.h"

#include <QBuffer>
#include <QTextStream>

CliResult runCli(const QStringList &args) {
    CliResult result;
    QBuffer out(&result.out);
    out.open(QIODevice::WriteOnly);
    QTextStream outStream(&out);
    QTextStream errStream(&result.err);
    result.code = Cli().run(args, outStream, errStream);
    return result;
}
