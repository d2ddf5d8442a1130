#pragma once

#include <QString>

class QTextStream;

namespace ExitCode {
constexpr int Ok = 0;
constexpr int Findings = 1; // check found at least one error
constexpr int Failure = 2;  // a usage mistake, or a file that cannot be read or written
} // namespace ExitCode

// The two streams a command talks through. Results go out whole or not at all; every message
// on the error stream starts with the program's name.
class CliIo {
public:
    CliIo(QTextStream &out, QTextStream &err) : m_out(out), m_err(err) {}

    // Writes the text to the output in the system code page. When a character cannot be
    // encoded, or the output cannot be written, nothing goes out, the reason is reported and
    // the result is false.
    bool print(const QString &text);

    // "runequill-cli: FILE: reason"; the result is ExitCode::Failure.
    int fileFailure(const QString &file, const QString &reason);
    // "runequill-cli: message" on the error stream.
    void warn(const QString &message) { report(message); }
    // The mistake, then the usage; the result is ExitCode::Failure.
    int usageMistake(const QString &message);

private:
    void report(const QString &message);

    QTextStream &m_out;
    QTextStream &m_err;
};
