#include "support/RecordingNavigator.h"
#include "support/ScriptedPrompts.h"
#include "support/TestSupport.h"
#include "ui/items/frmItem.h"
#include "ui/widgets/RichTextBox.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

// The Item Creator's "Script" menu, its Copy button and its question before work is lost.
namespace {
using Answer = UserPrompts::UnsavedAnswer;

QStringList fields(const frmItem &window) {
    QStringList out;
    for (const QLineEdit *box : window.txtBasic)
        out << box->text();
    return out;
}

struct ItemScript : ::testing::Test {
    QString path(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }
    QTemporaryDir dir;
    RecordingNavigator nav;
    ScriptedPrompts prompts;
    frmItem w{nav, prompts};
};
} // namespace

TEST_F(ItemScript, SavedItemOpensWithEveryFieldAndTrigger) {
    QTest::mouseClick(w.chkWep, Qt::LeftButton);
    QTest::mouseClick(w.Check1, Qt::LeftButton);
    for (int i = 0; i < ItemHandling::FieldCount; ++i) // the hidden armour field too
        w.txtBasic[i]->setText(QStringLiteral("v%1 =x").arg(i));
    w.SSItem->setCurrentIndex(2);
    QTest::mouseClick(w.cmdTrig[1], Qt::LeftButton);
    QTest::keyClicks(w.txtAdd, QStringLiteral("SAY Hi"));
    QTest::mouseClick(w.cmdTrig[5], Qt::LeftButton);
    prompts.queueFileName(path("lamp")); // ".scp" is added
    w.MnuScriptSave->trigger();
    w.SSItem->setCurrentIndex(3);
    EXPECT_EQ(TestSupport::readFile(path("lamp.scp")), w.txtOutput->text().toLatin1());

    frmItem again(nav, prompts);
    prompts.queueFileName(path("lamp.scp"));
    again.MnuScriptOpen->trigger();
    EXPECT_EQ(fields(again), fields(w));
    EXPECT_EQ(again.txtAdd->text(), w.txtAdd->text());
    EXPECT_TRUE(again.chkWep->isChecked() && again.Check1->isChecked());
    EXPECT_FALSE(w.isChanged() || again.isChanged());
    EXPECT_TRUE(prompts.messages().isEmpty());
}

TEST_F(ItemScript, ReturnAndCloseAskOnlyWhenTheFormChangedSinceSavedOrCopied) {
    w.show();
    QTest::keyClicks(w.txtBasic[2], QStringLiteral("lamp"));
    prompts.queueUnsaved(Answer::Cancel);
    w.mnuReturn->trigger();
    prompts.queueUnsaved(Answer::Save); // and the file dialog is cancelled
    w.close();
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(nav.calls.isEmpty());

    w.SSItem->setCurrentIndex(3);
    QTest::mouseClick(w.cmdCopy, Qt::LeftButton);
    EXPECT_EQ(QApplication::clipboard()->text(), w.txtOutput->text());
    EXPECT_EQ(prompts.prompts().size(), 3) << "nothing asked after a copy";
    w.close();
    EXPECT_EQ(prompts.prompts().size(), 3);

    w.show();
    w.chkArmor->click();
    prompts.queueUnsaved(Answer::Save);
    prompts.queueFileName(path("kept.scp"));
    w.close();
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(TestSupport::readFile(path("kept.scp")).isEmpty());

    w.show();
    w.txtBasic[0]->setText(QStringLiteral("x"));
    prompts.queueUnsaved(Answer::Discard);
    w.mnuReturn->trigger();
    EXPECT_EQ(nav.calls, QStringList{"main"});
    EXPECT_FALSE(w.isVisible()) << "asked once, not again by the close that follows";
    EXPECT_EQ(prompts.prompts().size(), 6);
}

TEST_F(ItemScript, OpenAsksWhichSectionAndReportsWhatCannotBeRead) {
    TestSupport::writeFile(path("two.scp"), "[ITEMDEF i_a]\r\nNAME=a\r\n[ITEMDEF i_b]\r\nNAME=b\r\n");
    for (int choice : {-1, 1}) {
        prompts.queueFileName(path("two.scp"));
        prompts.queueChoice(choice);
        w.MnuScriptOpen->trigger();
    }
    EXPECT_EQ(w.txtBasic[2]->text(), QStringLiteral("b"));
    EXPECT_EQ(prompts.prompts()[1].fileName, QStringLiteral("i_a|i_b"));

    prompts.queueFileName(path("missing.scp"));
    w.MnuScriptOpen->trigger();
    EXPECT_EQ(prompts.messages(),
              QStringList{QStringLiteral("The file %1 could not be read: No such file or directory")
                              .arg(QDir::toNativeSeparators(path("missing.scp")))});
    EXPECT_EQ(w.txtBasic[2]->text(), QStringLiteral("b"));
}
