#pragma once

#include <QGraphicsScene>
#include <QHash>
#include <QPainterPath>
#include <QPointF>
#include <map>
#include <vector>

class ConversationGraph;
class MapBox;
class QGraphicsLineItem;
class QuestDialogs;

// The map's drawing: pages as boxes (MapBox) that list their answers as rows, and an arrow
// from each answer's row to the page it leads to, so that no label stands apart from its
// arrow. Rows of boxes follow the links: the neighbourhood of the current page has the pages
// leading to it above it and the pages it leads to below; the whole map puts each page one row
// below the first page that leads to it. The start page (page 0) stands at the top of every
// view. Within a row, MapLayout orders the boxes; links that go up or sideways ("links back")
// run in lanes beside the boxes. An answer's row says where it leads ("→ 3"); links to pages
// not drawn, to the answer's own page and to no page at all have no arrow.
class MapScene : public QGraphicsScene {
    Q_OBJECT
public:
    // The item data slot that holds a page box's page number.
    static constexpr int PageKey = 0;
    // The item data slot that holds "page:answer" on an answer's arrow.
    static constexpr int LinkKey = 1;

    explicit MapScene(QObject *parent = nullptr);

    // The most boxes one line holds; a wider row goes on over further lines.
    void setPerLine(int boxes) { m_perLine = boxes; }
    int perLine() const { return m_perLine; }
    // How many boxes of the map's size a line `width` wide holds, beside the lanes of links back.
    static int boxesWithin(qreal width);

    // Draws the pages within two links of `current`.
    void showNeighbourhood(const ConversationGraph &graph, const QuestDialogs &project, qint16 current);
    // Draws every page; for projects of up to a few thousand pages.
    void showWhole(const ConversationGraph &graph, const QuestDialogs &project, qint16 current);

    // The pages drawn, with their row, the top row first (for tests and the view).
    const std::map<qint16, int> &rows() const { return m_rows; }
    // Where page `page`'s box stands; empty when it is not drawn.
    QRectF pageRect(qint16 page) const;
    // Where the row of answer `answer` of page `page` stands; empty when it is not drawn.
    QRectF answerRect(qint16 page, qint16 answer) const;
    // What lies at a point of the scene: a page's box (page -1 for none) and the answer whose
    // row it is (-1 for the rest of the box).
    struct Spot {
        qint16 page = -1;
        qint16 answer = -1;
    };
    Spot spotAt(QPointF point) const;
    // The full text of the box or answer at a point; empty elsewhere.
    QString toolTipAt(QPointF point) const;
    // While an answer's row is dragged: a line from the side of its row to `to`. It goes with
    // hideDragLine and with every drawing of the map.
    void showDragLine(qint16 page, qint16 answer, QPointF to);
    void hideDragLine();
    bool showsDragLine() const { return m_dragLine != nullptr; }
    // Pages drawn grey ("grey 3"), answers that end ("ends 3:1") and broken links ("broken 3:2").
    QStringList describe() const;

protected:
    void helpEvent(QGraphicsSceneHelpEvent *event) override;

private:
    struct Arrow;
    struct Span {
        qreal top;
        qreal bottom;
        std::vector<qreal> lefts; // of its boxes, in order
    };

    void draw(const ConversationGraph &graph, const QuestDialogs &project, qint16 current);
    void placeBoxes(const std::vector<std::pair<qint16, qint16>> &links, const QuestDialogs &project);
    void drawArrows(std::vector<Arrow> arrows);
    QPainterPath downPath(QPointF from, QPointF to) const;

    std::map<qint16, int> m_rows;
    int m_perLine = 8;
    QHash<qint16, MapBox *> m_boxes;
    std::vector<Span> m_spans; // the lines of boxes, from the top
    QHash<qint16, std::size_t> m_spanOf;
    QStringList m_notes;
    QGraphicsLineItem *m_dragLine = nullptr;
};
