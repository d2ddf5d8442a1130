#include "ui/widgets/QtUserPrompts.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

void QtUserPrompts::message(QWidget *parent, const QString &text) {
    QMessageBox box(QMessageBox::NoIcon, title(), text, QMessageBox::Ok, parent);
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
}

bool QtUserPrompts::confirm(QWidget *parent, const QString &text) {
    QMessageBox box(QMessageBox::Question, title(), text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

UserPrompts::UnsavedAnswer QtUserPrompts::askUnsavedChanges(QWidget *parent, const QString &text) {
    QMessageBox box(QMessageBox::Question, title(), text,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Save:
        return UnsavedAnswer::Save;
    case QMessageBox::Discard:
        return UnsavedAnswer::Discard;
    default:
        return UnsavedAnswer::Cancel;
    }
}

int QtUserPrompts::chooseOne(QWidget *parent, const QString &text, const QStringList &entries) {
    bool ok = false;
    const QString chosen = QInputDialog::getItem(parent, title(), text, entries, 0, false, &ok);
    return ok ? int(entries.indexOf(chosen)) : -1;
}

QString QtUserPrompts::openFileName(QWidget *parent, const QString &filter, const QString &fileName) {
    return QFileDialog::getOpenFileName(parent, QString(), fileName, filter);
}

QString QtUserPrompts::saveFileName(QWidget *parent, const QString &filter, const QString &fileName) {
    return QFileDialog::getSaveFileName(parent, QString(), fileName, filter);
}
