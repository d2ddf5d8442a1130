#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <csignal>
#include <functional>
#include <optional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

// Helpers for tests of writes that fail: a disk that fills up, and special files to write onto.
namespace FullDisk {

// Runs `work` in a forked child in which no file may grow past `limit` bytes, as on a disk that
// fills up part-way through a write. SIGXFSZ is ignored there, so such a write fails instead of
// killing the child. The child hands back what `work` returns; nullopt when the child died.
// Only this process's copy is limited: the test itself goes on unaffected.
inline std::optional<QByteArray> run(qint64 limit, const std::function<QByteArray()> &work) {
    int channel[2];
    if (::pipe(channel) != 0)
        return std::nullopt;
    const pid_t child = ::fork();
    if (child < 0)
        return std::nullopt;
    if (child == 0) {
        ::close(channel[0]);
        rlimit fileSize{};
        ::getrlimit(RLIMIT_FSIZE, &fileSize);
        fileSize.rlim_cur = static_cast<rlim_t>(limit);
        if (::setrlimit(RLIMIT_FSIZE, &fileSize) != 0 || std::signal(SIGXFSZ, SIG_IGN) == SIG_ERR)
            ::_exit(3);
        const QByteArray answer = work();
        qsizetype done = 0;
        while (done < answer.size()) {
            const ssize_t n = ::write(channel[1], answer.constData() + done, size_t(answer.size() - done));
            if (n <= 0)
                ::_exit(4);
            done += n;
        }
        ::_exit(0); // no exit handlers: they belong to the parent
    }
    ::close(channel[1]);
    QByteArray answer;
    char buffer[4096];
    for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) != 0;) {
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            break;
        answer.append(buffer, n);
    }
    ::close(channel[0]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    return answer;
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
