#include "ui/studio/MapScene.h"
#include "core/dialogs/ConversationGraph.h"
#include "core/dialogs/QuestDialogs.h"
#include "support/TestSupport.h"
#include "ui/studio/MapView.h"

#include <QGraphicsPathItem>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace {
// 0 ends or leads to 1 to 4, each of them to 5 and 1 and 2 back to 0; 5 leads to itself, to 0
// and to "abc"; page 6 leads only to 0.
struct Fan {
    QuestDialogs project;
    ConversationGraph graph;
    MapScene scene;

    Fan() {
        project.Dialog(0).Init("Hail");
        project.Dialog(0).setSelection(0, TestSupport::answer("Farewell", false, "", true));
        for (int n = 1; n <= 6; ++n)
            project.AddNewDialog(std::make_unique<Dialog>(QStringLiteral("Page %1").arg(n)));
        for (int n = 1; n <= 4; ++n) {
            project.Dialog(0).AddSelection(
                TestSupport::answer("Tell me more", true, QString::number(n), false));
            Dialog &page = project.Dialog(qint16(n));
            page.setSelection(0, TestSupport::answer("Show me your wares", true, "5", false));
            if (n <= 2)
                page.AddSelection(TestSupport::answer("Back to the start", true, "0", false));
        }
        project.Dialog(5).setSelection(0, TestSupport::answer("Again", true, "5", false));
        project.Dialog(5).AddSelection(TestSupport::answer("Back to the start", true, "0", true));
        project.Dialog(5).AddSelection(TestSupport::answer("Odd", true, "abc", false));
        project.Dialog(6).setSelection(0, TestSupport::answer("Start over", true, "0", false));
        graph.sync(project);
        scene.setPerLine(2);
    }

    int top() const {
        int row = 1 << 20;
        for (const auto &[page, r] : scene.rows())
            row = std::min(row, r);
        return row;
    }
};
} // namespace

// Each arrow leaves the side of its answer's row and ends on the top of the page it leads to;
// a link to its own page or to no page has none. The start page stands alone at the top.
TEST(MapScene, ArrowsLeaveTheirAnswersRowsAndTheStartStandsOnTop) {
    Fan f;
    for (const qint16 current : {qint16(0), qint16(5), qint16(1)}) {
        current == 1 ? f.scene.showWhole(f.graph, f.project, 1)
                     : f.scene.showNeighbourhood(f.graph, f.project, current);
        QStringList keys;
        for (QGraphicsItem *item : f.scene.items())
            if (auto *arrow = qgraphicsitem_cast<QGraphicsPathItem *>(item)) {
                const QString key = arrow->data(MapScene::LinkKey).toString();
                keys << key;
                const qint16 from = qint16(key.section(':', 0, 0).toInt()),
                             answer = qint16(key.section(':', 1).toInt());
                const QRectF row = f.scene.answerRect(from, answer);
                const QPointF start = arrow->path().pointAtPercent(0), end = arrow->path().currentPosition();
                EXPECT_NEAR(start.y(), row.center().y(), 0.5) << key.toStdString();
                EXPECT_TRUE(qAbs(start.x() - row.left()) < 0.5 || qAbs(start.x() - row.right()) < 0.5)
                    << key.toStdString();
                const auto link = f.graph.linksFrom(from)[std::size_t(answer)];
                const QRectF target = f.scene.pageRect(link.to);
                EXPECT_NEAR(end.y(), target.top(), 0.5) << key.toStdString();
                EXPECT_TRUE(end.x() > target.left() && end.x() < target.right()) << key.toStdString();
            }
        keys.sort();
        if (current == 1) {
            EXPECT_EQ(keys.join(' '), "0:1 0:2 0:3 0:4 1:0 1:1 2:0 2:1 3:0 4:0 5:1 6:0");
        }
        EXPECT_FALSE(keys.contains("5:0") || keys.contains("5:2")) << current;
        for (const auto &[page, row] : f.scene.rows())
            EXPECT_TRUE(page == 0 ? row == f.top() : row > f.top()) << current << " " << page;
    }
    // Around the start, a page that only leads back to it stands below the rest.
    f.scene.showNeighbourhood(f.graph, f.project, 0);
    EXPECT_GT(f.scene.rows().at(6), f.scene.rows().at(1));
    EXPECT_EQ(f.scene.describe(), QStringList({"ends 0:0", "ends 5:1", "broken 5:2", "grey 6"}));
}

TEST(MapScene, HoveringABoxOrRowShowsItsFullTextAndAClickItsPage) {
    Fan f;
    f.project.Dialog(1).setText(QStringLiteral("A speech far too long to fit the narrow box of a map"));
    MapView view;
    view.resize(500, 400);
    view.show();
    view.update(f.graph, f.project, 1, true);
    MapScene &scene = *view.mapScene();
    const QRectF box = scene.pageRect(1);
    EXPECT_EQ(scene.toolTipAt(box.topLeft() + QPointF(40, 5)),
              "Page 1: A speech far too long to fit the narrow box of a map");
    const QString drag =
        "\nDrag it onto a page to link it there, or onto empty space to link it to a new page";
    EXPECT_EQ(scene.toolTipAt(scene.answerRect(1, 0).center()),
              "Answer 0: Show me your wares\nLeads to page 5" + drag);
    EXPECT_EQ(scene.toolTipAt(scene.answerRect(5, 1).center()),
              "Answer 1: Back to the start\nLeads to page 0\nEnds the conversation" + drag);
    EXPECT_EQ(scene.spotAt(scene.answerRect(5, 2).center()).answer, 2);

    QSignalSpy clicked(&view, &MapView::pageClicked);
    view.centerOn(scene.answerRect(5, 2).center());
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {},
                      view.mapFromScene(scene.answerRect(5, 2).center()));
    ASSERT_EQ(clicked.size(), 1);
    EXPECT_EQ(clicked[0][0].value<qint16>(), 5);
}

// Ctrl with the wheel and Ctrl+plus or minus zoom; Fit shows the whole map, and keeps doing so.
TEST(MapView, ZoomAndFit) {
    Fan f;
    MapView view;
    view.resize(300, 250);
    view.show();
    view.update(f.graph, f.project, 0, true);
    const qreal start = view.zoom();
    QWheelEvent wheel(QPointF(100, 100), view.mapToGlobal(QPointF(100, 100)), {}, QPoint(0, 120),
                      Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(view.viewport(), &wheel);
    EXPECT_NEAR(view.zoom(), start * 1.25, 1e-6);
    QTest::keyClick(&view, Qt::Key_Minus, Qt::ControlModifier);
    QTest::keyClick(&view, Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_NEAR(view.zoom(), start / 1.25, 1e-6);
    view.update(f.graph, f.project, 1, false);
    EXPECT_NEAR(view.zoom(), start / 1.25, 1e-6) << "a chosen zoom stays";
    view.fitAll();
    view.update(f.graph, f.project, 0, false);
    const QRectF shown = view.mapToScene(view.viewport()->rect()).boundingRect();
    EXPECT_TRUE(shown.adjusted(-2, -2, 2, 2).contains(view.mapScene()->sceneRect()));
}
