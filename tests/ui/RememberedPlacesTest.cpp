#include "support/ScriptedPrompts.h"
#include "support/TestSupport.h"
#include "ui/frmDCFixture.h"
#include "ui/shell/AppNavigator.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QSettings>
#include <gtest/gtest.h>

// Starting on a project file, and what the windows remember from one run to the next.
namespace {
struct Places : ::testing::Test {
    void SetUp() override { QSettings().remove(QStringLiteral("Places")); }
    void TearDown() override {
        for (QWidget *top : QApplication::topLevelWidgets())
            if (qobject_cast<frmMain *>(top))
                top->deleteLater();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QString path(const QString &name) const { return QDir::toNativeSeparators(dir.filePath(name)); }
    QTemporaryDir dir;
    ScriptedPrompts prompts;
    AppNavigator navigator{&prompts};
};
} // namespace

TEST_F(Places, StartingOnAProjectOpensItInTheStudioOrReportsIt) {
    const QString guard = RUNEQUILL_EXAMPLE("frmDC_guard.QDS");
    navigator.openProjectFile(guard.chopped(4)); // the extension is found as "Open..." finds it
    ASSERT_TRUE(navigator.dialogStudio() && navigator.dialogStudio()->isVisible());
    EXPECT_TRUE(prompts.prompts().isEmpty()) << "no confirmation";
    EXPECT_GT(navigator.studioProject().Count(), 1);
    EXPECT_EQ(navigator.dialogStudio()->MnuProjRecent->actions()[0]->text(),
              "&1 " + QDir::toNativeSeparators(guard));

    // Into the open studio: asked about unsaved changes first, and only then.
    frmDC *studio = navigator.dialogStudio();
    Studio::retype(studio->txtSpeech, "Halt!");
    navigator.openProjectFile(guard);
    EXPECT_EQ(prompts.unsavedQuestions().size(), 1);
    EXPECT_EQ(navigator.studioProject().Dialog(0).text(), "Halt!") << "cancelled";
    prompts.queueUnsaved(UserPrompts::UnsavedAnswer::Discard);
    navigator.openProjectFile(guard);
    navigator.openProjectFile(guard);
    EXPECT_EQ(prompts.unsavedQuestions().size(), 2);
    EXPECT_EQ(navigator.studioProject().Dialog(0).text(), "Halt! Who goes there?");

    prompts.clear();
    AppNavigator other(&prompts);
    other.openProjectFile(dir.filePath(QStringLiteral("missing.QDS")));
    EXPECT_FALSE(other.dialogStudio());
    EXPECT_EQ(prompts.messages(), QStringList{"The file " + path("missing.QDS") +
                                              " could not be read: No such file or directory"});
}

TEST_F(Places, RecentProjectsAndTheLastFolderOutliveTheWindow) {
    navigator.openDialogStudio();
    for (const char *name : {"p0", "p1", "p2", "p3", "p4", "p5", "p6", "p7", "p8", "p3"}) {
        prompts.queueFileName(dir.filePath(QString::fromLatin1(name)));
        navigator.dialogStudio()->MnuProjSaveAs->trigger();
    }
    delete navigator.dialogStudio();
    prompts.clear();

    navigator.openDialogStudio();
    frmDC *studio = navigator.dialogStudio();
    QStringList entries;
    for (const QAction *a : studio->MnuProjRecent->actions())
        entries << a->text();
    EXPECT_EQ(entries, QStringList({"&1 " + path("p3.QDS"), "&2 " + path("p8.QDS"), "&3 " + path("p7.QDS"),
                                    "&4 " + path("p6.QDS"), "&5 " + path("p5.QDS"), "&6 " + path("p4.QDS"),
                                    "&7 " + path("p2.QDS"), "&8 " + path("p1.QDS")}));
    studio->MnuProjSave->trigger();
    EXPECT_EQ(prompts.prompts().value(0).fileName, dir.path() + u'/');

    studio->MnuProjRecent->actions()[1]->trigger();
    EXPECT_TRUE(prompts.unsavedQuestions().isEmpty()) << "nothing to lose, nothing asked";
    EXPECT_EQ(studio->cdlFile, dir.filePath(QStringLiteral("p8.QDS")));
}

TEST_F(Places, WindowsComeBackWhereTheyWere) {
    navigator.openItemCreator();
    navigator.itemCreator()->move(140, 90);
    const QPoint place = navigator.itemCreator()->pos();
    navigator.itemCreator()->mnuReturn->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(navigator.itemCreator()) << "a closed Item Creator is gone";
    navigator.openItemCreator();
    EXPECT_EQ(navigator.itemCreator()->pos(), place);
}
