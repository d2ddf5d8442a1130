#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <ostream>

// Small helpers shared by the test programs.
namespace TestSupport {

// Reads a whole file as bytes; an empty array when it cannot be read.
QByteArray readFile(const QString &path);
// Writes bytes to a file, replacing it; false on failure.
bool writeFile(const QString &path, const QByteArray &bytes);
// Joins lines with CR LF after every line, the last one included.
QByteArray crlfLines(std::initializer_list<const char *> lines);

} // namespace TestSupport

// Readable GoogleTest failure messages for Qt strings.
inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList &l, std::ostream *os)
{
    *os << '{';
    for (qsizetype i = 0; i < l.size(); ++i)
        *os << (i ? ", \"" : "\"") << l[i].toStdString() << '"';
    *os << '}';
}
inline void PrintTo(const QByteArray &b, std::ostream *os) { *os << '"' << b.toStdString() << '"'; }
