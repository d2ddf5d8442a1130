#pragma once

#include <QWidget>
#include <memory>

class ConversationGraph;
class MapView;
class QCheckBox;
class QLabel;
class QPushButton;
class QuestDialogs;

// The map dock's content: the map (MapView) with its "Whole conversation" switch, a "Fit"
// button and a status line that says what is drawn and why the whole conversation is not
// offered for a big project. The window tells it which page is shown; a click on a page box
// comes back as pageClicked, an answer's row dropped on a page or on empty space as
// answerDropped or answerDroppedOnSpace. It follows the project's links itself (ConversationGraph), so a
// keystroke that changes nothing costs it nothing.
class MapPane : public QWidget {
    Q_OBJECT
public:
    explicit MapPane(QWidget *parent = nullptr);
    ~MapPane() override;

    // Draws the map of `project` around page `shown`, again only when something changed.
    void showPage(QuestDialogs &project, qint16 shown);

    MapView *mapView;
    QCheckBox *chkMapWhole;
    QPushButton *cmdMapFit;
    QLabel *lblMapStatus;

signals:
    void pageClicked(qint16 page);
    void answerDropped(qint16 page, qint16 answer, qint16 target);
    void answerDroppedOnSpace(qint16 page, qint16 answer);

private:
    void draw(bool changed);

    std::unique_ptr<ConversationGraph> m_graph;
    QuestDialogs *m_project = nullptr;
    qint16 m_shown = 0;
};
