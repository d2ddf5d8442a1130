// Smaller mends: the file dialogs' extension and writing into a
// folder that cannot be written.
#include "ui/frmDCFixture.h"
#include "ui/widgets/QtUserPrompts.h"

#include <QFileDialog>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <unistd.h>

TEST(AuditFixes, FileDialogsExtendABareNameThemselves) {
    QtUserPrompts prompts;
    QString suffix;
    QTimer::singleShot(0, [&suffix] {
        for (QWidget *top : QApplication::topLevelWidgets())
            if (auto *dialog = qobject_cast<QFileDialog *>(top); dialog && dialog->isVisible()) {
                suffix = dialog->defaultSuffix() +
                         (dialog->acceptMode() == QFileDialog::AcceptSave ? " save" : "");
                dialog->reject();
            }
    });
    EXPECT_EQ(prompts.saveFileName(nullptr, "Farstead QDS Studio File (*.QDS)", QString()), QString());
    EXPECT_EQ(suffix, "QDS save");
}

namespace {
// Locks a folder against new files and removals, or unlocks it: as root that takes an
// immutable folder; otherwise one without write permission.
bool lock(const QString &folder, bool on) {
    if (geteuid() == 0)
        return QProcess::execute("chattr", {on ? "+i" : "-i", folder}) == 0;
    return QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner |
                                             (on ? QFile::Permissions() : QFile::WriteOwner));
}

// A folder holding these files, locked; empty when this machine cannot lock one.
QString lockedFolder(const QTemporaryDir &dir, const QStringList &files) {
    const QString folder = dir.filePath("locked");
    QDir().mkpath(folder);
    for (const QString &file : files)
        TestSupport::writeFile(folder + "/" + file, "//=====QDS: old STARTS======\r\n");
    if (lock(folder, true) && !QFile(folder + "/probe").open(QIODevice::WriteOnly))
        return folder;
    lock(folder, false);
    return {};
}
} // namespace

// Save onto an existing file in a locked folder writes it in place; a new file there fails.
TEST(AuditFixes, SaveWritesInPlaceWhenOnlyTheFolderIsLocked) {
    QTemporaryDir dir;
    const QString folder = lockedFolder(dir, {"guard.QDS"});
    if (folder.isEmpty())
        GTEST_SKIP() << "this machine cannot lock a folder against new files";
    const QString kept = folder + "/guard.QDS";
    Studio s;
    Studio::retype(s.w.txtSpeech, "Halt!");
    s.prompts.queueFileName(kept);
    s.prompts.queueFileName(folder + "/new.QDS");
    s.w.MnuProjSave->trigger();
    s.w.MnuProjSaveAs->trigger();
    const QByteArray written = TestSupport::readFile(kept);
    lock(folder, false);
    EXPECT_TRUE(written.contains("PAGE 0\r\nHalt!\r\n"));
    ASSERT_EQ(s.prompts.messages().size(), 1) << "only the new file fails";
    EXPECT_TRUE(s.prompts.messages()[0].contains("could not be written: The folder cannot be written: "));
}
