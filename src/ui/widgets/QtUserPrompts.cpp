#include "ui/widgets/QtUserPrompts.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>

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

bool QtUserPrompts::confirmRisky(QWidget *parent, const QString &text) {
    QMessageBox box(QMessageBox::Warning, title(), text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
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

int QtUserPrompts::chooseButton(QWidget *parent, const QString &text, const QStringList &buttons) {
    QMessageBox box(QMessageBox::Question, title(), text, QMessageBox::Cancel, parent);
    QList<QAbstractButton *> shown;
    for (const QString &caption : buttons)
        shown << box.addButton(caption, QMessageBox::AcceptRole);
    if (!shown.isEmpty())
        box.setDefaultButton(qobject_cast<QPushButton *>(shown.first()));
    box.setEscapeButton(QMessageBox::Cancel);
    box.exec();
    return int(shown.indexOf(box.clickedButton()));
}

namespace {
// The extension of a filter's first pattern, such as "QDS" for "... (*.QDS)".
QString firstExtension(const QString &filter) {
    static const QRegularExpression pattern(QStringLiteral("\\*\\.([A-Za-z0-9]+)"));
    return pattern.match(filter).captured(1);
}

QString chooseFile(QWidget *parent, const QString &filter, const QString &fileName,
                   QFileDialog::AcceptMode mode, bool confirmOverwrite = true) {
    QFileDialog dialog(parent, QString(), fileName, filter);
    dialog.setAcceptMode(mode);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !confirmOverwrite);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // The dialog itself extends a bare name, so that it asks before replacing "name.QDS".
    dialog.setDefaultSuffix(firstExtension(filter));
    // A remembered folder (ending in a separator) only says where to start.
    if (!fileName.isEmpty() && !fileName.endsWith(u'/'))
        dialog.selectFile(fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}
} // namespace

QString QtUserPrompts::openFileName(QWidget *parent, const QString &filter, const QString &fileName) {
    return chooseFile(parent, filter, fileName, QFileDialog::AcceptOpen);
}

QString QtUserPrompts::saveFileName(QWidget *parent, const QString &filter, const QString &fileName,
                                    Overwrite overwrite) {
    return chooseFile(parent, filter, fileName, QFileDialog::AcceptSave, overwrite == Overwrite::Confirm);
}
