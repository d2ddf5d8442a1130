#include "ui/studio/MapScene.h"

#include "core/dialogs/ConversationGraph.h"
#include "core/dialogs/MapLayout.h"
#include "core/dialogs/QuestDialogs.h"
#include "ui/studio/MapBox.h"

#include <QGraphicsLineItem>
#include <QGraphicsPathItem>
#include <QGraphicsSceneHelpEvent>
#include <QPainter>
#include <QPen>
#include <QToolTip>
#include <algorithm>
#include <deque>
#include <utility>

namespace {
constexpr qreal columnGap = 44; // room beside a box for the arrows leaving its rows
constexpr qreal rowGap = 70;
constexpr qreal laneGap = 7;     // between the lanes of two links back
constexpr qreal laneMargin = 80; // room kept beside a line for the lanes
constexpr qreal runGap = 5;      // between the runs of links back across one gap
constexpr int lanesPerSide = 24; // beyond this many, links back share lanes
constexpr qreal exitStep = 4;    // between the runs leaving one side of a box
constexpr qreal headSize = 8;

const QColor linkColour(60, 60, 60);
const QColor backColour(140, 150, 170);
const QColor dragColour(30, 100, 220);
constexpr int gumpButtons = 4; // the exported gump has buttons for four answers
const QString dragTip =
    QStringLiteral("Drag it onto a page to link it there, or onto empty space to link it to a new page");

// A path through `points` with its corners rounded.
QPainterPath rounded(const std::vector<QPointF> &points, qreal radius) {
    QPainterPath path(points.front());
    for (std::size_t n = 1; n + 1 < points.size(); ++n) {
        const QPointF in = points[n - 1] - points[n], out = points[n + 1] - points[n];
        const qreal r = std::min({radius, QLineF(points[n - 1], points[n]).length() / 2,
                                  QLineF(points[n], points[n + 1]).length() / 2});
        const auto toward = [r](QPointF v) {
            const qreal length = std::hypot(v.x(), v.y());
            return length > 0 ? v * (r / length) : QPointF();
        };
        path.lineTo(points[n] + toward(in));
        path.quadTo(points[n], points[n] + toward(out));
    }
    path.lineTo(points.back());
    return path;
}

// An answer's arrow with its head, which points down into the top of the page it leads to.
// Links back are drawn lighter: they run long ways round, and their row says where they go.
class ArrowItem : public QGraphicsPathItem {
public:
    ArrowItem(const QPainterPath &path, bool back)
        : QGraphicsPathItem(path), m_colour(back ? backColour : linkColour) {
        setPen(QPen(m_colour, back ? 1 : 1.3));
        setZValue(1);
    }
    // From the path's points: Qt's own widens the whole path by its pen first, which costs more
    // than all the rest of a big map's drawing.
    QRectF boundingRect() const override {
        return path().controlPointRect().adjusted(-headSize, -headSize, headSize, headSize);
    }
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override {
        QGraphicsPathItem::paint(painter, option, widget);
        const QPointF tip = path().currentPosition();
        painter->setPen(Qt::NoPen);
        painter->setBrush(m_colour);
        painter->drawPolygon(QPolygonF(
            {tip, tip + QPointF(-headSize / 2, -headSize), tip + QPointF(headSize / 2, -headSize)}));
    }

private:
    QColor m_colour;
};
} // namespace

// A link drawn as an arrow, once the boxes stand.
struct MapScene::Arrow {
    qint16 from;
    qint16 answer;
    qint16 to;
    bool back;    // up or sideways: through a lane beside the boxes
    bool left;    // leaves its row on the left side
    qreal exitX;  // where its run beside the box goes down
    qreal entryX; // where it enters the top of the page it leads to
};

MapScene::MapScene(QObject *parent) : QGraphicsScene(parent) {
    // The scene is drawn anew for every page shown: indexing its items would cost more than
    // the few look-ups a click makes.
    setItemIndexMethod(QGraphicsScene::NoIndex);
}

int MapScene::boxesWithin(qreal width) {
    return std::max(2, int((width - laneMargin + columnGap) / (MapBox::width + columnGap)));
}

QRectF MapScene::pageRect(qint16 page) const {
    const MapBox *box = m_boxes.value(page);
    return box ? box->sceneBoundingRect() : QRectF();
}

