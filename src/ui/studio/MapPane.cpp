#include "ui/studio/MapPane.h"

#include "core/dialogs/ConversationGraph.h"
#include "core/dialogs/QuestDialogs.h"
#include "ui/studio/MapScene.h"
#include "ui/studio/MapView.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QString count(int n) {
    return QLocale(QLocale::English).toString(n);
}
} // namespace

MapPane::MapPane(QWidget *parent) : QWidget(parent), m_graph(std::make_unique<ConversationGraph>()) {
    setObjectName(QStringLiteral("mapPane"));
    chkMapWhole = new QCheckBox(QStringLiteral("Whole conversation"), this);
    chkMapWhole->setObjectName(QStringLiteral("chkMapWhole"));
    cmdMapFit = new QPushButton(QStringLiteral("Fit"), this);
    cmdMapFit->setObjectName(QStringLiteral("cmdMapFit"));
    cmdMapFit->setToolTip(
        QStringLiteral("Show the whole map (Ctrl with the wheel, or Ctrl+plus and Ctrl+minus, "
                       "zoom; drag the background to move it)"));
    mapView = new MapView(this);
    mapView->setObjectName(QStringLiteral("mapView"));
    lblMapStatus = new QLabel(this);
    lblMapStatus->setObjectName(QStringLiteral("lblMapStatus"));
    lblMapStatus->setWordWrap(true);

    auto *bar = new QHBoxLayout;
    bar->addWidget(chkMapWhole);
    bar->addStretch();
    bar->addWidget(cmdMapFit);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addLayout(bar);
    layout->addWidget(mapView);
    layout->addWidget(lblMapStatus);

    connect(mapView, &MapView::pageClicked, this, &MapPane::pageClicked);
    connect(mapView, &MapView::answerDropped, this, &MapPane::answerDropped);
    connect(mapView, &MapView::answerDroppedOnSpace, this, &MapPane::answerDroppedOnSpace);
    connect(mapView, &MapView::outdated, this, [this] { draw(false); });
    connect(cmdMapFit, &QPushButton::clicked, mapView, &MapView::fitAll);
    connect(chkMapWhole, &QCheckBox::toggled, this, [this](bool whole) {
        mapView->setWholeMap(whole);
        draw(false);
    });
}

MapPane::~MapPane() = default;

void MapPane::showPage(QuestDialogs &project, qint16 shown) {
    m_project = &project;
    m_shown = shown;
    draw(m_graph->sync(project));
}

void MapPane::draw(bool changed) {
    if (!m_project)
        return;
    const int pages = m_project->Count();
    const bool offered = pages <= MapView::wholeMapLimit;
    chkMapWhole->setEnabled(offered);
    chkMapWhole->setToolTip(
        offered
            ? QStringLiteral("Draw every page (up to %1 pages); otherwise the pages within two links of "
                             "the shown page")
                  .arg(count(MapView::wholeMapLimit))
            : QStringLiteral("Not offered above %1 pages (this project has %2): so many pages take too long "
                             "to draw and could not be read on one map")
                  .arg(count(MapView::wholeMapLimit), count(pages)));
    mapView->update(*m_graph, *m_project, m_shown, changed);
    const int drawn = int(mapView->mapScene()->rows().size());
    if (mapView->wholeMap() && offered) {
        lblMapStatus->setText(QStringLiteral("Whole conversation: %1 pages").arg(count(pages)));
        return;
    }
    QString status = QStringLiteral("Page %1 and the pages within two links: %2 of %3 pages")
                         .arg(m_shown)
                         .arg(drawn)
                         .arg(count(pages));
    if (!offered)
        status += QStringLiteral(". The whole conversation is drawn up to %1 pages only.")
                      .arg(count(MapView::wholeMapLimit));
    lblMapStatus->setText(status);
}
