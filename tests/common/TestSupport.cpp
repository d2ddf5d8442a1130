#include "common/TestSupport.h"

#include <QFile>

namespace TestSupport {

QByteArray readFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(bytes) == bytes.size();
}

QByteArray crlfLines(std::initializer_list<const char *> lines)
{
    QByteArray out;
    for (const char *line : lines) {
        out += line;
        out += "\r\n";
    }
    return out;
}

} // namespace TestSupport
