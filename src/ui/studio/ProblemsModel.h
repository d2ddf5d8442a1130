#pragma once

#include "core/dialogs/ProjectCheck.h"
#include "core/dialogs/ProjectObserver.h"

#include <QAbstractTableModel>
#include <vector>

// The problems list: what the check rules find in the project, one row per finding with its
// severity, page and answer. The project tells the model when it changes, so a refresh after
// which nothing changed (a keystroke in the speech box, which stores nothing) costs nothing,
// and one after which only the prefix or the speaker changed checks only what they change.
class ProblemsModel : public QAbstractTableModel, private ProjectObserver {
    Q_OBJECT
public:
    // On column 0: the finding's page, and its answer (-1 for the page itself).
    static constexpr int PageRole = Qt::UserRole;
    static constexpr int AnswerRole = Qt::UserRole + 1;

    explicit ProblemsModel(QObject *parent = nullptr);
    ~ProblemsModel() override;

    // Checks the project again when it, the prefix or the speaker changed since the last
    // refresh. True when the rows changed.
    bool refresh(QuestDialogs &project, const QString &prefix, const QString &speaker);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    void pageAboutToChange(qint16 index, const Dialog &page) override;
    void pagesAboutToReset() override;
    void projectDestroyed(const QuestDialogs &project) override;

    // The rows are the pages' findings with the names' merged in (checkProject's order); the
    // names' findings are few, and each knows its row.
    const Finding &findingAt(int row) const;
    static std::vector<int> rowsOf(const std::vector<Finding> &pages, const std::vector<Finding> &names);
    bool showNames(std::vector<Finding> names);

    QuestDialogs *m_project = nullptr;
    bool m_stale = true;
    qint16 m_count = -1;
    QString m_prefix;
    QString m_speaker;
    PageFindings m_pages;
    std::vector<Finding> m_names;
    std::vector<int> m_nameRows;
};
