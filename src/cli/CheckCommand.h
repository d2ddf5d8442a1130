#pragma once

#include <QStringList>

class CliIo;

// check PROJECT.QDS: one line per finding, "FILE: page N[, answer K]: error|warning: message",
// LF line ends. Exit status 1 when any finding is an error.
int runCheck(const QStringList &args, CliIo &io);
