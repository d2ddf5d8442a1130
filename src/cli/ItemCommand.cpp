#include "cli/Cli.h"

#include "core/items/ItemHandling.h"
#include "core/text/TextFile.h"

#include <QCommandLineParser>
#include <algorithm>

namespace {
// The field number of "N=VALUE": plain decimal digits naming one of the fields, else -1.
int fieldNumber(QStringView number) {
    if (number.isEmpty() || number.size() > 2 ||
        !std::all_of(number.begin(), number.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return -1;
    const int n = number.toInt();
    return n < ItemHandling::FieldCount ? n : -1;
}

// Script text goes out with CR LF whatever line ends the additional file was saved with.
QString withCrLf(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return text;
}
} // namespace

int runItem(const QStringList &args, CliIo &io) {
    QCommandLineParser parser;
    const QCommandLineOption fieldOption(QStringLiteral("field"), QString(), QStringLiteral("N=VALUE"));
    const QCommandLineOption additionalOption(QStringLiteral("additional"), QString(),
                                              QStringLiteral("FILE"));
    parser.addOptions({fieldOption, additionalOption});
    if (!readArguments(parser, QStringLiteral("item"), args, {}, io))
        return io.status();

    QStringList fields(ItemHandling::FieldCount);
    for (const QString &assignment : parser.values(fieldOption)) {
        const qsizetype equals = assignment.indexOf(u'=');
        const int n = equals < 0 ? -1 : fieldNumber(QStringView(assignment).left(equals));
        if (n < 0)
            return io.usageMistake(
                QStringLiteral("item: --field needs N=VALUE with N from 0 to 35, not \"%1\"")
                    .arg(assignment));
        fields[n] = assignment.mid(equals + 1); // a field given twice keeps the last value
    }

    QString additional;
    const QStringList additionalFiles = parser.values(additionalOption);
    if (additionalFiles.size() > 1)
        return io.usageMistake(QStringLiteral("item: --additional may be given once only"));
    if (!additionalFiles.isEmpty()) {
        const QString &path = additionalFiles.first();
        if (path.isEmpty())
            return io.usageMistake(QStringLiteral("item: FILE is empty"));
        Outcome<QString> read = TextFile::read(path);
        if (!read.ok())
            return io.fileFailure(*read.error);
        additional = std::move(read.value);
    }
    for (const QString &warning : ItemHandling::warnings(fields))
        io.warn(QStringLiteral("item: warning: %1").arg(warning));
    return io.print(withCrLf(CompileItem(fields) + additional)) ? ExitCode::Ok : ExitCode::Failure;
}
