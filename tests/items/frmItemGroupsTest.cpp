#include "common/TestSupport.h"
#include "items/frmItem.h"
#include "platform/Navigator.h"
#include "platform/RichTextBox.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

// The weapon, armour and extra groups on the "Basic Definitions" tab, driven by clicks.
namespace {
struct SilentNavigator : Navigator {
    void openMain() override {}
    void openDialogStudio() override {}
    void openItemCreator() override {}
    void unloadItemCreator() override {}
};

class ItemGroups : public ::testing::Test {
protected:
    void SetUp() override { w.show(); }

    void click(QCheckBox *box) { QTest::mouseClick(box, Qt::LeftButton); }
    void type(int field, const char *text) { QTest::keyClicks(w.txtBasic[field], QString::fromLatin1(text)); }
    QStringList values(int first, int last) const {
        QStringList out;
        for (int i = first; i <= last; ++i)
            out << w.txtBasic[i]->text();
        return out;
    }
    // The exclusive pair as one word: none, weapon or armour, with both boxes' enabled states.
    QString state() const {
        const auto box = [](const QCheckBox *b) {
            return QString(b->isChecked() ? "on" : "off") + (b->isEnabled() ? "" : "/disabled");
        };
        return QStringLiteral("wep %1 %2, armor %3 %4")
            .arg(box(w.chkWep), w.frmWep->isVisible() ? "shown" : "hidden", box(w.chkArmor),
                 w.frmArmor->isVisible() ? "shown" : "hidden");
    }

    SilentNavigator nav;
    frmItem w{nav};
};

const QString none = QStringLiteral("wep off hidden, armor off hidden");
} // namespace

TEST_F(ItemGroups, WeaponOnAndOffEmptiesItsFieldsAndFreesArmor) {
    EXPECT_EQ(state(), none);
    click(w.chkWep);
    EXPECT_EQ(state(), QStringLiteral("wep on shown, armor off/disabled hidden"));

    type(19, "40");
    type(20, "5,9");
    type(21, "1");
    type(2, "axe");
    click(w.chkArmor);
    EXPECT_EQ(state(), QStringLiteral("wep on shown, armor off/disabled hidden"))
        << "Armor cannot be clicked";

    click(w.chkWep);
    EXPECT_EQ(state(), none);
    EXPECT_EQ(values(19, 21), QStringList({"", "", ""}));
    EXPECT_EQ(w.txtBasic[2]->text(), QStringLiteral("axe")) << "other fields stay";

    click(w.chkWep);
    EXPECT_TRUE(w.frmWep->isVisible());
    EXPECT_EQ(values(19, 21), QStringList({"", "", ""})) << "shown again, still empty";
    click(w.chkWep);
    click(w.chkArmor);
    EXPECT_EQ(state(), QStringLiteral("wep off/disabled hidden, armor on shown")) << "Armor usable again";
}

TEST_F(ItemGroups, ArmorOnAndOffEmptiesOnlyTheArmorField) {
    click(w.chkArmor);
    EXPECT_EQ(state(), QStringLiteral("wep off/disabled hidden, armor on shown"));
    type(22, "12");
    click(w.chkWep);
    EXPECT_EQ(state(), QStringLiteral("wep off/disabled hidden, armor on shown"));

    w.txtBasic[19]->setText("kept"); // hidden, but held
    click(w.chkArmor);
    EXPECT_EQ(state(), none);
    EXPECT_EQ(w.txtBasic[22]->text(), QString());
    EXPECT_EQ(w.txtBasic[19]->text(), QStringLiteral("kept"));
}

TEST_F(ItemGroups, SettingABoxToItsOwnStateRunsNothing) {
    click(w.chkWep);
    type(19, "40");
    w.chkWep->setChecked(true);
    w.chkArmor->setChecked(false);
    EXPECT_EQ(state(), QStringLiteral("wep on shown, armor off/disabled hidden"));
    EXPECT_EQ(w.txtBasic[19]->text(), QStringLiteral("40"));

    click(w.chkWep);
    w.txtBasic[20]->setText("9");
    w.txtBasic[22]->setText("3");
    w.chkWep->setChecked(false);
    w.chkArmor->setChecked(false);
    EXPECT_EQ(values(19, 22), QStringList({"", "9", "", "3"})) << "no emptying without a change";
}

TEST_F(ItemGroups, ExtraIsIndependentAndKeepsItsValuesWhileHidden) {
    click(w.Check1);
    EXPECT_TRUE(w.frmExtra->isVisible());
    click(w.chkWep);
    EXPECT_TRUE(w.frmExtra->isVisible());
    EXPECT_TRUE(w.Check1->isEnabled());

    type(23, "Tinkering 50.0");
    type(25, "10");
    click(w.Check1);
    EXPECT_FALSE(w.frmExtra->isVisible());
    EXPECT_TRUE(w.frmWep->isVisible());
    EXPECT_EQ(values(23, 25), QStringList({"Tinkering 50.0", "", "10"}));

    w.SSItem->setCurrentIndex(3);
    EXPECT_EQ(
        w.txtOutput->text(),
        QStringLiteral("[ITEMDEF i_item]\r\nSKILLMAKE=Tinkering 50.0\r\nREQSTR=10\r\n\r\nON=@CREATE\r\n"));
}

TEST_F(ItemGroups, SwitchesStayVisibleOnTheFrameEdgeWhileFramesAreHidden) {
    const std::pair<QCheckBox *, QGroupBox *> pairs[] = {
        {w.chkWep, w.frmWep}, {w.chkArmor, w.frmArmor}, {w.Check1, w.frmExtra}};
    for (auto [box, frame] : pairs) {
        SCOPED_TRACE(box->objectName().toStdString());
        EXPECT_EQ(box->parentWidget(), frame->parentWidget()) << "a sibling, not inside the frame";
        EXPECT_FALSE(frame->isVisible());
        EXPECT_TRUE(box->isVisible());
        const QRect b = box->geometry(), f = frame->geometry();
        EXPECT_TRUE(b.top() < f.top() && b.bottom() > f.top()) << "sits on the top edge";
        EXPECT_TRUE(f.left() < b.left() && b.right() < f.right());
        EXPECT_TRUE(frame->title().isEmpty());
    }
}
