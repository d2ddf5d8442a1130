#include "ui/shell/frmMain.h"

#include "ui/widgets/Navigator.h"
#include "ui/widgets/RichTextBox.h"
#include "ui/widgets/Twips.h"

#include <QMenuBar>

frmMain::frmMain(Navigator &navigator, QWidget *parent) : QMainWindow(parent), m_navigator(navigator) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Runequill by Halden"));

    mnuFile = menuBar()->addMenu(QStringLiteral("File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuNew = mnuFile->addMenu(QStringLiteral("New"));
    mnuNew->setObjectName(QStringLiteral("mnuNew"));
    mnuNI = mnuNew->addAction(QStringLiteral("New Item"));
    mnuNI->setObjectName(QStringLiteral("mnuNI"));
    mnuNC = mnuNew->addAction(QStringLiteral("New Char"));
    mnuNC->setObjectName(QStringLiteral("mnuNC"));
    l = mnuFile->addSeparator();
    l->setObjectName(QStringLiteral("l"));
    mnuDS = mnuFile->addAction(QStringLiteral("Dialog Studio (55i)"));
    mnuDS->setObjectName(QStringLiteral("mnuDS"));
    l1 = mnuFile->addSeparator();
    l1->setObjectName(QStringLiteral("l1"));
    mnuExit = mnuFile->addAction(QStringLiteral("Exit"));
    mnuExit->setObjectName(QStringLiteral("mnuExit"));

    connect(mnuNI, &QAction::triggered, this, &frmMain::mnuNI_Click);
    connect(mnuNC, &QAction::triggered, this, &frmMain::mnuNC_Click);
    connect(mnuDS, &QAction::triggered, this, &frmMain::mnuDS_Click);
    connect(mnuExit, &QAction::triggered, this, &frmMain::mnuExit_Click);

    txtMain = new RichTextBox(this);
    txtMain->setObjectName(QStringLiteral("txtMain"));
    txtMain->setReadOnly(true); // nothing reads it back; it only greets
    txtMain->setBoxFont(QStringLiteral("Arial"), 8.25);
    // Indent the tab-led entries by a few characters rather than by the default 80 pixels.
    txtMain->setTabStopDistance(txtMain->fontMetrics().horizontalAdvance(QLatin1Char(' ')) * 6);
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    txtMain->setParent(client);
    setCentralWidget(client);
    // A fixed layout: the window keeps its size and the box fills it with a small margin.
    const QSize clientSize = Twips::size(8400, 3000);
    txtMain->setGeometry(QRect(QPoint(0, 0), clientSize).adjusted(4, 4, -4, -4));
    client->setFixedSize(clientSize);
    setFixedSize(clientSize.width(), clientSize.height() + menuBar()->sizeHint().height());

    Form_Load();
}

void frmMain::Form_Load() {
    static const char *const pieces[] = {
        "Hello there, and welcome to Runequill by Halden\r\n\r\n",
        "This version(1.0) contains:\r\n",
        "\t1. Parley Works | This was created by tobble and converted by me to work with version 55i.\r\n",
        "\t2. RNQ Script Item Creator | An easier way to create items.\r\n",
        "\t3. RNZ Script NPC Creator | An easier way to create NPCS\r\n\r\n",
    };
    for (const char *piece : pieces)
        txtMain->insertAtCaret(QString::fromLatin1(piece));
}

void frmMain::mnuNI_Click() {
    m_navigator.openItemCreator();
    close();
}

void frmMain::mnuNC_Click() {
    m_navigator.openCharCreator();
    close();
}

void frmMain::mnuDS_Click() {
    m_navigator.openDialogStudio();
    close();
}

void frmMain::mnuExit_Click() {
    m_navigator.unloadItemCreator();
    close();
}
