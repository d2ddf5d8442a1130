#include "ChildProcess.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryFile>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

// steady_clock is CLOCK_MONOTONIC, one clock for every process: a child's reading can be
// set against the parent's.
qint64 nowNanoseconds() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

QString systemError(const char *what, int error) {
    return QString::fromLatin1(what) + QString::fromLocal8Bit(strerror(error));
}

// The peak resident size of this process, in KiB. Not getrusage(): Linux keeps ru_maxrss per
// process across exec() and starts it from the memory of the process that spawned it, so a
// child of a benchmark run that already holds a large project would report that project too.
// VmHWM belongs to the address space this program got at exec().
qint64 peakKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

} // namespace

namespace ChildProcess {

std::optional<Figures> run(const QStringList &modeArguments, QString *error) {
    const QByteArray program = QCoreApplication::applicationFilePath().toLocal8Bit();
    std::vector<QByteArray> owned{program, QByteArray(childFlag)};
    for (const QString &argument : modeArguments)
        owned.push_back(argument.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &argument : owned)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    // The child's standard output comes back through a pipe: it carries the ready mark.
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        *error = systemError("no pipe: ", errno);
        return std::nullopt;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[1]);
    // Its warnings go to a file of their own, so that they do not fill the table's screen; the
    // last of them is shown if the child fails.
    QTemporaryFile messages(QDir::temp().filePath(QStringLiteral("runequill-bench-child-XXXXXX.log")));
    const bool keepMessages = messages.open();
    const QByteArray messagesPath = QFile::encodeName(messages.fileName());
    if (keepMessages)
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, messagesPath.constData(),
                                         O_WRONLY | O_TRUNC, 0);

    const qint64 start = nowNanoseconds();
    pid_t pid = 0;
    const int failed = posix_spawn(&pid, program.constData(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    if (failed) {
        close(pipeEnds[0]);
        *error = systemError("cannot start the child: ", failed);
        return std::nullopt;
    }
    QByteArray output;
    char buffer[256];
    for (;;) {
        const ssize_t n = read(pipeEnds[0], buffer, sizeof buffer);
        if (n > 0)
            output.append(buffer, n);
        else if (n == 0 || errno != EINTR)
            break;
    }
    close(pipeEnds[0]);

    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) {
            *error = systemError("lost the child: ", errno);
            return std::nullopt;
        }
    }
    const qint64 end = nowNanoseconds();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        const QByteArrayList said = messages.readAll().trimmed().split('\n');
        *error = QStringLiteral("the child %1 failed (status %2) %3")
                     .arg(modeArguments.join(u' '))
                     .arg(status)
                     .arg(QString::fromLocal8Bit(said.last()));
        return std::nullopt;
    }
    // The mark is two numbers: the moment the child was ready, and its peak resident size.
    const QList<QByteArray> mark = output.simplified().split(' ');
    bool readyOk = false;
    bool peakOk = false;
    const qint64 ready = mark.value(0).toLongLong(&readyOk);
    const qint64 peakKiB = mark.value(1).toLongLong(&peakOk);
    if (!readyOk || !peakOk) {
        *error = QStringLiteral("the child %1 never reported ready").arg(modeArguments.value(0));
        return std::nullopt;
    }
    Figures figures;
    figures.peakBytes = peakKiB * 1024;
    figures.readySeconds = double(ready - start) / 1e9;
    figures.totalSeconds = double(end - start) / 1e9;
    return figures;
}

void markReady() {
    std::printf("%lld %lld\n", static_cast<long long>(nowNanoseconds()), static_cast<long long>(peakKiB()));
    std::fflush(stdout);
}

std::optional<int> runIfAsked(const QStringList &arguments, const std::map<QString, Mode> &modes) {
    if (arguments.isEmpty() || arguments.first() != QLatin1String(childFlag))
        return std::nullopt;
    const auto mode = modes.find(arguments.value(1));
    if (mode == modes.end())
        return 2;
    return mode->second(arguments.mid(2));
}

} // namespace ChildProcess
