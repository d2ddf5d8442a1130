#include "items/frmItem.h"
#include "common/TestSupport.h"
#include "platform/Navigator.h"
#include "platform/RichTextBox.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {
struct RecordingNavigator : Navigator {
    QStringList calls;
    void openMain() override { calls << "main"; }
    void openDialogStudio() override { calls << "studio"; }
    void openItemCreator() override { calls << "item"; }
    void unloadItemCreator() override { calls << "unloadItem"; }
};

class ItemWindow : public ::testing::Test {
protected:
    void SetUp() override { w.show(); }

    void pressTrigger(int index) {
        w.SSItem->setCurrentIndex(2);
        QTest::mouseClick(w.cmdTrig[index], Qt::LeftButton);
    }
    // Opens the drop-down and picks an entry with the keyboard, as a user would.
    void chooseFromList(QComboBox *combo, const QString &entry) {
        combo->showPopup();
        QAbstractItemView *view = combo->view();
        view->setCurrentIndex(combo->model()->index(combo->findText(entry), 0));
        QTest::keyClick(view, Qt::Key_Return);
    }
    QStringList listOf(const QComboBox *combo) const {
        QStringList out;
        for (int i = 0; i < combo->count(); ++i)
            out << combo->itemText(i);
        return out;
    }

    RecordingNavigator nav;
    frmItem w{nav};
};
} // namespace

TEST_F(ItemWindow, OpensWithItsControlsCaptionsAndLists) {
    EXPECT_EQ(w.windowTitle(), QStringLiteral("RNQ Script : Item"));
    EXPECT_EQ(w.minimumSize(), w.maximumSize()) << "fixed size";
    ASSERT_EQ(w.SSItem->count(), 4);
    QStringList tabs;
    for (int i = 0; i < 4; ++i)
        tabs << w.SSItem->tabText(i);
    EXPECT_EQ(tabs, QStringList({"Basic Definitions", "@Create", "Additional", "Compiled"}));
    EXPECT_EQ(w.SSItem->currentIndex(), 0);

    for (int i = 0; i < ItemHandling::FieldCount; ++i) {
        EXPECT_EQ(w.findChild<QLineEdit *>(QStringLiteral("txtBasic_%1").arg(i)), w.txtBasic[i]) << i;
        EXPECT_EQ(w.findChild<QLabel *>(QStringLiteral("lblBasic_%1").arg(i)), w.lblBasic[i]) << i;
        EXPECT_EQ(w.lblBasic[i]->text(), ItemHandling::keyText(i)) << i;
        EXPECT_TRUE(w.txtBasic[i]->text().isEmpty()) << i;
        EXPECT_GE(w.lblBasic[i]->width(), w.lblBasic[i]->sizeHint().width()) << "caption clipped: " << i;
    }
    const std::pair<QGroupBox *, std::pair<int, int>> rows[] = {
        {w.Frame2, {0, 18}},    {w.frmWep, {19, 21}}, {w.frmArmor, {22, 22}},
        {w.frmExtra, {23, 25}}, {w.Frame4, {26, 30}}, {w.Frame5, {31, 35}}};
    for (auto [frame, range] : rows)
        for (int i = range.first; i <= range.second; ++i)
            EXPECT_EQ(w.txtBasic[i]->parentWidget(), frame) << i;

    const char *const triggers[] = {"@CLICK",       "@DCLICK", "@STEP",         "@EQUIP",
                                    "@UNEQUIP",     "@TIMER",  "@TARGON_ITEM",  "@TARGON_GROUND",
                                    "@TARGON_CHAR", "@DAMAGE", "@DROPON_GROUND"};
    for (int i = 0; i < frmItem::TriggerCount; ++i) {
        EXPECT_EQ(w.findChild<QPushButton *>(QStringLiteral("cmdTrig_%1").arg(i)), w.cmdTrig[i]);
        EXPECT_EQ(w.cmdTrig[i]->text(), QString::fromLatin1(triggers[i]));
        EXPECT_EQ(w.cmdTrig[i]->parentWidget(), w.Frame7);
        EXPECT_GE(w.cmdTrig[i]->width(), w.cmdTrig[i]->sizeHint().width()) << "caption clipped: " << i;
    }
    EXPECT_EQ(w.txtAdd->parentWidget(), w.Frame6);

    EXPECT_EQ(w.chkWep->text(), QStringLiteral("Weapon"));
    EXPECT_EQ(w.chkArmor->text(), QStringLiteral("Armor"));
    EXPECT_EQ(w.Check1->text(), QStringLiteral("Extra"));
    EXPECT_EQ(w.Label1->text(), QStringLiteral("@Create Trigger"));
    EXPECT_EQ(w.Label1->font().family(), QStringLiteral("Arial"));
    EXPECT_DOUBLE_EQ(w.Label1->font().pointSizeF(), 12);
    EXPECT_TRUE(w.Label1->font().bold());

    EXPECT_EQ(listOf(w.cmbFont), QStringList({"Arial", "Courier", "Times New Roman"}));
    EXPECT_EQ(w.cmbFont->currentText(), QStringLiteral("Arial"));
    EXPECT_EQ(listOf(w.cmbFontSize), QStringList({"7", "8", "9", "10", "12", "14", "16", "18", "20", "22"}));
    EXPECT_EQ(w.cmbFontSize->currentText(), QStringLiteral("10"));
    EXPECT_TRUE(w.cmbFont->isEditable() && w.cmbFontSize->isEditable());
    EXPECT_EQ(w.txtOutput->font().family(), QStringLiteral("Arial"));
    EXPECT_DOUBLE_EQ(w.txtOutput->font().pointSizeF(), 9.75);
    EXPECT_TRUE(w.txtOutput->text().isEmpty());
    EXPECT_TRUE(w.txtAdd->text().isEmpty());

    EXPECT_EQ(w.mnuScript->title(), QStringLiteral("Script"));
    const QList<QAction *> items = w.mnuScript->actions();
    ASSERT_EQ(items.size(), 2);
    EXPECT_TRUE(items[0]->isSeparator());
    EXPECT_EQ(items[1], w.mnuReturn);
    EXPECT_EQ(w.mnuReturn->text(), QStringLiteral("Return"));
}

