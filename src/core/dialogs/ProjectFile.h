#pragma once

#include <QString>

class QuestDialogs;

// The Dialog Studio's project file (*.QDS): the dialog prefix, the speaker name and every
// page with its answers, one item per line, each line ending in CR LF, in the system code page.
namespace ProjectFile {

// The message shown for a file that does not follow the format.
inline QString damagedMessage() {
    return QStringLiteral("The file is either corrupted or in the wrong format");
}

// The file's text. A line break inside the prefix, the speaker, a speech or an answer text is
// written as "<var.br>", so that every text stays on its one line. A linked answer whose page
// id is not a number (an empty one included) is written as not linked ("-1"): the reader
// refuses such a link line, and the rest of the file would be lost with it.
QString text(const QString &prefix, const QString &speaker, const QuestDialogs &project);

// Writes the file through TextFile::write: all of it, or nothing (the previous file stays).
bool save(const QString &path, const QString &prefix, const QString &speaker, const QuestDialogs &project,
          QString *reason = nullptr);

struct ReadResult {
    enum Status {
        Ok,          // the whole file was read
        NotFound,    // no file of that name: nothing was read, nothing to report
        CannotRead,  // it exists but cannot be read (a folder, an I/O error): see `reason`
        Damaged,     // the format broke off: the pages read before that point were loaded
        TooManyPages // more pages than a project holds: nothing was loaded
    };
    Status status = Ok;
    QString reason;          // for CannotRead and TooManyPages: why, to show after the file name
    bool hasPrefix = false;  // line 1 was read into `prefix`
    bool hasSpeaker = false; // line 2 was read into `speaker`
    QString prefix;
    QString speaker;
};

// Parses the file's text into `project`, which the caller has cleared first: pages are handed
// to AddNewDialog in file order. A line ends at CR LF or a lone CR (a lone LF belongs to the
// line); a text with no CR at all ends its lines at LF.
ReadResult parse(const QString &text, QuestDialogs &project);

// Reads the file and parses it. NotFound for an empty name or a name that names no file.
ReadResult read(const QString &path, QuestDialogs &project);

} // namespace ProjectFile
