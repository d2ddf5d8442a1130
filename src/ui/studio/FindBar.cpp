#include "ui/studio/FindBar.h"

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

FindBar::FindBar(QWidget *parent) : QToolBar(parent) {
    setObjectName(QStringLiteral("findBar"));
    setWindowTitle(QStringLiteral("Find"));
    setMovable(false);
    setFloatable(false);
    auto *caption = new QLabel(QStringLiteral("Find: "), this);
    addWidget(caption);
    txtFind = new QLineEdit(this);
    txtFind->setObjectName(QStringLiteral("txtFind"));
    txtFind->setClearButtonEnabled(true);
    txtFind->setMaximumWidth(260);
    addWidget(txtFind);
    QAction *previous = addAction(QStringLiteral("Previous"), this, &FindBar::findPrevious);
    previous->setObjectName(QStringLiteral("cmdFindPrevious"));
    QAction *next = addAction(QStringLiteral("Next"), this, &FindBar::findNext);
    next->setObjectName(QStringLiteral("cmdFindNext"));
    lblFind = new QLabel(this);
    lblFind->setObjectName(QStringLiteral("lblFind"));
    lblFind->setContentsMargins(8, 0, 0, 0);
    addWidget(lblFind);
    QAction *close = addAction(QStringLiteral("Close"), this, &QWidget::hide);
    close->setObjectName(QStringLiteral("cmdFindClose"));
    txtFind->installEventFilter(this);
    hide();
}

QString FindBar::text() const {
    return txtFind->text();
}

void FindBar::open() {
    show();
    txtFind->setFocus(Qt::ShortcutFocusReason);
    txtFind->selectAll();
}

void FindBar::report(const QString &message) {
    lblFind->setText(message);
}

bool FindBar::eventFilter(QObject *watched, QEvent *event) {
    if (watched == txtFind && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (key->modifiers() & Qt::ShiftModifier)
                emit findPrevious();
            else
                emit findNext();
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            hide();
            return true;
        }
    }
    return QToolBar::eventFilter(watched, event);
}
