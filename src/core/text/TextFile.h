#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringView>

// Whole-file access for the program's text files. A file is read or written in full within
// one call. Failures return false and put a short, human-readable reason in *reason
// (for example "No such file or directory"); the caller names the file.
namespace TextFile {

// True when a regular file (or a link to one) of that name exists.
bool exists(const QString &path);

// Opens the file for reading, refusing what readBytes refuses.
bool openForReading(QFile &file, const QString &path, QString *reason = nullptr);

// Reads the whole file as bytes. Folders, devices and other non-regular files are refused.
bool readBytes(const QString &path, QByteArray &bytes, QString *reason = nullptr);

// Reads the whole file and decodes it from the system code page (see CodePage::decode).
bool read(const QString &path, QString &text, QString *reason = nullptr);

// Replaces the file with exactly these bytes, or leaves whatever was there untouched.
// The bytes go to a temporary file that is renamed over the target only once every byte
// has been written. An existing target that is not a regular file (a folder, a device
// node, a pipe) is refused, so a save can never replace a device with a plain file.
bool writeBytes(const QString &path, QByteArrayView bytes, QString *reason = nullptr);

// Encodes the text in the system code page and writes it as writeBytes does. A character
// the code page cannot hold fails the write before the file is touched.
bool write(const QString &path, QStringView text, QString *reason = nullptr);

} // namespace TextFile
