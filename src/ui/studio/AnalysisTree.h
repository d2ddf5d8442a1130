#pragma once

#include <QList>
#include <QPersistentModelIndex>
#include <QTreeView>

class AnalysisModel;
class QuestDialogs;

// The tree of the analysis pane. A rebuild brings its model up to the project and leaves every
// node collapsed; it remembers which nodes the user opened, so that closing them again costs
// only those nodes (or one new layout when many are open) and nothing at all when none is.
class AnalysisTree : public QTreeView {
    Q_OBJECT
public:
    explicit AnalysisTree(QWidget *parent = nullptr);

    AnalysisModel *analysisModel() const { return m_model; }

    // Follows what changed in the project since the last rebuild.
    void rebuild(QuestDialogs &project, const QString &prefix);

protected:
    void dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                     const QList<int> &roles = QList<int>()) override;

private:
    static constexpr qsizetype collapseOneByOneLimit = 16;

    AnalysisModel *m_model;
    QList<QPersistentModelIndex> m_expanded;
};
