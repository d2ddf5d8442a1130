#pragma once

#include <QString>

#include <optional>

// Why an operation on a file failed: the file (empty when the operation had none, as for an
// encoding or a device), the line where it broke off (0 when the failure is not tied to a
// line), a short human-readable reason ("No such file or directory") and what kind of failure
// it was, for callers that treat a missing file or a damaged one apart from the rest.
struct FileError {
    enum Kind {
        Failed,  // it could not be done (a disk, a folder, a character the code page lacks)
        Missing, // no file of that name
        Damaged  // the file does not follow its format from `line` on
    };

    QString path;
    qint64 line = 0;
    QString reason;
    Kind kind = Failed;

    // "The file PATH could not be VERB: REASON", the wording every front end shows.
    QString message(const QString &verb) const {
        return QStringLiteral("The file %1 could not be %2: %3").arg(path, verb, reason);
    }
};

// What an operation that can fail hands back: its value (for a read that broke off, what was
// read before the failure) and, when it failed, where and why.
template <class T> struct Outcome {
    T value{};
    std::optional<FileError> error;

    bool ok() const { return !error.has_value(); }
};

// For operations that produce nothing but can fail (writes, opening a file).
using WriteOutcome = std::optional<FileError>;
