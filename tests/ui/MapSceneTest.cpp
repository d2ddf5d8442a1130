#include "ui/studio/MapScene.h"
#include "core/dialogs/ConversationGraph.h"
#include "core/dialogs/QuestDialogs.h"
#include "support/TestSupport.h"

#include <QGraphicsPathItem>
#include <QGraphicsRectItem>
#include <QPainterPathStroker>
#include <gtest/gtest.h>

// A fan of four answers from page 0, each page answering back to it and on to page 5, which
// links to itself, back to 0 and to "abc". Drawn whole and around page 0, two boxes a line. A
// label stands on its arrow or just beside it (a broken link's beside its red box).
TEST(MapScene, LabelsTouchNoOtherLabelNorBoxAndLieOnTheirOwnArrowWhenRowsWrap) {
    QuestDialogs project;
    project.Dialog(0).Init("Hail");
    for (int n = 1; n <= 5; ++n)
        project.AddNewDialog(std::make_unique<Dialog>(QStringLiteral("Page %1").arg(n)));
    for (int n = 1; n <= 4; ++n) {
        project.Dialog(0).AddSelection(TestSupport::answer("Tell me more", true, QString::number(n), false));
        project.Dialog(qint16(n)).setSelection(0, TestSupport::answer("Back to the start", true, "0", false));
        project.Dialog(qint16(n)).AddSelection(TestSupport::answer("Show me your wares", true, "5", false));
    }
    project.Dialog(5).setSelection(0, TestSupport::answer("Again", true, "5", false));
    project.Dialog(5).AddSelection(TestSupport::answer("Back to the start", true, "0", false));
    project.Dialog(5).AddSelection(TestSupport::answer("Odd", true, "abc", false));
    ConversationGraph graph;
    graph.sync(project);
    MapScene scene;
    scene.setPerLine(2);
    for (const bool whole : {true, false}) {
        whole ? scene.showWhole(graph, project, 0) : scene.showNeighbourhood(graph, project, 0);
        std::vector<std::pair<QRectF, QString>> labels;
        QHash<QString, QPainterPath> arrows;
        for (QGraphicsItem *item : scene.items())
            if (const QString key = item->data(MapScene::LinkKey).toString(); !key.isEmpty()) {
                if (auto *path = qgraphicsitem_cast<QGraphicsPathItem *>(item))
                    arrows[key] = QPainterPathStroker().createStroke(path->path());
                else
                    labels.emplace_back(item->sceneBoundingRect(), key);
            }
        ASSERT_EQ(labels.size(), 15u);
        QMap<qreal, int> perLine;
        for (const auto &[page, row] : scene.rows()) {
            ++perLine[scene.pageRect(page).top()];
            for (const auto &[label, key] : labels)
                EXPECT_FALSE(label.intersects(scene.pageRect(page))) << key.toStdString() << " on " << page;
        }
        for (const int boxes : perLine)
            EXPECT_LE(boxes, 2);
        for (std::size_t a = 0; a < labels.size(); ++a) {
            const auto &[label, key] = labels[a];
            EXPECT_TRUE(arrows[key].intersects(label.adjusted(-16, -16, 16, 16)))
                << key.toStdString() << whole;
            for (std::size_t b = a + 1; b < labels.size(); ++b)
                EXPECT_FALSE(label.intersects(labels[b].first))
                    << key.toStdString() << labels[b].second.toStdString();
        }
    }
}

// A box stands under the pages leading to it, and a page over the middle of those it leads to.
TEST(MapScene, BoxesStandUnderThePagesLeadingToThem) {
    QuestDialogs project;
    for (int n = 1; n <= 3; ++n)
        project.AddNewDialog(std::make_unique<Dialog>(QStringLiteral("Page %1").arg(n)));
    project.Dialog(0).setSelection(0, TestSupport::answer("a", true, "1", false));
    project.Dialog(0).AddSelection(TestSupport::answer("b", true, "2", false));
    project.Dialog(2).setSelection(0, TestSupport::answer("c", true, "3", false));
    ConversationGraph graph;
    graph.sync(project);
    MapScene scene;
    scene.showWhole(graph, project, 0);
    const auto x = [&scene](qint16 page) { return scene.pageRect(page).center().x(); };
    EXPECT_NEAR(x(3), x(2), 1);
    EXPECT_NEAR(x(0), (x(1) + x(2)) / 2, 1);
}
