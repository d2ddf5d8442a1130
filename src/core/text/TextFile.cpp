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

bool openForReading(QFile &file, const QString &path, QString *reason) {
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists()) {
        if (reason)
            *reason = QStringLiteral("No such file or directory");
        return false;
    }
    if (info.isDir()) {
        if (reason)
            *reason = QStringLiteral("It is a folder, not a file");
        return false;
    }
    if (!info.isFile()) {
        if (reason)
            *reason = QStringLiteral("It is not a regular file");
        return false;
    }
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (reason)
            *reason = file.errorString();
        return false;
    }
    return true;
}

bool readBytes(const QString &path, QByteArray &bytes, QString *reason) {
    QFile file;
    if (!openForReading(file, path, reason))
        return false;
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (reason)
            *reason = file.errorString();
        return false;
    }
    return true;
}

bool read(const QString &path, QString &text, QString *reason) {
    QByteArray bytes;
    if (!readBytes(path, bytes, reason))
        return false;
    text = CodePage::decode(bytes);
    return true;
}

namespace {
// Writes every byte, or says why not. A full disk or a file-size limit makes write() return a
// short count rather than -1, and a commit would then rename the truncated file over the good
// one: every byte is checked.
bool writeAll(QFileDevice &file, QByteArrayView bytes, QString *reason) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const qint64 n = file.write(bytes.data() + done, bytes.size() - done);
        if (n <= 0)
            break;
        done += n;
    }
    if (done == bytes.size() && file.flush())
        return true;
    const QString why = file.errorString();
    if (reason)
        *reason = why.isEmpty() || why == QLatin1String("Unknown error")
                      ? QStringLiteral("The disk is full or the file is too large")
                      : why;
    return false;
}
} // namespace

bool writeBytes(const QString &path, QByteArrayView bytes, QString *reason) {
    if (path.isEmpty()) {
        if (reason)
            *reason = QStringLiteral("No file name was given");
        return false;
    }
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        if (reason)
            *reason = info.isDir() ? QStringLiteral("It is a folder, not a file")
                                   : QStringLiteral("It is not a regular file (a device or a pipe), "
                                                    "so it is not replaced");
        return false;
    }
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
                return writeAll(inPlace, bytes, reason);
            if (reason)
                *reason = inPlace.errorString();
            return false;
        }
        // A missing folder says so itself; a folder that is there but refuses is named as the cause.
        if (reason)
            *reason = info.absoluteDir().exists()
                          ? QStringLiteral("The folder cannot be written: ") + folderReason
                          : folderReason;
        return false;
    }
    if (!writeAll(file, bytes, reason)) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (reason)
            *reason = file.errorString();
        return false;
    }
    return true;
}

bool write(const QString &path, QStringView text, QString *reason) {
    const std::optional<QByteArray> bytes = CodePage::encode(text, reason);
    if (!bytes)
        return false;
    return writeBytes(path, *bytes, reason);
}

} // namespace TextFile
