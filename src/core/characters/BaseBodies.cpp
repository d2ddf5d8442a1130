#include "core/characters/BaseBodies.h"

#include <QFile>
#include <algorithm>

namespace BaseBodies {

const QStringList &names() {
    static const QStringList list = [] {
        QFile file(QStringLiteral(":/characters/bodies.txt"));
        QStringList found;
        if (file.open(QIODevice::ReadOnly))
            for (const QByteArray &line : file.readAll().split('\n'))
                if (!line.startsWith("//") && line.contains(' '))
                    found << QString::fromLatin1(line.mid(line.indexOf(' ') + 1).trimmed());
        std::sort(found.begin(), found.end(), [](const QString &a, const QString &b) {
            const auto rank = [](const QString &n) { return n == u"c_man" ? 0 : n == u"c_woman" ? 1 : 2; };
            return rank(a) != rank(b) ? rank(a) < rank(b) : a.compare(b, Qt::CaseInsensitive) < 0;
        });
        return found;
    }();
    return list;
}

bool isBaseBody(QStringView value) {
    const QStringView v = value.trimmed();
    bool number = false;
    const uint id = v.toUInt(&number, v.startsWith(u'0') ? 16 : 10);
    if (number)
        return id < 0x800;
    return names().contains(v.toString(), Qt::CaseInsensitive);
}

} // namespace BaseBodies
