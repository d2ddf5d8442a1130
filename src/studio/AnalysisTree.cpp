#include "studio/AnalysisTree.h"

#include "dialogs/QuestDialogs.h"
#include "studio/AnalysisModel.h"

#include <utility>

AnalysisTree::AnalysisTree(QWidget *parent) : QTreeView(parent), m_model(new AnalysisModel(this)) {
    setModel(m_model);
    setHeaderHidden(true);
    setUniformRowHeights(true);
    // Nothing typed into the tree could reach the project.
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(this, &QTreeView::expanded, this, [this](const QModelIndex &index) { m_expanded.append(index); });
    connect(this, &QTreeView::collapsed, this,
            [this](const QModelIndex &index) { m_expanded.removeAll(QPersistentModelIndex(index)); });
}

void AnalysisTree::rebuild(QuestDialogs &project, const QString &prefix) {
    m_model->sync(project, prefix);
    const QList<QPersistentModelIndex> expanded = std::exchange(m_expanded, {});
    for (const QPersistentModelIndex &index : expanded)
        if (index.isValid())
            collapse(index);
}
