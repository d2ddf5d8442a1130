#pragma once

#include <QMainWindow>

class Navigator;
class RichTextBox;
class QAction;
class QMenu;

// The window the program starts with: the welcome text and the "File" menu that opens
// one of the tools or ends the program.
class frmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit frmMain(Navigator &navigator, QWidget *parent = nullptr);

    RichTextBox *txtMain;
    QMenu *mnuFile;
    QMenu *mnuNew;
    QAction *mnuNI;
    QAction *mnuNC;
    QAction *l;
    QAction *mnuDS;
    QAction *l1;
    QAction *mnuExit;

public slots:
    void Form_Load();
    void mnuNI_Click();
    void mnuNC_Click();
    void mnuDS_Click();
    void mnuExit_Click();

private:
    Navigator &m_navigator;
};
