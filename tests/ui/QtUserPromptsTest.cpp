// The real message boxes behind the prompts interface.
#include "ui/widgets/QtUserPrompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

// A choice of buttons gives the index of the one pressed, -1 for Cancel; the first is the default.
TEST(QtUserPrompts, ChooseButtonGivesTheIndexOfTheButtonPressed) {
    QtUserPrompts prompts;
    for (const QString pressed : {"Add at the End", "Cancel"}) {
        QString shownDefault;
        QTimer::singleShot(0, [&] {
            for (QWidget *top : QApplication::topLevelWidgets())
                if (auto *box = qobject_cast<QMessageBox *>(top); box && box->isVisible()) {
                    shownDefault = box->defaultButton()->text();
                    for (QAbstractButton *button : box->buttons())
                        if (button->text().remove(u'&') == pressed)
                            button->click();
                }
        });
        EXPECT_EQ(prompts.chooseButton(nullptr, "Replace it?", {"Replace", "Add at the End"}),
                  pressed == "Cancel" ? -1 : 1);
        EXPECT_EQ(shownDefault, "Replace");
    }
}

// The file dialogs extend a bare name themselves, so that the save dialog's question before
// replacing a file names the file replaced; a caller with its own question turns it off.
TEST(QtUserPrompts, SaveDialogExtendsABareNameAndAsksBeforeReplacingUnlessTold) {
    QtUserPrompts prompts;
    for (const auto overwrite : {UserPrompts::Overwrite::Confirm, UserPrompts::Overwrite::DontConfirm}) {
        QString seen;
        QTimer::singleShot(0, [&seen] {
            for (QWidget *top : QApplication::topLevelWidgets())
                if (auto *dialog = qobject_cast<QFileDialog *>(top); dialog && dialog->isVisible()) {
                    seen = dialog->defaultSuffix() +
                           (dialog->acceptMode() == QFileDialog::AcceptSave ? " save" : "") +
                           (dialog->testOption(QFileDialog::DontConfirmOverwrite) ? "" : " asks");
                    dialog->reject();
                }
        });
        EXPECT_EQ(prompts.saveFileName(nullptr, "Farstead QDS Studio File (*.QDS)", QString(), overwrite),
                  QString());
        EXPECT_EQ(seen, overwrite == UserPrompts::Overwrite::Confirm ? "QDS save asks" : "QDS save");
    }
}
