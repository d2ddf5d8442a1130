#pragma once

#include <QByteArray>
#include <QFile>
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
    // Opens the file and looks through it once (for its line ends, and whether the code page
    // can read it or the Windows-1252 fallback applies). False, with *reason, when it cannot
    // be read, for the same reasons as TextFile::readBytes.
    bool open(const QString &path, QString *reason = nullptr);
    // The same over a seekable device opened for reading, read from its start; it must stay open
    // while lines are read.
    bool open(QIODevice &device, QString *reason = nullptr);

    // The next line, as a view that stays valid until the next call. False at the end of the
    // file, or when reading failed, which failed() then tells.
    bool next(QStringView &line);

    bool failed() const { return !m_error.isEmpty(); }
    const QString &error() const { return m_error; }

private:
    bool survey();
    bool fill();
    void decode(const char *bytes, qsizetype size);
    void fail();

    QFile m_file; // the file opened by name
    QIODevice *m_device = nullptr;
    QString m_error;
    bool m_byCarriageReturn = false;
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
