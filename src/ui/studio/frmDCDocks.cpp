// The studio's docks (the problems list, the map and the Play dock), Go to and Find in the
// "Edit" menu, the "View" menu and the window's shortcuts.
#include "core/dialogs/QuestDialogs.h"
#include "core/dialogs/TextSearch.h"
#include "ui/studio/AnalysisModel.h"
#include "ui/studio/AnalysisTree.h"
#include "ui/studio/FindBar.h"
#include "ui/studio/MapPane.h"
#include "ui/studio/PlayPane.h"
#include "ui/studio/ProblemsModel.h"
#include "ui/studio/StudioDocument.h"
#include "ui/studio/StudioLayout.h"
#include "ui/studio/frmDC.h"
#include "ui/widgets/Twips.h"

#include <QAction>
#include <QDockWidget>
#include <QEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTreeView>
#include <QVBoxLayout>
#include <functional>

namespace {
const QString settingsGroup = QStringLiteral("StudioDocks");
constexpr int mapDockWidth = 600;  // three page boxes side by side, and their arrows
constexpr int playDockWidth = 420; // the exported dialog at its size
constexpr int stackedDockHeight = 250;

// Keeps the docks' place and visibility when the window is closed, and applies the
// size rule to the central area when a dock takes room from it or gives it back.
class DockWatcher : public QObject {
public:
    DockWatcher(QMainWindow *window, std::function<void()> save, std::function<void()> resized)
        : QObject(window), m_window(window), m_central(window->centralWidget()), m_save(std::move(save)),
          m_resized(std::move(resized)) {
        window->installEventFilter(this);
        m_central->installEventFilter(this);
    }

protected:
    // The window may be half destroyed when its last events arrive: only pointers are compared.
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Close && watched == m_window)
            m_save();
        else if (event->type() == QEvent::Resize && watched == m_central && m_window->isVisible())
            m_resized();
        return false;
    }

private:
    QWidget *m_window;
    QWidget *m_central;
    std::function<void()> m_save;
    std::function<void()> m_resized;
};

QAction *named(QAction *action, const char *name) {
    action->setObjectName(QString::fromLatin1(name));
    return action;
}
} // namespace

void frmDC::createDocks() {
    dockProblems = new QDockWidget(QStringLiteral("Problems"), this);
    dockProblems->setObjectName(QStringLiteral("dockProblems"));
    lstProblems = new QTreeView(dockProblems);
    lstProblems->setObjectName(QStringLiteral("lstProblems"));
    lstProblems->setRootIsDecorated(false);
    lstProblems->setUniformRowHeights(true);
    lstProblems->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstProblems->setModel(new ProblemsModel(lstProblems));
    lstProblems->header()->setStretchLastSection(true);
    lstProblems->setColumnWidth(0, 90);
    lstProblems->setColumnWidth(1, 50);
    lstProblems->setColumnWidth(2, 55);
    dockProblems->setWidget(lstProblems);

    dockMap = new QDockWidget(QStringLiteral("Map"), this);
    dockMap->setObjectName(QStringLiteral("dockMap"));
    mapPane = new MapPane(dockMap);
    dockMap->setWidget(mapPane);

    dockPlay = new QDockWidget(QStringLiteral("Play"), this);
    dockPlay->setObjectName(QStringLiteral("dockPlay"));
    playPane = new PlayPane(dockPlay);
    dockPlay->setWidget(playPane);

    addDockWidget(Qt::RightDockWidgetArea, dockMap);
    addDockWidget(Qt::RightDockWidgetArea, dockPlay);
    addDockWidget(Qt::BottomDockWidgetArea, dockProblems);
    resizeDocks({dockMap}, {mapDockWidth}, Qt::Horizontal);
    resizeDocks({dockProblems}, {150}, Qt::Vertical);
    // A new user starts from the window as it always was; the View menu shows the docks.
    dockMap->hide();
    dockPlay->hide();
    dockProblems->hide();

    connect(lstProblems, &QAbstractItemView::activated, this, &frmDC::lstProblems_DblClick);
    connect(mapPane, &MapPane::pageClicked, this, &frmDC::mapView_Click);
    connect(mapPane, &MapPane::answerDropped, this, &frmDC::mapView_Drop);
    connect(mapPane, &MapPane::answerDroppedOnSpace, this, &frmDC::mapView_DropOnSpace);
    for (QDockWidget *dock : {dockProblems, dockMap, dockPlay})
        connect(dock, &QDockWidget::visibilityChanged, this, [this](bool visible) {
            // While a dock takes room, the window keeps the central area at the size the rule
            // asks for, so that the rule's snapping never squeezes it; without docks the rule
            // alone decides, as it always has.
            const bool docked = !dockProblems->isHidden() || !dockMap->isHidden() || !dockPlay->isHidden();
            centralWidget()->setMinimumSize(
                docked ? QSize(StudioLayout::minClientWidth / Twips::perPixel + 1,
                               (StudioLayout::minClientHeight + Twips::perPixel - 1) / Twips::perPixel)
                       : QSize(0, 0));
            if (!visible)
                return;
            if (!dockMap->isHidden() && !dockMap->isFloating() && dockMap->width() < mapDockWidth)
                resizeDocks({dockMap}, {mapDockWidth}, Qt::Horizontal);
            if (!dockPlay->isHidden() && !dockPlay->isFloating() && dockPlay->width() < playDockWidth)
                resizeDocks({dockPlay}, {playDockWidth}, Qt::Horizontal);
            // The map and the Play dock above each other share the height.
            const bool stacked = !dockMap->isHidden() && !dockPlay->isHidden() && !dockMap->isFloating() &&
                                 !dockPlay->isFloating() &&
                                 dockWidgetArea(dockMap) == dockWidgetArea(dockPlay) &&
                                 tabifiedDockWidgets(dockMap).isEmpty();
            if (stacked && std::min(dockMap->height(), dockPlay->height()) < stackedDockHeight)
                resizeDocks({dockMap, dockPlay}, {1, 1}, Qt::Vertical);
            refreshDocks();
        });
    connect(txtPage, &QLineEdit::textChanged, this, &frmDC::refreshDocks);

    findBar = new FindBar(this);
    addToolBar(Qt::TopToolBarArea, findBar);
    connect(findBar, &FindBar::findNext, this, &frmDC::MnuEditFindNext_Click);
    connect(findBar, &FindBar::findPrevious, this, &frmDC::MnuEditFindPrevious_Click);

    QSettings settings;
    settings.beginGroup(settingsGroup);
    restoreState(settings.value(QStringLiteral("state")).toByteArray());
    findBar->hide();
    new DockWatcher(
        this, [this] { saveDockState(); }, [this] { Form_Resize(); });
}

