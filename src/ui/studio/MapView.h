#pragma once

#include "ui/studio/MapScene.h"

#include <QGraphicsView>
#include <optional>

class ConversationGraph;
class QuestDialogs;

// The map dock's view: the neighbourhood of the shown page, or the whole conversation when it
// is small enough and asked for. A click on a page box asks to show that page; dragging an
// answer's row onto a page box asks to link the answer there, onto empty space to link it to a
// new page (a line follows the pointer; Escape, or a drop on the row itself or outside the
// view, cancels); dragging the background moves the map; Ctrl with the wheel, or Ctrl+plus and
// Ctrl+minus, zoom; fitAll() shows the whole drawing. Until then rows wrap to the view's width
// at the smallest scale whose texts still read, the map is shrunk to fit down to that scale,
// and the shown page stays in the middle.
class MapView : public QGraphicsView {
    Q_OBJECT
public:
    // Up to this many pages the whole conversation can be drawn.
    static constexpr int wholeMapLimit = 2000;
    // The map is shrunk to fit the view, but no further than this.
    static constexpr qreal smallestScale = 0.7;

    explicit MapView(QWidget *parent = nullptr);

    MapScene *mapScene() const { return m_scene; }
    bool wholeMap() const { return m_whole; }
    void setWholeMap(bool whole);

    // Draws the map around `current` again when the links or the shown page changed.
    void update(const ConversationGraph &graph, const QuestDialogs &project, qint16 current,
                bool linksChanged);

    // Scales the map by `factor` from where it stands, and keeps that scale from then on.
    void zoomBy(qreal factor);
    qreal zoom() const { return transform().m11(); }

public slots:
    // Shows the whole drawing, now and whenever it is drawn again, until the next zoom.
    void fitAll();

signals:
    void pageClicked(qint16 page);
    void answerDropped(qint16 page, qint16 answer, qint16 target);
    void answerDroppedOnSpace(qint16 page, qint16 answer);
    // The view's width changed so far that its rows would wrap otherwise: draw again.
    void outdated();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    enum class Scale { Readable, All, Chosen };

    int boxesPerLine() const;
    void fit();

    MapScene *m_scene;
    bool m_whole = false;
    bool m_drawnWhole = false;
    qint16 m_drawnAt = -1;
    int m_drawnFor = 0; // the boxes a line held at the view's width when last drawn
    Scale m_scale = Scale::Readable;
    // A press on a page box, until the button is released: a click, or the drag of a row.
    struct Press {
        MapScene::Spot spot;
        QPoint at;
        bool dragging = false;
    };
    std::optional<Press> m_press;
};