QRectF MapScene::answerRect(qint16 page, qint16 answer) const {
    const MapBox *box = m_boxes.value(page);
    if (!box || answer < 0 || std::size_t(answer) >= box->rowCount())
        return {};
    return box->rowRect(answer).translated(box->pos());
}

MapScene::Spot MapScene::spotAt(QPointF point) const {
    for (const MapBox *box : m_boxes)
        if (box->sceneBoundingRect().contains(point))
            return {box->page(), qint16(box->answerAt(point - box->pos()))};
    return {};
}

QString MapScene::toolTipAt(QPointF point) const {
    const Spot spot = spotAt(point);
    const MapBox *box = m_boxes.value(spot.page);
    return box ? box->toolTipAt(point - box->pos()) : QString();
}

void MapScene::showDragLine(qint16 page, qint16 answer, QPointF to) {
    const QRectF row = answerRect(page, answer);
    if (row.isEmpty())
        return;
    if (!m_dragLine) {
        m_dragLine = addLine(QLineF(), QPen(dragColour, 2, Qt::DashLine, Qt::RoundCap));
        m_dragLine->setZValue(3);
    }
    // From the side of the row nearer to the pointer, as the arrows leave it.
    const QPointF from(to.x() < row.center().x() ? row.left() : row.right(), row.center().y());
    m_dragLine->setLine(QLineF(from, to));
}

void MapScene::hideDragLine() {
    delete std::exchange(m_dragLine, nullptr);
}

