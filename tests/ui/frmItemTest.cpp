#include "ui/items/frmItem.h"
#include "support/RecordingNavigator.h"
#include "support/ScriptedPrompts.h"
#include "support/TestSupport.h"
#include "ui/widgets/RichTextBox.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {
class ItemWindow : public ::testing::Test {
protected:
    void SetUp() override { w.show(); }

    void click(QAbstractButton *b) { QTest::mouseClick(b, Qt::LeftButton); }
    void type(int field, const char *text) { QTest::keyClicks(w.txtBasic[field], QString::fromLatin1(text)); }
    void pressTrigger(int index) {
        w.SSItem->setCurrentIndex(2);
        click(w.cmdTrig[index]);
    }
    // Opens the drop-down and picks an entry with the keyboard, as a user would.
    void chooseFromList(QComboBox *combo, const QString &entry) {
        combo->showPopup();
        combo->view()->setCurrentIndex(combo->model()->index(combo->findText(entry), 0));
        QTest::keyClick(combo->view(), Qt::Key_Return);
    }
    QStringList values(int first, int last) const {
        QStringList out;
        for (int i = first; i <= last; ++i)
            out << w.txtBasic[i]->text();
        return out;
    }
    // The exclusive pair in one line: each box's check and enabled state and its frame.
    QString groups() const {
        const auto part = [](const QCheckBox *b, const QGroupBox *f) {
            return QString(b->isChecked() ? "on" : "off") + (b->isEnabled() ? "" : "/disabled") +
                   (f->isVisible() ? " shown" : " hidden");
        };
        return part(w.chkWep, w.frmWep) + ", " + part(w.chkArmor, w.frmArmor);
    }

    RecordingNavigator nav;
    ScriptedPrompts prompts;
    frmItem w{nav, prompts};
};

const QString none = QStringLiteral("off hidden, off hidden");
const QString weapon = QStringLiteral("on shown, off/disabled hidden");
const QString armour = QStringLiteral("off/disabled hidden, on shown");
} // namespace

TEST_F(ItemWindow, OpensWithNamedFieldsAndNoCaptionClipped) {
    EXPECT_EQ(w.minimumSize(), w.maximumSize()) << "fixed size";
    EXPECT_EQ(w.SSItem->currentIndex(), 0);
    for (int i = 0; i < ItemHandling::FieldCount; ++i) {
        EXPECT_EQ(w.findChild<QLineEdit *>(QStringLiteral("txtBasic_%1").arg(i)), w.txtBasic[i]) << i;
        EXPECT_EQ(w.lblBasic[i]->text(), ItemHandling::keyText(i)) << i;
        EXPECT_GE(w.lblBasic[i]->width(), w.lblBasic[i]->sizeHint().width()) << "caption clipped: " << i;
    }
    for (QPushButton *b : w.cmdTrig)
        EXPECT_GE(b->width(), b->sizeHint().width()) << "caption clipped: " << b->text().toStdString();
    EXPECT_EQ(w.cmbFontSize->itemText(3) + " " + w.cmbFontSize->itemText(4), QStringLiteral("10 12"))
        << "no 11";
}

TEST_F(ItemWindow, WeaponAndArmorExcludeEachOtherAndEmptyTheirFieldsWhenSwitchedOff) {
    EXPECT_EQ(groups(), none);
    click(w.chkWep);
    EXPECT_EQ(groups(), weapon);
    type(19, "40");
    type(21, "1");
    type(2, "axe");
    click(w.chkArmor);
    EXPECT_EQ(groups(), weapon) << "Armor cannot be clicked";
    w.chkWep->setChecked(true); // already checked: nothing runs
    EXPECT_EQ(values(19, 21), QStringList({"40", "", "1"}));

    click(w.chkWep);
    EXPECT_EQ(groups(), none);
    EXPECT_EQ(values(19, 21), QStringList({"", "", ""}));
    EXPECT_EQ(w.txtBasic[2]->text(), QStringLiteral("axe"));
    w.txtBasic[20]->setText("9");
    w.chkWep->setChecked(false); // already unchecked: nothing is emptied
    EXPECT_EQ(w.txtBasic[20]->text(), QStringLiteral("9"));

    click(w.chkArmor);
    EXPECT_EQ(groups(), armour);
    type(22, "12");
    click(w.chkWep);
    EXPECT_EQ(groups(), armour);
    click(w.chkArmor);
    EXPECT_EQ(groups(), none);
    EXPECT_EQ(values(20, 22), QStringList({"9", "", ""})) << "only the armour field is emptied";
}

