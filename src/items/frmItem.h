#pragma once

#include <QMainWindow>

class Navigator;

// The Item Creator window.
class frmItem : public QMainWindow {
    Q_OBJECT
public:
    explicit frmItem(Navigator &navigator, QWidget *parent = nullptr);

private:
    Navigator &m_navigator;
};
