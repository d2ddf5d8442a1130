#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QString>
#include <vector>

// What an earlier export left where a new one is about to write: the script and its numbered
// parts, and the dialog names each of them defines. A server that reloads its scripts keeps
// serving a name from its old place in its old file until some file defines it again, so a new
// export writes every name it no longer has again, as empty sections, into the file that held it.
namespace EarlierExport {

struct File {
    int part = 1;         // 1 for the script itself, n for its part n
    QByteArrayList names; // the names it defines that the new export lacks, in file order, each once
};

// The files an earlier export wrote at `path`: the script, when it opens as an export's script
// does, then each later part up to the first that is missing or does not open so. Each comes with
// the dialog names it defines that are not among the pages prefix_0 ... prefix_{pageCount - 1}
// (`prefix` as the script writes it), letters of either case being the same to the server.
std::vector<File> read(const QString &path, QByteArrayView prefix, int pageCount);

// The three empty sections of every name, after a comment that says why they are there: a
// reloaded server then finds each name again and opens nothing for it.
QByteArray emptySections(const QByteArrayList &names);

} // namespace EarlierExport