TEST_F(ItemWindow, ExtraIsIndependentAndItsHiddenFieldsAreStillWritten) {
    click(w.Check1);
    click(w.chkWep);
    EXPECT_TRUE(w.frmExtra->isVisible());
    type(23, "Tinkering 50.0");
    click(w.Check1);
    EXPECT_FALSE(w.frmExtra->isVisible());
    EXPECT_EQ(groups(), weapon);
    w.SSItem->setCurrentIndex(3);
    EXPECT_EQ(w.txtOutput->text(),
              QStringLiteral("[ITEMDEF i_item]\r\nSKILLMAKE=Tinkering 50.0\r\n\r\nON=@CREATE\r\n"));
}

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

TEST_F(ItemWindow, WorkedExampleAppearsInTheOutputBox) {
    const std::pair<int, const char *> fields[] = {
        {0, "lamp_magic"}, {2, "magic lamp"}, {4, "0a22"}, {9, "2"}, {17, "100"}, {29, "0481"}, {31, "010"}};
    for (auto [field, value] : fields)
        type(field, value);
    pressTrigger(1);
    QTest::keyClicks(w.txtAdd, QStringLiteral("SAY Hi"));

    w.SSItem->setCurrentIndex(3);
    const QString compiled =
        QStringLiteral("[ITEMDEF i_lamp_magic]\r\nNAME=magic lamp\r\nID=0a22\r\nWEIGHT=2\r\n"
                       "VALUE=100\r\n\r\nON=@CREATE\r\nCOLOR=0481\r\nATTR=010\r\n\r\n"
                       "ON=@DCLICK\r\nSAY Hi");
    EXPECT_EQ(w.txtOutput->text(), compiled);
    EXPECT_EQ(w.txtOutput->toPlainText(), QString(compiled).replace("\r\n", "\n"));
    EXPECT_EQ(w.focusWidget(), w.txtOutput);
}

TEST_F(ItemWindow, CompiledIsRebuiltOnEverySelection) {
    w.SSItem->setCurrentIndex(3);
    EXPECT_EQ(w.txtOutput->text(), QStringLiteral("[ITEMDEF i_item]\r\n\r\nON=@CREATE\r\n"));
    QTest::keyClicks(w.txtOutput, QStringLiteral("hand edit"));
    w.SSItem->setCurrentIndex(0);
    EXPECT_EQ(w.focusWidget(), w.txtBasic[0]);
    type(2, "   ");
    w.SSItem->setCurrentIndex(2);
    QTest::keyClicks(w.txtAdd, QStringLiteral("ON=@STEP"));
    w.SSItem->setCurrentIndex(3);
    EXPECT_EQ(w.txtOutput->text(),
              QStringLiteral("[ITEMDEF i_item]\r\nNAME=   \r\n\r\nON=@CREATE\r\nON=@STEP"))
        << "hand edit gone; additional text unchanged, on a line of its own";
    EXPECT_EQ(w.lstItemWarnings->count(), 0);

    // The warnings below the output follow the fields too.
    w.SSItem->setCurrentIndex(0);
    type(15, "1 i_log");
    w.SSItem->setCurrentIndex(3);
    ASSERT_EQ(w.lstItemWarnings->count(), 1);
    EXPECT_TRUE(w.lstItemWarnings->item(0)->text().startsWith("RESOURCES1= is not a key the server knows"));
}

TEST_F(ItemWindow, TriggerButtonsInsertAHeaderAtTheCaret) {
    pressTrigger(5);
    EXPECT_EQ(w.txtAdd->toPlainText().split(u'\n'), QStringList({"", "ON=@TIMER", ""}));
    EXPECT_TRUE(w.txtAdd->textCursor().atEnd());
    EXPECT_EQ(w.focusWidget(), w.txtAdd) << "ready for the trigger's lines";

    QTest::keyClicks(w.txtAdd, QStringLiteral("abc def"));
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(w.txtAdd, Qt::Key_Left, Qt::ShiftModifier);
    pressTrigger(0);
    QTest::keyClick(w.txtAdd, Qt::Key_Home, Qt::ControlModifier);
    pressTrigger(10);
    QTest::keyClicks(w.txtAdd, QStringLiteral("X"));
    EXPECT_EQ(w.txtAdd->text(),
              QStringLiteral("\r\nON=@DROPON_GROUND\r\nX\r\nON=@TIMER\r\nabc \r\nON=@CLICK\r\n"));
}

TEST_F(ItemWindow, OnlyFontsChosenFromTheListApplyAndTheySurviveRegeneration) {
    w.SSItem->setCurrentIndex(3);
    w.cmbFontSize->lineEdit()->selectAll();
    QTest::keyClicks(w.cmbFontSize->lineEdit(), QStringLiteral("11"));
    QTest::keyClick(w.cmbFontSize->lineEdit(), Qt::Key_Return);
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
