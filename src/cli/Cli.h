#pragma once

#include <QStringList>

class QTextStream;

// The command-line companion: export, tree, check and item, for batch use without the windows.
class Cli {
public:
    // Runs one command line. `args` are the arguments after the program's name. Results go to
    // `out` (through its device, when it has one, as bytes in the system code page), messages to
    // `err`. The result is the exit status: 0 done, 1 check found an error, 2 failure.
    int run(const QStringList &args, QTextStream &out, QTextStream &err);
};
