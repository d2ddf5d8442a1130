#include "core/items/ItemHandling.h"
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

class ItemScript : public ::testing::Test {
protected:
    void SetUp() override { w.show(); }

    QString path(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }
    QStringList fields(const frmItem &window) const {
        QStringList out;
        for (const QLineEdit *box : window.txtBasic)
            out << box->text();
        return out;
    }
    QList<ScriptedPrompts::Prompt::Kind> kinds() const {
        QList<ScriptedPrompts::Prompt::Kind> out;
        for (const auto &p : prompts.prompts())
            out << p.kind;
        return out;
    }

    QTemporaryDir dir;
    RecordingNavigator nav;
    ScriptedPrompts prompts;
    frmItem w{nav, prompts};
};
} // namespace

TEST_F(ItemScript, SavedItemOpensWithEveryFieldAndTrigger) {
    // Every field holds a value of its own, the weapon group is on and the armour value kept.
    QTest::mouseClick(w.chkWep, Qt::LeftButton);
    QTest::mouseClick(w.Check1, Qt::LeftButton);
    for (int i = 0; i < ItemHandling::FieldCount; ++i)
        w.txtBasic[i]->setText(QStringLiteral("v%1 =x").arg(i));
    QTest::keyClicks(w.txtBasic[2], QStringLiteral(" lamp"));
    w.SSItem->setCurrentIndex(2);
    QTest::mouseClick(w.cmdTrig[1], Qt::LeftButton);
    QTest::keyClicks(w.txtAdd, QStringLiteral("SAY Hi"));
    QTest::mouseClick(w.cmdTrig[5], Qt::LeftButton);
    QTest::keyClicks(w.txtAdd, QStringLiteral("REMOVE"));
    const QString additional = w.txtAdd->text();
    EXPECT_TRUE(w.isChanged());

    prompts.queueFileName(path("lamp")); // no extension: ".scp" is added
    w.MnuScriptSave->trigger();
    EXPECT_FALSE(w.isChanged());
    const QByteArray saved = TestSupport::readFile(path("lamp.scp"));
    w.SSItem->setCurrentIndex(3);
    EXPECT_EQ(saved, w.txtOutput->text().toLatin1()) << "the file holds the compiled item, CR LF included";

    frmItem again(nav, prompts);
    prompts.queueFileName(path("lamp.scp"));
    again.MnuScriptOpen->trigger();
    EXPECT_EQ(fields(again), fields(w));
    EXPECT_EQ(again.txtAdd->text(), additional);
    EXPECT_TRUE(again.chkWep->isChecked());
    EXPECT_TRUE(again.Check1->isChecked());
    EXPECT_FALSE(again.isChanged());
    EXPECT_EQ(again.cdlScript, path("lamp.scp"));
    EXPECT_TRUE(prompts.messages().isEmpty());
}

TEST_F(ItemScript, ReturnAndCloseAskOnlyWhenTheFormChanged) {
    w.mnuReturn->trigger();
    EXPECT_TRUE(prompts.prompts().isEmpty()) << "nothing typed, nothing asked";
    EXPECT_EQ(nav.calls, QStringList{"main"});

    frmItem item(nav, prompts);
    item.show();
    nav.calls.clear();
    QTest::keyClicks(item.txtBasic[2], QStringLiteral("lamp"));
    prompts.queueUnsaved(Answer::Cancel);
    item.mnuReturn->trigger();
    prompts.queueUnsaved(Answer::Cancel);
    item.close();
    EXPECT_TRUE(item.isVisible());
    EXPECT_TRUE(nav.calls.isEmpty());

    // Save, but the file dialog is cancelled: the window stays.
    prompts.queueUnsaved(Answer::Save);
    item.mnuReturn->trigger();
    EXPECT_TRUE(item.isVisible());

    // Copying keeps the work too: the output goes to the clipboard and nothing is asked.
    item.SSItem->setCurrentIndex(3);
    QTest::mouseClick(item.cmdCopy, Qt::LeftButton);
    EXPECT_EQ(QApplication::clipboard()->text(), item.txtOutput->text());
    EXPECT_FALSE(item.isChanged());

    item.chkArmor->click();
    prompts.queueUnsaved(Answer::Save);
    prompts.queueFileName(path("kept.scp"));
    item.close();
    EXPECT_FALSE(item.isVisible());
    EXPECT_EQ(TestSupport::readFile(path("kept.scp")), item.txtOutput->text().toLatin1());

    item.show();
    item.txtBasic[0]->setText(QStringLiteral("x"));
    prompts.queueUnsaved(Answer::Discard);
    item.mnuReturn->trigger();
    EXPECT_EQ(nav.calls, QStringList{"main"});
    EXPECT_FALSE(item.isVisible()) << "asked once, not again by the close that follows";
    using K = ScriptedPrompts::Prompt::Kind;
    EXPECT_EQ(kinds(), QList<K>({K::Unsaved, K::Unsaved, K::Unsaved, K::SaveFile, K::Unsaved, K::SaveFile,
                                 K::Unsaved}));
}

TEST_F(ItemScript, OpenAsksWhichSectionAndReportsWhatCannotBeRead) {
    TestSupport::writeFile(path("two.scp"), "[ITEMDEF i_a]\r\nNAME=a\r\n[ITEMDEF i_b]\r\nNAME=b\r\n"
                                            "ON=@CREATE\r\nCOLOR=5\r\n");
    TestSupport::writeFile(path("none.scp"), "[CHARDEF c_a]\r\n");
    prompts.queueFileName(path("two.scp"));
    w.MnuScriptOpen->trigger(); // which section? cancelled
    EXPECT_EQ(fields(w), QStringList(ItemHandling::FieldCount));
    prompts.queueFileName(path("two.scp"));
    prompts.queueChoice(1);
    w.MnuScriptOpen->trigger();
    EXPECT_EQ(w.txtBasic[0]->text() + w.txtBasic[2]->text() + w.txtBasic[29]->text(), QStringLiteral("bb5"));
    EXPECT_EQ(prompts.prompts()[1].fileName, QStringLiteral("i_a|i_b"));

    prompts.queueFileName(path("none.scp"));
    prompts.queueFileName(path("missing.scp"));
    w.MnuScriptOpen->trigger();
    w.MnuScriptOpen->trigger();
    const QStringList messages = prompts.messages();
    ASSERT_EQ(messages.size(), 2);
    EXPECT_EQ(messages[0], QStringLiteral("The file %1 holds no [ITEMDEF] section.")
                               .arg(QDir::toNativeSeparators(path("none.scp"))));
    EXPECT_TRUE(messages[1].startsWith(QStringLiteral("The file %1 could not be read: ")
                                           .arg(QDir::toNativeSeparators(path("missing.scp")))));
    EXPECT_EQ(w.txtBasic[2]->text(), QStringLiteral("b")) << "a failed open keeps the form";

    // A form changed since it was opened is not thrown away unasked.
    w.txtBasic[2]->setText(QStringLiteral("c"));
    prompts.queueUnsaved(Answer::Cancel);
    prompts.queueFileName(path("two.scp"));
    w.MnuScriptOpen->trigger();
    EXPECT_EQ(w.txtBasic[2]->text(), QStringLiteral("c"));
}
