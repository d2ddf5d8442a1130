#pragma once

#include "support/RecordingNavigator.h"
#include "support/WindowSteps.h"

#include <QApplication>
#include <QClipboard>
#include <QTabWidget>
#include <QTableWidget>
#include <memory>

// A creator window (the Item Creator, the NPC Creator) under scenario tables (see
// ScenarioTables.h): a fresh window, shown and active, and the steps that mean the same in both.
template <class Window> struct CreatorScenario {
    RecordingNavigator nav;
    ScriptedPrompts prompts;
    std::unique_ptr<Window> w = std::make_unique<Window>(nav, prompts);

    CreatorScenario() {
        w->show();
        w->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w.get()));
    }
    QWidget &window() { return *w; }

    void run(const QString &verb, QObject *control, const QString &text, const QStringList &list) {
        if (WindowSteps::run(verb, control, text, list, prompts, nav.calls))
            return;
        auto *widget = qobject_cast<QWidget *>(control);
        const QString path = text.section(u' ', 0, 0);
        if (verb == "type")
            QTest::keyClicks(widget, text);
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
            w->template findChild<QTabWidget *>()->setCurrentIndex(text.toInt());
        else if (verb == "choice")
            prompts.queueChoice(text.toInt());
        else if (verb == "confirm")
            prompts.queueConfirm(text == "1");
        else if (verb == "show")
            w->show();
        else if (verb == "close")
            w->close();
        else if (verb == "new") // a second window, as when the creator is opened again
            w = std::make_unique<Window>(nav, prompts);
        else if (verb == "focused")
            EXPECT_EQ(w->focusWidget(), widget);
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
        else if (verb == "questions")
            EXPECT_EQ(prompts.questions(), list);
        else
            ADD_FAILURE() << "unknown step " << verb.toStdString();
    }
};
