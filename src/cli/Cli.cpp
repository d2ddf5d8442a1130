#include "cli/Cli.h"

#include "cli/CheckCommand.h"
#include "cli/CliIo.h"
#include "cli/ExportCommand.h"
#include "cli/ItemCommand.h"
#include "cli/TreeCommand.h"
#include "cli/Usage.h"

#include <QTextStream>

namespace {
int dispatch(const QStringList &args, CliIo &io) {
    if (args.isEmpty())
        return io.usageMistake(QStringLiteral("no command given"));
    const QString &command = args.first();
    const QStringList rest = args.mid(1);
    if (command == QLatin1String("--help") && rest.isEmpty())
        return io.print(Usage::help()) ? ExitCode::Ok : ExitCode::Failure;
    if (command == QLatin1String("--version") && rest.isEmpty())
        return io.print(Usage::version()) ? ExitCode::Ok : ExitCode::Failure;
    if (command == QLatin1String("export"))
        return runExport(rest, io);
    if (command == QLatin1String("tree"))
        return runTree(rest, io);
    if (command == QLatin1String("check"))
        return runCheck(rest, io);
    if (command == QLatin1String("item"))
        return runItem(rest, io);
    if (command.startsWith(u'-') && !rest.isEmpty())
        return io.usageMistake(QStringLiteral("%1 takes no arguments").arg(command));
    return io.usageMistake(QStringLiteral("unknown command \"%1\"").arg(command));
}
} // namespace

int Cli::run(const QStringList &args, QTextStream &out, QTextStream &err) {
    CliIo io(out, err);
    const int code = dispatch(args, io);
    out.flush();
    err.flush();
    return code;
}
