#include "ui/frmDCFixture.h"

#include "core/dialogs/ConversationGraph.h"
#include "ui/studio/FindBar.h"
#include "ui/studio/MapPane.h"
#include "ui/studio/MapScene.h"
#include "ui/studio/MapView.h"
#include "ui/widgets/Twips.h"

#include <QCheckBox>
#include <QDockWidget>
#include <QGraphicsItem>
#include <QInputDialog>
#include <QSettings>
#include <QSpinBox>
#include <QTreeView>

namespace {
// The studio with a small conversation: 0 leads to 1 and 2, 1 to 2, 2 to "abc" and back to 0;
// page 3 is reached by nothing. The docks' settings are cleared again afterwards.
struct Conversation {
    struct ClearedSettings {
        ~ClearedSettings() { QSettings().remove(QStringLiteral("StudioDocks")); }
    } cleared;
    Studio s;

    Conversation() {
        QuestDialogs &p = s.project;
        p.Dialog(0).Init("Hail, traveller.");
        p.Dialog(0).setSelection(0, TestSupport::answer("Trade", true, "1", false));
        p.Dialog(0).AddSelection(TestSupport::answer("Gold?", true, "2", false));
        p.AddNewDialog(std::make_unique<Dialog>("What will you buy?"));
        p.Dialog(1).setSelection(0, TestSupport::answer("A sword", true, "2", false));
        p.AddNewDialog(std::make_unique<Dialog>("Gold is scarce."));
        p.Dialog(2).setSelection(0, TestSupport::answer("Odd", true, "abc", false));
        p.Dialog(2).AddSelection(TestSupport::answer("Back", true, "0", false));
        p.AddNewDialog(std::make_unique<Dialog>("Nobody comes here."));
        s.w.ShowPage(0);
        s.w.MnuAnalysis_Click();
    }

    QModelIndex node(int page, int answer = -1) const {
        const QAbstractItemModel *model = s.w.TrvAnalysis->model();
        const QModelIndex pageNode = model->index(page, 0);
        return answer < 0 ? pageNode : model->index(answer, 0, pageNode);
    }
};

// A press and release, then the second press that the platform reports as a double click.
void doubleClick(QAbstractItemView *view, QPoint at) {
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
}
} // namespace

TEST(frmDCNavigation, TreeDoubleClickAndEnterShowThePageAndAnswerAfterStoringTheEdits) {
    Conversation c;
    Studio::retype(c.s.w.txtSpeech, "Hail, friend.");
    QTreeView *tree = c.s.w.TrvAnalysis;
    const QPoint at = tree->visualRect(c.node(2)).center();
    doubleClick(tree, at);
    EXPECT_EQ(c.s.w.txtPage->text(), "2");
    EXPECT_EQ(c.s.w.txtSpeech->toPlainText(), "Gold is scarce.");
    EXPECT_EQ(c.s.project.Dialog(0).text(), "Hail, friend.") << "the edit was stored first";

    tree->setFocus();
    tree->expand(c.node(0));
    tree->setCurrentIndex(c.node(0, 1));
    QTest::keyClick(tree, Qt::Key_Return);
    EXPECT_EQ(c.s.shown(), "page 0 [Ubound: 3] sel 1 [ Ubound: 1] text 'Gold?' linked 1 id '2' ends 0");
}

TEST(frmDCNavigation, ProblemsListTheFindingsWithTheirCountAndLeadToThem) {
    Conversation c;
    c.s.w.MnuViewProblems->trigger();
    const QAbstractItemModel *rows = c.s.w.lstProblems->model();
    ASSERT_TRUE(rows);
    QStringList seen;
    for (int r = 0; r < rows->rowCount(); ++r)
        seen << QStringLiteral("%1 %2/%3")
                    .arg(rows->index(r, 0).data().toString(), rows->index(r, 1).data().toString(),
                         rows->index(r, 2).data().toString());
    EXPECT_TRUE(seen.contains("error 2/0")) << "the link to abc";
    EXPECT_TRUE(seen.contains("warning 3/")) << "page 3 is reached by nothing";
    EXPECT_EQ(c.s.w.dockProblems->windowTitle(), QStringLiteral("Problems (%1)").arg(rows->rowCount()));

    const int broken = int(seen.indexOf("error 2/0"));
    QTreeView *list = c.s.w.lstProblems;
    const QModelIndex row = rows->index(broken, 3);
    list->scrollTo(row);
    doubleClick(list, list->visualRect(row).center());
    EXPECT_EQ(c.s.shown(), "page 2 [Ubound: 3] sel 0 [Ubound: 1] text 'Odd' linked 1 id 'abc' ends 0");

    // Mending the link and applying takes the finding away at once.
    Studio::retype(c.s.w.txtPageID, "1");
    Studio::click(c.s.w.CMDSave);
    EXPECT_EQ(c.s.w.dockProblems->windowTitle(), QStringLiteral("Problems (%1)").arg(seen.size() - 1));
}

