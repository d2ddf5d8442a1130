#pragma once

#include "core/dialogs/ProjectObserver.h"

#include <QAbstractItemModel>
#include <QHash>
#include <QString>
#include <map>
#include <memory>
#include <vector>

class Dialog;
class QuestDialogs;

// The analysis tree's contents: one root node per page, one child per answer slot, as the
// project held them at the last sync. The model keeps no copy of the project: it reads the
// pages from the project itself, and the project tells it before a page changes, so that it can
// keep that page as it was until the next sync. Node texts are built in data(), so only the rows
// on screen cost anything. Nodes added by addRootNode/addNode live beside the project's nodes
// until the next sync, which, like every rebuild, starts the tree over from the project.
class AnalysisModel : public QAbstractItemModel, private ProjectObserver {
    Q_OBJECT
public:
    // Every node's key, unique within the tree.
    static constexpr int KeyRole = Qt::UserRole + 1;
    // The page a page or answer node stands for, and the answer slot (-1 on a page node). Nodes
    // added by addRootNode/addNode stand for neither.
    static constexpr int PageRole = Qt::UserRole + 2;
    static constexpr int AnswerRole = Qt::UserRole + 3;

    explicit AnalysisModel(QObject *parent = nullptr);
    ~AnalysisModel() override;

    // Brings the tree up to the project. Only the pages that changed since the previous sync
    // are compared, and nothing changed costs nothing.
    void sync(QuestDialogs &project, const QString &prefix);

    // Adds a node after the existing root nodes. False when the key is already taken.
    bool addRootNode(const QString &text, const QString &key);
    // Adds a node as the last child of the node whose key is `parentKey`. False when there is
    // no such node or the key is already taken.
    bool addNode(const QString &parentKey, const QString &text, const QString &key);

    // The index of the node with this key, or an invalid index.
    QModelIndex indexOfKey(const QString &key) const;

    // Pages kept as they were because they changed after the last sync (for tests).
    int keptPageCount() const { return int(m_kept.size()); }

    QModelIndex index(int row, int column, const QModelIndex &parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    struct Extra {
        QString text;
        QString key;
        quintptr parent; // the node it hangs under
        int row;         // its row under that node
    };

    // A node is named by an id: 0 the invisible root, 1 + n page n, answerTag | page << 4 | slot
    // an answer, extraTag | i the i-th added node. An index carries the id of its parent.
    static constexpr quintptr answerTag = quintptr(1) << 30;
    static constexpr quintptr extraTag = quintptr(1) << 31;
    static quintptr pageId(int page) { return quintptr(page) + 1; }
    static quintptr answerId(int page, int slot) { return answerTag | quintptr(page) << 4 | quintptr(slot); }
    static bool isPage(quintptr id) { return id != 0 && id < answerTag; }
    static bool isAnswer(quintptr id) { return (id & answerTag) && !(id & extraTag); }
    static bool isExtra(quintptr id) { return id & extraTag; }
    static int pageOf(quintptr id) { return isPage(id) ? int(id - 1) : int((id & ~answerTag) >> 4); }
    static int slotOf(quintptr id) { return int(id & 0xF); }

    // ProjectObserver
    void pageAboutToChange(qint16 index, const Dialog &page) override;
    void pagesAboutToReset() override;
    void projectDestroyed(const QuestDialogs &project) override;

    void observe(QuestDialogs *project);
    void resetFrom(QuestDialogs &project, const QString &prefix);
    void updatePage(int page, const Dialog &was, const Dialog &now);
    // Page `page` as the tree shows it: its kept copy, or the project's page. Null when the
    // project is no longer what the tree shows (between a reset of its pages and the next sync).
    const Dialog *shownPage(int page) const;

    int nativeChildCount(quintptr id) const;
    int childCount(quintptr id) const;
    quintptr childId(quintptr parent, int row) const;
    QModelIndex indexOfNode(quintptr id) const;
    quintptr nodeId(const QModelIndex &index) const;
    quintptr findKey(const QString &key) const;
    QString nodeText(quintptr id) const;
    QString nodeKey(quintptr id) const;
    bool addExtra(quintptr parent, const QString &text, const QString &key);

    QuestDialogs *m_project = nullptr; // the project observed
    bool m_synced = false;
    bool m_current = false; // the project's pages are still the ones the tree shows
    QString m_prefix;
    std::vector<quint8> m_answerCounts;            // per page shown, its answer count at the last sync
    std::map<int, std::unique_ptr<Dialog>> m_kept; // pages changed since, as they were
    std::vector<Extra> m_extras;
    QHash<quintptr, std::vector<quintptr>> m_extraChildren;
    QHash<QString, quintptr> m_extraKeys;
};