TEST_F(ItemWindow, WorkedExampleAppearsInTheOutputBox) {
    const std::pair<int, const char *> values[] = {
        {0, "lamp_magic"}, {2, "magic lamp"}, {4, "0a22"}, {9, "2"}, {17, "100"}, {29, "0481"}, {31, "010"}};
    for (auto [field, value] : values)
        QTest::keyClicks(w.txtBasic[field], QString::fromLatin1(value));
    pressTrigger(1);
    QTest::keyClicks(w.txtAdd, QStringLiteral("SAY Hi"));

    w.SSItem->setCurrentIndex(3);
    const QStringList lines = {"[ITEMDEF i_lamp_magic]",
                               "NAME=magic lamp",
                               "ID=0a22",
                               "WEIGHT=2",
                               "VALUE=100",
                               "",
                               "ON=@CREATE",
                               "COLOR=0481",
                               "ATTR=010",
                               "",
                               "ON=@DCLICK",
                               "SAY Hi"};
    EXPECT_EQ(w.txtOutput->toPlainText().split(u'\n'), lines);
    EXPECT_EQ(w.txtOutput->text(), lines.join(QStringLiteral("\r\n")));
    EXPECT_EQ(w.focusWidget(), w.txtOutput);
}

TEST_F(ItemWindow, CompiledIsRebuiltOnEverySelection) {
    w.SSItem->setCurrentIndex(3);
    EXPECT_EQ(w.txtOutput->text(), QStringLiteral("[ITEMDEF i_item]\r\n\r\nON=@CREATE\r\n"));

    QTest::keyClicks(w.txtOutput, QStringLiteral("hand edit"));
    w.SSItem->setCurrentIndex(0);
    EXPECT_EQ(w.focusWidget(), w.txtBasic[0]);
    QTest::keyClicks(w.txtBasic[0], QStringLiteral("a]"));
    QTest::keyClicks(w.txtBasic[2], QStringLiteral("   "));
    w.SSItem->setCurrentIndex(1);
    QTest::keyClicks(w.txtBasic[34], QStringLiteral("1,2,3"));
    w.SSItem->setCurrentIndex(2);
    QTest::keyClicks(w.txtAdd, QStringLiteral("ON=@STEP"));
    w.SSItem->setCurrentIndex(3);
    const QString expected =
        QStringLiteral("[ITEMDEF i_a]]\r\nNAME=   \r\n\r\nON=@CREATE\r\nP=1,2,3\r\nON=@STEP");
    EXPECT_EQ(w.txtOutput->text(), expected) << "hand edit gone, additional text on a line of its own";

    w.SSItem->setCurrentIndex(2);
    w.SSItem->setCurrentIndex(3);
    EXPECT_EQ(w.txtOutput->text(), expected);
}

