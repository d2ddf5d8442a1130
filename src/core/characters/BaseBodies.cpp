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
        // The human bodies first; "c_man" comes before "c_woman" by name too.
        const auto human = [](const QString &n) { return n == u"c_man" || n == u"c_woman"; };
        std::sort(found.begin(), found.end(), [&human](const QString &a, const QString &b) {
            return human(a) != human(b) ? human(a) : a.compare(b, Qt::CaseInsensitive) < 0;
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
