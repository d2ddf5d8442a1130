#pragma once

#include <QAction>
#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QRect>
#include <QStringList>
#include <functional>
#include <span>

class QGroupBox;
class QLabel;
class QListWidget;
class QMainWindow;
class QMenu;
class QPushButton;
class QTabWidget;
class QWidget;
class RichTextBox;

// What the creators' windows (the Item Creator, the NPC Creator) are built of alike: tab pages
// of one size with every control at a fixed place, rows of a caption and a box, the "@Create"
// heading, the "Additional" page, the "Compiled" page's output, the Script menu's commands, and
// the window fitted to its tabs.
namespace CreatorPages {

// The measures, in pixels, of a tab page.
constexpr QSize pageSize(700, 530);
constexpr int margin = 8;
constexpr int columnWidth = 338;
constexpr int rightColumn = margin + columnWidth + 8;
constexpr int rowPitch = 26;
constexpr int rowHeight = 22;
constexpr int labelLeft = 10;

// A frame of rows: the first row at `top`, a small margin under the last one.
constexpr int frameHeightFor(int rows, int top) {
    return top + rows * rowPitch - (rowPitch - rowHeight) + 10;
}

// A tab page of the page size, named.
QWidget *addPage(const char *name);
QGroupBox *addFrame(QWidget *page, const char *name, const QRect &place);
// A row of a column frame at `y`: the caption, right-aligned in `labelWidth` and named
// `labelName`, and beside it, up to the frame's margin, the box (a child of the frame), whose
// buddy the caption is.
QLabel *addRow(QGroupBox *frame, const QString &labelName, const QString &caption, QWidget *box, int y,
               int labelWidth, int boxHeight = rowHeight);
// "@Create Trigger" (Label1), the heading of the "@Create" page.
QLabel *addCreateHeading(QWidget *page);

// The "Additional" page: the definition's other trigger sections as text (txtAdd in Frame6) and
// beside it a button for each trigger (cmdTrig_N in Frame7, as many as `buttons` holds), which
// runs `clicked` with its number.
QWidget *addTriggerPage(const QStringList &triggers, QGroupBox *&textFrame, RichTextBox *&text,
                        QGroupBox *&buttonFrame, std::span<QPushButton *> buttons,
                        const std::function<void(int)> &clicked);
// What a trigger's button does: its "ON=" line at the caret, on a line of its own, and the focus
// back in the box, so that the trigger's lines can be typed straight after it.
void insertTrigger(RichTextBox *text, const QPushButton *button);

// The "Compiled" page's read-only output (txtOutput), below the buttons at the frame's top, and
// under it the list of warnings, named and of that height.
struct Output {
    RichTextBox *text;
    QListWidget *warnings;
};
Output addOutput(QGroupBox *frame, const char *warningsName, int warningsHeight);

// A Script menu command, named, with its key (the same on every platform, as in the studio),
// running the window's handler.
QAction *addCommand(QMenu *menu, const char *name, const char *text, const QKeySequence &key);
template <class Window>
QAction *addCommand(QMenu *menu, const char *name, const char *text, const QKeySequence &key, Window *window,
                    void (Window::*handler)()) {
    QAction *action = addCommand(menu, name, text, key);
    QObject::connect(action, &QAction::triggered, window, handler);
    return action;
}

// The window's tab control, named, in its client area.
QTabWidget *addTabs(QMainWindow &window, const char *name);
// A fixed layout, once the pages are added: the tab control just big enough for them and the
// window just big enough for the tab control.
void fitToTabs(QMainWindow &window, QTabWidget *tabs);

} // namespace CreatorPages
