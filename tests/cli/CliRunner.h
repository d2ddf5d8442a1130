#pragma once

#include "support/TestSupport.h"

#include <QByteArray>
#include <QDir>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// Runs the command-line companion in-process and keeps what it printed.
struct CliResult {
    int code = -1;
    QByteArray out; // the bytes of the standard output
    QString err;
};
CliResult runCli(const QStringList &args);

// A scratch folder for the files a test hands to the program, named with the system's separators
// as a user types them.
class CliFiles {
public:
    QString path(const QString &name) const { return QDir::toNativeSeparators(m_dir.filePath(name)); }

private:
    QTemporaryDir m_dir;
};

using TestSupport::CodePageGuard;
