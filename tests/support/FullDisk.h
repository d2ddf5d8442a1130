#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

// Helpers for tests of writes that fail: a disk that fills up, and special files to write onto.
namespace FullDisk {

// Runs `work` while no file may grow past `limit` bytes, as on a disk that fills up part-way
// through a write. SIGXFSZ is ignored meanwhile, so such a write fails instead of ending the test.
template <class Work> auto withFileSizeLimit(qint64 limit, Work work) {
    rlimit before{};
    ::getrlimit(RLIMIT_FSIZE, &before);
    rlimit limited = before;
    limited.rlim_cur = static_cast<rlim_t>(limit);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ::setrlimit(RLIMIT_FSIZE, &limited);
    auto result = work();
    ::setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, oldHandler);
    return result;
}

// Makes a character device node at `path` with the numbers of the null device (1, 3) or, given
// minor number 5, of the zero device, which reads without end; or a named pipe where the test
// may not make devices. Neither is a file a save may replace, and a pipe
// would block a writer that opened it: the program must refuse both before opening them.
inline bool makeDeviceNode(const QString &path, unsigned minorNumber = 3) {
    const QByteArray name = QFile::encodeName(path);
    if (::mknod(name.constData(), S_IFCHR | 0600, makedev(1, minorNumber)) == 0)
        return true;
    return ::mkfifo(name.constData(), 0600) == 0;
}

// The kind and numbers of the node at `path`, to compare before and after: "chr 1,3", "fifo",
// "file", "dir", or "" when there is nothing there.
inline QString nodeKind(const QString &path) {
    struct stat st {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return {};
    if (S_ISCHR(st.st_mode))
        return QStringLiteral("chr %1,%2").arg(major(st.st_rdev)).arg(minor(st.st_rdev));
    if (S_ISFIFO(st.st_mode))
        return QStringLiteral("fifo");
    if (S_ISDIR(st.st_mode))
        return QStringLiteral("dir");
    if (S_ISREG(st.st_mode))
        return QStringLiteral("file");
    return QStringLiteral("other");
}

} // namespace FullDisk
