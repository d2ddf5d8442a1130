#pragma once

#include "ui/studio/FreeSpace.h"

#include <QGraphicsScene>
#include <QHash>
#include <QPainterPath>
#include <QPointF>
#include <map>
#include <vector>

class ConversationGraph;
class QuestDialogs;

// The map's drawing: pages as boxes (number and the start of the speech) in rows, answers as
// arrows labelled with the start of their text. Rows follow the links: the neighbourhood of the
// current page has the pages leading to it above it and the pages it leads to below; the whole
// map has page 0 on top and each page one row below the first page that leads to it. Within a
// row, MapLayout orders the boxes; links that go up or sideways ("links back") each run in a
// lane of their own beside the boxes. Every label and box has a place no other one touches.
// Broken links end in a red box, a box lists its answers that end the conversation, pages no
// other page leads to are grey.
class MapScene : public QGraphicsScene {
    Q_OBJECT
public:
    // The item data slot that holds a page box's page number.
    static constexpr int PageKey = 0;
    // The item data slot that holds "page:answer" on an answer's arrow and on its label.
    static constexpr int LinkKey = 1;

    explicit MapScene(QObject *parent = nullptr);

    // The most boxes one line holds; a wider row goes on over further lines.
    void setPerLine(int boxes) { m_perLine = boxes; }
    int perLine() const { return m_perLine; }
    // How many boxes of the map's size a line `width` wide holds, beside the lanes of links back.
    static int boxesWithin(qreal width);

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
    struct Back;
    void placeBoxes(const std::vector<std::pair<qint16, qint16>> &links);
    void drawPage(const QuestDialogs &project, qint16 page, bool reached, bool current,
                  const QStringList &endings);
    void drawBroken(qint16 page, qint16 answer, const QString &linkText, const QString &label);
    void drawBacks(std::vector<Back> backs);
    QPainterPath downPath(QPointF from, QPointF to) const;
    void drawLink(const QPainterPath &path, const QString &key, const QString &label, const QColor &colour,
                  const std::vector<qreal> &along, std::vector<QPointF> wanted = {});

    std::map<qint16, int> m_rows;
    int m_perLine = 8;
    FreeSpace m_space;
    QHash<qint16, QPointF> m_place;              // top left of each page box
    std::map<qreal, std::vector<qreal>> m_lines; // the left sides of the boxes on each line, by its top
    QStringList m_notes;
};