void MapScene::helpEvent(QGraphicsSceneHelpEvent *event) {
    const QString tip = toolTipAt(event->scenePos());
    if (tip.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(event->screenPos(), tip);
    event->setAccepted(!tip.isEmpty());
}

void MapScene::showNeighbourhood(const ConversationGraph &graph, const QuestDialogs &project,
                                 qint16 current) {
    m_rows.clear();
    const std::map<qint16, int> near = graph.neighbourhood(current);
    int deepest = 0;
    for (const auto &[page, distance] : near) {
        m_rows[page] = distance + 2;
        deepest = std::max(deepest, distance + 2);
    }
    // The start stands on top. Around it, the pages leading back to it go below the pages it
    // leads to; elsewhere it takes a row above the others when it has not the top one already.
    const auto start = m_rows.find(0);
    if (start != m_rows.end() && current == 0) {
        for (const auto &[page, distance] : near)
            if (distance < 0)
                m_rows[page] = deepest + 3 + distance;
    } else if (start != m_rows.end()) {
        int top = start->second;
        for (const auto &[page, row] : m_rows)
            if (page != 0)
                top = std::min(top, row);
        if (top < start->second)
            start->second = top - 1;
    }
    draw(graph, project, current);
}

void MapScene::showWhole(const ConversationGraph &graph, const QuestDialogs &project, qint16 current) {
    m_rows.clear();
    // Breadth first from page 0: each page one row below the first page that leads to it.
    std::deque<qint16> queue{0};
    m_rows[0] = 0;
    int deepest = 0;
    while (!queue.empty()) {
        const qint16 page = queue.front();
        queue.pop_front();
        for (const ConversationGraph::Link &link : graph.linksFrom(page))
            if (link.to >= 0 && m_rows.try_emplace(link.to, m_rows[page] + 1).second) {
                deepest = std::max(deepest, m_rows[page] + 1);
                queue.push_back(link.to);
            }
    }
    // Pages the start does not lead to go in a row of their own at the bottom.
    for (qint16 n = 0; n < project.Count(); ++n)
        m_rows.try_emplace(n, deepest + 1);
    draw(graph, project, current);
}

void MapScene::placeBoxes(const std::vector<std::pair<qint16, qint16>> &links, const QuestDialogs &project) {
    MapLayout::Metrics metrics;
    metrics.boxWidth = MapBox::width;
    metrics.boxHeight = MapBox::heightFor(1);
    metrics.columnGap = columnGap;
    metrics.rowGap = rowGap;
    metrics.perLine = m_perLine;
    for (const auto &[page, row] : m_rows)
        metrics.heights[page] = MapBox::heightFor(std::size_t(project.Dialog(page).SelectionCount()));
    MapLayout layout(m_rows, links);
    const std::map<qint16, QPointF> places = layout.place(metrics);
    m_spans.clear();
    m_spanOf.clear();
    for (const MapLayout::Line &line : layout.lines()) {
        Span span{line.top, line.bottom, {}};
        for (const qint16 page : line.pages) {
            span.lefts.push_back(places.at(page).x());
            m_spanOf.insert(page, m_spans.size());
        }
        m_spans.push_back(std::move(span));
    }
    for (const auto &[page, at] : places)
        m_boxes.value(page)->setPos(at);
}

void MapScene::draw(const ConversationGraph &graph, const QuestDialogs &project, qint16 current) {
    clear();
    m_dragLine = nullptr;
    m_boxes.clear();
    m_notes.clear();
    std::map<qint16, std::vector<ConversationGraph::Link>> links;
    std::vector<std::pair<qint16, qint16>> pairs;
    for (const auto &[page, row] : m_rows) {
        const bool reached = graph.isReached(page);
        if (!reached)
            m_notes << QStringLiteral("grey %1").arg(page);
        std::vector<MapBox::Row> rows;
        for (const ConversationGraph::Link &link : links[page] = graph.linksFrom(page)) {
            MapBox::Row row{link.text, {}, {}, link.broken, link.ends, link.answer >= gumpButtons};
            QStringList tip;
            if (link.linked && link.broken) {
                row.mark = QStringLiteral("→ %1 ?").arg(link.linkText);
                tip << QStringLiteral("Linked to \"%1\", which names no page of the project")
                           .arg(link.linkText);
                m_notes << QStringLiteral("broken %1:%2").arg(page).arg(link.answer);
            } else if (link.linked) {
                row.mark =
                    link.to == page ? QStringLiteral("↻ %1").arg(page) : QStringLiteral("→ %1").arg(link.to);
                tip << QStringLiteral("Leads to page %1").arg(link.to);
                if (m_rows.count(link.to) && link.to != page)
                    pairs.emplace_back(page, link.to);
            }
            if (link.ends) {
                tip << QStringLiteral("Ends the conversation");
                m_notes << QStringLiteral("ends %1:%2").arg(page).arg(link.answer);
            }
            if (!link.linked && !link.ends)
                tip << QStringLiteral("Neither leads to a page nor ends the conversation");
            if (row.unusable)
                tip << QStringLiteral(
                    "The gump has buttons for four answers only: the player cannot choose it");
            tip << dragTip;
            row.tip = tip.join(u'\n');
            rows.push_back(std::move(row));
        }
        const Dialog &dialog = project.Dialog(page);
        auto *box = new MapBox(page, dialog.text(), std::move(rows),
                               page == current ? MapBox::Look::Shown
                               : reached       ? MapBox::Look::Plain
                                               : MapBox::Look::Unreached);
        box->setData(PageKey, int(page));
        addItem(box);
        m_boxes.insert(page, box);
    }
    placeBoxes(pairs, project);

    std::vector<Arrow> arrows;
    QRectF bounds;
    for (const MapBox *box : std::as_const(m_boxes))
        bounds |= box->sceneBoundingRect();
    for (const auto &[page, row] : m_rows)
        for (const ConversationGraph::Link &link : links[page])
            if (link.linked && !link.broken && link.to != page && m_rows.count(link.to)) {
                const bool back = m_rows.at(link.to) <= row;
                const qreal from = pageRect(page).center().x(), to = pageRect(link.to).center().x();
                const bool left = back ? from <= bounds.center().x() : to < from - 1;
                arrows.push_back({page, link.answer, link.to, back, left, 0, 0});
            }
    drawArrows(std::move(arrows));
    setSceneRect(itemsBoundingRect().adjusted(-20, -20, 20, 20));
}

void MapScene::drawArrows(std::vector<Arrow> arrows) {
    // Runs leaving one side of a box: the top row's outermost, so that no run crosses the
    // start of another.
    std::map<std::pair<qint16, bool>, std::vector<Arrow *>> sides;
    for (Arrow &arrow : arrows)
        sides[{arrow.from, arrow.left}].push_back(&arrow);
    for (auto &[side, leaving] : sides) {
        std::stable_sort(leaving.begin(), leaving.end(),
                         [](Arrow *a, Arrow *b) { return a->answer < b->answer; });
        const QRectF box = pageRect(side.first);
        for (std::size_t i = 0; i < leaving.size(); ++i) {
            const qreal out = 6 + exitStep * qreal((leaving.size() - 1 - i) % 6);
            leaving[i]->exitX = side.second ? box.left() - out : box.right() + out;
        }
    }
    // Arrows enter the top of their page side by side, in the order they come from.
    std::map<qint16, std::vector<Arrow *>> entering;
    for (Arrow &arrow : arrows)
        entering[arrow.to].push_back(&arrow);
    for (auto &[page, in] : entering) {
        // Links back from the left lanes first, then the arrows from above, then the right lanes.
        const auto from = [](const Arrow *a) {
            return std::pair(a->back ? (a->left ? 0 : 2) : 1, a->back ? 0 : a->exitX);
        };
        std::stable_sort(in.begin(), in.end(), [&](Arrow *a, Arrow *b) { return from(a) < from(b); });
        const QRectF box = pageRect(page);
        for (std::size_t m = 0; m < in.size(); ++m)
            in[m]->entryX = box.left() + box.width() * qreal(m + 1) / qreal(in.size() + 1);
    }
    QRectF bounds;
    for (const MapBox *box : std::as_const(m_boxes))
        bounds |= box->sceneBoundingRect();

    int lanes[2] = {0, 0};
    QHash<std::size_t, int> runsBelow, runsAbove; // by line
    // Shorter links back take the inner lanes, so a longer one's runs pass outside them.
    std::stable_sort(arrows.begin(), arrows.end(), [this](const Arrow &a, const Arrow &b) {
        return std::abs(pageRect(a.from).top() - pageRect(a.to).top()) <
               std::abs(pageRect(b.from).top() - pageRect(b.to).top());
    });
    for (const Arrow &arrow : arrows) {
        const QRectF from = pageRect(arrow.from), to = pageRect(arrow.to);
        const qreal rowY = answerRect(arrow.from, arrow.answer).center().y();
        const QPointF start(arrow.left ? from.left() : from.right(), rowY);
        const QPointF entry(arrow.entryX, to.top());
        const std::size_t line = m_spanOf.value(arrow.from), target = m_spanOf.value(arrow.to);
        QPainterPath path;
        if (!arrow.back) {
            const QPointF below(arrow.exitX, m_spans[line].bottom + 8);
            path = rounded({start, {arrow.exitX, rowY}, below}, 5);
            path.connectPath(downPath(below, entry));
        } else {
            const int lane = lanes[arrow.left ? 0 : 1]++ % lanesPerSide;
            const qreal laneX =
                arrow.left ? bounds.left() - 16 - lane * laneGap : bounds.right() + 16 + lane * laneGap;
            const qreal outY = m_spans[line].bottom + 8 + runGap * (runsBelow[line]++ % 10);
            const qreal inY = m_spans[target].top - 8 - runGap * (runsAbove[target]++ % 10);
            path = rounded({start,
                            {arrow.exitX, rowY},
                            {arrow.exitX, outY},
                            {laneX, outY},
                            {laneX, inY},
                            {entry.x(), inY},
                            entry},
                           6);
        }
        auto *item = new ArrowItem(path, arrow.back);
        item->setData(LinkKey, QStringLiteral("%1:%2").arg(arrow.from).arg(arrow.answer));
        addItem(item);
    }
}

QPainterPath MapScene::downPath(QPointF from, QPointF to) const {
    // A line of boxes between the two ends that stands in the way is passed through the gap
    // beside the box in the way, on the side nearer to where a straight arrow would cross.
    std::vector<QPointF> points{from};
    for (const Span &span : m_spans) {
        if (span.top <= from.y() || span.bottom >= to.y())
            continue;
        const qreal share = (span.top - from.y()) / (to.y() - from.y());
        const qreal straight = from.x() + (to.x() - from.x()) * share;
        const auto blocking = std::find_if(span.lefts.begin(), span.lefts.end(), [straight](qreal left) {
            return straight > left - 8 && straight < left + MapBox::width + 8;
        });
        if (blocking == span.lefts.end())
            continue;
        const qreal before = *blocking - columnGap / 2, after = *blocking + MapBox::width + columnGap / 2;
        const qreal gap = straight - before < after - straight ? before : after;
        points.emplace_back(gap, span.top - 8);
        points.emplace_back(gap, span.bottom + 8);
    }
    points.push_back(to);
    QPainterPath path(from);
    for (std::size_t n = 1; n < points.size(); ++n) {
        if (n % 2 == 0) { // through a gap
            path.lineTo(points[n]);
            continue;
        }
        const QPointF half(0, (points[n].y() - points[n - 1].y()) / 2);
        path.cubicTo(points[n - 1] + half, points[n] - half, points[n]);
    }
    return path;
}

QStringList MapScene::describe() const {
    return m_notes;
}
