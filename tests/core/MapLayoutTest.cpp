// What a reader of the map relies on: rows read from the top down, boxes never overlap, a line
// holds no more boxes than it may, a box stands under what leads to it, crossings are undone.
#include "core/dialogs/MapLayout.h"

#include <QRectF>
#include <gtest/gtest.h>

TEST(MapLayout, RowsReadDownwardsWithoutOverlapsAndLinesKeepTheirWidth) {
    std::map<qint16, int> rows;
    std::vector<std::pair<qint16, qint16>> links;
    MapLayout::Metrics metrics;
    metrics.perLine = 3;
    for (qint16 page = 0; page < 40; ++page) {
        rows[page] = page == 0 ? 0 : 1 + page % 4;
        links.emplace_back(qint16(page / 3), page);
        links.emplace_back(page, qint16((page * 7) % 40));
        if (page % 5 == 0)
            metrics.heights[page] = 90;
    }
    MapLayout layout(rows, links);
    const std::map<qint16, QPointF> places = layout.place(metrics);
    ASSERT_EQ(places.size(), rows.size());
    const auto box = [&](qint16 page) {
        return QRectF(places.at(page),
                      QSizeF(metrics.boxWidth, metrics.heights.count(page) ? 90 : metrics.boxHeight));
    };
    qreal left = 1e9;
    for (const auto &[a, rowA] : rows) {
        left = std::min(left, box(a).left());
        for (const auto &[b, rowB] : rows) {
            if (a < b) {
                EXPECT_FALSE(box(a).intersects(box(b))) << a << " " << b;
            }
            if (rowA < rowB) {
                EXPECT_LT(box(a).bottom(), box(b).top()) << a << " " << b;
            }
        }
    }
    EXPECT_EQ(left, 0);
    for (const MapLayout::Line &line : layout.lines()) {
        EXPECT_LE(line.pages.size(), 3u);
        qreal tallest = 0;
        for (const qint16 page : line.pages)
            tallest = std::max(tallest, box(page).height());
        EXPECT_EQ(line.bottom - line.top, tallest);
    }
}

// 0 leads to 1 and 2, 1 to 4 and 2 to 3: 4 moves left of 3, so no arrows cross; 3 stands under
// 2, and 0 over the middle of 1 and 2.
TEST(MapLayout, BoxesStandUnderThePagesLeadingToThemAndArrowsUncross) {
    const std::map<qint16, int> rows = {{0, 0}, {1, 1}, {2, 1}, {3, 2}, {4, 2}};
    MapLayout layout(rows, {{0, 1}, {0, 2}, {1, 4}, {2, 3}});
    const std::map<qint16, QPointF> at = layout.place({});
    EXPECT_LT(at.at(4).x(), at.at(3).x());
    EXPECT_NEAR(at.at(3).x(), at.at(2).x(), 1);
    EXPECT_NEAR(at.at(0).x(), (at.at(1).x() + at.at(2).x()) / 2, 1);
}
