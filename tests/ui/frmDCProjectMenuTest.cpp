// The studio's menu commands where they meet files and other windows; the event semantics of
// the window are in the scenario tables (frmDCScenarioTest).
#include "ui/frmDCFixture.h"

#include "ui/shell/AppNavigator.h"
#include "ui/shell/frmMain.h"

#include <QApplication>

TEST(frmDCProjectMenu, ReturnOpensTheMainWindowAndTheNextStudioStartsAfresh) {
    ScriptedPrompts prompts;
    AppNavigator navigator(&prompts);
    navigator.openDialogStudio();
    QPointer<frmDC> first = navigator.dialogStudio();
    ASSERT_TRUE(first);
    EXPECT_EQ(first->objectName(), "frmDC");
    Studio::retype(first->txtSpeaker, "Guard");
    Studio::click(first->CmdAddPage);
    prompts.queueUnsaved(UserPrompts::UnsavedAnswer::Discard);
    first->MnuProjEnd->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(first);
    QList<frmMain *> mains;
    for (QWidget *top : QApplication::topLevelWidgets())
        if (auto *main = qobject_cast<frmMain *>(top); main && main->isVisible())
            mains << main;
    EXPECT_EQ(mains.size(), 1);

    navigator.openDialogStudio();
    frmDC *second = navigator.dialogStudio();
    EXPECT_EQ(navigator.studioProject().Speaker(), "") << "the speaker was the discarded project's";
    EXPECT_EQ(navigator.studioProject().Count(), 1);
    EXPECT_EQ(second->txtSpeaker->text(), "");
    for (frmMain *main : mains)
        main->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
