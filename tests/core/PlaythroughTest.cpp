#include "core/dialogs/Playthrough.h"

#include <gtest/gtest.h>

// A page's buttons as its BUTTON section gives them: a page opened (its name in any case), the
// end, a dialog no page has, a page number not written plainly, and no lines at all for 7.
TEST(Playthrough, ButtonsDoWhatTheirHandlersSayAndBackAndForwardWalkThePagesPlayed) {
    Gump gump;
    gump.handlers[1] = {QStringLiteral("D_X_2"), false};
    gump.handlers[2] = {QString(), true};
    gump.handlers[3] = {QStringLiteral("d_x_9"), true};
    gump.handlers[4] = {QStringLiteral("d_x_02"), false};
    Playthrough play;
    play.start(1);
    play.press(gump, 1, "d_x", 5);
    EXPECT_EQ(play.current().page, 2);
    play.press(gump, 2, "d_x", 5);
    EXPECT_EQ(play.current().page, -1);
    EXPECT_EQ(play.current().ending, "Button 2 ends the conversation.");
    play.back();
    play.back();
    EXPECT_EQ(play.current().page, 1);
    EXPECT_FALSE(play.canGoBack());
    play.forward();
    EXPECT_TRUE(play.canGoForward());
    play.press(gump, 3, "d_x", 5);
    EXPECT_FALSE(play.canGoForward()) << "a new step forgets the ones ahead";
    EXPECT_EQ(play.current().ending,
              "Button 3 opens the dialog d_x_9, which the script does not have: nothing opened.");
    play.back();
    play.press(gump, 4, "d_x", 5);
    EXPECT_EQ(play.current().page, -1);
    play.back();
    play.press(gump, 7, "d_x", 5);
    EXPECT_EQ(play.current().ending, "Button 7 has no lines on the server: the dialog closed.");
    EXPECT_EQ(play.firstPage(), 1);
    play.start(0);
    EXPECT_FALSE(play.canGoBack());
    EXPECT_EQ(play.firstPage(), 0);
}
