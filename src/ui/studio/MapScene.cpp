#include "ui/studio/MapScene.h"

#include "core/dialogs/ConversationGraph.h"
#include "core/dialogs/QuestDialogs.h"
#include "ui/studio/MapLayout.h"

#include <QBrush>
#include <QCursor>
#include <QFont>
#include <QFontMetricsF>
#include <QGraphicsPathItem>
#include <QGraphicsRectItem>
#include <QGraphicsSimpleTextItem>
#include <QPen>
#include <QtMath>
#include <algorithm>
#include <deque>

namespace {
constexpr qreal boxWidth = 140;
constexpr qreal boxHeight = 54;
constexpr qreal columnGap = 30;
constexpr qreal rowGap = 100;
constexpr qreal laneGap = 8;     // between the lanes of two links back
constexpr qreal laneMargin = 80; // room kept beside a line for the lanes
constexpr qreal runGap = 6;      // between the runs of links back across one gap
constexpr int labelChars = 18;
constexpr int speechChars = 20;

QString start(const QString &text, int chars) {
    QString line = text.simplified();
    if (line.size() > chars)
        line = line.left(chars - 1) + QChar(0x2026);
    return line;
}

QFont smaller(QFont font, qreal by) {
    font.setPointSizeF(font.pointSizeF() * by);
    return font;
}

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

const QColor linkColour(60, 60, 60);
const QColor brokenColour(200, 0, 0);
} // namespace

// A link that goes up or sideways, drawn once the boxes stand.
struct MapScene::Back {
    qint16 from;
    qint16 to;
    QString key;
    QString label;
};

MapScene::MapScene(QObject *parent) : QGraphicsScene(parent) {
    // The scene is drawn anew for every page shown: indexing its items would cost more than
    // the few look-ups a click makes.
    setItemIndexMethod(QGraphicsScene::NoIndex);
}

int MapScene::boxesWithin(qreal width) {
    return std::max(2, int((width - laneMargin + columnGap) / (boxWidth + columnGap)));
}

QRectF MapScene::pageRect(qint16 page) const {
    const auto found = m_place.constFind(page);
    return found == m_place.constEnd() ? QRectF() : QRectF(*found, QSizeF(boxWidth, boxHeight));
}

