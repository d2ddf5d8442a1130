#include "core/text/FileTypes.h"

#include <QFileInfo>

namespace FileTypes {

namespace {
QString withExtension(const QString &name, const QString &extension) {
    return QFileInfo(name).suffix().isEmpty() ? name + extension : name;
}
} // namespace

QString scriptFilter() {
    return QStringLiteral("SPHERE Script File (*.scp)");
}

QString projectFilter() {
    return QStringLiteral("Farstead QDS Studio File (*.QDS)");
}

QString withScriptExtension(const QString &name) {
    return withExtension(name, QStringLiteral(".scp"));
}

QString withProjectExtension(const QString &name) {
    return withExtension(name, QStringLiteral(".QDS"));
}

bool isProjectFile(const QString &name) {
    return QFileInfo(name).suffix().compare(QLatin1String("qds"), Qt::CaseInsensitive) == 0;
}

QString projectNamed(const QString &name) {
    const QString extended = name + QStringLiteral(".QDS");
    return !QFileInfo::exists(name) && QFileInfo::exists(extended) ? extended : name;
}

} // namespace FileTypes
