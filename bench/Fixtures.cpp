#include "Fixtures.h"

#include "core/dialogs/QuestDialogs.h"
#include "core/dialogs/ScriptWriter.h"
#include "support/ProjectFixtures.h"

#include <QFile>

BenchFixtures &BenchFixtures::instance() {
    static BenchFixtures fixtures;
    return fixtures;
}

BenchFixtures::BenchFixtures() {
    if (!m_dir.isValid())
        m_error = QStringLiteral("no scratch folder: ") + m_dir.errorString();
}

QuestDialogs &BenchFixtures::project(int pages) {
    auto &slot = m_projects[pages];
    if (!slot) {
        slot = std::make_unique<QuestDialogs>();
        ProjectFixtures::generate(*slot, pages);
    }
    return *slot;
}

QString BenchFixtures::projectFile(int pages) {
    auto it = m_projectFiles.find(pages);
    if (it != m_projectFiles.end())
        return it->second;
    const QString file = path(QStringLiteral("project-%1.QDS").arg(pages));
    if (!ProjectFixtures::saveProjectFile(project(pages), file))
        m_error = QStringLiteral("cannot save ") + file;
    return m_projectFiles[pages] = file;
}

QByteArray BenchFixtures::projectFileBytes(int pages) {
    return bytesOf(projectFile(pages));
}

QByteArray BenchFixtures::exportBytes(int pages) {
    auto it = m_exports.find(pages);
    if (it != m_exports.end())
        return it->second;
    // The whole script, as one file would hold it: a large export is written in parts.
    const Outcome<ScriptWriter::Script> script =
        ScriptWriter::build(project(pages), ProjectFixtures::prefix());
    if (!script.ok())
        m_error = QStringLiteral("cannot export: ") + script.error->reason;
    return m_exports[pages] = script.value.bytes;
}

QString BenchFixtures::path(const QString &name) const {
    return m_dir.filePath(name);
}

QByteArray BenchFixtures::bytesOf(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_error = QStringLiteral("cannot read ") + path;
        return {};
    }
    return file.readAll();
}
