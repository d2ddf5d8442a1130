#pragma once

#include <QPointF>
#include <QtGlobal>
#include <map>
#include <unordered_map>
#include <utility>
#include <vector>

// Where the boxes of a layered drawing stand. Within each row the boxes are ordered by the mean
// place of the boxes linked to them (sweeps down and up, a few rounds), which uncrosses most
// arrows; a row wider than a line wraps onto further lines of the same row; each box is then
// drawn as near as there is room to the middle of the boxes that lead to it, and those above
// it as near to the middle of what they lead to. Rows stand in their order from the top, the
// boxes of a line side by side with their tops level, a line as high as its highest box.
class MapLayout {
public:
    struct Metrics {
        qreal boxWidth = 140;
        qreal boxHeight = 54;
        qreal columnGap = 30;
        qreal rowGap = 100;
        int perLine = 8;                           // the most boxes on one line of a row
        std::unordered_map<qint16, qreal> heights; // boxes of another height than boxHeight
    };

    // `rows` gives each page its row; `links` the pairs of pages an answer joins.
    MapLayout(const std::map<qint16, int> &rows, const std::vector<std::pair<qint16, qint16>> &links);

    // The top left corner of each page's box, the leftmost box at x 0 and the top line at y 0.
    std::map<qint16, QPointF> place(const Metrics &metrics);
    // The lines of boxes place() made, from the top: each line's top, bottom and its pages from
    // the left.
    struct Line {
        qreal top = 0;
        qreal bottom = 0;
        std::vector<qint16> pages;
    };
    const std::vector<Line> &lines() const { return m_lines; }

private:
    using Pages = std::vector<qint16>;

    void order();
    void sweep(bool down);
    // Where a page is drawn to by its linked pages above it (down) or below it: the mean of
    // their places, or its own place when it has none there.
    qreal pull(qint16 page, bool down);
    std::size_t crossings() const; // of the links between neighbouring rows
    void spread(const std::vector<Pages> &lines, bool down, qreal step, qreal band);
    static void separate(std::vector<qreal> &centres, qreal step);

    std::vector<std::vector<qint16>> m_layers;
    std::unordered_map<qint16, std::size_t> m_layerOf;
    std::unordered_map<qint16, std::vector<qint16>> m_above; // linked pages in earlier rows
    std::unordered_map<qint16, std::vector<qint16>> m_below; // linked pages in later rows
    std::unordered_map<qint16, qreal> m_at;                  // place in its row, or x of its centre
    std::vector<Line> m_lines;
};
