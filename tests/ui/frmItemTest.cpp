#include "ui/items/frmItem.h"
#include "support/RecordingNavigator.h"
#include "support/ScriptedPrompts.h"
#include "ui/widgets/RichTextBox.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QTest>
#include <gtest/gtest.h>

namespace {
class ItemWindow : public ::testing::Test {
protected:
    void SetUp() override { w.show(); }

    // Opens the drop-down and picks an entry with the keyboard, as a user would.
    void chooseFromList(QComboBox *combo, const QString &entry) {
        combo->showPopup();
        combo->view()->setCurrentIndex(combo->model()->index(combo->findText(entry), 0));
        QTest::keyClick(combo->view(), Qt::Key_Return);
    }
    RecordingNavigator nav;
    ScriptedPrompts prompts;
    frmItem w{nav, prompts};
};

} // namespace

TEST_F(ItemWindow, SwitchesSitOnTheFrameEdgeAndStayUsableWhileFramesAreHidden) {
    const std::pair<QCheckBox *, QGroupBox *> pairs[] = {
        {w.chkWep, w.frmWep}, {w.chkArmor, w.frmArmor}, {w.Check1, w.frmExtra}};
    for (auto [box, frame] : pairs) {
        SCOPED_TRACE(box->objectName().toStdString());
        EXPECT_EQ(box->parentWidget(), frame->parentWidget()) << "a sibling, not inside the frame";
        EXPECT_TRUE(box->isVisible() && !frame->isVisible());
        const QRect b = box->geometry(), f = frame->geometry();
        EXPECT_TRUE(b.top() < f.top() && b.bottom() > f.top() && f.left() < b.left() &&
                    b.right() < f.right());
    }
}

TEST_F(ItemWindow, OnlyFontsChosenFromTheListApplyAndTheySurviveRegeneration) {
    w.SSItem->setCurrentIndex(3);
    w.cmbFontSize->lineEdit()->selectAll();
    QTest::keyClicks(w.cmbFontSize->lineEdit(), QStringLiteral("11"));
    QTest::keyClick(w.cmbFontSize->lineEdit(), Qt::Key_Return);
    w.txtOutput->setFocus(); // out of the box again
    EXPECT_DOUBLE_EQ(w.txtOutput->font().pointSizeF(), 9.75) << "typed size has no effect";
    EXPECT_EQ(w.cmbFontSize->findText(QStringLiteral("11")), -1) << "and does not join the list";

    chooseFromList(w.cmbFontSize, QStringLiteral("22"));
    chooseFromList(w.cmbFont, QStringLiteral("Times New Roman"));
    w.SSItem->setCurrentIndex(0);
    w.SSItem->setCurrentIndex(3);
    QTextCursor last(w.txtOutput->document());
    last.movePosition(QTextCursor::End);
    EXPECT_DOUBLE_EQ(last.charFormat().font().pointSizeF(), 22);
    EXPECT_EQ(last.charFormat().font().family(), QStringLiteral("Times New Roman"));
}

TEST_F(ItemWindow, ReturnOpensTheMainWindowAndDiscardsThisOne) {
    auto *window = new frmItem(nav, prompts);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    QPointer<frmItem> guard(window);
    window->mnuReturn->trigger();
    EXPECT_EQ(nav.calls, QStringList{"main"});
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guard.isNull());

    w.close();
    EXPECT_EQ(nav.calls, QStringList{"main"}) << "the close box runs no handler of the window";
}
