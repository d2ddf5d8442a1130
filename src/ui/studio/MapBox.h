#pragma once

#include <QGraphicsItem>
#include <QStaticText>
#include <QString>
#include <vector>

// A page on the map: its number and the start of its speech on top, then one row per answer
// ("0: Tell me more") with where it leads on its right ("→ 3", in red with a "?" for a page
// that does not exist) and a dark red square when it ends the conversation. Arrows leave from the
// side of their answer's row. The item knows which row lies under a point, for clicks, tool
// tips and drags.
class MapBox : public QGraphicsItem {
public:
    struct Row {
        QString text; // the answer's text
        QString mark; // where it leads, drawn on the row's right (empty when it leads nowhere)
        QString tip;  // what the mark means, in words
        bool broken = false;
        bool ends = false;
        bool unusable = false; // the gump has no button for it
    };
    enum class Look { Plain, Unreached, Shown };

    static constexpr qreal width = 180;
    static constexpr qreal headerHeight = 22;
    static constexpr qreal rowHeight = 16;
    static qreal heightFor(std::size_t rows) { return headerHeight + rowHeight * qreal(rows) + 4; }

    MapBox(qint16 page, const QString &speech, std::vector<Row> rows, Look look);

    qint16 page() const { return m_page; }
    std::size_t rowCount() const { return m_rows.size(); }
    // The answer whose row lies under `point` (in the item's coordinates), or -1.
    int answerAt(QPointF point) const;
    // Answer `answer`'s row, in the item's coordinates.
    QRectF rowRect(int answer) const;
    // The full speech over the header, the full answer and where it leads over a row.
    QString toolTipAt(QPointF point) const;

    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

private:
    // Shortens the texts to the box's width, once, when the box is first drawn: a big map
    // draws only the boxes in sight.
    void fitTexts();

    qint16 m_page;
    QString m_speech;
    std::vector<Row> m_rows;
    Look m_look;
    bool m_fitted = false;
    // Laid out once: the number and the speech shortened to the box's width, each row's text as
    // it fits beside its mark, and the marks.
    QStaticText m_number;
    QStaticText m_header;
    std::vector<QStaticText> m_shown;
    std::vector<QStaticText> m_marks;
};
