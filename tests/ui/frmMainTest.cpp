#include "ui/shell/frmMain.h"
#include "support/RecordingNavigator.h"
#include "ui/widgets/RichTextBox.h"

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <gtest/gtest.h>

namespace {
const char *const welcome = "Hello there, and welcome to Runequill by Halden\r\n"
                            "\r\n"
                            "This version(1.0) contains:\r\n"
                            "\t1. Parley Works | This was created by tobble and converted by me to work "
                            "with version 55i.\r\n"
                            "\t2. RNQ Script Item Creator | An easier way to create items.\r\n"
                            "\t3. RNZ Script NPC Creator | An easier way to create NPCS\r\n"
                            "\r\n";
} // namespace

TEST(frmMain, MenuCommandsSwitchWindows) {
    // Exit unloads the Item Creator first. The commands are found by their object names.
    const struct {
        const char *command;
        QStringList calls;
    } commands[] = {
        {"mnuDS", {"studio"}}, {"mnuNI", {"item"}}, {"mnuNC", {"char"}}, {"mnuExit", {"unloadItem"}}};
    for (const auto &c : commands) {
        RecordingNavigator nav;
        frmMain w(nav);
        EXPECT_EQ(w.txtMain->text(), QString::fromLatin1(welcome));
        EXPECT_EQ(w.windowTitle(), "Runequill by Halden");
        w.show();
        EXPECT_GE(w.txtMain->mapTo(&w, QPoint()).y(), w.menuBar()->height()) << "the box is below the menu";
        QAction *command = w.findChild<QAction *>(c.command);
        ASSERT_TRUE(command) << c.command;
        command->trigger();
        EXPECT_EQ(nav.calls, c.calls);
        EXPECT_FALSE(w.isVisible()) << c.calls.join(' ').toStdString();
    }
}
