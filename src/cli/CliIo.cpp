#include "cli/CliIo.h"

#include "cli/Usage.h"
#include "core/text/CodePage.h"

#include <QIODevice>
#include <QTextStream>

bool CliIo::print(const QString &text) {
    QString error;
    const std::optional<QByteArray> bytes = CodePage::encode(text, &error);
    if (!bytes) {
        report(QStringLiteral("cannot print the result: %1").arg(error));
        return false;
    }
    QIODevice *device = m_out.device();
    if (!device) {
        m_out << text; // a stream over a string holds text, not bytes
        return true;
    }
    // The bytes go straight to the device so that they are exactly the code page's.
    m_out.flush();
    if (device->write(*bytes) != bytes->size()) {
        report(QStringLiteral("cannot print the result: %1").arg(device->errorString()));
        return false;
    }
    return true;
}

int CliIo::fileFailure(const QString &file, const QString &reason) {
    report(QStringLiteral("%1: %2").arg(file, reason));
    return ExitCode::Failure;
}

int CliIo::usageMistake(const QString &message) {
    report(message);
    m_err << Usage::usage();
    m_err.flush();
    return ExitCode::Failure;
}

void CliIo::report(const QString &message) {
    m_err << Usage::programName() << QStringLiteral(": ") << message << '\n';
    m_err.flush();
}
