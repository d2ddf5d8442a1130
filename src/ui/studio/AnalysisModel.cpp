#include "ui/studio/AnalysisModel.h"

#include "core/dialogs/AnalysisNodes.h"
#include "core/dialogs/QuestDialogs.h"

#include <algorithm>

namespace {
// What an answer's node shows: the end flag is not part of it.
bool sameNode(const Selection &a, const Selection &b) {
    return a.isLinked() == b.isLinked() && a.text() == b.text() && a.LinkPage() == b.LinkPage();
}
} // namespace

AnalysisModel::AnalysisModel(QObject *parent) : QAbstractItemModel(parent) {}

AnalysisModel::~AnalysisModel() {
    observe(nullptr);
}

void AnalysisModel::observe(QuestDialogs *project) {
    follow(m_project, project);
}

void AnalysisModel::pageAboutToChange(qint16 index, const Dialog &page) {
    // Pages appended since the last sync are not shown yet; a page kept already stays as it was.
    if (!m_current || index < 0 || index >= int(m_answerCounts.size()) || m_kept.count(index))
        return;
    m_kept.emplace(index, page.clone());
}

void AnalysisModel::pagesAboutToReset() {
    // The handler that resets the pages syncs before anything is drawn again; until then the
    // tree keeps its shape and shows no texts.
    m_current = false;
    m_kept.clear();
}

void AnalysisModel::projectDestroyed(const QuestDialogs &project) {
    if (&project != m_project)
        return;
    m_project = nullptr;
    pagesAboutToReset();
}

void AnalysisModel::sync(QuestDialogs &project, const QString &prefix) {
    // Added nodes, another project, and pages reset or renumbered cannot be patched: start over.
    if (!m_synced || !m_current || &project != m_project || !m_extras.empty() ||
        project.Count() < int(m_answerCounts.size())) {
        resetFrom(project, prefix);
        return;
    }
    // A new prefix changes every key and no text: the page nodes tell of it, their answers' keys
    // are read afresh like theirs.
    if (prefix != m_prefix) {
        m_prefix = prefix;
        if (!m_answerCounts.empty())
            emit dataChanged(index(0, 0), index(int(m_answerCounts.size()) - 1, 0), {KeyRole});
    }
    // Each kept page is let go before its rows change, so that the tree reads the page from
    // the project from then on.
    while (!m_kept.empty()) {
        auto kept = m_kept.extract(m_kept.begin());
        updatePage(kept.key(), *kept.mapped(), project.Dialog(qint16(kept.key())));
    }
    const int known = int(m_answerCounts.size());
    if (project.Count() > known) {
        beginInsertRows(QModelIndex(), known, project.Count() - 1);
        for (qint16 page = qint16(known); page < project.Count(); ++page)
            m_answerCounts.push_back(quint8(project.Dialog(page).SelectionCount()));
        endInsertRows();
    }
}

void AnalysisModel::resetFrom(QuestDialogs &project, const QString &prefix) {
    beginResetModel();
    observe(&project);
    m_synced = true;
    m_current = true;
    m_prefix = prefix;
    m_extras.clear();
    m_extraChildren.clear();
    m_extraKeys.clear();
    m_kept.clear();
    m_answerCounts.resize(size_t(project.Count()));
    for (qint16 page = 0; page < project.Count(); ++page)
        m_answerCounts[size_t(page)] = quint8(project.Dialog(page).SelectionCount());
    m_answerCounts.shrink_to_fit();
    endResetModel();
}

void AnalysisModel::updatePage(int page, const Dialog &was, const Dialog &now) {
    const QModelIndex pageIndex = index(page, 0);
    const int oldCount = m_answerCounts[size_t(page)];
    const int newCount = now.SelectionCount();
    if (newCount > oldCount) {
        beginInsertRows(pageIndex, oldCount, newCount - 1);
        m_answerCounts[size_t(page)] = quint8(newCount);
        endInsertRows();
    } else if (newCount < oldCount) {
        beginRemoveRows(pageIndex, newCount, oldCount - 1);
        m_answerCounts[size_t(page)] = quint8(newCount);
        endRemoveRows();
    }

    if (was.text() != now.text())
        emit dataChanged(pageIndex, pageIndex, {Qt::DisplayRole});
    int firstChanged = -1;
    int lastChanged = -1;
    for (qint16 slot = 0; slot < std::min(oldCount, newCount); ++slot) {
        if (sameNode(was.Selection(slot), now.Selection(slot)))
            continue;
        if (firstChanged < 0)
            firstChanged = slot;
        lastChanged = slot;
    }
    if (firstChanged >= 0)
        emit dataChanged(index(firstChanged, 0, pageIndex), index(lastChanged, 0, pageIndex),
                         {Qt::DisplayRole});
}

const Dialog *AnalysisModel::shownPage(int page) const {
    if (const auto it = m_kept.find(page); it != m_kept.end())
        return it->second.get();
    if (!m_current || !m_project || page >= m_project->Count())
        return nullptr;
    return &std::as_const(*m_project).Dialog(qint16(page));
}

