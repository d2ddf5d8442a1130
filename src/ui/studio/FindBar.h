#pragma once

#include <QToolBar>

class QLabel;
class QLineEdit;

// The bar under the studio's menu in which the user types what to find in the speeches and
// answer texts. Enter finds the next place, Shift+Enter the previous one, Escape closes it.
class FindBar : public QToolBar {
    Q_OBJECT
public:
    explicit FindBar(QWidget *parent = nullptr);

    QLineEdit *txtFind;
    QLabel *lblFind; // what the last search found

    QString text() const;
    // Shows the bar with the text selected, ready for typing.
    void open();
    void report(const QString &message);

signals:
    void findNext();
    void findPrevious();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
