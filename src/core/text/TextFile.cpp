#include "core/text/TextFile.h"

#include "core/text/CodePage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace TextFile {

bool exists(const QString &path) {
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    return info.exists() && info.isFile();
}

WriteOutcome openForReading(QFile &file, const QString &path) {
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        return FileError{path, 0, QStringLiteral("No such file or directory"), FileError::Missing};
    if (info.isDir())
        return FileError{path, 0, QStringLiteral("It is a folder, not a file")};
    if (!info.isFile())
        return FileError{path, 0, QStringLiteral("It is not a regular file")};
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly))
        return FileError{path, 0, file.errorString()};
    return std::nullopt;
}

Outcome<QByteArray> readBytes(const QString &path) {
    QFile file;
    if (WriteOutcome failed = openForReading(file, path))
        return {{}, std::move(failed)};
    Outcome<QByteArray> out{file.readAll(), std::nullopt};
    if (file.error() != QFileDevice::NoError)
        return {{}, FileError{path, 0, file.errorString()}};
    return out;
}

Outcome<QString> read(const QString &path) {
    const Outcome<QByteArray> bytes = readBytes(path);
    return {bytes.ok() ? CodePage::decode(bytes.value) : QString(), bytes.error};
}

namespace {
// Writes every byte, or says why not. A full disk or a file-size limit makes write() return a
// short count rather than -1, and a commit would then rename the truncated file over the good
// one: every byte is checked.
WriteOutcome writeAll(QFileDevice &file, const QString &path, QByteArrayView bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const qint64 n = file.write(bytes.data() + done, bytes.size() - done);
        if (n <= 0)
            break;
        done += n;
    }
    if (done == bytes.size() && file.flush())
        return std::nullopt;
    const QString why = file.errorString();
    return FileError{path, 0,
                     why.isEmpty() || why == QLatin1String("Unknown error")
                         ? QStringLiteral("The disk is full or the file is too large")
                         : why};
}
} // namespace

WriteOutcome writeBytes(const QString &path, QByteArrayView bytes) {
    if (path.isEmpty())
        return FileError{path, 0, QStringLiteral("No file name was given")};
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return FileError{path, 0,
                         info.isDir() ? QStringLiteral("It is a folder, not a file")
                                      : QStringLiteral("It is not a regular file (a device or a pipe), "
                                                       "so it is not replaced")};
    QSaveFile file(path);
    // A folder that cannot be written still lets an existing, writable file be written in place,
    // as a plain write would. Qt falls back only when the folder refuses access (EACCES), so an
    // existing file is also written in place when the folder refuses for another reason.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly)) {
        const QString folderReason = file.errorString();
        if (info.exists()) {
            QFile inPlace(path);
            if (inPlace.open(QIODevice::WriteOnly | QIODevice::Truncate))
                return writeAll(inPlace, path, bytes);
            return FileError{path, 0, inPlace.errorString()};
        }
        // A missing folder says so itself; a folder that is there but refuses is named as the cause.
        return FileError{path, 0,
                         info.absoluteDir().exists()
                             ? QStringLiteral("The folder cannot be written: ") + folderReason
                             : folderReason};
    }
    if (WriteOutcome failed = writeAll(file, path, bytes)) {
        file.cancelWriting();
        return failed;
    }
    if (!file.commit())
        return FileError{path, 0, file.errorString()};
    return std::nullopt;
}

WriteOutcome write(const QString &path, QStringView text) {
    Outcome<QByteArray> bytes = CodePage::encode(text);
    if (!bytes.ok()) {
        bytes.error->path = path;
        return bytes.error;
    }
    return writeBytes(path, bytes.value);
}

} // namespace TextFile
