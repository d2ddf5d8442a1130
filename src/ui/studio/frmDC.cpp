#include "ui/studio/frmDC.h"

#include "core/dialogs/LinkTarget.h"
#include "core/dialogs/QuestDialogs.h"
#include "ui/studio/AnalysisTree.h"
#include "ui/studio/EmoteHighlighter.h"
#include "ui/studio/StudioDocument.h"
#include "ui/studio/StudioLayout.h"
#include "ui/widgets/ExactText.h"
#include "ui/widgets/Navigator.h"
#include "ui/widgets/Twips.h"
#include "ui/widgets/UpDown.h"
#include "ui/widgets/UserPrompts.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDockWidget>
#include <QEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTextBlock>
#include <QTextCursor>
#include <QUndoStack>
#include <QValidator>
#include <limits>
#include <type_traits>

namespace {
template <class Control> Control *make(QWidget *parent, const char *name, const QString &caption = {}) {
    auto *control = new Control(parent);
    control->setObjectName(QString::fromLatin1(name));
    if constexpr (std::is_same_v<Control, QGroupBox>)
        control->setTitle(caption);
    else if constexpr (requires { control->setText(caption); })
        control->setText(caption);
    return control;
}

void place(QWidget *control, int left, int top, int width, int height) {
    control->setGeometry(Twips::rect(left, top, width, height));
}

// A link names a page by its number written plainly, 0 to 32766; nothing else can be typed or
// pasted. The box may be empty while it is being typed into.
class PageNumberValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override {
        if (input.isEmpty())
            return Intermediate;
        const int page = plainPageNumber(QStringView(input));
        return page >= 0 && page < QuestDialogs::MaxPages ? Acceptable : Invalid;
    }
};

// Focus leaving for a popup menu or another window is not a move within this window.
bool leavesWithinWindow(QEvent *event) {
    if (event->type() != QEvent::FocusOut)
        return false;
    const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
    return reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason;
}
} // namespace

frmDC::frmDC(QuestDialogs &project, UserPrompts &prompts, Navigator &navigator, QWidget *parent)
    : QMainWindow(parent), Project(project), m_prompts(prompts), m_navigator(navigator) {
    setObjectName(QStringLiteral("frmDC"));
    Document = new StudioDocument(Project, this);
    History = Document->undoStack();
    createControls();
    createMenu();
    placeControls();
    connectHandlers();
    createDocks();
    createNavigation();
    Form_Load();
}

frmDC::~frmDC() {
    // The history empties itself as it goes, and the docks are hidden as the window goes: both
    // would tell a window that is gone.
    disconnect(Document, nullptr, this, nullptr);
    disconnect(History, nullptr, this, nullptr);
    disconnect(dockProblems, nullptr, this, nullptr);
    disconnect(dockMap, nullptr, this, nullptr);
    disconnect(dockPlay, nullptr, this, nullptr);
}

