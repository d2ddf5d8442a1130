#include "cli/Cli.h"

#include "core/definitions/DefinitionSection.h"
#include "core/dialogs/QuestDialogs.h"
#include "core/text/CodePage.h"
#include <QCommandLineParser>
#include <QDir>
#include <QIODevice>
#include <QTextStream>

bool CliIo::print(const QString &text) {
    const Outcome<QByteArray> bytes = CodePage::encode(text);
    if (!bytes.ok()) {
        report(QStringLiteral("cannot print the result: %1").arg(bytes.error->reason));
        m_status = ExitCode::Failure;
        return false;
    }
    QIODevice *device = m_out.device();
    if (!device) {
        m_out << text; // a stream over a string holds text, not bytes
        return true;
    }
    // The bytes go straight to the device so that they are exactly the code page's.
    m_out.flush();
    if (device->write(bytes.value) != bytes.value.size()) {
        report(QStringLiteral("cannot print the result: %1").arg(device->errorString()));
        m_status = ExitCode::Failure;
        return false;
    }
    return true;
}

bool CliIo::printWritten(const QStringList &files) {
    QString report;
    for (const QString &file : files)
        report += QStringLiteral("wrote %1\n").arg(QDir::toNativeSeparators(file));
    return print(report);
}

int CliIo::fileFailure(const QString &file, const QString &reason) {
    report(QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(file), reason));
    return m_status = ExitCode::Failure;
}

int CliIo::usageMistake(const QString &message) {
    report(message);
    m_err << Usage::usage();
    m_err.flush();
    return m_status = ExitCode::Failure;
}

void CliIo::report(const QString &message) {
    m_err << Usage::programName() << QStringLiteral(": ") << message << '\n';
    m_err.flush();
}

void CliIo::warnings(const QString &command, const QStringList &found) {
    for (const QString &warning : found)
        report(QStringLiteral("%1: warning: %2").arg(command, warning));
}

