#pragma once

#include "core/text/FileError.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QStringView>

// A text file's lines, read a block at a time from a file or any other seekable device (a
// QBuffer for text in memory). They are the lines of the text TextFile::read() gives, but the
// file is never held whole, neither as bytes nor as UTF-16 text. A line ends
// at CR LF or at a lone CR (a lone LF belongs to the line); a file without any CR ends its
// lines at LF. What follows the last line end is a line only if it is not empty.
class TextFileLines {
public:
    // Looks through a seekable device opened for reading once, from its start (for its line
    // ends, and whether the code page can read it or the Windows-1252 fallback applies). The
    // device must stay open while lines are read. Fails, naming no file, when it cannot be read.
    WriteOutcome open(QIODevice &device);

    // The next line, as a view that stays valid until the next call. False at the end of the
    // file, or when reading failed, which failed() then tells.
    bool next(QStringView &line);

    bool failed() const { return !m_error.isEmpty(); }
    // True when the file holds a NUL byte: no text file of this program's holds one.
    bool holdsNul() const { return m_holdsNul; }
    // The number of the line the last call to next() read, counting from 1; for a call that
    // found the end, the line that would have come next.
    qint64 lineNumber() const { return m_lineNumber; }
    const QString &error() const { return m_error; }

private:
    bool survey();
    bool fill();
    void decode(const char *bytes, qsizetype size);
    void fail();

    QIODevice *m_device = nullptr;
    qint64 m_lineNumber = 0;
    QString m_error;
    bool m_byCarriageReturn = false;
    bool m_holdsNul = false;
    // A code page that does not agree with ASCII, or a file it cannot read: the whole text is
    // decoded as TextFile::read() does and split from there.
    bool m_whole = false;
    QString m_text;
    qsizetype m_textPos = 0;

    QByteArray m_buffer; // bytes read and not yet handed out, from m_pos on
    qsizetype m_pos = 0;
    bool m_atEnd = false;
    bool m_afterCarriageReturn = false; // the last line ended at a CR at the end of the buffer
    bool m_firstLine = true;
    QString m_line;
};
