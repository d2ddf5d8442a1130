#pragma once

#include "core/dialogs/ClientText.h"
#include "core/dialogs/Playthrough.h"

#include <QDateTime>
#include <QWidget>
#include <memory>

class ConversationGraph;
class PlayView;
class QLabel;
class QListWidget;
class QPushButton;
class QuestDialogs;

// The Play dock's content: the conversation played as the player sees it on the server. Each
// page is drawn from the sections the export writes for it (ScriptWriter::page read back as a
// Gump), with the support script's variables filled in; a button does what the page's BUTTON
// section says. Back and forward go through the pages played; "Play from here" starts at the
// window's shown page, "Play from the start" at page 0, "Play again" where the play started.
// The problems the check finds on the page are listed under it. Playing reads the project and
// never changes it.
class PlayPane : public QWidget {
    Q_OBJECT
public:
    // How the project is exported: its dialog prefix and speaker, and the folder its script
    // goes to (its support script's values are used when that folder holds one).
    struct Source {
        QString prefix;
        QString speaker;
        QString exportFolder;
        bool operator==(const Source &) const = default;
    };

    explicit PlayPane(QWidget *parent = nullptr);
    ~PlayPane() override;

    // Follows the window: the project as it stands, how it is exported and the page the window
    // shows. Another page than the one last followed is played from, and so is the shown page
    // when the pages were renumbered or replaced; otherwise the page being played is drawn again
    // when anything it shows changed.
    void follow(QuestDialogs &project, const Source &source, qint16 shownPage);

    PlayView *playView;
    QPushButton *cmdPlayBack;
    QPushButton *cmdPlayForward;
    QPushButton *cmdPlayHere;
    QPushButton *cmdPlayStart;
    QPushButton *cmdPlayAgain;
    QLabel *lblPlayPage;
    QListWidget *lstPlayProblems;

    const Playthrough &playthrough() const { return m_play; }

private:
    void playFrom(qint16 page);
    void press(int number);
    void draw();
    void showEnd(const QString &how);
    const SupportValues &supportValues();
    QString dialogName(qint16 page) const;

    Playthrough m_play;
    std::unique_ptr<ConversationGraph> m_graph;
    QuestDialogs *m_project = nullptr;
    Source m_source;
    qint16 m_followed = -1;
    QString m_drawn; // what the page last drawn was drawn from
    SupportValues m_values;
    QString m_valuesFolder;
    QDateTime m_valuesTime;
};