namespace Usage {

QString programName() {
    return QStringLiteral("runequill-cli");
}

QString usage() {
    return QStringLiteral(
        "Usage:\n"
        "  runequill-cli export PROJECT.QDS SCRIPT.scp [--prefix P] [--speaker S] [--force]\n"
        "  runequill-cli tree PROJECT.QDS\n"
        "  runequill-cli check PROJECT.QDS\n"
        "  runequill-cli item [--from FILE.scp [--section NAME]] [--field N=VALUE]...\n"
        "                     [--key KEY=VALUE]... [--additional FILE] [--into FILE.scp]\n"
        "  runequill-cli npc [--name NAME] [--key KEY=VALUE]... [--create KEY=VALUE]...\n"
        "                    [--conversation P.QDS [--word W]... [--no-dclick]] [--out FILE.scp]\n"
        "  runequill-cli --help | --version\n");
}

QString help() {
    return QStringLiteral("runequill-cli: the command-line companion of Runequill, for batch work on SPHERE\n"
                          "dialog projects (*.QDS), item definitions and NPCs.\n"
                          "\n") +
           usage() +
           QStringLiteral(
               "\n"
               "Commands:\n"
               "  export  Reads the project as the Dialog Studio's \"Open...\" does and writes it as a\n"
               "          SPHERE dialog script as \"Export...\" does. The dialog prefix and the speaker\n"
               "          name are the project file's first two lines unless --prefix or --speaker\n"
               "          give them; an empty speaker is written as <SRC.TARG.NAME>. A script over\n"
               "          5,000,000 bytes is split into SCRIPT.scp, SCRIPT_part2.scp, ...; the support\n"
               "          script runequill_support.scp is written beside it when none is there.\n"
               "          Prints \"wrote FILE\" for every file written. A prefix with anything but\n"
               "          letters, digits and \"_\" is refused. The errors \"check\" would report\n"
               "          are listed on the error stream; then nothing is written (exit status 1)\n"
               "          unless --force is given. Page names an earlier export wrote to\n"
               "          SCRIPT.scp (or its parts) and this one has not are written again as\n"
               "          empty sections, so that a server reloading its scripts opens nothing for\n"
               "          them; a part no longer needed keeps only those. A new part file is\n"
               "          pointed out on the error stream: a running server reads it only after a\n"
               "          restart or LOAD.\n"
               "  tree    Prints the analysis view: each page as N:speech on a line of its own and\n"
               "          below it each answer, indented by two spaces, as sK, then L and the page\n"
               "          it leads to when it is linked, then its text.\n"
               "  check   Lists what would make the exported conversation misbehave, one finding a\n"
               "          line:   FILE: page N[, answer K]: error|warning: message\n"
               "          N and K are numbered from 0, as the Dialog Studio shows pages and answer\n"
               "          slots (answer K is button K+1 of the script's gump). Findings about the\n"
               "          speaker name or the dialog prefix are given under page 0.\n"
               "          Errors: a link to an empty page id, to something that is not a page\n"
               "          number or to no page; a fifth answer (the gump has four buttons); a\n"
               "          script line of 4096 bytes or more (the server does not load it); a prefix\n"
               "          with anything but letters, digits and \"_\"; a text holding \"//\" (the\n"
               "          server reads the rest of its line as a comment).\n"
               "          Warnings: a text line over 2047 characters with the support values filled\n"
               "          in (the client shows no more); \"<\" before a letter or digit in a text\n"
               "          (the server evaluates it), but for the support script's variables\n"
               "          <var.br>, <var.bfont_lgreen>, <var.bfont_lgrey> and <var.bfont_red>; an\n"
               "          emote opened with \"*[\" and never closed with \"*/]\" (the rest of the\n"
               "          speech is red); an answer that neither links nor ends the dialog; a\n"
               "          page other than 0 that no answer of another page leads to; a placeholder\n"
               "          page (its speech is \"Null\"); an empty answer text (written as \"End\n"
               "          Dialog\"); a character beyond U+FFFF, such as an emoji, in a text (the\n"
               "          game client drops it).\n"
               "  item    Prints an item definition with CR LF line ends. It starts from a new\n"
               "          item, or with --from from the first [ITEMDEF] of FILE.scp (the one named\n"
               "          NAME with --section, with or without its i_) as the Item Creator's\n"
               "          \"Open...\" reads it: unchanged, it prints what the Item Creator would\n"
               "          save. Field N (0 to 35, numbered as in the Item Creator, 0 being the name\n"
               "          after [ITEMDEF i_) gets VALUE; the text of FILE (trigger sections)\n"
               "          replaces the additional text. Then each --key, in order, sets the key on\n"
               "          its side of ON=@CREATE (a key the Item Creator has on both, such as\n"
               "          TYPE, in the definition; one it does not know, too): the last line of the\n"
               "          key takes VALUE, an empty VALUE removes it, a new key goes where the\n"
               "          Item Creator writes it. Every other line stays as it was. ID= is written\n"
               "          before TYPE=. With --into, the item is written into FILE.scp as the Item\n"
               "          Creator's Save does: in place of the section of the same name, or before\n"
               "          [EOF] (at the end when there is none), every other byte kept; it prints\n"
               "          \"wrote FILE.scp\". Keys the server reads otherwise are warned about on\n"
               "          the error stream.\n"
               "  npc     Prints an NPC's character definition, [CHARDEF c_NAME] (c_npc without\n"
               "          --name), with CR LF line ends, as the NPC Creator makes a new one: ID=c_man,\n"
               "          and under ON=@Create NPC=brain_human, STR, DEX and INT of 50 and\n"
               "          FLAGS|=statf_freeze (it stays in place). Each --key sets a key of the\n"
               "          definition, each --create one under ON=@Create, in order; an empty VALUE\n"
               "          removes it (--create FLAGS= lets the NPC move). --key TSPEECH= adds a speech\n"
               "          section. Under ON=@Create, ITEM= and ITEMNEWBIE= add an item; a COLOR= after\n"
               "          an item is that item's colour, one before any is the NPC's own; the other\n"
               "          keys go above the items, since the server gives every line below an item\n"
               "          to that item. With --conversation, the NPC opens page 0 of the project's\n"
               "          conversation (<prefix>_0) for a player who says a greeting word (each\n"
               "          --word, by default hello and hail) or double-clicks it (unless\n"
               "          --no-dclick): its first TSPEECH= names its own speech section,\n"
               "          [SPEECH spk_NAME], printed after the definition, and an ON=@DClick trigger\n"
               "          opens the page too. With --out, the NPC is written into FILE.scp as the\n"
               "          NPC Creator's Save does (in place of the sections of the same names, or\n"
               "          before [EOF]), and with --conversation the project is exported beside it as\n"
               "          \"export\" does, named after the project (P.scp), with the support script;\n"
               "          it prints \"wrote FILE\" for each file. A project without a speaker is\n"
               "          exported with the NPC's name as the speaker. The errors \"check\" would\n"
               "          report are listed, and then nothing is written (exit status 1). Keys the\n"
               "          server reads otherwise, and greeting words of three letters or fewer\n"
               "          (found inside longer words), are warned about on the error stream.\n"
               "\n"
               "Exit status: 0 done; 1 check found an error, or export or npc did not write\n"
               "one; 2 a usage mistake, or a file that cannot be read or written. Nothing is\n"
               "written when a command fails.\n");
}

QString version() {
    return programName() + QStringLiteral(" ") + QStringLiteral(RUNEQUILL_VERSION) + u'\n';
}

} // namespace Usage

