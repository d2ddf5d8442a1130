#pragma once

#include <QStringList>

class CliIo;

// item [--field N=VALUE]... [--additional FILE]: the Item Creator's compiled text, then the
// additional file's text, with every line end written as CR LF.
int runItem(const QStringList &args, CliIo &io);
