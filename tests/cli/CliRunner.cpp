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

QString CliFiles::write(const QString &name, std::initializer_list<const char *> lines) {
    const QString file = path(name);
    TestSupport::writeFile(file, TestSupport::crlfLines(lines));
    return file;
}

const std::initializer_list<const char *> guardProject = {"d_guard",
                                                          "Guard",
                                                          "PAGE 0",
                                                          "Halt! *[raises a hand*/] Who goes there?",
                                                          "SELECTION A friend",
                                                          "1",
                                                          "0",
                                                          "SELECTION Nobody",
                                                          "-1",
                                                          "1",
                                                          "PAGE 1",
                                                          "Welcome, friend.",
                                                          "SELECTION Thanks",
                                                          "-1",
                                                          "1",
                                                          ""};
