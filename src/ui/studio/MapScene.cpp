#include "ui/studio/MapScene.h"

#include "core/dialogs/ConversationGraph.h"
#include "core/dialogs/QuestDialogs.h"

#include <QBrush>
#include <QCursor>
#include <QFont>
#include <QFontMetrics>
#include <QGraphicsEllipseItem>
#include <QGraphicsPathItem>
#include <QGraphicsRectItem>
#include <QGraphicsSimpleTextItem>
#include <QPainterPath>
#include <QPen>
#include <QtMath>
#include <algorithm>
#include <deque>

namespace {
constexpr qreal boxWidth = 140;
constexpr qreal boxHeight = 54;
constexpr qreal columnGap = 30;
constexpr qreal rowGap = 90;
constexpr int labelChars = 18;
constexpr int speechChars = 20;

QString start(const QString &text, int chars) {
    QString line = text.simplified();
    if (line.size() > chars)
        line = line.left(chars - 1) + QChar(0x2026);
    return line;
}

const QColor linkColour(60, 60, 60);
const QColor brokenColour(200, 0, 0);
} // namespace

MapScene::MapScene(QObject *parent) : QGraphicsScene(parent) {
    // The scene is drawn anew for every page shown: indexing its items would cost more than
    // the few look-ups a click makes.
    setItemIndexMethod(QGraphicsScene::NoIndex);
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

void MapScene::placeRows() {
    m_place.clear();
    std::map<int, std::vector<qint16>> byRow;
    for (const auto &[page, row] : m_rows)
        byRow[row].push_back(page);
    qreal widest = 0;
    for (const auto &[row, pages] : byRow)
        widest = std::max(widest, pages.size() * (boxWidth + columnGap));
    int shownRow = 0;
    for (const auto &[row, pages] : byRow) {
        const qreal width = pages.size() * (boxWidth + columnGap);
        qreal x = (widest - width) / 2;
        for (const qint16 page : pages) {
            m_place[page] = QPointF(x, shownRow * (boxHeight + rowGap));
            x += boxWidth + columnGap;
        }
        ++shownRow;
    }
}

void MapScene::draw(const ConversationGraph &graph, const QuestDialogs &project, qint16 current) {
    clear();
    m_notes.clear();
    placeRows();
    for (const auto &[page, row] : m_rows) {
        const bool reached = graph.isReached(page);
        if (!reached)
            m_notes << QStringLiteral("grey %1").arg(page);
        QStringList endings;
        for (const ConversationGraph::Link &link : graph.linksFrom(page))
            if (link.ends) {
                endings << QStringLiteral("%1: %2").arg(link.answer).arg(start(link.text, 10));
                m_notes << QStringLiteral("ends %1:%2").arg(page).arg(link.answer);
            }
        drawPage(project, page, reached, page == current, endings);
    }
    for (const auto &[page, row] : m_rows) {
        const QPointF box = m_place.value(page);
        const QPointF bottom = box + QPointF(boxWidth / 2, boxHeight);
        int brokenCount = 0;
        for (const ConversationGraph::Link &link : graph.linksFrom(page)) {
            const QString label = QStringLiteral("%1: %2").arg(link.answer).arg(start(link.text, labelChars));
            if (!link.linked)
                continue;
            if (link.broken) {
                m_notes << QStringLiteral("broken %1:%2").arg(page).arg(link.answer);
                const QPointF target = box + QPointF(boxWidth + 8 + brokenCount * 46, boxHeight + rowGap / 2);
                ++brokenCount;
                auto *stub =
                    addRect(QRectF(target, QSizeF(40, 20)), QPen(brokenColour, 1.5), QBrush(Qt::white));
                auto *text = addSimpleText(start(link.linkText, 5) + QStringLiteral("?"));
                text->setBrush(brokenColour);
                text->setPos(target + QPointF(3, 3));
                stub->setToolTip(QStringLiteral("page %1, answer %2: no page \"%3\"")
                                     .arg(page)
                                     .arg(link.answer)
                                     .arg(link.linkText));
                drawArrow(box + QPointF(boxWidth, boxHeight * 0.75), target + QPointF(20, 0), label,
                          brokenColour, false);
                continue;
            }
            if (!m_place.contains(link.to))
                continue;
            const QPointF targetBox = m_place.value(link.to);
            if (link.to == page) {
                drawArrow(box + QPointF(0, boxHeight * 0.3), box + QPointF(0, boxHeight * 0.7), label,
                          linkColour, true);
            } else if (targetBox.y() > box.y()) {
                drawArrow(bottom, targetBox + QPointF(boxWidth / 2, 0), label, linkColour, false);
            } else {
                drawArrow(box + QPointF(0, boxHeight / 2), targetBox + QPointF(0, boxHeight / 2), label,
                          linkColour, true);
            }
        }
    }
    // The boxes span the drawing; links back bend out to the left of it and broken links end
    // to the right.
    QRectF bounds;
    for (const QPointF &at : std::as_const(m_place))
        bounds |= QRectF(at, QSizeF(boxWidth, boxHeight));
    setSceneRect(bounds.adjusted(-120, -20, 120, rowGap));
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
        // Answers that end the conversation lead nowhere: the box names them, after a stop mark.
        auto *ends =
            addSimpleText(QChar(0x25A0) + QStringLiteral(" ends ") + endings.join(QStringLiteral(", ")));
        QFont small = ends->font();
        small.setPointSizeF(small.pointSizeF() * 0.85);
        ends->setFont(small);
        ends->setBrush(QColor(150, 0, 0));
        ends->setParentItem(box);
        ends->setPos(at + QPointF(5, 37));
        ends->setToolTip(QStringLiteral("Ends the conversation: ") + endings.join(QStringLiteral(", ")));
    }
}

