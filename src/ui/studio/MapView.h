#pragma once

#include <QGraphicsView>

class ConversationGraph;
class MapScene;
class QuestDialogs;

// The map dock's view: the neighbourhood of the shown page, or the whole conversation when it
// is small enough and asked for. A click on a page box asks to show that page.
class MapView : public QGraphicsView {
    Q_OBJECT
public:
    // Up to this many pages the whole conversation can be drawn.
    static constexpr int wholeMapLimit = 300;

    explicit MapView(QWidget *parent = nullptr);

    MapScene *mapScene() const { return m_scene; }
    bool wholeMap() const { return m_whole; }
    void setWholeMap(bool whole);

    // Draws the map around `current` again when the links or the shown page changed.
    void update(const ConversationGraph &graph, const QuestDialogs &project, qint16 current,
                bool linksChanged);

signals:
    void pageClicked(qint16 page);

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    MapScene *m_scene;
    bool m_whole = false;
    bool m_drawnWhole = false;
    qint16 m_drawnAt = -1;
};