TEST_F(ItemWindow, TriggerButtonsInsertAHeaderAtTheCaret) {
    pressTrigger(5);
    EXPECT_EQ(w.txtAdd->text(), QStringLiteral("\r\nON=@TIMER\r\n"));
    EXPECT_EQ(w.txtAdd->toPlainText().split(u'\n'), QStringList({"", "ON=@TIMER", ""}));
    EXPECT_TRUE(w.txtAdd->textCursor().atEnd());
    EXPECT_EQ(w.focusWidget(), w.txtAdd) << "ready for the trigger's lines";

    QTest::keyClicks(w.txtAdd, QStringLiteral("abc def"));
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(w.txtAdd, Qt::Key_Left, Qt::ShiftModifier);
    pressTrigger(0);
    EXPECT_EQ(w.txtAdd->text(), QStringLiteral("\r\nON=@TIMER\r\nabc \r\nON=@CLICK\r\n"))
        << "selection replaced";

    QTest::keyClick(w.txtAdd, Qt::Key_Home, Qt::ControlModifier);
    pressTrigger(10);
    QTest::keyClicks(w.txtAdd, QStringLiteral("X"));
    pressTrigger(10);
    EXPECT_EQ(w.txtAdd->text(), QStringLiteral("\r\nON=@DROPON_GROUND\r\nX\r\nON=@DROPON_GROUND\r\n\r\n"
                                               "ON=@TIMER\r\nabc \r\nON=@CLICK\r\n"))
        << "no duplicate check, caret after each insert";
}

TEST_F(ItemWindow, FontChoicesApplyToTheWholeOutputAndSurviveRegeneration) {
    w.SSItem->setCurrentIndex(3);
    chooseFromList(w.cmbFontSize, QStringLiteral("22"));
    EXPECT_DOUBLE_EQ(w.txtOutput->font().pointSizeF(), 22);
    chooseFromList(w.cmbFont, QStringLiteral("Times New Roman"));
    EXPECT_EQ(w.txtOutput->font().family(), QStringLiteral("Times New Roman"));
    EXPECT_DOUBLE_EQ(w.txtOutput->font().pointSizeF(), 22);

    w.SSItem->setCurrentIndex(0);
    QTest::keyClicks(w.txtBasic[2], QStringLiteral("lamp"));
    w.SSItem->setCurrentIndex(3);
    QTextCursor last(w.txtOutput->document());
    last.movePosition(QTextCursor::End);
    EXPECT_DOUBLE_EQ(last.charFormat().font().pointSizeF(), 22);
    EXPECT_EQ(last.charFormat().font().family(), QStringLiteral("Times New Roman"));
    EXPECT_DOUBLE_EQ(w.txtOutput->font().pointSizeF(), 22);
}

TEST_F(ItemWindow, TypedFontTextHasNoEffect) {
    w.SSItem->setCurrentIndex(3);
    for (QComboBox *combo : {w.cmbFontSize, w.cmbFont}) {
        combo->lineEdit()->selectAll();
        QTest::keyClicks(combo->lineEdit(),
                         combo == w.cmbFont ? QStringLiteral("Wingdings") : QStringLiteral("11"));
        QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
    }
    EXPECT_EQ(w.cmbFontSize->findText(QStringLiteral("11")), -1) << "typed text never becomes an entry";
    EXPECT_EQ(w.cmbFont->count(), 3);
    EXPECT_EQ(w.txtOutput->font().family(), QStringLiteral("Arial"));
    EXPECT_DOUBLE_EQ(w.txtOutput->font().pointSizeF(), 9.75);
}

TEST_F(ItemWindow, ReturnOpensTheMainWindowAndClosesThisOne) {
    auto *window = new frmItem(nav);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    QPointer<frmItem> guard(window);
    window->mnuReturn->trigger();
    EXPECT_EQ(nav.calls, QStringList{"main"});
    EXPECT_FALSE(window->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guard.isNull()) << "discarded with its contents";

    w.close();
    EXPECT_EQ(nav.calls, QStringList{"main"}) << "the close box runs no handler of the window";
}
