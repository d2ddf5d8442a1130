#include "ui/widgets/UpDown.h"

#include "core/text/NumberReading.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QWheelEvent>

UpDown::UpDown(QWidget *parent)
    : QWidget(parent), m_up(new QToolButton(this)), m_down(new QToolButton(this)) {
    for (QToolButton *b : {m_up, m_down}) {
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
    }
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    m_up->setObjectName(QStringLiteral("up"));
    m_down->setObjectName(QStringLiteral("down"));
    connect(m_up, &QToolButton::clicked, this, &UpDown::stepUp);
    connect(m_down, &QToolButton::clicked, this, &UpDown::stepDown);
}

void UpDown::setBuddy(QLineEdit *buddy) {
    if (m_buddy)
        m_buddy->removeEventFilter(this);
    m_buddy = buddy;
    if (m_buddy)
        m_buddy->installEventFilter(this);
}

void UpDown::setMaximum(int max) {
    m_max = qMax(0, max);
}

QSize UpDown::sizeHint() const {
    return QSize(17, 20);
}

void UpDown::stepUp() {
    stepBy(1);
}

void UpDown::stepDown() {
    stepBy(-1);
}

void UpDown::stepBy(int delta) {
    if (!m_buddy)
        return;
    const int current = readBoxNumber(m_buddy->text());
    const int next = qBound(0, current + delta, m_max);
    if (next == current)
        return;
    emit aboutToStep();
    m_buddy->setText(QString::number(next));
    emit valueChanged();
}

bool UpDown::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_buddy && isEnabled()) {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Up || key == Qt::Key_Down) {
                stepBy(key == Qt::Key_Up ? 1 : -1);
                return true;
            }
        } else if (event->type() == QEvent::Wheel) {
            const int dy = static_cast<QWheelEvent *>(event)->angleDelta().y();
            if (dy != 0)
                stepBy(dy > 0 ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void UpDown::resizeEvent(QResizeEvent *) {
    const int h = height() / 2;
    m_up->setGeometry(0, 0, width(), h);
    m_down->setGeometry(0, h, width(), height() - h);
}
