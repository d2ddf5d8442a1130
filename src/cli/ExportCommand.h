#pragma once

#include <QStringList>

class CliIo;

// export PROJECT.QDS SCRIPT.scp [--prefix P] [--speaker S]: the Dialog Studio's "Open..." and
// "Export..." in one go. The prefix and speaker are the file's first two lines unless given.
int runExport(const QStringList &args, CliIo &io);
