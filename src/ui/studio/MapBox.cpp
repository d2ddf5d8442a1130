#include "ui/studio/MapBox.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QStyleOptionGraphicsItem>
#include <utility>

namespace {
constexpr qreal inset = 5;
constexpr qreal endMark = 8; // the side of the square that marks an ending answer

QFont font(bool bold) {
    QFont f;
    f.setPixelSize(11);
    f.setBold(bold);
    return f;
}

const QColor endColour(150, 0, 0);
const QColor brokenColour(200, 0, 0);
} // namespace

MapBox::MapBox(qint16 page, const QString &speech, std::vector<Row> rows, Look look)
    : m_page(page), m_speech(speech), m_rows(std::move(rows)), m_look(look) {
    setCursor(Qt::PointingHandCursor);
}

void MapBox::fitTexts() {
    if (std::exchange(m_fitted, true))
        return;
    const QFont boldFont = font(true), plainFont = font(false);
    const QFontMetricsF bold(boldFont), plain(plainFont);
    const auto laidOut = [](const QString &text, const QFont &font) {
        QStaticText out(text);
        out.setTextFormat(Qt::PlainText);
        out.prepare(QTransform(), font);
        return out;
    };
    m_number = laidOut(QString::number(m_page), boldFont);
    // Only what can show is measured: a long text costs no more than a short one.
    const auto start = [](const QString &text) { return text.left(120).simplified(); };
    m_header = laidOut(
        plain.elidedText(start(m_speech), Qt::ElideRight, width - 2 * inset - m_number.size().width() - 6),
        plainFont);
    for (std::size_t k = 0; k < m_rows.size(); ++k) {
        const Row &row = m_rows[k];
        const qreal markWidth =
            (row.mark.isEmpty() ? 0 : plain.horizontalAdvance(row.mark) + 8) + (row.ends ? endMark + 4 : 0);
        m_shown.push_back(laidOut(plain.elidedText(QStringLiteral("%1: %2").arg(k).arg(start(row.text)),
                                                   Qt::ElideRight, width - 2 * inset - markWidth),
                                  plainFont));
        m_marks.push_back(laidOut(row.mark, plainFont));
    }
}

QRectF MapBox::boundingRect() const {
    return QRectF(0, 0, width, heightFor(m_rows.size()));
}

QRectF MapBox::rowRect(int answer) const {
    return QRectF(0, headerHeight + rowHeight * answer, width, rowHeight);
}

int MapBox::answerAt(QPointF point) const {
    if (point.x() < 0 || point.x() > width || point.y() < headerHeight)
        return -1;
    const int answer = int((point.y() - headerHeight) / rowHeight);
    return answer < int(m_rows.size()) ? answer : -1;
}

QString MapBox::toolTipAt(QPointF point) const {
    const int answer = answerAt(point);
    if (answer < 0)
        return QStringLiteral("Page %1: %2").arg(m_page).arg(m_speech);
    const Row &row = m_rows[std::size_t(answer)];
    return QStringLiteral("Answer %1: %2\n%3").arg(answer).arg(row.text, row.tip);
}

void MapBox::paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *) {
    const QRectF box = boundingRect();
    const QColor fill = m_look == Look::Shown       ? QColor(255, 236, 150)
                        : m_look == Look::Unreached ? QColor(225, 225, 225)
                                                    : QColor(235, 242, 255);
    painter->setPen(QPen(m_look == Look::Shown ? Qt::black : Qt::darkGray, m_look == Look::Shown ? 2.5 : 1));
    painter->setBrush(fill);
    painter->drawRect(box);
    // Too small to read: the box alone, which keeps a map of thousands of pages quick to draw.
    if (option->levelOfDetailFromTransform(painter->worldTransform()) < 0.35)
        return;
    fitTexts();
    painter->setPen(QPen(QColor(190, 190, 200), 1));
    for (std::size_t k = 0; k < m_rows.size(); ++k) {
        const qreal y = headerHeight + rowHeight * qreal(k);
        painter->drawLine(QPointF(1, y), QPointF(width - 1, y));
    }
    // Each text stands in the middle of its row's height.
    const auto at = [](qreal x, qreal top, qreal height, const QStaticText &text) {
        return QPointF(x, top + (height - text.size().height()) / 2);
    };
    painter->setFont(font(true));
    painter->setPen(Qt::black);
    painter->drawStaticText(at(inset, 0, headerHeight, m_number), m_number);
    painter->setFont(font(false));
    painter->setPen(m_look == Look::Unreached ? Qt::darkGray : Qt::black);
    painter->drawStaticText(at(inset + m_number.size().width() + 6, 0, headerHeight, m_header), m_header);
    for (std::size_t k = 0; k < m_rows.size(); ++k) {
        const Row &row = m_rows[k];
        const QRectF line = rowRect(int(k)).adjusted(inset, 0, -inset, 0);
        painter->setPen(row.unusable ? Qt::gray : QColor(40, 40, 40));
        painter->drawStaticText(at(line.left(), line.top(), line.height(), m_shown[k]), m_shown[k]);
        qreal right = line.right();
        if (row.ends) {
            painter->fillRect(QRectF(right - endMark, line.center().y() - endMark / 2, endMark, endMark),
                              endColour);
            right -= endMark + 4;
        }
        painter->setPen(row.broken ? brokenColour : Qt::black);
        const QStaticText &mark = m_marks[k];
        painter->drawStaticText(at(right - mark.size().width(), line.top(), line.height(), mark), mark);
    }
}
