#pragma once

#include "support/ScriptedPrompts.h"
#include "support/TestSupport.h"
#include "ui/widgets/RichTextBox.h"
#include "ui/widgets/UpDown.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTest>
#include <gtest/gtest.h>

// The steps of scenario tables (see ScenarioTables.h) that mean the same in every window.
namespace WindowSteps {

// What a control shows: a box or label its text (a rich box with CR LF line ends), a switch
// "on" or "off" and "/disabled" when it cannot be clicked, a button its caption (and
// "/disabled"), a frame "shown" or "hidden", a list
// its rows joined by "|", a spinner its highest value, an action its text, a menu its title.
inline QString shownBy(QObject *control) {
    if (auto *box = qobject_cast<QLineEdit *>(control))
        return box->text();
    if (auto *box = qobject_cast<QPlainTextEdit *>(control))
        return box->toPlainText();
    if (auto *box = qobject_cast<RichTextBox *>(control))
        return box->text();
    if (auto *box = qobject_cast<QComboBox *>(control)) // a drop-down: the text it shows
        return box->currentText();
    if (auto *label = qobject_cast<QLabel *>(control))
        return label->text();
    if (auto *box = qobject_cast<QCheckBox *>(control))
        return QString(box->isChecked() ? "on" : "off") + (box->isEnabled() ? "" : "/disabled");
    if (auto *button = qobject_cast<QAbstractButton *>(control))
        return button->text() + (button->isEnabled() ? "" : "/disabled");
    if (auto *frame = qobject_cast<QGroupBox *>(control))
        return frame->isVisible() ? "shown" : "hidden";
    if (auto *list = qobject_cast<QListWidget *>(control)) {
        QStringList rows;
        for (int i = 0; i < list->count(); ++i)
            rows << list->item(i)->text();
        return rows.join(u'|');
    }
    if (auto *spinner = qobject_cast<UpDown *>(control))
        return QString::number(spinner->maximum());
    if (auto *action = qobject_cast<QAction *>(control))
        return action->text();
    if (auto *menu = qobject_cast<QMenu *>(control))
        return menu->title();
    return QStringLiteral("<no control>");
}

// A drag with the left button from `from` to `to` in `widget`, as a hand makes it: pressed,
// moved there by way of a point beside the straight line, `held()` run while the button is still down (a key
// pressed, what the drag shows checked), then released.
template <class Held> void drag(QWidget *widget, QPoint from, QPoint to, Held &&held) {
    QTest::mousePress(widget, Qt::LeftButton, {}, from);
    QTest::mouseMove(widget, (from + to) / 2 + QPoint(0, 20));
    QTest::mouseMove(widget, to);
    held();
    QTest::mouseRelease(widget, Qt::LeftButton, {}, to);
}

// Does the step when it is one of these: "key NAME Ctrl+Z" (a key sequence as Qt writes it),
// "click NAME", "check NAME 0|1", "menu NAME", "file PATH" and "unsaved Save|Discard|Cancel"
// (the answers the next dialogs give), "write PATH BYTES", "is NAME TEXT", "messages",
// "replacing" and "navigator" (the lists of messages shown, files the save dialog asked before
// replacing, and windows asked for). False for any other verb.
inline bool run(const QString &verb, QObject *control, const QString &text, const QStringList &list,
                ScriptedPrompts &prompts, const QStringList &navigatorCalls) {
    auto *widget = qobject_cast<QWidget *>(control);
    if (verb == "key") {
        const QKeyCombination key = QKeySequence(text)[0];
        QTest::keyClick(widget, key.key(), key.keyboardModifiers());
    } else if (verb == "click")
        QTest::mouseClick(widget, Qt::LeftButton);
    else if (verb == "check")
        qobject_cast<QCheckBox *>(control)->setChecked(text == "1");
    else if (verb == "menu")
        qobject_cast<QAction *>(control)->trigger();
    else if (verb == "file")
        prompts.queueFileName(text);
    else if (verb == "unsaved")
        prompts.queueUnsaved(static_cast<UserPrompts::UnsavedAnswer>(
            QStringList({"Save", "Discard", "Cancel"}).indexOf(text)));
    else if (verb == "write")
        EXPECT_TRUE(TestSupport::writeFile(text.section(u' ', 0, 0), text.section(u' ', 1).toUtf8()));
    else if (verb == "is")
        EXPECT_EQ(shownBy(control).toStdString(), text.toStdString());
    else if (verb == "messages")
        EXPECT_EQ(prompts.messages(), list);
    else if (verb == "replacing") // the files a save dialog asked before replacing
        EXPECT_EQ(prompts.texts(ScriptedPrompts::Prompt::Replace), list);
    else if (verb == "navigator")
        EXPECT_EQ(navigatorCalls, list);
    else
        return false;
    return true;
}

} // namespace WindowSteps
