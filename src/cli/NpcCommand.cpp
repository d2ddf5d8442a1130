#include "cli/Cli.h"

#include "core/characters/CharacterKind.h"
#include "core/characters/CharacterScript.h"
#include "core/dialogs/ExportNotes.h"
#include "core/dialogs/ProjectCheck.h"
#include "core/dialogs/QuestDialogs.h"
#include "core/text/FileTypes.h"

#include <QCommandLineParser>

namespace {
// The form's single key of that side and group, or -1.
qsizetype fieldOf(const QString &key, KeySide side) {
    const KeyTable &table = characterKind().keys();
    const KeyEntry *entry = table.find(key, side);
    return entry && !entry->repeats && !entry->group.isEmpty() ? table.rank(entry) : -1;
}

// "--key" and "--create" on the form, in order; the keys the form has no place for are left in
// `others`, to be set on the section.
void fill(CharacterForm &form, const QList<Assignment> &body, const QList<Assignment> &create,
          QList<Assignment> &others, QList<Assignment> &otherCreate) {
    for (const Assignment &k : body) {
        if (const qsizetype at = fieldOf(k.key, KeySide::Body); at >= 0)
            form.values.values[at] = k.value;
        else if (k.key.compare(QLatin1String("TSPEECH"), Qt::CaseInsensitive) == 0)
            k.value.isEmpty() ? form.speeches.clear() : form.speeches.append(k.value);
        else
            others << k;
    }
    for (const Assignment &k : create) {
        if (const qsizetype at = fieldOf(k.key, KeySide::Create); at >= 0)
            form.values.values[at] = k.value;
        else if (CharacterForms::isItemKey(k.key))
            form.items.append(
                {k.value, QString(), k.key.compare(QLatin1String("ITEMNEWBIE"), Qt::CaseInsensitive) == 0});
        else if (k.key.compare(QLatin1String("COLOR"), Qt::CaseInsensitive) == 0)
            (form.items.isEmpty() ? form.skin : form.items.last().colour) = k.value;
        else
            otherCreate << k;
    }
}

struct Conversation {
    QString path;
    QuestDialogs project;
    QString prefix, speaker;
};

// Reads the project and makes the link; nothing (reported) when it cannot be read or its prefix
// cannot name the server's sections.
bool readConversation(Conversation &talk, CliIo &io) {
    const std::optional<ProjectFile::Header> header = loadProject(talk.path, talk.project, io);
    if (!header)
        return false;
    talk.prefix = header->prefix.value_or(QString());
    talk.speaker = header->speaker.value_or(QString());
    if (talk.prefix.isEmpty()) {
        io.fileFailure(talk.path, QStringLiteral("has no dialog prefix, which names the page to open"));
        return false;
    }
    if (const char32_t c = ScriptExport::unusablePrefixCharacter(talk.prefix)) {
        io.fileFailure(talk.path, ScriptExport::unusablePrefixMessage(c));
        return false;
    }
    return true;
}

// Writes the conversation and the NPC; false (reported) when something could not be written.
int write(const QString &out, const CharacterScript &script, Conversation *talk, CliIo &io) {
    QStringList written;
    if (talk) {
        const std::vector<Finding> errors = exportErrors(talk->project, talk->prefix, talk->speaker);
        for (const Finding &error : errors)
            io.warn(QStringLiteral("%1: %2: error: %3").arg(talk->path, findingPlace(error), error.message));
        if (!errors.empty()) {
            io.warn(QStringLiteral("%1: not written: the server would refuse or misread the conversation")
                        .arg(out));
            return ExitCode::Findings;
        }
        const Outcome<ScriptExport::Written> exported =
            CharacterScripts::exportConversation(talk->project, talk->prefix, talk->speaker, talk->path, out);
        if (!exported.ok())
            return io.fileFailure(*exported.error);
        for (const QString &part : exported.value.newParts)
            io.warn(ExportNotes::newPartNotice(part));
        written = exported.value.files;
    }
    const Outcome<qsizetype> saved =
        CharacterScripts::save(out, script, ScriptFile::Place{script.character.name()},
                               script.speech ? script.speech->name() : QString());
    if (!saved.ok())
        return io.fileFailure(*saved.error);
    written.prepend(out);
    return io.printWritten(written) ? ExitCode::Ok : ExitCode::Failure;
}
} // namespace

