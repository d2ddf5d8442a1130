#include "core/dialogs/ExportNotes.h"

#include <QDir>
#include <QFileInfo>

namespace ExportNotes {

QString loadCommand(const QString &partPath) {
    const QStringList folders = QDir::fromNativeSeparators(QFileInfo(partPath).absolutePath()).split(u'/');
    for (qsizetype i = folders.size() - 1; i >= 0; --i)
        if (folders[i].compare(QLatin1String("scripts"), Qt::CaseInsensitive) == 0)
            return QStringLiteral("LOAD %1/%2")
                .arg(folders.mid(i).join(u'/'), QFileInfo(partPath).fileName());
    return QStringLiteral("LOAD scripts/<folder>/%1").arg(QFileInfo(partPath).fileName());
}

QString newPartNotice(const QString &partPath) {
    return QStringLiteral("%1 is a new part file: a running server reads it only after a restart or \"%2\" "
                          "on its console.")
        .arg(QFileInfo(partPath).fileName(), loadCommand(partPath));
}

QString writtenMessage(const ScriptExport::Written &written) {
    QStringList lines;
    if (written.files.size() > 1) {
        lines << QStringLiteral("The export also wrote:");
        for (qsizetype i = 1; i < written.files.size(); ++i)
            lines << QDir::toNativeSeparators(written.files[i]);
    }
    for (const QString &part : written.newParts)
        lines << QString() << newPartNotice(part);
    return lines.join(u'\n');
}

QString errorsQuestion(const std::vector<Finding> &errors) {
    constexpr size_t Shown = 10;
    QString text = QStringLiteral("The server would refuse or misread this script:\n");
    for (size_t i = 0; i < errors.size() && i < Shown; ++i)
        text += QStringLiteral("\n%1: %2").arg(findingPlace(errors[i]), errors[i].message);
    if (errors.size() > Shown)
        text +=
            QStringLiteral("\n... and %1 more (View > Problems lists them all).").arg(errors.size() - Shown);
    return text + QStringLiteral("\n\nExport anyway?");
}

} // namespace ExportNotes
