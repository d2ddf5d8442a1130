#include "core/dialogs/LinkTarget.h"

#include "core/text/NumberReading.h"

LinkTarget linkTarget(const QString &linkPage, qint16 upperBound) {
    if (linkPage.isEmpty())
        return {LinkTarget::Empty};
    const int page = plainPageNumber(QStringView(linkPage));
    if (page < 0)
        return {parseDecimal(linkPage) ? LinkTarget::NotPlain : LinkTarget::NotNumber};
    if (page > upperBound)
        return {LinkTarget::NoSuchPage};
    return {LinkTarget::Page, static_cast<qint16>(page)};
}
