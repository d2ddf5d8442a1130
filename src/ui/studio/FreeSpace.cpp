#include "ui/studio/FreeSpace.h"

#include <cmath>

template <typename Visit> void FreeSpace::forCells(const QRectF &rect, Visit visit) const {
    const auto x0 = qint64(std::floor(rect.left() / cell)), x1 = qint64(std::floor(rect.right() / cell));
    const auto y0 = qint64(std::floor(rect.top() / cell)), y1 = qint64(std::floor(rect.bottom() / cell));
    for (qint64 x = x0; x <= x1; ++x)
        for (qint64 y = y0; y <= y1; ++y)
            visit((quint64(quint32(qint32(x))) << 32) | quint32(qint32(y)));
}

void FreeSpace::take(const QRectF &rect) {
    const int index = int(m_taken.size());
    m_taken.push_back(rect);
    forCells(rect, [&](quint64 key) { m_cells[key].push_back(index); });
}

bool FreeSpace::isFree(const QRectF &rect) const {
    bool free = true;
    forCells(rect, [&](quint64 key) {
        const auto found = m_cells.constFind(key);
        if (free && found != m_cells.constEnd())
            for (const int index : *found)
                if (m_taken[std::size_t(index)].intersects(rect)) {
                    free = false;
                    break;
                }
    });
    return free;
}

QRectF FreeSpace::place(QSizeF size, const std::vector<QPointF> &wanted) {
    const auto at = [size](QPointF centre) {
        return QRectF(centre - QPointF(size.width() / 2, size.height() / 2), size);
    };
    for (const QPointF &centre : wanted)
        if (const QRectF rect = at(centre); isFree(rect)) {
            take(rect);
            return rect;
        }
    // Rings of growing distance around the first wish, nearest places first: up and down by
    // half a label, sideways by a fifth of one.
    const QPointF origin = wanted.empty() ? QPointF() : wanted.front();
    const qreal dx = std::max<qreal>(8, size.width() / 5), dy = size.height() / 2 + 1;
    for (int ring = 1; ring < 400; ++ring)
        for (const auto &[sx, sy] :
             {std::pair{0, -1}, {0, 1}, {-1, 0}, {1, 0}, {-1, -1}, {1, -1}, {-1, 1}, {1, 1}})
            if (const QRectF rect = at(origin + QPointF(sx * ring * dx, sy * ring * dy)); isFree(rect)) {
                take(rect);
                return rect;
            }
    const QRectF rect = at(origin);
    take(rect);
    return rect;
}