TEST(frmDCNavigation, MapShowsTheNeighbourhoodMarksBrokenLinksEndingsAndUnreachedPagesAndAClickShowsAPage) {
    Conversation c;
    c.s.w.MnuViewMap->trigger();
    MapScene *scene = c.s.w.mapPane->mapView->mapScene();
    const auto pages = [scene] {
        QStringList out;
        for (const auto &[page, row] : scene->rows())
            out << QString::number(page);
        return out.join(' ');
    };
    c.s.w.GoToPage(1);
    EXPECT_EQ(pages(), "0 1 2");
    EXPECT_TRUE(scene->describe().contains("broken 2:0"));
    c.s.w.GoToPage(3);
    EXPECT_EQ(pages(), "3");
    EXPECT_EQ(scene->describe(), (QStringList{"grey 3", "ends 3:0"}));

    c.s.w.mapPane->chkMapWhole->click();
    EXPECT_EQ(pages(), "0 1 2 3");
    QGraphicsItem *box = nullptr;
    for (QGraphicsItem *item : scene->items())
        if (item->data(MapScene::PageKey).toInt() == 1 && item->data(MapScene::PageKey).isValid())
            box = item;
    ASSERT_TRUE(box);
    MapView *view = c.s.w.mapPane->mapView;
    view->centerOn(box);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      view->mapFromScene(box->sceneBoundingRect().center()));
    EXPECT_EQ(c.s.w.txtPage->text(), "1");
    EXPECT_EQ(c.s.w.txtSpeech->toPlainText(), "What will you buy?");
    EXPECT_EQ(c.s.w.mapPane->lblMapStatus->text(), "Whole conversation: 4 pages");

    // Above 2,000 pages the whole conversation is not offered, and both say why.
    while (c.s.project.Count() <= 2000)
        c.s.project.AddNewDialog(std::make_unique<Dialog>("More"));
    c.s.w.MnuAnalysis_Click();
    EXPECT_FALSE(c.s.w.mapPane->chkMapWhole->isEnabled());
    EXPECT_TRUE(c.s.w.mapPane->chkMapWhole->toolTip().startsWith(
        "Not offered above 2,000 pages (this project has 2,001)"));
    EXPECT_EQ(c.s.w.mapPane->lblMapStatus->text(),
              "Page 1 and the pages within two links: 3 of 2,001 pages. The "
              "whole conversation is drawn up to 2,000 pages only.");
}

TEST(frmDCNavigation, GoToAndFindFromTheKeyboard) {
    Conversation c;
    QTest::keyClick(&c.s.w, Qt::Key_G, Qt::ControlModifier);
    auto *dialog = c.s.w.findChild<QInputDialog *>("dlgGoTo");
    ASSERT_TRUE(dialog);
    auto *number = dialog->findChild<QSpinBox *>();
    number->selectAll();
    QTest::keyClicks(number, "2");
    QTest::keyClick(number, Qt::Key_Return);
    EXPECT_EQ(c.s.w.txtPage->text(), "2");

    QTest::keyClick(&c.s.w, Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(c.s.w.findBar->isVisible());
    QTest::keyClicks(c.s.w.findBar->txtFind, "gold");
    QTest::keyClick(c.s.w.findBar->txtFind, Qt::Key_Return);
    EXPECT_EQ(c.s.w.findBar->lblFind->text(), "Page 2, speech") << "the shown page is searched first";
    QTest::keyClick(&c.s.w, Qt::Key_F3);
    EXPECT_EQ(c.s.w.findBar->lblFind->text(), "Page 0, answer 1") << "wraps round";
    EXPECT_EQ(c.s.w.txtSel->text(), "Gold?");
    QTest::keyClick(&c.s.w, Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(c.s.w.findBar->lblFind->text(), "Page 2, speech");
    c.s.w.findBar->txtFind->setText("dragon");
    QTest::keyClick(c.s.w.findBar->txtFind, Qt::Key_Return);
    EXPECT_EQ(c.s.w.findBar->lblFind->text(), "Not found");
    EXPECT_EQ(c.s.w.txtPage->text(), "2");

    // F5 runs the analysis.
    c.s.project.AddNewDialog(std::make_unique<Dialog>("Late page"));
    QTest::keyClick(&c.s.w, Qt::Key_F5);
    EXPECT_EQ(c.s.w.TrvAnalysis->model()->rowCount(), 5);
}

TEST(frmDCNavigation, DocksKeepTheirVisibilityAndTheSizeRuleAppliesToTheCentralArea) {
    Conversation c;
    c.s.w.MnuViewMap->trigger();
    c.s.w.MnuViewProblems->trigger();
    QTest::keyClick(&c.s.w, Qt::Key_F6);
    // The window lays its docks out once the events of their showing have run.
    QTest::qWait(50);
    const QSize client = c.s.w.centralWidget()->size();
    EXPECT_GT(Twips::fromPixels(client.width()), 10000);
    EXPECT_GE(Twips::fromPixels(client.height()), 5955);
    EXPECT_EQ(c.s.w.PicAnalysis->width(), Twips::toPixels(Twips::fromPixels(client.width()) - 6615));
    c.s.w.close();

    Studio again;
    EXPECT_TRUE(again.w.dockMap->isVisible());
    EXPECT_TRUE(again.w.dockProblems->isVisible());
    EXPECT_TRUE(again.w.dockPlay->isVisible());
    again.w.MnuViewMap->trigger();
    again.w.MnuViewProblems->trigger();
    again.w.MnuViewPlay->trigger();
    again.w.close();
    Studio plain;
    EXPECT_FALSE(plain.w.dockMap->isVisible());
    EXPECT_FALSE(plain.w.dockProblems->isVisible());
    EXPECT_FALSE(plain.w.dockPlay->isVisible());
}
