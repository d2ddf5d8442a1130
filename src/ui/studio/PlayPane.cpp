#include "ui/studio/PlayPane.h"

#include "core/dialogs/AnalysisNodes.h"
#include "core/dialogs/ConversationGraph.h"
#include "core/dialogs/Gump.h"
#include "core/dialogs/ProjectCheck.h"
#include "core/dialogs/QuestDialogs.h"
#include "core/dialogs/ScriptExport.h"
#include "core/dialogs/ScriptWriter.h"
#include "ui/studio/PlayView.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QPushButton *button(QWidget *parent, const char *name, const QString &caption) {
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}
} // namespace

PlayPane::PlayPane(QWidget *parent) : QWidget(parent), m_graph(std::make_unique<ConversationGraph>()) {
    setObjectName(QStringLiteral("playPane"));
    cmdPlayBack = button(this, "cmdPlayBack", QStringLiteral("◀ Back"));
    cmdPlayForward = button(this, "cmdPlayForward", QStringLiteral("Forward ▶"));
    cmdPlayHere = button(this, "cmdPlayHere", QStringLiteral("Play from here"));
    cmdPlayHere->setToolTip(QStringLiteral("Play from the page the studio shows"));
    cmdPlayStart = button(this, "cmdPlayStart", QStringLiteral("Play from the start"));
    cmdPlayStart->setToolTip(QStringLiteral("Play from page 0"));
    cmdPlayAgain = button(this, "cmdPlayAgain", QStringLiteral("Play again"));
    lblPlayPage = new QLabel(this);
    lblPlayPage->setObjectName(QStringLiteral("lblPlayPage"));
    playView = new PlayView(this);
    playView->setObjectName(QStringLiteral("playView"));
    playView->setMinimumSize(200, 180);
    lstPlayProblems = new QListWidget(this);
    lstPlayProblems->setObjectName(QStringLiteral("lstPlayProblems"));
    lstPlayProblems->setMaximumHeight(90);
    lstPlayProblems->setWordWrap(true);

    auto *bar = new QHBoxLayout;
    for (QPushButton *b : {cmdPlayBack, cmdPlayForward, cmdPlayHere, cmdPlayStart})
        bar->addWidget(b);
    bar->addStretch();
    auto *under = new QHBoxLayout;
    under->addWidget(lblPlayPage, 1);
    under->addWidget(cmdPlayAgain);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addLayout(bar);
    layout->addWidget(playView, 1);
    layout->addLayout(under);
    layout->addWidget(lstPlayProblems);

    connect(playView, &PlayView::buttonPressed, this, &PlayPane::press);
    connect(cmdPlayBack, &QPushButton::clicked, this, [this] {
        m_play.back();
        draw();
    });
    connect(cmdPlayForward, &QPushButton::clicked, this, [this] {
        m_play.forward();
        draw();
    });
    connect(cmdPlayHere, &QPushButton::clicked, this, [this] { playFrom(std::max<qint16>(0, m_followed)); });
    connect(cmdPlayStart, &QPushButton::clicked, this, [this] { playFrom(0); });
    connect(cmdPlayAgain, &QPushButton::clicked, this, [this] { playFrom(m_play.firstPage()); });
}

PlayPane::~PlayPane() = default;

void PlayPane::follow(QuestDialogs &project, const Source &source, qint16 shownPage) {
    // A keystroke in the studio changes nothing the dock shows: then it costs next to nothing.
    const bool changed = m_graph->sync(project) || &project != m_project || !(source == m_source);
    m_project = &project;
    m_source = source;
    // Pages renumbered (a page removed, another project) end the play: it starts again.
    if (shownPage != m_followed || m_graph->rebuiltFully()) {
        m_followed = shownPage;
        playFrom(shownPage);
    } else if (changed) {
        draw();
    }
}

void PlayPane::playFrom(qint16 page) {
    m_play.start(page);
    draw();
}

void PlayPane::press(int number) {
    if (!m_project || !m_play.started() || m_play.current().page < 0)
        return;
    const qint16 page = m_play.current().page;
    const QString name = dialogName(page);
    m_play.press(Gump::read(ScriptWriter::page(*m_project, m_source.prefix, m_source.speaker, page), name),
                 number, ScriptWriter::joinLines(m_source.prefix), m_project->UpperBound());
    draw();
}

QString PlayPane::dialogName(qint16 page) const {
    return AnalysisNodes::pageKey(ScriptWriter::joinLines(m_source.prefix), page);
}

const SupportValues &PlayPane::supportValues() {
    // Read again when the folder or its support script changed.
    const QFileInfo file(QDir(m_source.exportFolder).filePath(ScriptExport::supportFileName()));
    const QDateTime time = file.exists() ? file.lastModified() : QDateTime();
    if (m_source.exportFolder != m_valuesFolder || time != m_valuesTime) {
        m_values = SupportValues::inFolder(m_source.exportFolder);
        m_valuesFolder = m_source.exportFolder;
        m_valuesTime = time;
    }
    return m_values;
}

void PlayPane::showEnd(const QString &how) {
    playView->showEnd(how);
    m_drawn.clear();
    lstPlayProblems->clear();
    lblPlayPage->setText(QStringLiteral("The conversation ended."));
}

void PlayPane::draw() {
    cmdPlayBack->setEnabled(m_play.canGoBack());
    cmdPlayForward->setEnabled(m_play.canGoForward());
    if (!m_project || !m_play.started())
        return;
    const qint16 page = m_play.current().page;
    cmdPlayAgain->setVisible(page < 0);
    if (page < 0) {
        showEnd(m_play.current().ending);
        return;
    }
    if (page > m_project->UpperBound()) {
        showEnd(QStringLiteral("Page %1 is no longer in the project.").arg(page));
        return;
    }
    const QString name = dialogName(page);
    const QString script = ScriptWriter::page(*m_project, m_source.prefix, m_source.speaker, page);
    const SupportValues &values = supportValues();
    const std::vector<Finding> findings =
        checkPage(*m_project, m_source.prefix, m_source.speaker, page, m_graph->isReached(page));
    QStringList problems;
    for (const Finding &finding : findings)
        problems << (finding.severity == Finding::Error ? QStringLiteral("error: ")
                                                        : QStringLiteral("warning: ")) +
                        (finding.answer < 0 ? QString() : QStringLiteral("answer %1: ").arg(finding.answer)) +
                        finding.message;
    const QString drawn =
        script + values.file() + m_valuesTime.toString(Qt::ISODateWithMs) + problems.join(u'\n');
    // Drawn already: a keystroke, or the page shown again.
    if (drawn == m_drawn)
        return;
    m_drawn = drawn;
    const Gump gump = Gump::read(script, name);
    if (gump.name.isEmpty()) {
        showEnd(
            QStringLiteral("The server finds no dialog %1: the dialog prefix holds a character the server "
                           "cannot use in a section name.")
                .arg(name));
        return;
    }
    playView->showGump(gump, values);
    lblPlayPage->setText(QStringLiteral("Page %1 (dialog %2)").arg(page).arg(name));
    lblPlayPage->setToolTip(
        values.file().isEmpty()
            ? QStringLiteral("Colours and line breaks as Runequill's support script sets them")
            : QStringLiteral("Colours and line breaks from %1").arg(QDir::toNativeSeparators(values.file())));
    lstPlayProblems->clear();
    lstPlayProblems->addItems(problems);
    lstPlayProblems->setVisible(!problems.isEmpty());
}
