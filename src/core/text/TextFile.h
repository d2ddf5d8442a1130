#pragma once

#include "core/text/FileError.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringView>

// Whole-file access for the program's text files. A file is read or written in full within
// one call. A failure comes back as a FileError that names the file and gives a short,
// human-readable reason (for example "No such file or directory").
namespace TextFile {

// True when a regular file (or a link to one) of that name exists.
bool exists(const QString &path);

// Opens the file for reading, refusing what readBytes refuses.
WriteOutcome openForReading(QFile &file, const QString &path);

// Reads the whole file as bytes. Folders, devices and other non-regular files are refused.
Outcome<QByteArray> readBytes(const QString &path);

// Reads the whole file and decodes it from the files' code page (see CodePage::decode).
Outcome<QString> read(const QString &path);

// Replaces the file with exactly these bytes, or leaves whatever was there untouched.
// The bytes go to a temporary file that is renamed over the target only once every byte
// has been written. An existing target that is not a regular file (a folder, a device
// node, a pipe) is refused, so a save can never replace a device with a plain file.
WriteOutcome writeBytes(const QString &path, QByteArrayView bytes);

// Encodes the text in the files' code page and writes it as writeBytes does. A character
// the code page cannot hold fails the write before the file is touched.
WriteOutcome write(const QString &path, QStringView text);

} // namespace TextFile
