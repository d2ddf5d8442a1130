#pragma once

#include <QMainWindow>

class Navigator;
class QuestDialogs;
class UserPrompts;

// The Dialog Studio window.
class frmDC : public QMainWindow {
    Q_OBJECT
public:
    frmDC(QuestDialogs &project, UserPrompts &prompts, Navigator &navigator, QWidget *parent = nullptr);

    QuestDialogs &Project;

private:
    UserPrompts &m_prompts;
    Navigator &m_navigator;
};