void frmDC::createControls() {
    // The layout is laid out in twips for a small dialog font; a larger one would not fit.
    QFont small = font();
    small.setPixelSize(11);
    setFont(small);

    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);
    // Frame captions sit on the frame's top line, as the heights in twips expect.
    client->setStyleSheet(
        QStringLiteral("QWidget { font-size: 11px; }"
                       "QGroupBox { border: 1px solid palette(mid); border-radius: 3px; margin-top: 6px; }"
                       "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left; left: "
                       "6px; padding: 0 2px; }"));

    Frame4 = make<QGroupBox>(client, "Frame4", QStringLiteral("Speech line"));
    txtSpeech = make<QPlainTextEdit>(Frame4, "txtSpeech");
    Label3 = make<QLabel>(Frame4, "Label3", QStringLiteral("NPC Speech"));
    Label8 = make<QLabel>(Frame4, "Label8",
                          QStringLiteral("Emote Start: *[, Emote End: */]. Emote Text are colored in red"));
    new EmoteHighlighter(txtSpeech->document());

    PicAnalysis = make<QWidget>(client, "PicAnalysis");
    TrvAnalysis = make<AnalysisTree>(PicAnalysis, "TrvAnalysis");
    Label9 = make<QLabel>(PicAnalysis, "Label9", QStringLiteral(" Dialog: "));
    Label10 = make<QLabel>(PicAnalysis, "Label10", QStringLiteral(" Speaker: "));
    Label7 = make<QLabel>(PicAnalysis, "Label7", QStringLiteral(" Analysis Window"));
    QFont bold = Label7->font();
    bold.setBold(true);
    Label7->setFont(bold);

    Frame3 = make<QGroupBox>(client, "Frame3", QStringLiteral("Dialog Pages"));
    CMDRemovePage = make<QPushButton>(Frame3, "CMDRemovePage", QStringLiteral("Remove "));
    CmdAddPage = make<QPushButton>(Frame3, "CmdAddPage", QStringLiteral("Add New"));
    txtPage = make<QLineEdit>(Frame3, "txtPage");
    UPDPage = make<UpDown>(Frame3, "UPDPage");
    Label2 = make<QLabel>(Frame3, "Label2", QStringLiteral("Select Page:"));
    LblOutOf = make<QLabel>(Frame3, "LblOutOf", QStringLiteral("Out Of"));

    Frame2 = make<QGroupBox>(client, "Frame2", QStringLiteral("Page Settings"));
    CMDSave = make<QPushButton>(Frame2, "CMDSave", QStringLiteral("Apply"));
    ChkENDDIalog = make<QCheckBox>(Frame2, "ChkENDDIalog", QStringLiteral("Selection Ends Current Dialog"));
    txtPageID = make<QLineEdit>(Frame2, "txtPageID");
    ChkGoPage = make<QCheckBox>(Frame2, "ChkGoPage", QStringLiteral("Selection is Linked to another page"));
    txtSel = make<QLineEdit>(Frame2, "txtSel");
    CmdRemoveSel = make<QPushButton>(Frame2, "CmdRemoveSel", QStringLiteral("Remove"));
    CmdADDSel = make<QPushButton>(Frame2, "CmdADDSel", QStringLiteral("Add New"));
    UPDSelID = make<UpDown>(Frame2, "UPDSelID");
    txtSelID = make<QLineEdit>(Frame2, "txtSelID");
    Label5 = make<QLabel>(Frame2, "Label5", QStringLiteral("Page ID"));
    Label4 = make<QLabel>(Frame2, "Label4", QStringLiteral("Selection Text"));
    LBLSelOutof = make<QLabel>(Frame2, "LBLSelOutof", QStringLiteral("Out Of"));
    lblSel = make<QLabel>(Frame2, "lblSel", QStringLiteral("Player Selections"));

    Frame1 = make<QGroupBox>(client, "Frame1", QStringLiteral("Universal Settings"));
    DialogName = make<QLineEdit>(Frame1, "DialogName", StudioDocument::defaultPrefix());
    txtSpeaker = make<QLineEdit>(Frame1, "txtSpeaker");
    Label6 = make<QLabel>(Frame1, "Label6", QStringLiteral("Dialog Prefix"));
    Label1 = make<QLabel>(Frame1, "Label1", QStringLiteral("Speaker Name"));

    // A line box cuts its text at 32767 characters unless told otherwise; a longer text read from
    // a project file must reach the project whole again when it is applied or saved.
    for (QLineEdit *box : {txtPageID, txtSel, DialogName, txtSpeaker})
        box->setMaxLength(std::numeric_limits<int>::max());

    // Only the window and the spinners write the page and answer numbers, so they always name
    // a page and an answer that exist.
    txtPage->setReadOnly(true);
    txtPageID->setValidator(new PageNumberValidator(txtPageID));
    txtSelID->setReadOnly(true);
    UPDPage->setBuddy(txtPage);
    UPDSelID->setBuddy(txtSelID);

    setTabOrder(DialogName, txtSpeaker);
    setTabOrder(txtSpeaker, txtPage);
    setTabOrder(txtPage, CmdAddPage);
    setTabOrder(CmdAddPage, CMDRemovePage);
    setTabOrder(CMDRemovePage, txtSpeech);
    setTabOrder(txtSpeech, txtSelID);
    setTabOrder(txtSelID, CmdADDSel);
    setTabOrder(CmdADDSel, CmdRemoveSel);
    setTabOrder(CmdRemoveSel, txtSel);
    setTabOrder(txtSel, ChkGoPage);
    setTabOrder(ChkGoPage, txtPageID);
    setTabOrder(txtPageID, ChkENDDIalog);
    setTabOrder(ChkENDDIalog, CMDSave);
    setTabOrder(CMDSave, TrvAnalysis);
    // The speech is what a new page asks for first.
    txtSpeech->setFocus();
}

