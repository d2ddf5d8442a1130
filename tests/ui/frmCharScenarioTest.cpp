// The NPC Creator as scenario tables (see ScenarioTables.h): each file under
// fixtures/char-window is a list of steps done to a fresh window and of what it must show after.
#include "support/RecordingNavigator.h"
#include "support/ScenarioTables.h"
#include "support/WindowSteps.h"
#include "ui/characters/frmChar.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QTabWidget>
#include <QTableWidget>

namespace {

struct CharScenario {
    RecordingNavigator nav;
    ScriptedPrompts prompts;
    std::unique_ptr<frmChar> w = std::make_unique<frmChar>(nav, prompts);

    CharScenario() {
        w->show();
        w->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w.get()));
    }
    QWidget &window() { return *w; }

    void run(const QString &verb, QObject *control, const QString &text, const QStringList &list) {
        if (WindowSteps::run(verb, control, text, list, prompts, nav.calls))
            return;
        const QString path = text.section(u' ', 0, 0);
        if (verb == "type")
            QTest::keyClicks(qobject_cast<QWidget *>(control), text);
        else if (verb == "set")
            qobject_cast<QLineEdit *>(control)->setText(text);
        else if (verb == "choose") // an entry typed into a drop-down
            qobject_cast<QComboBox *>(control)->setCurrentText(text);
        else if (verb == "cell") { // cell TABLE ROW COLUMN TEXT, "on" or "off" for a check box
            QTableWidgetItem *cell = qobject_cast<QTableWidget *>(control)->item(
                text.section(u' ', 0, 0).toInt(), text.section(u' ', 1, 1).toInt());
            const QString value = text.section(u' ', 2);
            value == "on" || value == "off" ? cell->setCheckState(value == "on" ? Qt::Checked : Qt::Unchecked)
                                            : cell->setText(value);
        } else if (verb == "row") // selects a row of a table
            qobject_cast<QTableWidget *>(control)->setCurrentCell(text.toInt(), 0);
        else if (verb == "tab")
            w->SSChar->setCurrentIndex(text.toInt());
        else if (verb == "choice")
            prompts.queueChoice(text.toInt());
        else if (verb == "confirm")
            prompts.queueConfirm(text == "1");
        else if (verb == "close")
            w->close();
        else if (verb == "visible")
            EXPECT_EQ(w->isVisible(), text == "1");
        else if (verb == "changed")
            EXPECT_EQ(w->isChanged(), text == "1");
        else if (verb == "title") // as shown: "*" where the title marks unsaved work
            EXPECT_EQ(QString(w->windowTitle()).replace("[*]", w->isWindowModified() ? "*" : ""), text);
        else if (verb == "holds") // holds PATH BYTES: the whole file
            EXPECT_EQ(TestSupport::readFile(path), text.section(u' ', 1).toUtf8());
        else if (verb == "contains") // contains PATH TEXT: the file holds the text
            EXPECT_TRUE(TestSupport::readFile(path).contains(text.section(u' ', 1).toUtf8()))
                << path.toStdString();
        else if (verb == "copied")
            EXPECT_EQ(QApplication::clipboard()->text(), w->txtOutput->text());
        else if (verb == "asked") // the questions and file dialogs so far, by kind
            EXPECT_EQ(prompts.prompts().size(), text.toInt());
        else if (verb == "questions")
            EXPECT_EQ(prompts.questions(), list);
        else
            ADD_FAILURE() << "unknown step " << verb.toStdString();
    }
};

} // namespace

TEST(frmCharScenario, EachScenarioEndsAsItsTableSays) {
    runScenarioTables<CharScenario>(QStringLiteral("char-window"), 4);
}
