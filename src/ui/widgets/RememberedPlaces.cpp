#include "ui/widgets/RememberedPlaces.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QWidget>

namespace {
const QString recentKey = QStringLiteral("Places/recentProjects");

QString folderKey(const QString &dialog) {
    return QStringLiteral("Places/folders/") + dialog;
}
QString windowKey(const QWidget *window) {
    return QStringLiteral("Places/windows/") + window->objectName();
}
} // namespace

QString RememberedPlaces::startName(const QString &dialog, const QString &lastName) {
    if (!lastName.isEmpty())
        return lastName;
    const QString folder = QSettings().value(folderKey(dialog)).toString();
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return QString();
    return QDir(folder).absolutePath() + u'/';
}

void RememberedPlaces::rememberFolder(const QString &dialog, const QString &fileName) {
    if (!fileName.isEmpty())
        QSettings().setValue(folderKey(dialog), QFileInfo(fileName).absolutePath());
}

QStringList RememberedPlaces::recentProjects() {
    QStringList files = QSettings().value(recentKey).toStringList();
    files.removeAll(QString());
    files.removeDuplicates();
    return files.mid(0, RecentCount);
}

void RememberedPlaces::addRecentProject(const QString &fileName) {
    const QString path = QFileInfo(fileName).absoluteFilePath();
    QStringList files = recentProjects();
    files.removeAll(path);
    files.prepend(path);
    QSettings().setValue(recentKey, files.mid(0, RecentCount));
}

void RememberedPlaces::removeRecentProject(const QString &fileName) {
    QStringList files = recentProjects();
    files.removeAll(QFileInfo(fileName).absoluteFilePath());
    QSettings().setValue(recentKey, files);
}

void RememberedPlaces::restoreWindow(QWidget *window) {
    const QByteArray geometry = QSettings().value(windowKey(window)).toByteArray();
    if (!geometry.isEmpty())
        window->restoreGeometry(geometry);
}

void RememberedPlaces::rememberWindow(const QWidget *window) {
    QSettings().setValue(windowKey(window), window->saveGeometry());
}
