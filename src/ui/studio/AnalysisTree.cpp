#include "ui/studio/AnalysisTree.h"

#include "core/dialogs/QuestDialogs.h"
#include "ui/studio/AnalysisModel.h"

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
    // Each node closed on its own moves the rows below it; past a few, one new layout of the
    // whole tree is cheaper.
    if (expanded.size() > collapseOneByOneLimit) {
        collapseAll();
        return;
    }
    for (const QPersistentModelIndex &index : expanded)
        if (index.isValid())
            collapse(index);
}

void AnalysisTree::dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                               const QList<int> &roles) {
    // Answers under a closed page are not on screen, and QTreeView would look for them among
    // all the rows it shows before finding that out. They are read afresh when the page opens.
    const QModelIndex parent = topLeft.parent();
    if (parent.isValid() && !isExpanded(parent))
        return;
    QTreeView::dataChanged(topLeft, bottomRight, roles);
}