void frmDC::createMenu() {
    MnuProj = menuBar()->addMenu(QStringLiteral("Project"));
    MnuProj->setObjectName(QStringLiteral("MnuProj"));
    const auto item = [this](const char *name, const QString &caption) {
        QAction *action = caption.isEmpty() ? MnuProj->addSeparator() : MnuProj->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    MnuProjNew = item("MnuProjNew", QStringLiteral("New"));
    HF1 = item("HF1", {});
    MnuProjOpen = item("MnuProjOpen", QStringLiteral("Open..."));
    MnuProjRecent = MnuProj->addMenu(QStringLiteral("Recent"));
    MnuProjRecent->setObjectName(QStringLiteral("MnuProjRecent"));
    MnuProjRecent->menuAction()->setObjectName(QStringLiteral("MnuProjRecent"));
    connect(MnuProjRecent, &QMenu::aboutToShow, this, &frmDC::fillRecentMenu);
    fillRecentMenu();
    MnuProjSave = item("MnuProjSave", QStringLiteral("Save"));
    MnuProjSaveAs = item("MnuProjSaveAs", QStringLiteral("Save As..."));
    HF2 = item("HF2", {});
    MnuProjExport = item("MnuProjExport", QStringLiteral("Export..."));
    HF3 = item("HF3", {});
    MnuProjEnd = item("MnuProjEnd", QStringLiteral("Return"));

    MnuEdit = menuBar()->addMenu(QStringLiteral("Edit"));
    MnuEdit->setObjectName(QStringLiteral("MnuEdit"));
    // Each shows the page of the change it takes back or makes again. A focused text box takes
    // the same keys first, for its own typing.
    MnuEditUndo = History->createUndoAction(MnuEdit, QStringLiteral("Undo"));
    MnuEditUndo->setObjectName(QStringLiteral("MnuEditUndo"));
    MnuEditUndo->setShortcut(QKeySequence(QStringLiteral("Ctrl+Z")));
    MnuEditRedo = History->createRedoAction(MnuEdit, QStringLiteral("Redo"));
    MnuEditRedo->setObjectName(QStringLiteral("MnuEditRedo"));
    MnuEditRedo->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+Z")));
    MnuEdit->addAction(MnuEditUndo);
    MnuEdit->addAction(MnuEditRedo);

    MnuAnalysis = menuBar()->addAction(QStringLiteral("Analysis"));
    MnuAnalysis->setObjectName(QStringLiteral("MnuAnalysis"));
}

void frmDC::placeControls() {
    // Positions inside a frame count from the frame's top left corner, caption included.
    place(Frame1, 120, 120, 6375, 615);
    place(Label6, 120, 270, 1020, 255);
    place(DialogName, 1260, 240, 2415, 285);
    place(Label1, 3750, 270, 1215, 255);
    place(txtSpeaker, 5025, 240, 1230, 285);

    place(Frame3, 120, 840, 6375, 615);
    place(Label2, 120, 270, 960, 255);
    place(txtPage, 1140, 240, 660, 285);
    place(UPDPage, 1800, 240, 255, 285);
    place(LblOutOf, 2175, 270, 1500, 255);
    place(CmdAddPage, 3780, 225, 1215, 315);
    place(CMDRemovePage, 5040, 225, 1215, 315);

    place(Frame4, 120, 1560, 6375, 2175);
    place(Label3, 120, 225, 1080, 255);
    place(Label8, 1200, 225, 5055, 255);
    place(txtSpeech, 120, 480, 6135, 1575);

    place(Frame2, 120, 3840, 6375, 1935);
    place(lblSel, 120, 270, 1425, 255);
    place(txtSelID, 1605, 240, 660, 285);
    place(UPDSelID, 2265, 240, 255, 285);
    place(LBLSelOutof, 2640, 270, 1125, 255);
    place(CmdADDSel, 3780, 225, 1215, 315);
    place(CmdRemoveSel, 5040, 225, 1215, 315);
    place(Label4, 120, 690, 1425, 255);
    place(txtSel, 1545, 660, 4710, 285);
    place(ChkGoPage, 120, 1080, 3330, 285);
    place(Label5, 3510, 1110, 630, 255);
    place(txtPageID, 4200, 1080, 2055, 285);
    place(ChkENDDIalog, 120, 1500, 3330, 285);
    place(CMDSave, 5040, 1485, 1215, 315);

    place(PicAnalysis, 6555, 0, 3495, 5805);
    place(Label7, 0, 0, 3495, 255);
    place(Label9, 0, 240, 3495, 255);
    place(Label10, 0, 480, 3495, 255);
    place(TrvAnalysis, 0, 720, 3495, 5805 - 720);

    // The window opens with the client area the size rule asks for.
    const QSize client = Twips::size(StudioLayout::openClientWidth, StudioLayout::openClientHeight);
    centralWidget()->resize(client);
    resize(client.width(), client.height() + menuBar()->sizeHint().height());
    placeStretching(StudioLayout::openClientWidth, StudioLayout::openClientHeight);
    PicAnalysis_Resize();
}

void frmDC::connectHandlers() {
    connect(MnuProjNew, &QAction::triggered, this, &frmDC::MnuProjNew_Click);
    connect(MnuProjOpen, &QAction::triggered, this, &frmDC::MnuProjOpen_Click);
    connect(MnuProjSave, &QAction::triggered, this, &frmDC::MnuProjSave_Click);
    connect(MnuProjSaveAs, &QAction::triggered, this, &frmDC::MnuProjSaveAs_Click);
    connect(MnuProjExport, &QAction::triggered, this, &frmDC::MnuProjExport_Click);
    connect(MnuProjEnd, &QAction::triggered, this, &frmDC::MnuProjEnd_Click);
    connect(MnuAnalysis, &QAction::triggered, this, &frmDC::MnuAnalysis_Click);

    connect(CmdAddPage, &QPushButton::clicked, this, &frmDC::CmdAddPage_Click);
    connect(CMDRemovePage, &QPushButton::clicked, this, &frmDC::CMDRemovePage_Click);
    connect(CMDSave, &QPushButton::clicked, this, &frmDC::CMDSave_Click);
    connect(CmdADDSel, &QPushButton::clicked, this, &frmDC::CmdADDSel_Click);
    connect(CmdRemoveSel, &QPushButton::clicked, this, &frmDC::CmdRemoveSel_Click);
    // The arrows store the edits on screen before they show another page or answer.
    for (UpDown *arrows : {UPDPage, UPDSelID})
        connect(arrows, &UpDown::aboutToStep, this, [this] {
            StoreSelection();
            MnuAnalysis_Click();
        });
    connect(UPDPage, &UpDown::valueChanged, this, &frmDC::UPDPage_Change);
    connect(UPDSelID, &UpDown::valueChanged, this, &frmDC::UPDSelID_Change);

    connect(DialogName, &QLineEdit::textChanged, this, &frmDC::DialogName_Change);
    connect(txtSpeaker, &QLineEdit::textChanged, this, &frmDC::txtSpeaker_Change);
    connect(txtSpeech, &QPlainTextEdit::textChanged, this, &frmDC::txtSpeech_Change);
    connect(txtPageID, &QLineEdit::textChanged, this, &frmDC::txtPageID_Change);

    // A page inserted or removed moves the pages the tree has open before it follows.
    connect(Document, &StudioDocument::pageInserted, TrvAnalysis, &AnalysisTree::pageInserted);
    connect(Document, &StudioDocument::pageRemoved, TrvAnalysis, &AnalysisTree::pageRemoved);
    for (auto changed :
         {&StudioDocument::pageChanged, &StudioDocument::pageInserted, &StudioDocument::pageRemoved})
        connect(Document, changed, this, &frmDC::followProject);
    connect(Document, &StudioDocument::changeRevisited, this, &frmDC::showChange);
    connect(Document, &StudioDocument::projectReplaced, this, &frmDC::showProject);
    connect(Document, &StudioDocument::prefixChanged, this, &frmDC::showPrefix);
    connect(Document, &StudioDocument::speakerChanged, this, &frmDC::showSpeaker);
    connect(Document, &StudioDocument::fileNameChanged, this, &frmDC::updateTitle);
    connect(Document, &StudioDocument::modifiedChanged, this, &QWidget::setWindowModified);
    connect(txtPage, &QLineEdit::textChanged, this, &frmDC::showPlaceInTree);
    connect(txtSelID, &QLineEdit::textChanged, this, &frmDC::showPlaceInTree);

    for (QObject *watched : {static_cast<QObject *>(txtSpeech), static_cast<QObject *>(txtSel),
                             static_cast<QObject *>(txtPageID), static_cast<QObject *>(PicAnalysis)})
        watched->installEventFilter(this);
}

bool frmDC::eventFilter(QObject *watched, QEvent *event) {
    // Enter and leaving a box run their handlers first; the box still gets the event.
    if (event->type() == QEvent::KeyPress) {
        const auto *keyEvent = static_cast<QKeyEvent *>(event);
        const int key = keyEvent->key();
        if (watched == txtSpeech) {
            txtSpeech_KeyDown(key);
            // Shift+Enter would put a line separator of the box's own into the speech; it is a
            // line break like Enter.
            if ((key == Qt::Key_Return || key == Qt::Key_Enter) &&
                keyEvent->modifiers() & Qt::ShiftModifier) {
                QTextCursor cursor = txtSpeech->textCursor();
                cursor.insertBlock();
                txtSpeech->setTextCursor(cursor);
                return true;
            }
        }
        if (watched == txtSel)
            txtSel_KeyDown(key);
        else if (watched == txtPageID)
            txtPageID_KeyDown(key);
    } else if (leavesWithinWindow(event)) {
        if (watched == txtSpeech)
            txtSpeech_LostFocus();
        else if (watched == txtPageID)
            txtPageID_LostFocus();
    } else if (event->type() == QEvent::Resize && watched == PicAnalysis) {
        PicAnalysis_Resize();
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmDC::closeEvent(QCloseEvent *event) {
    // The close box asks what "Return" asks first; then, with no other window left, the
    // program ends.
    if (!m_leaving && !mayDiscardProject()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void frmDC::resizeEvent(QResizeEvent *event) {
    // The main window's layout has placed the menu bar and the client area by now.
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

void frmDC::Form_Load() {
    // The document shows its new project: page 0, the prefix and the speaker with their labels.
    Document->start();
}

QSize frmDC::clientTwips() const {
    const QSize pixels = centralWidget()->size();
    return QSize(Twips::fromPixels(pixels.width()), Twips::fromPixels(pixels.height()));
}

void frmDC::Form_Resize() {
    if (m_resizing || isMinimized())
        return;
    QSize client = clientTwips();
    if (!StudioLayout::clientFits(client.width(), client.height())) {
        if (client.width() <= 0 || client.height() <= 0)
            return;
        // Each change of size raises a resize of its own; the outcome is judged here, once.
        const QScopedValueRollback guard(m_resizing, true);
        resize(width(), Twips::toPixels(StudioLayout::snapOuterHeight));
        resize(Twips::toPixels(StudioLayout::snapOuterWidth), height());
        client = clientTwips();
        if (!StudioLayout::clientFits(client.width(), client.height())) {
            // A menu bar taller than usual leaves the client area short of the rule even at
            // the snap size: grow the window by just what is missing.
            const int wantWidth = StudioLayout::minClientWidth / Twips::perPixel + 1;
            const int wantHeight = (StudioLayout::minClientHeight + Twips::perPixel - 1) / Twips::perPixel;
            const QSize pixels = centralWidget()->size();
            resize(width() + qMax(0, wantWidth - pixels.width()),
                   height() + qMax(0, wantHeight - pixels.height()));
            client = clientTwips();
        }
    }
    placeStretching(client.width(), client.height());
}

void frmDC::placeStretching(int clientWidth, int clientHeight) {
    // The analysis pane also spans the full height, so that the tree never ends short of it.
    PicAnalysis->setGeometry(Twips::rect(6555, 0, clientWidth - 6615, clientHeight));
    Frame4->resize(Frame4->width(), Twips::toPixels(clientHeight - 3780));
    txtSpeech->resize(txtSpeech->width(), Twips::toPixels(clientHeight - 4380));
    Frame2->move(Frame2->x(), Twips::toPixels(clientHeight - 1995));
}

void frmDC::PicAnalysis_Resize() {
    const int innerWidth = Twips::fromPixels(PicAnalysis->width());
    const int innerHeight = Twips::fromPixels(PicAnalysis->height());
    if (innerHeight <= 255)
        return;
    Label7->resize(Twips::toPixels(innerWidth), Label7->height());
    // The tree starts below the three labels and ends at the pane's lower edge.
    TrvAnalysis->resize(Twips::toPixels(innerWidth), Twips::toPixels(qMax(0, innerHeight - 720)));
}

void frmDC::assign(QLineEdit *box, const QString &text) {
    if (box->text() == text)
        emit box->textChanged(text);
    else
        box->setText(text);
}

void frmDC::assign(QPlainTextEdit *box, const QString &text) {
    if (ExactText::get(box) == text)
        emit box->textChanged();
    else
        ExactText::set(box, text);
}
