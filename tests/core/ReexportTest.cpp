#include "core/dialogs/ProjectFile.h"
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

// Each folder under fixtures/reexport is an export, as x.scp, over the files an earlier one left
// (in/), of project.QDS (prefix and speaker from its first two lines), in parts of at most
// part-bytes bytes when that file is there. The folder then holds after/ byte for byte, the parts
// listed in new-parts (none without it) are reported as new, and every file replaced is a second
// younger than before at least, which a reloading server needs to see it changed.
TEST(Reexport, EachCaseFolderLeavesTheFilesRecorded) {
    const QDir root(QStringLiteral(RUNEQUILL_FIXTURES "/reexport"));
    const QStringList cases = root.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    ASSERT_GE(cases.size(), 6);
    for (const QString &name : cases) {
        SCOPED_TRACE(name.toStdString());
        const QDir dir(root.filePath(name));
        QTemporaryDir scratch;
        std::map<QString, QDateTime> before;
        for (const QString &file : QDir(dir.filePath("in")).entryList(QDir::Files)) {
            ASSERT_TRUE(TestSupport::writeFile(scratch.filePath(file), readFile(dir.filePath("in/" + file))));
            before[file] = QFileInfo(scratch.filePath(file)).lastModified();
        }
        QuestDialogs project;
        project.Clear();
        const Outcome<ProjectFile::Header> header = ProjectFile::read(dir.filePath("project.QDS"), project);
        ASSERT_TRUE(header.ok());
        project.setSpeaker(header.value.speaker.value_or(QString()));
        const qsizetype partBytes = dir.exists("part-bytes")
                                        ? readFile(dir.filePath("part-bytes")).trimmed().toLongLong()
                                        : ScriptExport::MaxFileBytes;
        const Outcome<ScriptExport::Written> written = ScriptExport::writeScript(
            project, header.value.prefix.value_or(QString()), scratch.filePath("x.scp"), partBytes);
        ASSERT_TRUE(written.ok());

        const QStringList expected = QDir(dir.filePath("after")).entryList(QDir::Files);
        EXPECT_EQ(QDir(scratch.path()).entryList(QDir::Files), expected);
        for (const QString &file : expected) {
            const QFileInfo info(scratch.filePath(file));
            EXPECT_EQ(readFile(info.filePath()), readFile(dir.filePath("after/" + file)))
                << file.toStdString();
            EXPECT_LE(info.size(), partBytes);
            if (before.count(file))
                EXPECT_GE(info.lastModified(), before[file].addSecs(1)) << file.toStdString();
        }
        QStringList newParts;
        for (const QString &part : written.value.newParts)
            newParts << QFileInfo(part).fileName() + '\n';
        EXPECT_EQ(newParts.join(QString()).toUtf8(), readFile(dir.filePath("new-parts")));
    }
}