void MapScene::drawArrow(QPointF from, QPointF to, const QString &label, const QColor &colour, bool back) {
    QPainterPath path(from);
    if (back) {
        // Links that go up or sideways bend out to the left, clear of the downward arrows.
        const qreal bend = 40 + std::abs(to.y() - from.y()) * 0.15;
        path.cubicTo(from - QPointF(bend, 0), to - QPointF(bend, 0), to);
    } else {
        path.cubicTo(from + QPointF(0, rowGap * 0.4), to - QPointF(0, rowGap * 0.4), to);
    }
    auto *line = addPath(path, QPen(colour, 1.3));
    line->setZValue(1);
    // The head points along the path's last stretch.
    const QPointF tail = path.pointAtPercent(0.93);
    const qreal angle = std::atan2(to.y() - tail.y(), to.x() - tail.x());
    QPolygonF head;
    head << to << to - QPointF(std::cos(angle - 0.4) * 9, std::sin(angle - 0.4) * 9)
         << to - QPointF(std::cos(angle + 0.4) * 9, std::sin(angle + 0.4) * 9);
    auto *tip = addPolygon(head, QPen(colour), QBrush(colour));
    tip->setZValue(1);
    if (label.isEmpty())
        return;
    auto *text = addSimpleText(label);
    QFont small = text->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    text->setFont(small);
    text->setBrush(colour);
    const QRectF bounds = text->boundingRect();
    // Arrows leave a box side by side and spread out; past their middle their labels are apart.
    const QPointF middle = path.pointAtPercent(back ? 0.5 : 0.62);
    text->setPos(middle - QPointF(back ? bounds.width() + 2 : bounds.width() / 2, bounds.height() / 2));
    auto *under = addRect(QRectF(text->pos(), bounds.size()), Qt::NoPen, QBrush(QColor(255, 255, 255, 210)));
    under->setZValue(2);
    text->setZValue(3);
}

QStringList MapScene::describe() const {
    return m_notes;
}
