#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

// An up-down spinner attached to the right edge of a text box (its buddy). It keeps no value
// of its own: each step starts from the number in the box (read as readBoxNumber reads it),
// writes the new number into the box, and only then raises valueChanged(). It steps by 1
// between 0 and an upper limit; a step that would leave that range does nothing.
// The arrow keys and the mouse wheel over the box step it too.
class UpDown : public QWidget {
    Q_OBJECT
public:
    explicit UpDown(QWidget *parent = nullptr);

    void setBuddy(QLineEdit *buddy);
    QLineEdit *buddy() const { return m_buddy; }

    int maximum() const { return m_max; }
    void setMaximum(int max);

    QSize sizeHint() const override;

public slots:
    void stepUp();
    void stepDown();

signals:
    // Before a step writes the box: what the box names is still shown.
    void aboutToStep();
    void valueChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void stepBy(int delta);

    QLineEdit *m_buddy = nullptr;
    QToolButton *m_up;
    QToolButton *m_down;
    int m_max = 0;
};
