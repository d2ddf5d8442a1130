#pragma once

#include <QGraphicsScene>
#include <QHash>
#include <QPointF>
#include <map>
#include <vector>

class ConversationGraph;
class QuestDialogs;

// The map's drawing: pages as boxes (number and the start of the speech) in rows, answers as
// arrows labelled with the start of their text. Rows follow the links: the neighbourhood of the
// current page has the pages leading to it above it and the pages it leads to below; the whole
// map has page 0 on top and each page one row below the first page that leads to it. Broken
// links end in a red box, a box lists its answers that end the conversation, pages no other page leads to are
// grey.
class MapScene : public QGraphicsScene {
    Q_OBJECT
public:
    // The item data slot that holds a page box's page number.
    static constexpr int PageKey = 0;

    explicit MapScene(QObject *parent = nullptr);

    // Draws the pages within two links of `current`.
    void showNeighbourhood(const ConversationGraph &graph, const QuestDialogs &project, qint16 current);
    // Draws every page; for projects of a few hundred pages.
    void showWhole(const ConversationGraph &graph, const QuestDialogs &project, qint16 current);

    // The pages drawn, with their row (for tests and the view).
    const std::map<qint16, int> &rows() const { return m_rows; }
    // Where page `page`'s box stands; empty when it is not drawn.
    QRectF pageRect(qint16 page) const;
    // Pages drawn grey, and answers drawn as broken links ("page:answer").
    QStringList describe() const;

private:
    void draw(const ConversationGraph &graph, const QuestDialogs &project, qint16 current);
    void placeRows();
    void drawPage(const QuestDialogs &project, qint16 page, bool reached, bool current,
                  const QStringList &endings);
    void drawArrow(QPointF from, QPointF to, const QString &label, const QColor &colour, bool back);

    std::map<qint16, int> m_rows;
    QHash<qint16, QPointF> m_place; // top left of each page box
    QStringList m_notes;
};
