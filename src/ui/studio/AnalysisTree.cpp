#include "ui/studio/AnalysisTree.h"

#include "core/dialogs/QuestDialogs.h"
#include "ui/studio/AnalysisModel.h"

namespace {
// The page a page node stands for, or -1 for any other node.
int pageOfNode(const QModelIndex &index) {
    const QVariant page = index.data(AnalysisModel::PageRole);
    return page.isValid() && index.data(AnalysisModel::AnswerRole).toInt() < 0 ? page.toInt() : -1;
}
} // namespace

AnalysisTree::AnalysisTree(QWidget *parent) : QTreeView(parent), m_model(new AnalysisModel(this)) {
    setModel(m_model);
    setHeaderHidden(true);
    setUniformRowHeights(true);
    // Nothing typed into the tree could reach the project.
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(this, &QTreeView::expanded, this, [this](const QModelIndex &index) {
        if (const int page = pageOfNode(index); page >= 0)
            m_openPages.insert(page);
    });
    connect(this, &QTreeView::collapsed, this,
            [this](const QModelIndex &index) { m_openPages.erase(pageOfNode(index)); });
    // Pages renumbered are laid out anew, which keeps the scroll position but forgets what was
    // open.
    connect(m_model, &QAbstractItemModel::modelReset, this, &AnalysisTree::reopen);
}

void AnalysisTree::rebuild(QuestDialogs &project, const QString &prefix) {
    m_model->sync(project, prefix);
}

void AnalysisTree::reopen() {
    // Opened while the new layout is still pending, a page costs nothing until it is laid out.
    const int pages = m_model->rowCount();
    for (const int page : m_openPages)
        if (page < pages)
            expand(m_model->index(page, 0));
}

void AnalysisTree::startOver() {
    m_openPages.clear();
    m_openRemoved.clear();
    scrollToTop();
}

void AnalysisTree::pageInserted(qint16 page) {
    std::set<int> moved;
    for (const int open : m_openPages)
        moved.insert(open >= page ? open + 1 : open);
    if (!m_openRemoved.empty() && m_openRemoved.back() == page) {
        m_openRemoved.pop_back();
        moved.insert(page);
    }
    m_openPages = std::move(moved);
}

void AnalysisTree::pageRemoved(qint16 page) {
    std::set<int> moved;
    for (const int open : m_openPages)
        if (open != page)
            moved.insert(open > page ? open - 1 : open);
    if (moved.size() < m_openPages.size())
        m_openRemoved.push_back(page);
    m_openPages = std::move(moved);
}

void AnalysisTree::showPlace(qint16 page, qint16 answer) {
    QModelIndex node = m_model->index(page, 0);
    if (!node.isValid())
        return;
    if (isExpanded(node) && m_model->index(answer, 0, node).isValid())
        node = m_model->index(answer, 0, node);
    // Made current, the row is selected and scrolled into view when it is out of it.
    if (currentIndex() != node)
        setCurrentIndex(node);
}

void AnalysisTree::dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                               const QList<int> &roles) {
    // Keys are not shown; a new prefix changes nothing on screen.
    if (roles == QList<int>{AnalysisModel::KeyRole})
        return;
    // Answers under a closed page are not on screen, and QTreeView would look for them among
    // all the rows it shows before finding that out. They are read afresh when the page opens.
    const QModelIndex parent = topLeft.parent();
    if (parent.isValid() && !isExpanded(parent))
        return;
    QTreeView::dataChanged(topLeft, bottomRight, roles);
}
