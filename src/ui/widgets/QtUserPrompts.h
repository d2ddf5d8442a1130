#pragma once

#include "ui/widgets/UserPrompts.h"

// Real message boxes and the system's file dialogs.
class QtUserPrompts : public UserPrompts {
public:
    void message(QWidget *parent, const QString &text) override;
    bool confirm(QWidget *parent, const QString &text) override;
    bool confirmRisky(QWidget *parent, const QString &text) override;
    UnsavedAnswer askUnsavedChanges(QWidget *parent, const QString &text) override;
    int chooseOne(QWidget *parent, const QString &text, const QStringList &entries) override;
    int chooseButton(QWidget *parent, const QString &text, const QStringList &buttons) override;
    QString openFileName(QWidget *parent, const QString &filter, const QString &fileName) override;
    QString saveFileName(QWidget *parent, const QString &filter, const QString &fileName,
                         Overwrite overwrite = Overwrite::Confirm) override;
};
