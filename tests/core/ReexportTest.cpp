#include "core/dialogs/QuestDialogs.h"
#include "core/dialogs/ScriptExport.h"
#include "support/TestSupport.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>

using TestSupport::readFile;

namespace {
// The folders name part n of the script "x.n.scp": the name the export gives it.
QString exportedName(const QString &fixtureName) {
    const QStringList pieces = fixtureName.split(u'.');
    if (pieces.size() != 3)
        return fixtureName;
    return QFileInfo(ScriptExport::partPath(QStringLiteral("x.scp"), pieces[1].toInt())).fileName();
}
} // namespace

// Each folder under fixtures/reexport: project.QDS exported as x.scp (parts of part-bytes, part n
// kept as x.n.scp) over an earlier export's files (in/) leaves after/ byte for byte, names new-parts as new,
// and leaves each file it replaced a second younger at least, for a reloading server to see the change.
TEST(Reexport, EachCaseFolderLeavesTheFilesRecorded) {
    const QDir root(QStringLiteral(RUNEQUILL_FIXTURES "/reexport"));
    for (const QString &name : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        SCOPED_TRACE(name.toStdString());
        const QDir dir(root.filePath(name)), in(dir.filePath("in")), after(dir.filePath("after"));
        QTemporaryDir scratch;
        std::map<QString, QDateTime> before;
        for (const QString &file : in.entryList(QDir::Files)) {
            const QString path = scratch.filePath(exportedName(file));
            ASSERT_TRUE(TestSupport::writeFile(path, readFile(in.filePath(file))));
            before[QFileInfo(path).fileName()] = QFileInfo(path).lastModified();
        }
        QuestDialogs project;
        const QStringList read = TestSupport::readProject(dir.filePath("project.QDS"), project);
        project.setSpeaker(read.value(2).mid(8)); // "speaker TEXT"
        const qsizetype partBytes = readFile(dir.filePath("part-bytes")).trimmed().toLongLong();
        const Outcome<ScriptExport::Written> written =
            ScriptExport::writeScript(project, read.value(1).mid(7), scratch.filePath("x.scp"), partBytes);
        ASSERT_TRUE(written.ok());

        QStringList expectedNames;
        for (const QString &file : after.entryList(QDir::Files))
            expectedNames << exportedName(file);
        expectedNames.sort();
        EXPECT_EQ(QDir(scratch.path()).entryList(QDir::Files), expectedNames);
        for (const QFileInfo &expected : after.entryInfoList(QDir::Files)) {
            const QFileInfo file(scratch.filePath(exportedName(expected.fileName())));
            EXPECT_EQ(readFile(file.filePath()), readFile(expected.filePath()))
                << file.fileName().toStdString();
            if (before.count(file.fileName())) {
                EXPECT_GE(file.lastModified(), before[file.fileName()].addSecs(1));
            }
        }
        QString newParts;
        for (const QString &part : written.value.newParts)
            newParts += QFileInfo(part).fileName() + '\n';
        EXPECT_EQ(newParts.toUtf8(), readFile(dir.filePath("new-parts")));
    }
}
