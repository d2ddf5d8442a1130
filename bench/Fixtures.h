#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <map>
#include <memory>

class QuestDialogs;

// The projects and files the benchmarks share, each made once per run on first use, in a
// scratch folder that is removed at the end of the run.
class BenchFixtures {
public:
    static BenchFixtures &instance();

    // The generated project of that many pages (see common/ProjectFixtures.h).
    QuestDialogs &project(int pages);
    // Its project file, saved once.
    QString projectFile(int pages);
    QByteArray projectFileBytes(int pages);
    // Its exported script, as bytes.
    QByteArray exportBytes(int pages);
    // A file name in the scratch folder.
    QString path(const QString &name) const;

    // Empty when the fixtures could be made; else what went wrong.
    const QString &error() const { return m_error; }

private:
    BenchFixtures();
    QByteArray bytesOf(const QString &path);

    QTemporaryDir m_dir;
    QString m_error;
    std::map<int, std::unique_ptr<QuestDialogs>> m_projects;
    std::map<int, QString> m_projectFiles;
    std::map<int, QByteArray> m_exports;
};