void frmDC::saveDockState() const {
    QSettings settings;
    settings.beginGroup(settingsGroup);
    settings.setValue(QStringLiteral("state"), saveState());
}

void frmDC::createNavigation() {
    MnuProjNew->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    MnuProjOpen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    MnuProjSave->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    MnuProjSaveAs->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    MnuProjExport->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    MnuAnalysis->setShortcut(QKeySequence(Qt::Key_F5));

    // Going to a place and finding one follow the undo commands in the Edit menu.
    MnuEdit->addSeparator();
    QMenu *edit = MnuEdit;
    MnuEditGoTo = named(edit->addAction(QStringLiteral("Go to Page...")), "MnuEditGoTo");
    MnuEditGoTo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
    MnuEditFind = named(edit->addAction(QStringLiteral("Find...")), "MnuEditFind");
    MnuEditFind->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    MnuEditFindNext = named(edit->addAction(QStringLiteral("Find Next")), "MnuEditFindNext");
    MnuEditFindNext->setShortcut(QKeySequence(Qt::Key_F3));
    MnuEditFindPrevious = named(edit->addAction(QStringLiteral("Find Previous")), "MnuEditFindPrevious");
    MnuEditFindPrevious->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3));

    MnuView = new QMenu(QStringLiteral("View"), menuBar());
    MnuView->setObjectName(QStringLiteral("MnuView"));
    menuBar()->insertMenu(MnuAnalysis, MnuView);
    MnuViewProblems = named(dockProblems->toggleViewAction(), "MnuViewProblems");
    MnuViewMap = named(dockMap->toggleViewAction(), "MnuViewMap");
    MnuViewPlay = named(dockPlay->toggleViewAction(), "MnuViewPlay");
    MnuViewPlay->setShortcut(QKeySequence(Qt::Key_F6));
    MnuView->addAction(MnuViewProblems);
    MnuView->addAction(MnuViewMap);
    MnuView->addAction(MnuViewPlay);
    for (QAction *toggle : {MnuViewProblems, MnuViewMap, MnuViewPlay})
        connect(toggle, &QAction::triggered, this, &frmDC::saveDockState);

    connect(MnuEditGoTo, &QAction::triggered, this, &frmDC::MnuEditGoTo_Click);
    connect(MnuEditFind, &QAction::triggered, this, &frmDC::MnuEditFind_Click);
    connect(MnuEditFindNext, &QAction::triggered, this, &frmDC::MnuEditFindNext_Click);
    connect(MnuEditFindPrevious, &QAction::triggered, this, &frmDC::MnuEditFindPrevious_Click);
    connect(TrvAnalysis, &QAbstractItemView::activated, this, &frmDC::TrvAnalysis_DblClick);
}

