// The Item Creator's event semantics as scenario tables (see ScenarioTables.h): each file under
// fixtures/item-window is a list of steps done to a fresh window and of what it must show after.
#include "support/RecordingNavigator.h"
#include "support/ScenarioTables.h"
#include "support/ScriptedPrompts.h"
#include "support/TestSupport.h"
#include "ui/items/frmItem.h"
#include "ui/widgets/RichTextBox.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// What a control shows: a box its text (a rich box with CR LF line ends), a switch "on" or "off"
// and "/disabled" when it cannot be clicked, a frame "shown" or "hidden", a list its rows
// joined by "|".
QString shownBy(QObject *control) {
    if (auto *box = qobject_cast<QLineEdit *>(control))
        return box->text();
    if (auto *box = qobject_cast<RichTextBox *>(control))
        return box->text();
    if (auto *box = qobject_cast<QCheckBox *>(control))
        return QString(box->isChecked() ? "on" : "off") + (box->isEnabled() ? "" : "/disabled");
    if (auto *frame = qobject_cast<QGroupBox *>(control))
        return frame->isVisible() ? "shown" : "hidden";
    if (auto *list = qobject_cast<QListWidget *>(control)) {
        QStringList rows;
        for (int i = 0; i < list->count(); ++i)
            rows << list->item(i)->text();
        return rows.join(u'|');
    }
    return QStringLiteral("<no control>");
}

struct ItemScenario {
    RecordingNavigator nav;
    ScriptedPrompts prompts;
    std::unique_ptr<frmItem> w = std::make_unique<frmItem>(nav, prompts);

    ItemScenario() { w->show(); }
    QWidget &window() { return *w; }

    QStringList fields() const {
        QStringList out;
        for (const QLineEdit *box : w->txtBasic)
            out << box->text();
        return out;
    }

    void run(const QString &verb, QObject *control, const QString &text, const QStringList &list) {
        auto *widget = qobject_cast<QWidget *>(control);
        static const QMap<QString, std::pair<Qt::Key, Qt::KeyboardModifiers>> keys = {
            {"Return", {Qt::Key_Return, {}}},
            {"Shift+Left", {Qt::Key_Left, Qt::ShiftModifier}},
            {"Ctrl+Home", {Qt::Key_Home, Qt::ControlModifier}}};
        static const QMap<QString, UserPrompts::UnsavedAnswer> unsaved = {
            {"Save", UserPrompts::UnsavedAnswer::Save},
            {"Discard", UserPrompts::UnsavedAnswer::Discard},
            {"Cancel", UserPrompts::UnsavedAnswer::Cancel}};
        const QString path = text.section(u' ', 0, 0);
        if (verb == "type")
            QTest::keyClicks(widget, text);
        else if (verb == "set")
            qobject_cast<QLineEdit *>(control)->setText(text);
        else if (verb == "fill") // every field, the hidden ones too: "v<field> =x"
            for (int i = 0; i < ItemHandling::FieldCount; ++i)
                w->txtBasic[i]->setText(QStringLiteral("v%1 =x").arg(i));
        else if (verb == "key")
            QTest::keyClick(widget, keys.value(text).first, keys.value(text).second);
        else if (verb == "click")
            QTest::mouseClick(widget, Qt::LeftButton);
        else if (verb == "check")
            qobject_cast<QCheckBox *>(control)->setChecked(text == "1");
        else if (verb == "tab")
            w->SSItem->setCurrentIndex(text.toInt());
        else if (verb == "menu")
            qobject_cast<QAction *>(control)->trigger();
        else if (verb == "file")
            prompts.queueFileName(text);
        else if (verb == "choice")
            prompts.queueChoice(text.toInt());
        else if (verb == "unsaved")
            prompts.queueUnsaved(unsaved.value(text));
        else if (verb == "show")
            w->show();
        else if (verb == "close")
            w->close();
        else if (verb == "new") // a second window, as when the Item Creator is opened again
            w = std::make_unique<frmItem>(nav, prompts);
        else if (verb == "write") // write PATH BYTES
            EXPECT_TRUE(TestSupport::writeFile(path, text.section(u' ', 1).toUtf8()));
        else if (verb == "is")
            EXPECT_EQ(shownBy(control).toStdString(), text.toStdString());
        else if (verb == "focused")
            EXPECT_EQ(w->focusWidget(), widget);
        else if (verb == "visible")
            EXPECT_EQ(w->isVisible(), text == "1");
        else if (verb == "changed")
            EXPECT_EQ(w->isChanged(), text == "1");
        else if (verb == "fields")
            EXPECT_EQ(fields(), list);
        else if (verb == "saved") // saved PATH: the file holds what the output box shows
            EXPECT_EQ(TestSupport::readFile(path), w->txtOutput->text().toLatin1());
        else if (verb == "written") // written PATH: the file was made and is not empty
            EXPECT_FALSE(TestSupport::readFile(path).isEmpty());
        else if (verb == "copied")
            EXPECT_EQ(QApplication::clipboard()->text(), w->txtOutput->text());
        else if (verb == "asked") // how many messages, questions and file dialogs so far
            EXPECT_EQ(prompts.prompts().size(), text.toInt());
        else if (verb == "offered") // the entries of the last choice
            EXPECT_EQ(prompts.prompts().last().fileName, text);
        else if (verb == "messages")
            EXPECT_EQ(prompts.messages(), list);
        else if (verb == "navigator")
            EXPECT_EQ(nav.calls, list);
        else
            ADD_FAILURE() << "unknown step " << verb.toStdString();
    }
};

} // namespace

TEST(frmItemScenario, EachScenarioEndsAsItsTableSays) {
    runScenarioTables<ItemScenario>(QStringLiteral("item-window"), 5);
}
