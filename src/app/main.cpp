#include "ui/shell/AppNavigator.h"

#include <QApplication>
#include <QCommandLineParser>

namespace {
void nameTheProgram() {
    // QSettings keeps what the program remembers under these names.
    QCoreApplication::setOrganizationName(QStringLiteral("Runequill"));
    QCoreApplication::setApplicationName(QStringLiteral("Runequill"));
    QCoreApplication::setApplicationVersion(QStringLiteral(RUNEQUILL_VERSION));
}

// The project files named on the command line. --help and --version answer and end the
// program here, before any window system is needed.
QStringList readCommandLine(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    nameTheProgram();
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Writes SPHERE scripts: NPC dialogs in the Dialog Studio, items in the Item Creator."));
    parser.addHelpOption();
    parser.addVersionOption();
    // The window system's own options are read by QApplication later; here they are let through.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const char *name : {"platform", "style", "stylesheet", "display", "qwindowgeometry"}) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    QCommandLineOption reverse(QStringLiteral("reverse"));
    reverse.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(reverse);
    parser.addPositionalArgument(QStringLiteral("FILE.QDS"),
                                 QStringLiteral("A Dialog Studio project to open at start."),
                                 QStringLiteral("[FILE.QDS]"));
    parser.process(app);
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        parser.showHelp(2);
    return files;
}
} // namespace

int main(int argc, char *argv[]) {
    const QStringList files = readCommandLine(argc, argv);
    QApplication app(argc, argv);
    nameTheProgram();
    AppNavigator navigator;
    if (files.isEmpty())
        navigator.openMain();
    else
        navigator.openProjectFile(files.first());
    return app.exec();
}
