#include "core/dialogs/LinkTarget.h"

#include "core/text/NumberReading.h"

#include <QRegularExpression>

LinkTarget linkTarget(const QString &linkPage, qint16 upperBound) {
    if (linkPage.isEmpty())
        return {LinkTarget::Empty};
    static const QRegularExpression plain(QStringLiteral("\\A(0|[1-9][0-9]*)\\z"));
    if (!plain.match(linkPage).hasMatch())
        return {parseDecimal(linkPage) ? LinkTarget::NotPlain : LinkTarget::NotNumber};
    bool ok = false;
    const int page = linkPage.toInt(&ok);
    if (!ok || page > upperBound)
        return {LinkTarget::NoSuchPage};
    return {LinkTarget::Page, static_cast<qint16>(page)};
}