int runNpc(const QStringList &args, CliIo &io) {
    QCommandLineParser parser;
    const QString name = QStringLiteral("name"), key = QStringLiteral("key"),
                  create = QStringLiteral("create"), conversation = QStringLiteral("conversation"),
                  word = QStringLiteral("word"), noClick = QStringLiteral("no-dclick"),
                  out = QStringLiteral("out");
    parser.addOptions({{name, QString(), QStringLiteral("NAME")},
                       {key, QString(), QStringLiteral("KEY=VALUE")},
                       {create, QString(), QStringLiteral("KEY=VALUE")},
                       {conversation, QString(), QStringLiteral("P.QDS")},
                       {word, QString(), QStringLiteral("W")},
                       QCommandLineOption(noClick),
                       {out, QString(), QStringLiteral("FILE.scp")}});
    if (!readArguments(parser, QStringLiteral("npc"), args, {}, io))
        return io.status();
    for (const QString &option : {name, conversation, out})
        if (parser.values(option).size() > 1 || (parser.isSet(option) && parser.value(option).isEmpty()))
            return io.usageMistake(QStringLiteral("npc: --%1 needs one value, given once").arg(option));
    if (!parser.isSet(conversation) && (parser.isSet(word) || parser.isSet(noClick)))
        return io.usageMistake(QStringLiteral("npc: --word and --no-dclick go with --conversation"));
    const QString outFile = parser.value(out);
    if (FileTypes::isProjectFile(outFile))
        return io.fileFailure(outFile, QStringLiteral("will not write a script over a project file (.QDS)"));
    const QString command = QStringLiteral("npc");
    const std::optional<QList<Assignment>> body = assignments(parser, command, key, io);
    const std::optional<QList<Assignment>> made =
        body ? assignments(parser, command, create, io) : std::nullopt;
    if (!made)
        return io.status();

    CharacterForm form = CharacterForms::newCharacter();
    form.values.name = parser.value(name);
    QList<Assignment> others, otherCreate;
    fill(form, *body, *made, others, otherCreate);
    std::optional<Conversation> talk;
    QStringList notes;
    if (parser.isSet(conversation)) {
        talk.emplace();
        talk->path = parser.value(conversation);
        if (!readConversation(*talk, io))
            return io.status();
        ConversationLink link{talk->prefix};
        if (parser.isSet(word))
            link.words = parser.values(word);
        link.doubleClick = !parser.isSet(noClick);
        form.link = link;
        if (talk->speaker.isEmpty()) {
            talk->speaker = CharacterForms::npcName(form);
            notes << QStringLiteral(
                         "%1 has no speaker: the NPC's name, \"%2\", is exported as the speaker (an "
                         "empty one shows \"0\" on a page a greeting opens)")
                         .arg(talk->path, talk->speaker);
        }
    }

    CharacterScript script =
        CharacterScripts::withForm(CharacterScripts::fresh(), CharacterForms::empty(), form);
    const KeyTable &table = characterKind().keys();
    for (const Assignment &k : others)
        script.character.setValue(table, KeySide::Body, k.key, k.value);
    for (const Assignment &k : otherCreate)
        script.character = CharacterForms::withNpcKey(script.character, k.key, k.value);

    const int status = outFile.isEmpty()
                           ? (io.print(CharacterScripts::text(script)) ? ExitCode::Ok : ExitCode::Failure)
                           : write(outFile, script, talk ? &*talk : nullptr, io);
    if (status == ExitCode::Failure)
        return status;
    io.warnings(command, notes + CharacterScripts::warnings(script, form));
    return status;
}
