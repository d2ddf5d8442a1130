#pragma once

#include <QTreeView>
#include <set>
#include <vector>

class AnalysisModel;
class QuestDialogs;

// The tree of the analysis pane. It follows the project without losing its place: the pages
// the user opened stay open and the scroll position stays where it was, also over the new
// layout that renumbered pages need; and the page and answer shown in the window are its
// current, selected row.
class AnalysisTree : public QTreeView {
    Q_OBJECT
public:
    explicit AnalysisTree(QWidget *parent = nullptr);

    AnalysisModel *analysisModel() const { return m_model; }

    // Follows what changed in the project since the last rebuild.
    void rebuild(QuestDialogs &project, const QString &prefix);

    // The page shown: its answer's row when the page is open, else the page's own row.
    void showPlace(qint16 page, qint16 answer);
    // A new project: nothing open, the first rows shown.
    void startOver();

public slots:
    // A page was put in or taken out: the open pages after it move with it.
    void pageInserted(qint16 page);
    void pageRemoved(qint16 page);

protected:
    void dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                     const QList<int> &roles = QList<int>()) override;

private:
    void reopen();

    AnalysisModel *m_model;
    std::set<int> m_openPages;
    // Open pages taken out, the last one last: an undo puts them back open.
    std::vector<int> m_openRemoved;
};
