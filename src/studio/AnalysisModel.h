#pragma once

#include "dialogs/Dialog.h"
#include "dialogs/Selection.h"

#include <QAbstractItemModel>
#include <QHash>
#include <QString>
#include <vector>

class QuestDialogs;
struct ProjectChanges;

// The analysis tree's contents: one root node per page, one child per answer slot, as the
// project held them at the last sync. Only the texts the tree needs are kept (QString copies
// share their data), and node texts are built in data(), so only the rows on screen cost
// anything. Nodes added by addRootNode/addNode live beside the project's nodes until the next
// sync, which, like every rebuild, starts the tree over from the project.
class AnalysisModel : public QAbstractItemModel {
    Q_OBJECT
public:
    // Every node's key, unique within the tree.
    static constexpr int KeyRole = Qt::UserRole + 1;

    explicit AnalysisModel(QObject *parent = nullptr);

    // Brings the tree up to the project. `changes` is what the project's journal listed since
    // the previous sync; only those pages are compared, and nothing changed costs nothing.
    void sync(const QuestDialogs &project, const QString &prefix, const ProjectChanges &changes);

    // Adds a node after the existing root nodes. False when the key is already taken.
    bool addRootNode(const QString &text, const QString &key);
    // Adds a node as the last child of the node whose key is `parentKey`. False when there is
    // no such node or the key is already taken.
    bool addNode(const QString &parentKey, const QString &text, const QString &key);

    // The index of the node with this key, or an invalid index.
    QModelIndex indexOfKey(const QString &key) const;

    QModelIndex index(int row, int column, const QModelIndex &parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    struct Answer {
        QString text;
        QString linkPage;
        bool isLinked = false;
        bool operator==(const Answer &) const = default;
    };
    struct Page {
        QString speech;
        std::vector<Answer> answers;
    };
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

    void resetFrom(const QuestDialogs &project, const QString &prefix);
    void updatePage(int page, const ::Dialog &dialog);
    void announceNewPrefix();
    static Page snapshot(const ::Dialog &dialog);

    int nativeChildCount(quintptr id) const;
    int childCount(quintptr id) const;
    quintptr childId(quintptr parent, int row) const;
    QModelIndex indexOfNode(quintptr id) const;
    quintptr nodeId(const QModelIndex &index) const;
    quintptr findKey(const QString &key) const;
    QString nodeText(quintptr id) const;
    QString nodeKey(quintptr id) const;
    bool addExtra(quintptr parent, const QString &text, const QString &key);

    bool m_synced = false;
    QString m_prefix;
    std::vector<Page> m_pages;
    std::vector<Extra> m_extras;
    QHash<quintptr, std::vector<quintptr>> m_extraChildren;
    QHash<QString, quintptr> m_extraKeys;

    // The node texts come from AnalysisNodes, which reads pages and answers: these detached
    // records carry a snapshot's strings to it.
    mutable ::Dialog m_scratchPage;
    mutable ::Selection m_scratchAnswer;
};
