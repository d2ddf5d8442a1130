// "Save", "Export..." and "Open..." on files that cannot be written or read: each says so in a
// message naming the file and the reason, and whatever was at the target stays as it was.
#include "frmDCFixture.h"
#include "support/FullDisk.h"

#include <QDir>
#include <QTemporaryDir>

namespace {

struct Command {
    const char *name;
    const char *extension;
    void (*run)(Studio &);
};

const Command WriteCommands[] = {
    {"Save", ".QDS", [](Studio &s) { s.w.MnuProjSave->trigger(); }},
    {"Export", ".scp", [](Studio &s) { s.w.MnuProjExport->trigger(); }},
};

class frmDCFileFailure : public ::testing::TestWithParam<Command> {
protected:
    frmDCFileFailure() {
        for (int n = 0; n < 30; ++n)
            Studio::click(s.w.CmdAddPage);
        Studio::retype(s.w.txtSpeaker, "Guard");
        // An export's support script is already there, so that only the script is written.
        TestSupport::writeFile(dir.filePath("runequill_support.scp"), "kept");
    }

    // Runs the command on `path`; the messages it showed.
    QStringList writeTo(const QString &path) {
        s.prompts.clear();
        s.prompts.queueFileName(path);
        GetParam().run(s);
        return s.prompts.messages();
    }

    static QString writeFailure(const QString &path) {
        return "The file " + QDir::toNativeSeparators(path) + " could not be written: ";
    }

    void expectOneFailure(const QStringList &messages, const QString &path) {
        ASSERT_EQ(messages.size(), 1) << messages.join('\n').toStdString();
        EXPECT_TRUE(messages[0].startsWith(writeFailure(path))) << messages[0].toStdString();
        EXPECT_GT(messages[0].size(), writeFailure(path).size()) << "the reason is given";
    }

    QString target(const QString &stem) const { return dir.filePath(stem + GetParam().extension); }

    Studio s;
    QTemporaryDir dir;
    const QByteArray before = "what was there before\r\n";
};

} // namespace

TEST_P(frmDCFileFailure, MissingFolderOrAFileAsTheFolder) {
    const QString name = QStringLiteral("out") + GetParam().extension;
    const QString inMissing = dir.filePath("missing/" + name);
    expectOneFailure(writeTo(inMissing), inMissing);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("missing")));

    const QString plain = target("plain");
    ASSERT_TRUE(TestSupport::writeFile(plain, before));
    const QString underPlain = plain + "/" + name;
    expectOneFailure(writeTo(underPlain), underPlain);
    EXPECT_EQ(TestSupport::readFile(plain), before);
}

TEST_P(frmDCFileFailure, TargetThatIsAFolder) {
    const QString folder = target("work");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QStringList messages = writeTo(folder);
    expectOneFailure(messages, folder);
    EXPECT_TRUE(messages.value(0).contains("folder"));
    EXPECT_EQ(FullDisk::nodeKind(folder), "dir");
}

TEST_P(frmDCFileFailure, TargetThatIsADeviceNode) {
    const QString node = target("node");
    ASSERT_TRUE(FullDisk::makeDeviceNode(node));
    const QString kind = FullDisk::nodeKind(node);
    const QStringList messages = writeTo(node);
    expectOneFailure(messages, node);
    EXPECT_TRUE(messages.value(0).contains("not a regular file"));
    EXPECT_EQ(FullDisk::nodeKind(node), kind);
}

TEST_P(frmDCFileFailure, DiskThatFillsUpHalfWay) {
    const QString reference = target("reference");
    ASSERT_TRUE(writeTo(reference).isEmpty());
    const QByteArray content = TestSupport::readFile(reference);
    ASSERT_TRUE(QFile::remove(reference));

    const QString path = target("target");
    ASSERT_TRUE(TestSupport::writeFile(path, before));
    const std::optional<QByteArray> shown =
        FullDisk::run(content.size() / 2, [&] { return writeTo(path).join('\n').toUtf8(); });
    ASSERT_TRUE(shown.has_value()) << "the window survives the failed write";
    expectOneFailure(QString::fromUtf8(*shown).split('\n'), path);
    EXPECT_EQ(TestSupport::readFile(path), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files),
              (QStringList{"runequill_support.scp", QFileInfo(path).fileName()}));
}

INSTANTIATE_TEST_SUITE_P(Commands, frmDCFileFailure, ::testing::ValuesIn(WriteCommands),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(frmDCOpenFailure, FoldersAndDevicesAreReportedAndTheProjectStaysCleared) {
    QTemporaryDir dir;
    const QString folderWithExtension = dir.filePath("folder.QDS");
    const QString folder = dir.filePath("projects");
    const QString endless = dir.filePath("zero.QDS");
    ASSERT_TRUE(QDir().mkpath(folderWithExtension));
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(FullDisk::makeDeviceNode(endless, 5));

    for (const QString &path : {folderWithExtension, folder, endless}) {
        Studio s;
        Studio::retype(s.w.DialogName, "d_kept");
        s.prompts.queueConfirm(true);
        s.prompts.queueFileName(path);
        s.w.MnuProjOpen->trigger();
        const QString failure = "The file " + QDir::toNativeSeparators(path) + " could not be read: ";
        ASSERT_EQ(s.prompts.messages().size(), 1) << path.toStdString();
        EXPECT_TRUE(s.prompts.messages()[0].startsWith(failure)) << s.prompts.messages()[0].toStdString();
        EXPECT_GT(s.prompts.messages()[0].size(), failure.size());
        EXPECT_EQ(s.stored(), QStringList({"0:Null", "  |0||1"}));
        EXPECT_EQ(s.w.DialogName->text(), "d_kept");
    }
}

TEST(frmDCLongTexts, OpenThenSaveKeepsTextsLongerThanALineBoxShows) {
    // A line box holds 32767 characters unless told otherwise: longer texts from a file must
    // still reach the saved file whole.
    QTemporaryDir dir;
    const QByteArray longText(40'000, 'x');
    const QByteArray file = "p" + longText + "\r\ns" + longText + "\r\nPAGE 0\r\nspeech\r\nSELECTION a" +
                            longText + "\r\n-1\r\n1\r\nSELECTION b\r\n-1\r\n0\r\n\r\n";
    const QString original = dir.filePath("long.QDS");
    ASSERT_TRUE(TestSupport::writeFile(original, file));
    Studio s;
    s.prompts.queueConfirm(true);
    s.prompts.queueFileName(original);
    s.w.MnuProjOpen->trigger();
    ASSERT_TRUE(s.prompts.messages().isEmpty());

    const QString saved = dir.filePath("saved.QDS");
    s.prompts.queueFileName(saved);
    s.w.MnuProjSave->trigger(); // applies the answer shown, the long one, first
    EXPECT_EQ(TestSupport::readFile(saved), file);
}
