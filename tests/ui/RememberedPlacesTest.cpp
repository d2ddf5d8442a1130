#include "support/ScriptedPrompts.h"
#include "support/TestSupport.h"
#include "ui/items/frmItem.h"
#include "ui/shell/AppNavigator.h"
#include "ui/shell/frmMain.h"
#include "ui/studio/frmDC.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QSettings>
#include <gtest/gtest.h>

// Starting on a project file, and what the windows remember from one run to the next.
namespace {
class Places : public ::testing::Test {
protected:
    void SetUp() override { QSettings().remove(QStringLiteral("Places")); }
    void TearDown() override {
        for (QWidget *top : QApplication::topLevelWidgets())
            if (qobject_cast<frmMain *>(top))
                top->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    static bool mainShown() {
        for (QWidget *top : QApplication::topLevelWidgets())
            if (qobject_cast<frmMain *>(top) && top->isVisible())
                return true;
        return false;
    }
    QStringList recent(const frmDC *studio) const {
        QStringList out;
        for (const QAction *a : studio->MnuProjRecent->actions())
            out << a->text();
        return out;
    }

    QTemporaryDir dir;
    ScriptedPrompts prompts;
};
} // namespace

TEST_F(Places, StartingOnAProjectOpensItInTheStudio) {
    const QString guard = RUNEQUILL_EXAMPLE("frmDC_guard.QDS");
    {
        AppNavigator navigator(&prompts);
        navigator.openProjectFile(guard.chopped(4)); // the extension is found as "Open..." finds it
        ASSERT_TRUE(navigator.dialogStudio());
        EXPECT_TRUE(navigator.dialogStudio()->isVisible());
        EXPECT_FALSE(mainShown());
        EXPECT_TRUE(prompts.prompts().isEmpty()) << "no confirmation";
        EXPECT_GT(navigator.studioProject().Count(), 1);
        EXPECT_EQ(recent(navigator.dialogStudio()), QStringList{"&1 " + QDir::toNativeSeparators(guard)});
    }
    AppNavigator navigator(&prompts);
    navigator.openProjectFile(dir.filePath(QStringLiteral("missing.QDS")));
    EXPECT_FALSE(navigator.dialogStudio());
    EXPECT_TRUE(mainShown());
    ASSERT_EQ(prompts.messages().size(), 1);
    EXPECT_TRUE(prompts.messages()[0].startsWith(
        "The file " + QDir::toNativeSeparators(dir.filePath(QStringLiteral("missing.QDS"))) +
        " could not be read: "));
}

TEST_F(Places, RecentProjectsAndFoldersOutliveTheWindow) {
    {
        AppNavigator navigator(&prompts);
        navigator.openDialogStudio();
        frmDC *studio = navigator.dialogStudio();
        EXPECT_FALSE(studio->MnuProjRecent->menuAction()->isEnabled());
        for (int i = 0; i < 9; ++i) {
            prompts.queueFileName(dir.filePath(QStringLiteral("p%1").arg(i)));
            studio->MnuProjSave->trigger();
        }
        prompts.queueFileName(dir.filePath(QStringLiteral("p3.QDS")));
        studio->MnuProjSave->trigger(); // saved again: moves to the top, once
        prompts.queueFileName(dir.filePath(QStringLiteral("out/x.scp")));
        studio->MnuProjExport->trigger(); // cannot be written: no folder remembered
    }
    prompts.clear();
    AppNavigator navigator(&prompts);
    navigator.openDialogStudio();
    frmDC *studio = navigator.dialogStudio();
    const QStringList entries = recent(studio);
    ASSERT_EQ(entries.size(), 8);
    EXPECT_EQ(entries[0], "&1 " + QDir::toNativeSeparators(dir.filePath(QStringLiteral("p3.QDS"))));
    EXPECT_EQ(entries[1], "&2 " + QDir::toNativeSeparators(dir.filePath(QStringLiteral("p8.QDS"))));
    EXPECT_FALSE(entries.join(u' ').contains(QStringLiteral("p0.QDS"))) << "the oldest is dropped";

    studio->MnuProjExport->trigger();
    studio->MnuProjSave->trigger();
    ASSERT_EQ(prompts.prompts().size(), 2);
    EXPECT_EQ(prompts.prompts()[0].fileName, QString()) << "the failed export remembered no folder";
    EXPECT_EQ(prompts.prompts()[1].fileName, dir.path() + u'/');

    prompts.queueConfirm(true);
    studio->MnuProjRecent->actions()[1]->trigger();
    EXPECT_EQ(prompts.questions().size(), 1) << "the same question as Open...";
    EXPECT_EQ(studio->cdlFile, dir.filePath(QStringLiteral("p8.QDS")));
}

TEST_F(Places, WindowsComeBackWhereTheyWere) {
    AppNavigator navigator(&prompts);
    navigator.openItemCreator();
    navigator.itemCreator()->move(140, 90);
    const QPoint place = navigator.itemCreator()->pos();
    navigator.itemCreator()->mnuReturn->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(navigator.itemCreator());
    navigator.openItemCreator();
    EXPECT_EQ(navigator.itemCreator()->pos(), place);
}
