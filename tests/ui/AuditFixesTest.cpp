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

// Save onto an existing file in a folder where no new file can be made: as root that takes an
// immutable folder; otherwise one without write permission.
TEST(AuditFixes, SaveWritesInPlaceWhenOnlyTheFolderIsLocked) {
    QTemporaryDir dir;
    const QString folder = dir.filePath("locked");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString kept = folder + "/guard.QDS";
    ASSERT_TRUE(TestSupport::writeFile(kept, "old\r\n"));
    const bool root = geteuid() == 0;
    const auto lock = [&](bool on) {
        const auto open =
            QFile::ReadOwner | QFile::ExeOwner | (on ? QFile::Permissions() : QFile::WriteOwner);
        return root ? QProcess::execute("chattr", {on ? "+i" : "-i", folder}) == 0
                    : QFile::setPermissions(folder, open);
    };
    if (!lock(true) || QFile(folder + "/probe").open(QIODevice::WriteOnly)) {
        lock(false);
        GTEST_SKIP() << "this machine cannot lock a folder against new files";
    }
    Studio s;
    Studio::retype(s.w.txtSpeech, "Halt!");
    s.prompts.queueFileName(kept);
    s.prompts.queueFileName(folder + "/new.QDS");
    s.w.MnuProjSave->trigger();
    s.w.MnuProjSave->trigger();
    const QByteArray written = TestSupport::readFile(kept);
    lock(false);
    EXPECT_TRUE(written.contains("PAGE 0\r\nHalt!\r\n"));
    ASSERT_EQ(s.prompts.messages().size(), 1) << "only the new file fails";
    EXPECT_TRUE(s.prompts.messages()[0].contains("could not be written: The folder cannot be written: "));
}
