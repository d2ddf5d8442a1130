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
    if (!linksChanged && current == m_drawnAt && whole == m_drawnWhole)
        return;
    m_drawnAt = current;
    m_drawnWhole = whole;
    if (whole)
        m_scene->showWhole(graph, project, current);
    else
        m_scene->showNeighbourhood(graph, project, current);
    // Small maps fit the view; larger ones are shrunk only so far as their texts stay readable.
    const QRectF drawn = m_scene->sceneRect();
    const qreal fit =
        std::min({1.0, viewport()->width() / drawn.width(), viewport()->height() / drawn.height()});
    setTransform(QTransform::fromScale(std::max(fit, 0.7), std::max(fit, 0.7)));
    // Keep the shown page in sight.
    const QRectF shown = m_scene->pageRect(current);
    if (!shown.isEmpty())
        centerOn(shown.center());
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
