#include "ui/frmDCFixture.h"

#include "ui/studio/StudioLayout.h"

#include <QGroupBox>
#include <QMenuBar>

namespace {
// Resizes the window so that its client area (below the menu bar) is this many pixels.
void resizeClient(frmDC &w, int width, int height) {
    w.resize(width, height + w.menuBar()->height());
}

QRect rect(QWidget *control) {
    return control->geometry();
}
} // namespace

TEST(frmDCLayout, ALargerClientAreaStretchesSpeechAnswersAndPane) {
    Studio s;
    resizeClient(s.w, 800, 500); // 12000 x 7500 twips
    EXPECT_EQ(s.w.centralWidget()->size(), QSize(800, 500));
    EXPECT_EQ(rect(s.w.PicAnalysis), QRect(437, 0, 359, 500));
    EXPECT_EQ(rect(s.w.Frame4), QRect(8, 104, 425, 248));
    EXPECT_EQ(rect(s.w.txtSpeech), QRect(8, 32, 409, 208));
    EXPECT_EQ(rect(s.w.Frame2), QRect(8, 367, 425, 129));
    EXPECT_EQ(rect(s.w.Frame1), QRect(8, 8, 425, 41));
    EXPECT_EQ(rect(s.w.Label7).width(), 359);
    EXPECT_EQ(rect(s.w.Label9).width(), 233) << "keeps its design width";
    EXPECT_EQ(rect(s.w.TrvAnalysis), QRect(0, 48, 359, 452));
}

TEST(frmDCLayout, ATooSmallClientAreaSnapsBackToTheOpeningOuterSize) {
    EXPECT_FALSE(StudioLayout::clientFits(10000, 5955));
    EXPECT_TRUE(StudioLayout::clientFits(10001, 5955));
    EXPECT_FALSE(StudioLayout::clientFits(10001, 5954));

    Studio s;
    const QSize snapped(678, 451); // 10170 x 6765 twips
    resizeClient(s.w, 666, 600);   // 9990 twips wide
    EXPECT_EQ(s.w.size(), snapped);
    resizeClient(s.w, 667, 397); // 10005 x 5955: fits
    EXPECT_EQ(s.w.centralWidget()->size(), QSize(667, 397));
    EXPECT_EQ(rect(s.w.PicAnalysis).width(), 226);
    resizeClient(s.w, 900, 396); // 5940 high
    EXPECT_EQ(s.w.size(), snapped);
    EXPECT_EQ(rect(s.w.Frame2).top(), s.w.centralWidget()->height() - 133)
        << "the client height less 1995 twips";
}

TEST(frmDCLayout, AMinimisedWindowIsLeftAlone) {
    Studio s;
    s.w.setWindowState(Qt::WindowMinimized);
    resizeClient(s.w, 300, 200);
    EXPECT_EQ(s.w.centralWidget()->size(), QSize(300, 200));
}

TEST(frmDCLayout, ATallMenuBarStillEndsWithAFittingClientArea) {
    Studio s;
    s.w.menuBar()->setFixedHeight(200);
    resizeClient(s.w, 300, 200);
    EXPECT_EQ(s.w.size(), QSize(678, 597)) << "grown by just what the client area lacked";
    EXPECT_EQ(s.w.centralWidget()->size(), QSize(678, 397));
    EXPECT_EQ(rect(s.w.Frame2).top(), 264);
}