void MapScene::showNeighbourhood(const ConversationGraph &graph, const QuestDialogs &project,
                                 qint16 current) {
    m_rows.clear();
    for (const auto &[page, distance] : graph.neighbourhood(current))
        m_rows[page] = distance + 2;
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

void MapScene::placeBoxes(const std::vector<std::pair<qint16, qint16>> &links) {
    m_place.clear();
    MapLayout::Metrics metrics;
    metrics.boxWidth = boxWidth;
    metrics.boxHeight = boxHeight;
    metrics.columnGap = columnGap;
    metrics.rowGap = rowGap;
    metrics.perLine = m_perLine;
    for (const auto &[page, at] : MapLayout(m_rows, links).place(metrics))
        m_place.insert(page, at);
}

void MapScene::draw(const ConversationGraph &graph, const QuestDialogs &project, qint16 current) {
    clear();
    m_notes.clear();
    m_space = FreeSpace();
    std::map<qint16, std::vector<ConversationGraph::Link>> links;
    std::vector<std::pair<qint16, qint16>> pairs;
    for (const auto &[page, row] : m_rows)
        for (const ConversationGraph::Link &link : links[page] = graph.linksFrom(page))
            if (link.linked && !link.broken && m_rows.count(link.to))
                pairs.emplace_back(page, link.to);
    placeBoxes(pairs);
    m_lines.clear();
    for (const QPointF &at : std::as_const(m_place))
        m_lines[at.y()].push_back(at.x());
    for (auto &[y, lefts] : m_lines)
        std::sort(lefts.begin(), lefts.end());
    for (const auto &[page, row] : m_rows) {
        const bool reached = graph.isReached(page);
        if (!reached)
            m_notes << QStringLiteral("grey %1").arg(page);
        QStringList endings;
        for (const ConversationGraph::Link &link : links[page])
            if (link.ends) {
                endings << QStringLiteral("%1: %2").arg(link.answer).arg(start(link.text, 10));
                m_notes << QStringLiteral("ends %1:%2").arg(page).arg(link.answer);
            }
        drawPage(project, page, reached, page == current, endings);
        m_space.take(pageRect(page).adjusted(-3, -3, 3, 3));
    }
    std::vector<Back> backs;
    for (const auto &[page, row] : m_rows) {
        const QRectF box = pageRect(page);
        std::vector<const ConversationGraph::Link *> down;
        for (const ConversationGraph::Link &link : links[page]) {
            const QString key = QStringLiteral("%1:%2").arg(page).arg(link.answer);
            const QString label = QStringLiteral("%1: %2").arg(link.answer).arg(start(link.text, labelChars));
            if (!link.linked)
                continue;
            if (link.broken)
                drawBroken(page, link.answer, link.linkText, label);
            else if (!m_place.contains(link.to))
                continue;
            else if (m_rows.at(link.to) > row)
                down.push_back(&link);
            else
                backs.push_back({page, link.to, key, label});
        }
        // Arrows down leave the box's bottom side by side, in the order of their targets.
        std::stable_sort(down.begin(), down.end(), [this](auto *a, auto *b) {
            return m_place.value(a->to).x() < m_place.value(b->to).x();
        });
        for (std::size_t n = 0; n < down.size(); ++n) {
            const QPointF from(box.left() + box.width() * qreal(n + 1) / qreal(down.size() + 1),
                               box.bottom());
            const QPointF to = pageRect(down[n]->to).center() - QPointF(0, boxHeight / 2);
            drawLink(downPath(from, to), QStringLiteral("%1:%2").arg(page).arg(down[n]->answer),
                     QStringLiteral("%1: %2").arg(down[n]->answer).arg(start(down[n]->text, labelChars)),
                     linkColour, {0.55, 0.7, 0.4, 0.8, 0.3, 0.9, 0.2});
        }
    }
    drawBacks(std::move(backs));
    setSceneRect(itemsBoundingRect().adjusted(-20, -20, 20, 20));
}

QPainterPath MapScene::downPath(QPointF from, QPointF to) const {
    // A line of boxes between the two ends that stands in the way is passed through the gap
    // beside the box in the way, on the side nearer to where a straight arrow would cross.
    std::vector<QPointF> points{from};
    for (auto line = m_lines.lower_bound(from.y()); line != m_lines.end() && line->first + boxHeight < to.y();
         ++line) {
        const qreal share = (line->first - from.y()) / (to.y() - from.y());
        const qreal straight = from.x() + (to.x() - from.x()) * share;
        const auto blocking = std::find_if(line->second.begin(), line->second.end(), [straight](qreal left) {
            return straight > left - 8 && straight < left + boxWidth + 8;
        });
        if (blocking == line->second.end())
            continue;
        const qreal before = *blocking - columnGap / 2, after = *blocking + boxWidth + columnGap / 2;
        const qreal gap = straight - before < after - straight ? before : after;
        points.emplace_back(gap, line->first - 8);
        points.emplace_back(gap, line->first + boxHeight + 8);
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

void MapScene::drawBroken(qint16 page, qint16 answer, const QString &linkText, const QString &label) {
    m_notes << QStringLiteral("broken %1:%2").arg(page).arg(answer);
    const QRectF box = pageRect(page);
    // Beside the box, where no arrow down or lane runs; below it only when both sides are taken.
    const qreal middle = box.center().y();
    const QRectF stub =
        m_space.place(QSizeF(46, 26), {QPointF(box.right() + 40, middle), QPointF(box.left() - 40, middle),
                                       QPointF(box.right() + 40, middle + 20),
                                       QPointF(box.right() - 25, box.bottom() + rowGap / 2)});
    const QRectF drawn = stub.adjusted(3, 3, -3, -3);
    auto *rect = addRect(drawn, QPen(brokenColour, 1.5), QBrush(Qt::white));
    rect->setToolTip(
        QStringLiteral("page %1, answer %2: no page \"%3\"").arg(page).arg(answer).arg(linkText));
    auto *text = addSimpleText(start(linkText, 5) + QStringLiteral("?"));
    text->setBrush(brokenColour);
    text->setParentItem(rect);
    text->setPos(drawn.topLeft() + QPointF(3, 2));
    const bool right = drawn.left() >= box.right(), left = drawn.right() <= box.left();
    const QPointF from = right  ? QPointF(box.right(), middle)
                         : left ? QPointF(box.left(), middle)
                                : QPointF(box.right() - 8, box.bottom());
    const QPointF to = right  ? QPointF(drawn.left(), drawn.center().y())
                       : left ? QPointF(drawn.right(), drawn.center().y())
                              : QPointF(drawn.center().x(), drawn.top());
    QPainterPath path(from);
    path.cubicTo(QPointF((from.x() + to.x()) / 2, from.y()), QPointF((from.x() + to.x()) / 2, to.y()), to);
    drawLink(path, QStringLiteral("%1:%2").arg(page).arg(answer), label, brokenColour, {0.5, 0.3, 0.7},
             {drawn.center() - QPointF(0, 22), drawn.center() + QPointF(0, 22)});
}

void MapScene::drawBacks(std::vector<Back> backs) {
    QRectF bounds;
    for (const QPointF &at : std::as_const(m_place))
        bounds |= QRectF(at, QSizeF(boxWidth, boxHeight));
    // Shorter links take the inner lanes, so a longer one's runs pass outside them.
    const auto span = [this](const Back &back) {
        return std::abs(m_place.value(back.from).y() - m_place.value(back.to).y());
    };
    std::stable_sort(backs.begin(), backs.end(),
                     [&](const Back &a, const Back &b) { return span(a) < span(b); });
    int lanes[2] = {0, 0};
    QHash<qreal, int> runsBelow, runsAbove; // by the y of a line of boxes
    QHash<qint16, int> leaving, entering;
    for (const Back &back : backs) {
        const QRectF from = pageRect(back.from), to = pageRect(back.to);
        const bool left = from.center().x() <= bounds.center().x();
        const int lane = lanes[left ? 0 : 1]++;
        const qreal laneX = left ? bounds.left() - 16 - lane * laneGap : bounds.right() + 16 + lane * laneGap;
        const qreal side = left ? 1 : -1;
        const qreal outX = (left ? from.left() : from.right()) + side * (10 + 8 * (leaving[back.from]++ % 8));
        const qreal inX = (left ? to.left() : to.right()) + side * (10 + 8 * (entering[back.to]++ % 12));
        const qreal outY = from.bottom() + 8 + runGap * (runsBelow[from.top()]++ % 12);
        const qreal inY = to.top() - 8 - runGap * (runsAbove[to.top()]++ % 12);
        const QPainterPath path = rounded(
            {{outX, from.bottom()}, {outX, outY}, {laneX, outY}, {laneX, inY}, {inX, inY}, {inX, to.top()}},
            8);
        // The lane is kept clear of other labels; this link's own goes beside its run out of
        // the box, or beside its lane.
        m_space.take(QRectF(laneX - 1, std::min(inY, outY), 2, std::abs(outY - inY)));
        const QFontMetricsF metrics(smaller(QFont(), 0.9));
        const qreal width = metrics.horizontalAdvance(back.label) + 4, height = metrics.height();
        std::vector<QPointF> wanted;
        for (qreal x = outX - side * (width / 2 + 4); side * (x - laneX) > width / 2; x -= side * 16)
            wanted.emplace_back(x, outY + height / 2 + 2);
        for (qreal y = outY - height; y > inY + height; y -= height)
            wanted.emplace_back(laneX + side * (width / 2 + 4), y);
        drawLink(path, back.key, back.label, linkColour, {0.5}, std::move(wanted));
    }
}

void MapScene::drawPage(const QuestDialogs &project, qint16 page, bool reached, bool current,
                        const QStringList &endings) {
    const QPointF at = m_place.value(page);
    QColor fill = reached ? QColor(235, 242, 255) : QColor(225, 225, 225);
    if (current)
        fill = QColor(255, 236, 150);
    auto *box = addRect(QRectF(at, QSizeF(boxWidth, boxHeight)),
                        QPen(current ? Qt::black : Qt::darkGray, current ? 2.5 : 1), QBrush(fill));
    box->setData(PageKey, int(page));
    box->setToolTip(project.Dialog(page).text());
    box->setCursor(Qt::PointingHandCursor);
    auto *number = addSimpleText(QString::number(page), [] {
        QFont bold;
        bold.setBold(true);
        return bold;
    }());
    number->setParentItem(box);
    number->setPos(at + QPointF(5, 3));
    auto *speech = addSimpleText(start(project.Dialog(page).text(), speechChars));
    speech->setParentItem(box);
    speech->setPos(at + QPointF(5, 20));
    if (!reached)
        speech->setBrush(Qt::darkGray);
    if (!endings.isEmpty()) {
        // Answers that end the conversation lead nowhere: the box names them, after a stop mark,
        // as many as its width holds (the tool tip has them all).
        const QString all = endings.join(QStringLiteral(", "));
        const QFont small = smaller(QFont(), 0.85);
        auto *ends =
            addSimpleText(QFontMetricsF(small).elidedText(QChar(0x25A0) + QStringLiteral(" ends ") + all,
                                                          Qt::ElideRight, boxWidth - 10),
                          small);
        ends->setBrush(QColor(150, 0, 0));
        ends->setParentItem(box);
        ends->setPos(at + QPointF(5, 37));
        ends->setToolTip(QStringLiteral("Ends the conversation: ") + all);
    }
}

void MapScene::drawLink(const QPainterPath &path, const QString &key, const QString &label,
                        const QColor &colour, const std::vector<qreal> &along, std::vector<QPointF> wanted) {
    auto *line = addPath(path, QPen(colour, 1.3));
    line->setZValue(1);
    line->setData(LinkKey, key);
    // The head points along the path's last stretch.
    const QPointF to = path.currentPosition();
    const QPointF tail = path.pointAtPercent(0.97);
    const qreal angle = std::atan2(to.y() - tail.y(), to.x() - tail.x());
    QPolygonF head;
    head << to << to - QPointF(std::cos(angle - 0.4) * 9, std::sin(angle - 0.4) * 9)
         << to - QPointF(std::cos(angle + 0.4) * 9, std::sin(angle + 0.4) * 9);
    auto *tip = addPolygon(head, QPen(colour), QBrush(colour));
    tip->setZValue(1);
    auto *text = addSimpleText(label, smaller(QFont(), 0.9));
    text->setBrush(colour);
    for (const qreal t : along)
        wanted.push_back(path.pointAtPercent(t));
    const QRectF at = m_space.place(text->boundingRect().size() + QSizeF(4, 0), wanted);
    text->setPos(at.topLeft() + QPointF(2, 0));
    auto *under = addRect(at, Qt::NoPen, QBrush(QColor(255, 255, 255, 225)));
    under->setData(LinkKey, key);
    under->setZValue(2);
    text->setZValue(3);
}

QStringList MapScene::describe() const {
    return m_notes;
}
