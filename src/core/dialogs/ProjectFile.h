#pragma once

#include "core/text/FileError.h"

#include <QString>
#include <optional>

class QIODevice;
class QuestDialogs;

// The Dialog Studio's project file (*.QDS): the dialog prefix, the speaker name and every
// page with its answers, one item per line, each line ending in CR LF, in the system code page.
namespace ProjectFile {

// The message shown for a file that does not follow the format.
inline QString damagedMessage() {
    return QStringLiteral("The file is either corrupted or in the wrong format");
}

// Why a file holding NUL bytes is refused: no project file holds one.
inline QString notTextReason() {
    return QStringLiteral("It holds NUL bytes, so it is not a text project file");
}

// Writes the file to the device. A line break inside the prefix, the speaker, a speech or an
// answer text is written as "<var.br>", so that every text stays on its one line. A linked
// answer whose page id is not a number (an empty one included) is written as not linked ("-1"):
// the reader refuses such a link line, and the rest of the file would be lost with it. Fails
// when a character does not fit the code page (nothing is written then) or the device fails;
// the error names no file.
WriteOutcome write(QIODevice &device, const QString &prefix, const QString &speaker,
                   const QuestDialogs &project);

// Writes the file through TextFile::writeBytes: all of it, or nothing (the previous file stays).
WriteOutcome save(const QString &path, const QString &prefix, const QString &speaker,
                  const QuestDialogs &project);

// The two lines before the pages. Either is missing when the file ended before it.
struct Header {
    std::optional<QString> prefix;
    std::optional<QString> speaker;
};

// Reads the file from the device into `project`, which the caller has cleared first: pages are
// handed to AddNewDialog in file order. A line ends at CR LF or a lone CR (a lone LF belongs to
// the line); a file with no CR at all ends its lines at LF. "<var.br>" in a speech reads as a
// line break (LF), which write() turns back into "<var.br>". Fails with:
// - Damaged, at the line where the format broke off: the pages read before it were loaded;
// - Failed, when the device cannot be read, the file holds a NUL byte (notTextReason()) or more
//   pages than a project can (nothing was loaded then).
// The error names no file.
Outcome<Header> read(QIODevice &device, QuestDialogs &project);

// Opens the file and reads it; the error names the file. Missing for an empty name or a name
// that names nothing; anything else under the name that is not a readable file fails.
Outcome<Header> read(const QString &path, QuestDialogs &project);

} // namespace ProjectFile
