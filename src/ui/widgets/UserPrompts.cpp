#include "ui/widgets/UserPrompts.h"

#include <QStringList>

QString qtFileFilter(const QString &filterString) {
    QStringList parts = filterString.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        const QString patterns = parts[i + 1].split(u';', Qt::SkipEmptyParts).join(u' ');
        if (description.endsWith(u')') && description.contains(u'('))
            filters << description;
        else
            filters << QStringLiteral("%1 (%2)").arg(description, patterns);
    }
    if (filters.isEmpty())
        return filterString;
    return filters.join(QStringLiteral(";;"));
}
