#include "studio/AnalysisModel.h"

#include "dialogs/QuestDialogs.h"
#include "studio/AnalysisNodes.h"

#include <algorithm>

AnalysisModel::AnalysisModel(QObject *parent) : QAbstractItemModel(parent) {}

void AnalysisModel::sync(const QuestDialogs &project, const QString &prefix, const ProjectChanges &changes) {
    // Added nodes and a page list that was reset or shrank cannot be patched: start over.
    if (!m_synced || changes.reset || !m_extras.empty() || project.Count() < int(m_pages.size())) {
        resetFrom(project, prefix);
        return;
    }
    if (prefix != m_prefix) {
        m_prefix = prefix;
        announceNewPrefix();
    }
    const int known = int(m_pages.size());
    for (qint16 page : changes.pages)
        if (page >= 0 && page < known)
            updatePage(page, project.Dialog(page));
    if (project.Count() > known) {
        beginInsertRows(QModelIndex(), known, project.Count() - 1);
        for (qint16 page = qint16(known); page < project.Count(); ++page)
            m_pages.push_back(snapshot(project.Dialog(page)));
        endInsertRows();
    }
}

void AnalysisModel::resetFrom(const QuestDialogs &project, const QString &prefix) {
    beginResetModel();
    m_synced = true;
    m_prefix = prefix;
    m_extras.clear();
    m_extraChildren.clear();
    m_extraKeys.clear();
    m_pages.clear();
    m_pages.reserve(size_t(project.Count()));
    for (qint16 page = 0; page < project.Count(); ++page)
        m_pages.push_back(snapshot(project.Dialog(page)));
    endResetModel();
}

AnalysisModel::Page AnalysisModel::snapshot(const ::Dialog &dialog) {
    Page out{dialog.text(), {}};
    out.answers.reserve(size_t(dialog.SelectionCount()));
    for (qint16 slot = 0; slot < dialog.SelectionCount(); ++slot) {
        const ::Selection &s = dialog.Selection(slot);
        out.answers.push_back({s.text(), s.LinkPage(), s.isLinked()});
    }
    return out;
}

void AnalysisModel::updatePage(int page, const ::Dialog &dialog) {
    Page fresh = snapshot(dialog);
    Page &held = m_pages[size_t(page)];
    const QModelIndex pageIndex = index(page, 0);
    if (fresh.speech != held.speech) {
        held.speech = fresh.speech;
        emit dataChanged(pageIndex, pageIndex, {Qt::DisplayRole});
    }

    const int oldCount = int(held.answers.size());
    const int newCount = int(fresh.answers.size());
    int firstChanged = -1;
    int lastChanged = -1;
    for (int slot = 0; slot < std::min(oldCount, newCount); ++slot) {
        if (held.answers[size_t(slot)] == fresh.answers[size_t(slot)])
            continue;
        held.answers[size_t(slot)] = fresh.answers[size_t(slot)];
        if (firstChanged < 0)
            firstChanged = slot;
        lastChanged = slot;
    }
    if (firstChanged >= 0)
        emit dataChanged(index(firstChanged, 0, pageIndex), index(lastChanged, 0, pageIndex),
                         {Qt::DisplayRole});

    if (newCount > oldCount) {
        beginInsertRows(pageIndex, oldCount, newCount - 1);
        held.answers.insert(held.answers.end(), fresh.answers.begin() + oldCount, fresh.answers.end());
        endInsertRows();
    } else if (newCount < oldCount) {
        beginRemoveRows(pageIndex, newCount, oldCount - 1);
        held.answers.resize(size_t(newCount));
        endRemoveRows();
    }
}

void AnalysisModel::announceNewPrefix() {
    // Only the keys carry the prefix; no text changes.
    if (m_pages.empty())
        return;
    emit dataChanged(index(0, 0), index(int(m_pages.size()) - 1, 0), {KeyRole});
    for (int page = 0; page < int(m_pages.size()); ++page) {
        const QModelIndex pageIndex = index(page, 0);
        const int answers = int(m_pages[size_t(page)].answers.size());
        if (answers > 0)
            emit dataChanged(index(0, 0, pageIndex), index(answers - 1, 0, pageIndex), {KeyRole});
    }
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
    // The project's nodes: prefix "_" page, or prefix "_" page "_" slot.
    const QString lead = m_prefix + u'_';
    if (!key.startsWith(lead))
        return 0;
    const QStringList numbers = key.mid(lead.size()).split(u'_');
    if (numbers.size() > 2)
        return 0;
    bool ok = false;
    const int page = numbers[0].toInt(&ok);
    if (!ok || page < 0 || page >= int(m_pages.size()) || QString::number(page) != numbers[0])
        return 0;
    if (numbers.size() == 1)
        return pageId(page);
    const int slot = numbers[1].toInt(&ok);
    if (!ok || slot < 0 || slot >= int(m_pages[size_t(page)].answers.size()) ||
        QString::number(slot) != numbers[1])
        return 0;
    return answerId(page, slot);
}

int AnalysisModel::nativeChildCount(quintptr id) const {
    if (id == 0)
        return int(m_pages.size());
    if (isPage(id))
        return int(m_pages[size_t(pageOf(id))].answers.size());
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
    if (!index.isValid() || (role != Qt::DisplayRole && role != KeyRole))
        return {};
    const quintptr id = nodeId(index);
    return role == KeyRole ? nodeKey(id) : nodeText(id);
}

QString AnalysisModel::nodeText(quintptr id) const {
    if (isExtra(id))
        return m_extras[size_t(id & ~extraTag)].text;
    const int page = pageOf(id);
    if (isPage(id)) {
        m_scratchPage.setText(m_pages[size_t(page)].speech);
        return AnalysisNodes::pageText(qint16(page), m_scratchPage);
    }
    const int slot = slotOf(id);
    const Answer &answer = m_pages[size_t(page)].answers[size_t(slot)];
    m_scratchAnswer.Init(answer.text, answer.isLinked, answer.linkPage, false);
    return AnalysisNodes::answerText(qint16(slot), m_scratchAnswer);
}

QString AnalysisModel::nodeKey(quintptr id) const {
    if (isExtra(id))
        return m_extras[size_t(id & ~extraTag)].key;
    if (isPage(id))
        return AnalysisNodes::pageKey(m_prefix, qint16(pageOf(id)));
    return AnalysisNodes::answerKey(m_prefix, qint16(pageOf(id)), qint16(slotOf(id)));
}
