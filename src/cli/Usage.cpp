#include "cli/Usage.h"

namespace Usage {

QString programName() {
    return QStringLiteral("runequill-cli");
}

QString usage() {
    return QStringLiteral("Usage:\n"
                          "  runequill-cli export PROJECT.QDS SCRIPT.scp [--prefix P] [--speaker S]\n"
                          "  runequill-cli tree PROJECT.QDS\n"
                          "  runequill-cli check PROJECT.QDS\n"
                          "  runequill-cli item [--field N=VALUE]... [--additional FILE]\n"
                          "  runequill-cli --help | --version\n");
}

QString help() {
    return QStringLiteral("runequill-cli: the command-line companion of Runequill, for batch work on SPHERE\n"
                          "dialog projects (*.QDS) and item definitions.\n"
                          "\n") +
           usage() +
           QStringLiteral(
               "\n"
               "Commands:\n"
               "  export  Reads the project as the Dialog Studio's \"Open...\" does and writes it as a\n"
               "          SPHERE dialog script as \"Export...\" does. The dialog prefix and the speaker\n"
               "          name are the project file's first two lines unless --prefix or --speaker\n"
               "          give them; an empty speaker is written as <SRC.TARG.NAME>.\n"
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
               "          script line longer than 4096 characters (the server cuts it).\n"
               "          Warnings: an answer that neither links nor ends the dialog; a page other\n"
               "          than 0 that no answer of another page leads to; a placeholder page (its\n"
               "          speech is \"Null\"); an empty answer text (written as \"End Dialog\"); a\n"
               "          text holding \"//\" (the server reads the rest of its line as a comment).\n"
               "  item    Prints an item definition with CR LF line ends: field N (0 to 35, numbered\n"
               "          as in the Item Creator, 0 being the name after [ITEMDEF i_) gets VALUE,\n"
               "          and the text of FILE (trigger sections) follows.\n"
               "\n"
               "Exit status: 0 done; 1 check found an error; 2 a usage mistake, or a file that\n"
               "cannot be read or written. Nothing is written when a command fails.\n");
}

QString version() {
    return programName() + QStringLiteral(" ") + QStringLiteral(RUNEQUILL_VERSION) + u'\n';
}

} // namespace Usage
