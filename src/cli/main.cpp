#include "cli/Cli.h"
#include "core/text/CodePage.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

namespace {
// The C runtime's descriptors of the standard streams, the same on every system Qt runs on.
constexpr int standardOutput = 1;
constexpr int standardError = 2;

#ifdef Q_OS_WIN
// What the program prints is the same bytes on Windows as on Linux: the C runtime would turn
// every LF into CR LF (and the CR LF of an item into CR CR LF), so the streams are binary; and a
// console, which shows bytes in a code page of its own, shows UTF-8 while the program runs.
class WindowsStreams {
public:
    WindowsStreams() : m_consolePage(GetConsoleOutputCP()) {
        _setmode(standardOutput, _O_BINARY);
        _setmode(standardError, _O_BINARY);
        if (m_consolePage != 0)
            SetConsoleOutputCP(CP_UTF8);
    }
    ~WindowsStreams() {
        if (m_consolePage != 0)
            SetConsoleOutputCP(m_consolePage);
    }
    WindowsStreams(const WindowsStreams &) = delete;
    WindowsStreams &operator=(const WindowsStreams &) = delete;

private:
    const UINT m_consolePage; // 0 without a console
};
#endif
} // namespace

int main(int argc, char **argv) {
#ifdef Q_OS_WIN
    const WindowsStreams streams;
#endif
    QCoreApplication app(argc, argv);
    QFile output;
    QFile errors;
    // Unbuffered, so that an output that cannot take the result (a full disk, a closed pipe)
    // fails the write itself and the exit status says so.
    if (!output.open(standardOutput, QIODevice::WriteOnly | QIODevice::Unbuffered) ||
        !errors.open(standardError, QIODevice::WriteOnly | QIODevice::Unbuffered))
        return ExitCode::Failure;
    QTextStream out(&output);
    QTextStream err(&errors);
    err.setEncoding(CodePage::encoding());
    return Cli().run(QCoreApplication::arguments().mid(1), out, err);
}
