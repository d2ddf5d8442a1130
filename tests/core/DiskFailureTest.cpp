// Saves and exports that cannot be written: each one fails with a reason, and whatever was at the
// target before is there afterwards exactly as it was.
#include "core/dialogs/ProjectFile.h"
#include "core/dialogs/QuestDialogs.h"
#include "support/FullDisk.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Writer {
    const char *name;
    std::function<bool(QuestDialogs &, const QString &, QString *)> write;
};

const Writer Writers[] = {
    {"save",
     [](QuestDialogs &p, const QString &path, QString *reason) {
         return ProjectFile::save(path, QStringLiteral("d_test"), QStringLiteral("Tester"), p, reason);
     }},
    {"export", [](QuestDialogs &p, const QString &path,
                  QString *reason) { return p.DumpToFile(path, QStringLiteral("d_test"), reason); }},
};

class DiskFailure : public ::testing::TestWithParam<Writer> {
protected:
    DiskFailure() {
        project.Clear();
        for (int n = 0; n < 40; ++n) {
            auto page = std::make_unique<Dialog>(
                QStringLiteral("Speech of page %1, long enough to fill a disk").arg(n));
            page->Selection(0).Init(QStringLiteral("Go on"), true, QString::number(n + 1), n == 39);
            project.AddNewDialog(std::move(page));
        }
    }

    bool write(const QString &path, QString *reason) { return GetParam().write(project, path, reason); }

    // What the writer puts into a file where nothing stops it.
    QByteArray fullContent() {
        const QString path = dir.filePath("reference");
        QString reason;
        EXPECT_TRUE(write(path, &reason)) << reason.toStdString();
        const QByteArray bytes = TestSupport::readFile(path);
        QFile::remove(path);
        return bytes;
    }

    // Writes in a child process on a disk that takes only `limit` bytes per file; "ok" or the reason.
    QString writeOnDiskOf(qint64 limit, const QString &path) {
        const std::optional<QByteArray> answer = FullDisk::run(limit, [&] {
            QString reason;
            return (write(path, &reason) ? QStringLiteral("ok") : reason).toUtf8();
        });
        return answer ? QString::fromUtf8(*answer) : QStringLiteral("the child died");
    }

    QStringList entries() const {
        return QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System);
    }

    QTemporaryDir dir;
    QuestDialogs project;
    const QByteArray before = "the file that was there\r\n";
};

} // namespace

TEST_P(DiskFailure, MissingFolderOrAFileAsTheFolder) {
    QString reason;
    EXPECT_FALSE(write(dir.filePath("missing/out.txt"), &reason));
    EXPECT_FALSE(reason.isEmpty());

    const QString plain = dir.filePath("plain");
    ASSERT_TRUE(TestSupport::writeFile(plain, before));
    reason.clear();
    EXPECT_FALSE(write(plain + "/out.txt", &reason));
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_EQ(TestSupport::readFile(plain), before);
    EXPECT_EQ(entries(), QStringList{"plain"});
}

TEST_P(DiskFailure, TargetThatIsAFolder) {
    const QString folder = dir.filePath("work.QDS");
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(TestSupport::writeFile(folder + "/inside", before));
    QString reason;
    EXPECT_FALSE(write(folder, &reason));
    EXPECT_TRUE(reason.contains("folder")) << reason.toStdString();
    EXPECT_EQ(FullDisk::nodeKind(folder), "dir");
    EXPECT_EQ(TestSupport::readFile(folder + "/inside"), before);
}

TEST_P(DiskFailure, TargetThatIsADeviceNodeIsLeftAsItWas) {
    const QString node = dir.filePath("node.QDS");
    ASSERT_TRUE(FullDisk::makeDeviceNode(node));
    const QString kind = FullDisk::nodeKind(node);
    QString reason;
    EXPECT_FALSE(write(node, &reason)); // a pipe opened for writing would hang right here
    EXPECT_TRUE(reason.contains("not a regular file")) << reason.toStdString();
    EXPECT_EQ(FullDisk::nodeKind(node), kind);

    // Nor through a link to it; a link to a file, though, is written through and stays a link.
    const QString link = dir.filePath("link.QDS");
    ASSERT_TRUE(QFile::link(node, link));
    EXPECT_FALSE(write(link, &reason));
    EXPECT_EQ(FullDisk::nodeKind(node), kind);
    const QString file = dir.filePath("file.QDS");
    const QString fileLink = dir.filePath("file-link.QDS");
    ASSERT_TRUE(TestSupport::writeFile(file, before));
    ASSERT_TRUE(QFile::link(file, fileLink));
    EXPECT_TRUE(write(fileLink, &reason)) << reason.toStdString();
    EXPECT_TRUE(QFileInfo(fileLink).isSymLink());
    EXPECT_EQ(TestSupport::readFile(file), fullContent());
}

TEST_P(DiskFailure, DiskThatFillsUpHalfWayKeepsThePreviousFile) {
    const QByteArray content = fullContent();
    ASSERT_GT(content.size(), 2000);
    const QString target = dir.filePath("target.QDS");
    for (const qint64 limit : {qint64(0), content.size() / 2, content.size() - 1}) {
        SCOPED_TRACE(limit);
        ASSERT_TRUE(TestSupport::writeFile(target, before));
        const QString result = writeOnDiskOf(limit, target);
        EXPECT_NE(result, "ok");
        EXPECT_NE(result, "the child died");
        EXPECT_FALSE(result.isEmpty()) << "a failure comes with its reason";
        EXPECT_EQ(TestSupport::readFile(target), before);
        EXPECT_EQ(entries(), QStringList{"target.QDS"}) << "no half-written file is left behind";
    }
    // A disk with exactly enough room takes the whole file.
    EXPECT_EQ(writeOnDiskOf(content.size(), target), "ok");
    EXPECT_EQ(TestSupport::readFile(target), content);
}

INSTANTIATE_TEST_SUITE_P(SaveAndExport, DiskFailure, ::testing::ValuesIn(Writers),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(DiskFailureReading, FoldersAndDevicesAreRefusedBeforeReading) {
    QTemporaryDir dir;
    QuestDialogs project;
    project.Clear();
    // A device that reads without end, and a pipe that no one writes to: neither may be opened.
    for (const unsigned minorNumber : {5u, 3u}) {
        const QString node = dir.filePath(QStringLiteral("node%1.QDS").arg(minorNumber));
        ASSERT_TRUE(FullDisk::makeDeviceNode(node, minorNumber));
        const auto result = ProjectFile::read(node, project);
        EXPECT_EQ(result.status, ProjectFile::ReadResult::CannotRead);
        EXPECT_FALSE(result.reason.isEmpty());
    }
    const auto result = ProjectFile::read(dir.path(), project);
    EXPECT_EQ(result.status, ProjectFile::ReadResult::CannotRead);
    EXPECT_TRUE(result.reason.contains("folder")) << result.reason.toStdString();
    EXPECT_EQ(project.Count(), 1);
    EXPECT_EQ(project.Dialog(0).text(), QuestDialogs::placeholderText());
}
