#include "core/dialogs/AnalysisNodes.h"

#include "core/dialogs/Dialog.h"
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

} // namespace AnalysisNodes
