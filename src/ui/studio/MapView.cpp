#include "ui/studio/MapView.h"

#include "core/dialogs/QuestDialogs.h"
#include "ui/studio/MapScene.h"

#include <QGraphicsItem>
#include <QMouseEvent>
#include <algorithm>

MapView::MapView(QWidget *parent) : QGraphicsView(parent), m_scene(new MapScene(this)) {
    setScene(m_scene);
    setRenderHint(QPainter::Antialiasing);
    setDragMode(QGraphicsView::ScrollHandDrag);
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
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
    // The map's width fits the view, so that nothing hides at its sides; a tall map is shrunk
    // as well, so far as its texts stay readable.
    const QRectF drawn = m_scene->sceneRect();
    if (drawn.isEmpty())
        return;
    const qreal across = viewport()->width() / drawn.width(), down = viewport()->height() / drawn.height();
    const qreal scale =
        std::max(std::min({1.0, across, std::max(down, smallestScale)}), smallestScale * 0.75);
    setTransform(QTransform::fromScale(scale, scale));
    // Keep the shown page in sight.
    const QRectF shown = m_scene->pageRect(m_drawnAt);
    if (!shown.isEmpty())
        centerOn(shown.center());
}

void MapView::resizeEvent(QResizeEvent *event) {
    QGraphicsView::resizeEvent(event);
    if (m_drawnAt >= 0 && boxesPerLine() != m_drawnFor)
        emit outdated();
    else
        fit();
}

void MapView::mousePressEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton) {
        // Arrows and their labels may lie over a box; the click is for the box.
        for (QGraphicsItem *item : items(event->position().toPoint()))
            for (; item; item = item->parentItem())
                if (item->data(MapScene::PageKey).isValid()) {
                    emit pageClicked(static_cast<qint16>(item->data(MapScene::PageKey).toInt()));
                    return;
                }
    }
    QGraphicsView::mousePressEvent(event);
}