bool AnalysisModel::addRootNode(const QString &text, const QString &key) {
    return addExtra(0, text, key);
}

bool AnalysisModel::addNode(const QString &parentKey, const QString &text, const QString &key) {
    const quintptr parent = findKey(parentKey);
    return parent != 0 && addExtra(parent, text, key);
}

bool AnalysisModel::addExtra(quintptr parent, const QString &text, const QString &key) {
    if (findKey(key) != 0)
        return false;
    const int row = childCount(parent);
    beginInsertRows(indexOfNode(parent), row, row);
    const quintptr id = extraTag | quintptr(m_extras.size());
    m_extras.push_back({text, key, parent, row});
    m_extraChildren[parent].push_back(id);
    m_extraKeys.insert(key, id);
    endInsertRows();
    return true;
}

QModelIndex AnalysisModel::indexOfKey(const QString &key) const {
    const quintptr id = findKey(key);
    return id ? indexOfNode(id) : QModelIndex();
}

quintptr AnalysisModel::findKey(const QString &key) const {
    if (const auto it = m_extraKeys.constFind(key); it != m_extraKeys.cend())
        return *it;
    const std::optional<AnalysisNodes::KeyPlace> place = AnalysisNodes::placeOfKey(m_prefix, key);
    if (!place || place->page >= int(m_answerCounts.size()))
        return 0;
    if (place->answer < 0)
        return pageId(place->page);
    if (place->answer >= int(m_answerCounts[size_t(place->page)]))
        return 0;
    return answerId(place->page, place->answer);
}

int AnalysisModel::nativeChildCount(quintptr id) const {
    if (id == 0)
        return int(m_answerCounts.size());
    if (isPage(id))
        return m_answerCounts[size_t(pageOf(id))];
    return 0;
}

int AnalysisModel::childCount(quintptr id) const {
    const auto it = m_extraChildren.constFind(id);
    return nativeChildCount(id) + (it == m_extraChildren.cend() ? 0 : int(it->size()));
}

quintptr AnalysisModel::childId(quintptr parent, int row) const {
    const int native = nativeChildCount(parent);
    if (row < native)
        return parent == 0 ? pageId(row) : answerId(pageOf(parent), row);
    return m_extraChildren.value(parent)[size_t(row - native)];
}

QModelIndex AnalysisModel::indexOfNode(quintptr id) const {
    if (id == 0)
        return {};
    if (isPage(id))
        return createIndex(pageOf(id), 0, quintptr(0));
    if (isAnswer(id))
        return createIndex(slotOf(id), 0, pageId(pageOf(id)));
    const Extra &extra = m_extras[size_t(id & ~extraTag)];
    return createIndex(extra.row, 0, extra.parent);
}

quintptr AnalysisModel::nodeId(const QModelIndex &index) const {
    return index.isValid() ? childId(index.internalId(), index.row()) : 0;
}

QModelIndex AnalysisModel::index(int row, int column, const QModelIndex &parent) const {
    if (column != 0 || row < 0 || (parent.isValid() && parent.model() != this))
        return {};
    const quintptr parentNode = nodeId(parent);
    if (row >= childCount(parentNode))
        return {};
    return createIndex(row, 0, parentNode);
}

QModelIndex AnalysisModel::parent(const QModelIndex &child) const {
    return child.isValid() ? indexOfNode(child.internalId()) : QModelIndex();
}

int AnalysisModel::rowCount(const QModelIndex &parent) const {
    if (parent.isValid() && parent.column() != 0)
        return 0;
    return childCount(nodeId(parent));
}

int AnalysisModel::columnCount(const QModelIndex &) const {
    return 1;
}

Qt::ItemFlags AnalysisModel::flags(const QModelIndex &index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

QVariant AnalysisModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid())
        return {};
    const quintptr id = nodeId(index);
    if (role == PageRole || role == AnswerRole) {
        if (isExtra(id))
            return {};
        return role == PageRole ? pageOf(id) : isPage(id) ? -1 : slotOf(id);
    }
    if (role != Qt::DisplayRole && role != KeyRole)
        return {};
    return role == KeyRole ? nodeKey(id) : nodeText(id);
}

QString AnalysisModel::nodeText(quintptr id) const {
    if (isExtra(id))
        return m_extras[size_t(id & ~extraTag)].text;
    const int page = pageOf(id);
    const Dialog *shown = shownPage(page);
    if (!shown)
        return {};
    if (isPage(id))
        return AnalysisNodes::pageText(qint16(page), *shown);
    const qint16 slot = qint16(slotOf(id));
    if (slot > shown->SelectionUBound())
        return {};
    return AnalysisNodes::answerText(slot, shown->Selection(slot));
}

QString AnalysisModel::nodeKey(quintptr id) const {
    if (isExtra(id))
        return m_extras[size_t(id & ~extraTag)].key;
    if (isPage(id))
        return AnalysisNodes::pageKey(m_prefix, qint16(pageOf(id)));
    return AnalysisNodes::answerKey(m_prefix, qint16(pageOf(id)), qint16(slotOf(id)));
}
