#include "cli/Cli.h"

#include "core/definitions/ScriptFile.h"
#include "core/items/ItemHandling.h"
#include "core/items/ItemKind.h"
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

// The option's one value, or nothing (a mistake reported) when it was given more than once or empty.
std::optional<QString> single(const QCommandLineParser &parser, const QString &option, CliIo &io) {
    const QStringList values = parser.values(option);
    if (values.size() > 1)
        io.usageMistake(QStringLiteral("item: --%1 may be given once only").arg(option));
    else if (!values.isEmpty() && values.first().isEmpty())
        io.usageMistake(QStringLiteral("item: FILE is empty"));
    else
        return values.value(0);
    return std::nullopt;
}

// The section to start from: the named one of the file, or its first item; a new item without a file.
std::optional<DefinitionSection> startingSection(const QString &path, const QString &name, CliIo &io) {
    const DefinitionKind &kind = itemKind();
    if (path.isEmpty())
        return kind.fresh();
    const Outcome<ScriptFile> file = ScriptFile::read(path);
    if (!file.ok()) {
        io.fileFailure(*file.error);
        return std::nullopt;
    }
    const QString &type = kind.shape().sectionType;
    for (qsizetype i = 0; i < file.value.sections().size(); ++i) {
        const ScriptFile::Section &s = file.value.sections()[i];
        if (s.type.compare(type, Qt::CaseInsensitive) == 0 &&
            (name.isEmpty() || s.name.compare(name, Qt::CaseInsensitive) == 0 ||
             s.name.compare(kind.shape().namePrefix + name, Qt::CaseInsensitive) == 0))
            return file.value.section(i);
    }
    io.fileFailure(path, name.isEmpty() ? QStringLiteral("holds no [%1] section").arg(type)
                                        : QStringLiteral("holds no [%1 %2] section").arg(type, name));
    return std::nullopt;
}
} // namespace

int runItem(const QStringList &args, CliIo &io) {
    QCommandLineParser parser;
    const QString field = QStringLiteral("field"), key = QStringLiteral("key"), from = QStringLiteral("from"),
                  section = QStringLiteral("section"), into = QStringLiteral("into"),
                  additional = QStringLiteral("additional");
    parser.addOptions({{field, QString(), QStringLiteral("N=VALUE")},
                       {key, QString(), QStringLiteral("KEY=VALUE")},
                       {additional, QString(), QStringLiteral("FILE")},
                       {from, QString(), QStringLiteral("FILE")},
                       {section, QString(), QStringLiteral("NAME")},
                       {into, QString(), QStringLiteral("FILE")}});
    if (!readArguments(parser, QStringLiteral("item"), args, {}, io))
        return io.status();
    const std::optional<QString> additionalFile = single(parser, additional, io);
    const std::optional<QString> fromFile = additionalFile ? single(parser, from, io) : std::nullopt;
    const std::optional<QString> intoFile = fromFile ? single(parser, into, io) : std::nullopt;
    if (!intoFile)
        return io.status();
    const QStringList sectionNames = parser.values(section);
    if (sectionNames.size() > 1 || (!sectionNames.isEmpty() && fromFile->isEmpty()))
        return io.usageMistake(QStringLiteral("item: --section names one section of the --from file"));

    const DefinitionKind &kind = itemKind();
    const std::optional<DefinitionSection> base = startingSection(*fromFile, sectionNames.value(0), io);
    if (!base)
        return io.status();
    const FormValues shown = kind.formValues(*base);
    QStringList fields = ItemHandling::fields(shown);
    QString rest = shown.rest;
    for (const QString &assignment : parser.values(field)) {
        const qsizetype equals = assignment.indexOf(u'=');
        const int n = equals < 0 ? -1 : fieldNumber(QStringView(assignment).left(equals));
        if (n < 0)
            return io.usageMistake(
                QStringLiteral("item: --field needs N=VALUE with N from 0 to 35, not \"%1\"")
                    .arg(assignment));
        fields[n] = assignment.mid(equals + 1); // a field given twice keeps the last value
    }
    if (!additionalFile->isEmpty()) {
        Outcome<QString> read = TextFile::read(*additionalFile);
        if (!read.ok())
            return io.fileFailure(*read.error);
        rest = std::move(read.value);
    }
    FormValues form = ItemHandling::withFields(shown, fields);
    form.rest = rest;
    DefinitionSection item = kind.withForm(*base, shown, form);

    // Keys in the order given, each on the side the table gives it (the body for a key it lacks).
    const std::optional<QList<Assignment>> keys = assignments(parser, QStringLiteral("item"), key, io);
    if (!keys)
        return io.status();
    for (const Assignment &k : *keys) {
        const KeyEntry *entry = kind.keys().find(k.key, KeySide::Body);
        if (!entry)
            entry = kind.keys().find(k.key, KeySide::Create);
        const KeySide side = entry ? entry->side : KeySide::Body;
        if (entry && entry->repeats && !k.value.isEmpty())
            item.addValue(kind.keys(), side, k.key, k.value);
        else
            item.setValue(kind.keys(), side, k.key, k.value);
    }

    if (intoFile->isEmpty()) {
        if (!io.print(item.text()))
            return ExitCode::Failure;
    } else {
        const Outcome<qsizetype> saved = ScriptFile::save(*intoFile, item, ScriptFile::Place{item.name()});
        if (!saved.ok())
            return io.fileFailure(*saved.error);
        if (!io.printWritten({*intoFile}))
            return ExitCode::Failure;
    }
    io.warnings(QStringLiteral("item"), kind.warnings(item));
    return ExitCode::Ok;
}