std::optional<QStringList> readArguments(QCommandLineParser &parser, const QString &command,
                                         const QStringList &args, const QStringList &fileNames, CliIo &io) {
    const QCommandLineOption help(QStringLiteral("help"));
    parser.addOption(help);
    // The parser takes the first entry for the program's name.
    if (!parser.parse(QStringList{Usage::programName()} + args)) {
        io.usageMistake(QStringLiteral("%1: %2").arg(command, parser.errorText()));
        return std::nullopt;
    }
    if (parser.isSet(help)) {
        io.print(Usage::help());
        return std::nullopt;
    }
    const QStringList files = parser.positionalArguments();
    QString mistake;
    if (files.size() < fileNames.size())
        mistake = QStringLiteral("%1 is missing").arg(fileNames[files.size()]);
    else if (files.size() > fileNames.size())
        mistake = QStringLiteral("unexpected argument \"%1\"").arg(files[fileNames.size()]);
    for (qsizetype i = 0; mistake.isEmpty() && i < files.size(); ++i)
        if (files[i].isEmpty())
            mistake = QStringLiteral("%1 is empty").arg(fileNames[i]);
    if (!mistake.isEmpty()) {
        io.usageMistake(command + QStringLiteral(": ") + mistake);
        return std::nullopt;
    }
    return files;
}

std::optional<ProjectFile::Header> loadProject(const QString &path, QuestDialogs &project, CliIo &io) {
    project.Clear();
    Outcome<ProjectFile::Header> read = ProjectFile::read(path, project);
    if (read.ok())
        return std::move(read.value);
    io.fileFailure(*read.error);
    return std::nullopt;
}

std::optional<QList<Assignment>> assignments(const QCommandLineParser &parser, const QString &command,
                                             const QString &option, CliIo &io) {
    QList<Assignment> found;
    for (const QString &assignment : parser.values(option)) {
        const qsizetype equals = assignment.indexOf(u'=');
        const std::optional<KeyLine> line = parseKeyLine(assignment);
        if (equals <= 0 || !line || line->key.size() != equals) {
            io.usageMistake(
                QStringLiteral("%1: --%2 needs KEY=VALUE, not \"%3\"").arg(command, option, assignment));
            return std::nullopt;
        }
        found.append({line->key, assignment.mid(equals + 1)});
    }
    return found;
}

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
    if (command == QLatin1String("npc"))
        return runNpc(rest, io);
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
