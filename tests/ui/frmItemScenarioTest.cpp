// The Item Creator's event semantics as scenario tables (see ScenarioTables.h): each file under
// fixtures/item-window is a list of steps done to a fresh window and of what it must show after.
#include "support/RecordingNavigator.h"
#include "support/ScenarioTables.h"
#include "support/WindowSteps.h"
#include "ui/items/frmItem.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTabWidget>

namespace {

struct ItemScenario {
    RecordingNavigator nav;
    ScriptedPrompts prompts;
    std::unique_ptr<frmItem> w = std::make_unique<frmItem>(nav, prompts);

    ItemScenario() {
        w->show();
        w->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w.get()));
    }
    QWidget &window() { return *w; }

    QStringList fields() const {
        QStringList out;
        for (const QLineEdit *box : w->txtBasic)
            out << box->text();
        return out;
    }

    void run(const QString &verb, QObject *control, const QString &text, const QStringList &list) {
        if (WindowSteps::run(verb, control, text, list, prompts, nav.calls))
            return;
        auto *widget = qobject_cast<QWidget *>(control);
        const QString path = text.section(u' ', 0, 0);
        if (verb == "type")
            QTest::keyClicks(widget, text);
        else if (verb == "set")
            qobject_cast<QLineEdit *>(control)->setText(text);
        else if (verb == "fill") // every field, the hidden ones too: "v<field> =x"
            for (int i = 0; i < ItemHandling::FieldCount; ++i)
                w->txtBasic[i]->setText(QStringLiteral("v%1 =x").arg(i));
        else if (verb == "tab")
            w->SSItem->setCurrentIndex(text.toInt());
        else if (verb == "choice")
            prompts.queueChoice(text.toInt());
        else if (verb == "show")
            w->show();
        else if (verb == "close")
            w->close();
        else if (verb == "new") // a second window, as when the Item Creator is opened again
            w = std::make_unique<frmItem>(nav, prompts);
        else if (verb == "focused")
            EXPECT_EQ(w->focusWidget(), widget);
        else if (verb == "visible")
            EXPECT_EQ(w->isVisible(), text == "1");
        else if (verb == "changed")
            EXPECT_EQ(w->isChanged(), text == "1");
        else if (verb == "fields")
            EXPECT_EQ(fields(), list);
        else if (verb == "title") // as shown: "*" where the title marks unsaved work
            EXPECT_EQ(QString(w->windowTitle()).replace("[*]", w->isWindowModified() ? "*" : ""), text);
        else if (verb == "holds") // holds PATH BYTES: the whole file
            EXPECT_EQ(TestSupport::readFile(path), text.section(u' ', 1).toUtf8());
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
        else
            ADD_FAILURE() << "unknown step " << verb.toStdString();
    }
};

} // namespace

TEST(frmItemScenario, EachScenarioEndsAsItsTableSays) {
    runScenarioTables<ItemScenario>(QStringLiteral("item-window"), 5);
}
