#include "ui/widgets/QtUserPrompts.h"

#include <QFileDialog>
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

QString QtUserPrompts::openFileName(QWidget *parent, const QString &filter, const QString &fileName) {
    return QFileDialog::getOpenFileName(parent, QString(), fileName, filter);
}

QString QtUserPrompts::saveFileName(QWidget *parent, const QString &filter, const QString &fileName) {
    return QFileDialog::getSaveFileName(parent, QString(), fileName, filter);
}