void frmDC::refreshProblems() {
    if (!playPane || !dockProblems->isVisible())
        return;
    auto *problems = static_cast<ProblemsModel *>(lstProblems->model());
    problems->refresh(Project, Document->prefix(), Document->speaker());
    dockProblems->setWindowTitle(QStringLiteral("Problems (%1)").arg(problems->rowCount()));
}

void frmDC::refreshDocks() {
    if (!playPane)
        return;
    refreshProblems();
    if (dockMap->isVisible())
        mapPane->showPage(Project, CurrentPage());
    refreshPlay();
}

void frmDC::refreshPlay() {
    if (!playPane || !dockPlay->isVisible())
        return;
    // The script goes where it went last; before any export, beside the project file.
    const QString exported = !cdlFile1.isEmpty() ? cdlFile1 : Document->fileName();
    playPane->follow(Project,
                     {Document->prefix(), Document->speaker(),
                      exported.isEmpty() ? QString() : QFileInfo(exported).absolutePath()},
                     CurrentPage());
}

void frmDC::GoToPage(qint16 page, qint16 answer) {
    if (page < 0 || page > Project.UpperBound())
        return;
    CMDSave_Click();
    assign(txtPage, QString::number(page));
    ShowPage(page);
    if (answer > 0 && answer <= Project.Dialog(page).SelectionUBound())
        ShowSelection(answer);
}

void frmDC::TrvAnalysis_DblClick(const QModelIndex &node) {
    const QVariant page = node.data(AnalysisModel::PageRole);
    if (!page.isValid())
        return;
    GoToPage(static_cast<qint16>(page.toInt()),
             static_cast<qint16>(qMax(0, node.data(AnalysisModel::AnswerRole).toInt())));
}

void frmDC::lstProblems_DblClick(const QModelIndex &row) {
    const QVariant page = row.siblingAtColumn(0).data(Qt::UserRole);
    if (page.isValid())
        GoToPage(static_cast<qint16>(page.toInt()),
                 static_cast<qint16>(qMax(0, row.siblingAtColumn(0).data(Qt::UserRole + 1).toInt())));
}

void frmDC::mapView_Click(qint16 page) {
    GoToPage(page);
}

void frmDC::MnuEditGoTo_Click() {
    auto *dialog = new QInputDialog(this);
    dialog->setObjectName(QStringLiteral("dlgGoTo"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(QStringLiteral("Go to Page"));
    dialog->setInputMode(QInputDialog::IntInput);
    dialog->setIntRange(0, Project.UpperBound());
    dialog->setIntValue(CurrentPage());
    dialog->setLabelText(QStringLiteral("Page (0 to %1):").arg(Project.UpperBound()));
    connect(dialog, &QInputDialog::intValueSelected, this,
            [this](int page) { GoToPage(static_cast<qint16>(page)); });
    dialog->open();
}

void frmDC::MnuEditFind_Click() {
    findBar->open();
}

void frmDC::MnuEditFindNext_Click() {
    findFrom(true);
}

void frmDC::MnuEditFindPrevious_Click() {
    findFrom(false);
}

void frmDC::findFrom(bool forward) {
    if (findBar->text().isEmpty()) {
        findBar->open();
        return;
    }
    // Searching again goes on from the last place found while its page is still shown;
    // otherwise it starts at the shown page's speech.
    const qint16 page = CurrentPage();
    const bool goOn = m_findPage == page;
    const TextPlace from = goOn ? TextPlace{page, m_findAnswer} : TextPlace{page, -1};
    TextPlace found;
    if (!findText(Project, findBar->text(), from, forward, &found, !goOn)) {
        findBar->report(QStringLiteral("Not found"));
        return;
    }
    GoToPage(found.page, qMax<qint16>(0, found.answer));
    m_findPage = found.page;
    m_findAnswer = found.answer;
    findBar->report(found.answer < 0
                        ? QStringLiteral("Page %1, speech").arg(found.page)
                        : QStringLiteral("Page %1, answer %2").arg(found.page).arg(found.answer));
    if (found.answer < 0) {
        // Show where in the speech the text stands.
        const int at = txtSpeech->toPlainText().indexOf(findBar->text(), 0, Qt::CaseInsensitive);
        QTextCursor cursor = txtSpeech->textCursor();
        cursor.setPosition(at);
        cursor.setPosition(at + findBar->text().size(), QTextCursor::KeepAnchor);
        txtSpeech->setTextCursor(cursor);
    } else {
        const int at = txtSel->text().indexOf(findBar->text(), 0, Qt::CaseInsensitive);
        txtSel->setSelection(at, findBar->text().size());
    }
}
