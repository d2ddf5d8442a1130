#pragma once

#include <QHash>
#include <QRectF>
#include <vector>

// The taken rectangles of a drawing, and where a new one fits without touching any: the map
// puts its boxes here first, then finds each label a free place near where it belongs. Taken
// rectangles are filed by the cells of a grid they cover, so a look-up reads only its
// neighbours.
class FreeSpace {
public:
    void take(const QRectF &rect);
    bool isFree(const QRectF &rect) const;

    // A free rectangle of `size` centred on the first of `wanted` that has room, or moved away
    // from them step by step until it has; it is taken.
    QRectF place(QSizeF size, const std::vector<QPointF> &wanted);

private:
    static constexpr qreal cell = 64;
    template <typename Visit> void forCells(const QRectF &rect, Visit visit) const;

    std::vector<QRectF> m_taken;
    QHash<quint64, std::vector<int>> m_cells;
};
