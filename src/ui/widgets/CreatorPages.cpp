#include "ui/widgets/CreatorPages.h"

#include "ui/widgets/RichTextBox.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>

namespace CreatorPages {

QWidget *addPage(const char *name) {
    auto *page = new QWidget;
    page->setObjectName(QString::fromLatin1(name));
    page->setMinimumSize(pageSize);
    return page;
}

QGroupBox *addFrame(QWidget *page, const char *name, const QRect &place) {
    auto *frame = new QGroupBox(page);
    frame->setObjectName(QString::fromLatin1(name));
    frame->setGeometry(place);
    return frame;
}

QLabel *addRow(QGroupBox *frame, const QString &labelName, const QString &caption, QWidget *box, int y,
               int labelWidth, int boxHeight) {
    auto *label = new QLabel(caption, frame);
    label->setObjectName(labelName);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setGeometry(labelLeft, y, labelWidth, rowHeight);
    const int boxLeft = labelLeft + labelWidth + 6;
    box->setGeometry(boxLeft, y, columnWidth - boxLeft - 12, boxHeight);
    label->setBuddy(box);
    return label;
}

QLabel *addCreateHeading(QWidget *page) {
    auto *label = new QLabel(QStringLiteral("@Create Trigger"), page);
    label->setObjectName(QStringLiteral("Label1"));
    QFont heading(QStringLiteral("Arial"));
    heading.setPointSizeF(12);
    heading.setBold(true);
    label->setFont(heading);
    label->setGeometry(margin + 2, margin, columnWidth, 28);
    return label;
}

QWidget *addTriggerPage(const QStringList &triggers, QGroupBox *&textFrame, RichTextBox *&text,
                        QGroupBox *&buttonFrame, std::span<QPushButton *> buttons,
                        const std::function<void(int)> &clicked) {
    QWidget *page = addPage("pageAdditional");
    const int height = pageSize.height() - 2 * margin;
    const int buttonsWidth = 172;
    textFrame =
        addFrame(page, "Frame6", QRect(margin, margin, pageSize.width() - 3 * margin - buttonsWidth, height));
    text = new RichTextBox(textFrame);
    text->setObjectName(QStringLiteral("txtAdd"));
    text->setGeometry(textFrame->rect().adjusted(8, 8, -8, -8));
    buttonFrame = addFrame(page, "Frame7",
                           QRect(textFrame->geometry().right() + 1 + margin, margin, buttonsWidth, height));
    const int count = static_cast<int>(buttons.size());
    const int pitch = (height - 16) / count;
    for (int i = 0; i < count; ++i) {
        auto *button = new QPushButton(triggers.value(i), buttonFrame);
        button->setObjectName(QStringLiteral("cmdTrig_%1").arg(i));
        button->setGeometry(10, 8 + i * pitch + (pitch - 32) / 2, buttonsWidth - 20, 32);
        QObject::connect(button, &QPushButton::clicked, button, [clicked, i] { clicked(i); });
        buttons[i] = button;
    }
    return page;
}

void insertTrigger(RichTextBox *text, const QPushButton *button) {
    text->insertAtCaret(QStringLiteral("\r\nON=") + button->text() + QStringLiteral("\r\n"));
    text->setFocus();
}

Output addOutput(QGroupBox *frame, const char *warningsName, int warningsHeight) {
    Output built;
    built.text = new RichTextBox(frame);
    built.text->setObjectName(QStringLiteral("txtOutput"));
    // It shows what Save and Copy write, so it takes no edits of its own.
    built.text->setReadOnly(true);
    built.text->setBoxFont(QStringLiteral("Arial"), 9.75);
    built.text->setGeometry(
        QRect(10, 44, frame->width() - 20, frame->height() - 44 - 10 - warningsHeight - 6));
    // What the server would make of the definition otherwise than it reads, below the output.
    built.warnings = new QListWidget(frame);
    built.warnings->setObjectName(QString::fromLatin1(warningsName));
    built.warnings->setSelectionMode(QAbstractItemView::NoSelection);
    built.warnings->setFocusPolicy(Qt::NoFocus);
    built.warnings->setGeometry(
        QRect(10, built.text->geometry().bottom() + 1 + 6, frame->width() - 20, warningsHeight));
    return built;
}

QAction *addCommand(QMenu *menu, const char *name, const char *text, const QKeySequence &key) {
    QAction *action = menu->addAction(QString::fromLatin1(text));
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(key);
    return action;
}

QTabWidget *addTabs(QMainWindow &window, const char *name) {
    auto *client = new QWidget(&window);
    client->setObjectName(QStringLiteral("client"));
    auto *tabs = new QTabWidget(client);
    tabs->setObjectName(QString::fromLatin1(name));
    return tabs;
}

void fitToTabs(QMainWindow &window, QTabWidget *tabs) {
    QWidget *client = tabs->parentWidget();
    const QSize size = tabs->minimumSizeHint();
    tabs->setGeometry(QRect(QPoint(4, 4), size));
    client->setFixedSize(size + QSize(8, 8));
    window.setCentralWidget(client);
    window.setFixedSize(client->width(), client->height() + window.menuBar()->sizeHint().height());
}

} // namespace CreatorPages
