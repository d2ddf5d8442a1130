#include "core/dialogs/AnalysisNodes.h"

#include "core/dialogs/Dialog.h"
#include "core/dialogs/LinkTarget.h"
#include "core/dialogs/Selection.h"

namespace AnalysisNodes {

QString pageText(qint16 page, const Dialog &dialog) {
    return QString::number(page) + u':' + dialog.text();
}

QString answerText(qint16 slot, const Selection &selection) {
    QString out = u's' + QString::number(slot);
    if (selection.isLinked())
        out += QLatin1StringView(" L") + selection.LinkPage();
    return out + u' ' + selection.text();
}

QString pageKey(const QString &prefix, qint16 page) {
    return prefix + u'_' + QString::number(page);
}

QString answerKey(const QString &prefix, qint16 page, qint16 slot) {
    return pageKey(prefix, page) + u'_' + QString::number(slot);
}

std::optional<KeyPlace> placeOfKey(QStringView prefix, QStringView key) {
    if (key.size() <= prefix.size() || !key.startsWith(prefix) || key[prefix.size()] != u'_')
        return std::nullopt;
    const QStringView numbers = key.sliced(prefix.size() + 1);
    const qsizetype split = numbers.indexOf(u'_');
    const int page = plainPageNumber(split < 0 ? numbers : numbers.first(split));
    const int answer = split < 0 ? -1 : plainPageNumber(numbers.sliced(split + 1));
    if (page < 0 || (split >= 0 && answer < 0))
        return std::nullopt;
    return KeyPlace{page, answer};
}

} // namespace AnalysisNodes
