#include "ui/studio/PlayView.h"
#include "core/dialogs/ClientText.h"

#include <QTextDocument>
#include <gtest/gtest.h>

// The client's HTML as the Play dock shows it: colours, line breaks and bold kept, an expression
// the server would fill in shown as it stands, any other "<" as text, and marks for what the
// player will not see.
TEST(PlayView, TheClientsHtmlWithMarksForWhatThePlayerWillNotSee) {
    ReceivedText line;
    line.text = QStringLiteral("a < b <basefont color=#ff0000><b>red</b><br>x <SRC.TARG.NAME> \uF600</p>");
    line.dropped = {line.text.size() - 5};
    line.cut = ReceivedText::AtLimit;
    const QString html = PlayView::richText(line);
    EXPECT_TRUE(html.contains("<span style=\"color:#ff0000\"><b>red</b><br/>")) << html.toStdString();
    QTextDocument shown;
    shown.setHtml(html);
    EXPECT_EQ(shown.toPlainText(),
              QStringLiteral("a < b red\nx <SRC.TARG.NAME> □ ✂ cut at 2047 characters "));
}
