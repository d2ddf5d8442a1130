#include "ui/studio/MapView.h"

#include "core/dialogs/QuestDialogs.h"
#include "ui/studio/MapScene.h"

#include <QApplication>
#include <QGraphicsItem>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <algorithm>
#include <utility>

namespace {
constexpr qreal zoomStep = 1.25;
constexpr qreal closest = 4;
constexpr qreal farthest = 0.02;
} // namespace

MapView::MapView(QWidget *parent) : QGraphicsView(parent), m_scene(new MapScene(this)) {
    setScene(m_scene);
    setRenderHint(QPainter::Antialiasing);
    setDragMode(QGraphicsView::ScrollHandDrag);
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    // The map moves by dragging and the wheel; scroll bars would only take room, and drawing
    // them costs more than a page's boxes.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void MapView::setWholeMap(bool whole) {
    m_whole = whole;
    m_drawnAt = -1;
}

void MapView::update(const ConversationGraph &graph, const QuestDialogs &project, qint16 current,
                     bool linksChanged) {
    const bool whole = m_whole && project.Count() <= wholeMapLimit;
    const int perLine = boxesPerLine();
    if (!linksChanged && current == m_drawnAt && whole == m_drawnWhole && perLine == m_drawnFor)
        return;
    m_drawnAt = current;
    m_drawnWhole = whole;
    m_drawnFor = perLine;
    // The lanes of many links back widen the map: a line holds a box fewer, once or twice,
    // while the map is still too wide to read in the view.
    const qreal readable = (width() - 2 * frameWidth()) / smallestScale;
    for (int boxes = perLine; boxes >= std::max(2, perLine - 2); --boxes) {
        m_scene->setPerLine(boxes);
        if (whole)
            m_scene->showWhole(graph, project, current);
        else
            m_scene->showNeighbourhood(graph, project, current);
        if (m_scene->sceneRect().width() <= readable)
            break;
    }
    fit();
}

int MapView::boxesPerLine() const {
    // The whole widget, scroll bars included, so that showing one does not wrap the rows anew.
    return MapScene::boxesWithin((width() - 2 * frameWidth()) / smallestScale);
}

void MapView::fit() {
    const QRectF drawn = m_scene->sceneRect();
    if (drawn.isEmpty())
        return;
    if (m_scale == Scale::All) {
        fitInView(drawn, Qt::KeepAspectRatio);
        return;
    }
    if (m_scale == Scale::Readable) {
        // The map's width fits the view, so that nothing hides at its sides; a tall map is
        // shrunk as well, so far as its texts stay readable.
        const qreal across = viewport()->width() / drawn.width(),
                    down = viewport()->height() / drawn.height();
        const qreal scale =
            std::max(std::min({1.0, across, std::max(down, smallestScale)}), smallestScale * 0.75);
        setTransform(QTransform::fromScale(scale, scale));
    }
    // Keep the shown page in sight.
    const QRectF shown = m_scene->pageRect(m_drawnAt);
    if (!shown.isEmpty())
        centerOn(shown.center());
}

void MapView::fitAll() {
    m_scale = Scale::All;
    fit();
}

void MapView::zoomBy(qreal factor) {
    m_scale = Scale::Chosen;
    const qreal to = std::clamp(zoom() * factor, farthest, closest);
    setTransform(QTransform::fromScale(to, to));
}

void MapView::resizeEvent(QResizeEvent *event) {
    QGraphicsView::resizeEvent(event);
    if (m_drawnAt >= 0 && boxesPerLine() != m_drawnFor)
        emit outdated();
    else
        fit();
}

void MapView::wheelEvent(QWheelEvent *event) {
    if (!(event->modifiers() & Qt::ControlModifier) || event->angleDelta().y() == 0) {
        QGraphicsView::wheelEvent(event);
        return;
    }
    // The point under the mouse stays where it is.
    const ViewportAnchor anchor = transformationAnchor();
    setTransformationAnchor(QGraphicsView::AnchorUnderMouse);
    zoomBy(std::pow(zoomStep, event->angleDelta().y() / 120.0));
    setTransformationAnchor(anchor);
    event->accept();
}

void MapView::keyPressEvent(QKeyEvent *event) {
    const bool control = event->modifiers() & Qt::ControlModifier;
    if (event->key() == Qt::Key_Escape && m_press && m_press->dragging) {
        m_scene->hideDragLine();
        m_press.reset();
    } else if (control && (event->key() == Qt::Key_Plus || event->key() == Qt::Key_Equal))
        zoomBy(zoomStep);
    else if (control && event->key() == Qt::Key_Minus)
        zoomBy(1 / zoomStep);
    else
        QGraphicsView::keyPressEvent(event);
}

void MapView::mousePressEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton) {
        const MapScene::Spot spot = m_scene->spotAt(mapToScene(event->position().toPoint()));
        if (spot.page >= 0) {
            m_press = Press{spot, event->position().toPoint()};
            return;
        }
    }
    // Anywhere else a drag moves the map.
    QGraphicsView::mousePressEvent(event);
}

void MapView::mouseMoveEvent(QMouseEvent *event) {
    if (!m_press) {
        QGraphicsView::mouseMoveEvent(event);
        return;
    }
    const QPoint at = event->position().toPoint();
    if (m_press->spot.answer >= 0 &&
        (at - m_press->at).manhattanLength() >= QApplication::startDragDistance())
        m_press->dragging = true;
    if (m_press->dragging)
        m_scene->showDragLine(m_press->spot.page, m_press->spot.answer, mapToScene(at));
}

void MapView::mouseReleaseEvent(QMouseEvent *event) {
    if (!m_press || event->button() != Qt::LeftButton) {
        QGraphicsView::mouseReleaseEvent(event);
        return;
    }
    const Press press = *std::exchange(m_press, std::nullopt);
    const QPoint at = event->position().toPoint();
    const MapScene::Spot drop = m_scene->spotAt(mapToScene(at));
    if (!press.dragging) {
        if (drop.page == press.spot.page)
            emit pageClicked(press.spot.page);
        return;
    }
    m_scene->hideDragLine();
    if (!viewport()->rect().contains(at))
        return;
    if (drop.page < 0)
        emit answerDroppedOnSpace(press.spot.page, press.spot.answer);
    else if (drop.page != press.spot.page || drop.answer != press.spot.answer)
        emit answerDropped(press.spot.page, press.spot.answer, drop.page);
}
