#include "ui/studio/ProblemsModel.h"

#include "core/dialogs/QuestDialogs.h"

#include <QApplication>
#include <QStyle>
#include <algorithm>

namespace {
bool sameFinding(const Finding &a, const Finding &b) {
    return a.page == b.page && a.answer == b.answer && a.severity == b.severity && a.message == b.message;
}
} // namespace

ProblemsModel::ProblemsModel(QObject *parent) : QAbstractTableModel(parent) {}

ProblemsModel::~ProblemsModel() {
    if (m_project)
        m_project->removeObserver(this);
}

bool ProblemsModel::refresh(QuestDialogs &project, const QString &prefix, const QString &speaker) {
    if (follow(m_project, &project))
        m_stale = true;
    // Pages appended at the end are not announced; the count tells of them.
    const bool pagesChanged = m_stale || m_count != project.Count();
    if (!pagesChanged && m_prefix == prefix && m_speaker == speaker)
        return false;
    m_prefix = prefix;
    m_speaker = speaker;
    if (!pagesChanged)
        return showNames(checkNames(project, m_pages, prefix, speaker));

    PageFindings pages = checkPages(project);
    std::vector<Finding> names = checkNames(project, pages, prefix, speaker);
    m_stale = false;
    m_count = project.Count();
    const std::vector<int> nameRows = rowsOf(pages.findings, names);
    // Rows that stay as they were keep their place, and a double-click that began on one (its
    // first press may store the edits and so refresh the list) still lands on it.
    const bool same = nameRows == m_nameRows &&
                      std::equal(names.begin(), names.end(), m_names.begin(), m_names.end(), sameFinding) &&
                      std::equal(pages.findings.begin(), pages.findings.end(), m_pages.findings.begin(),
                                 m_pages.findings.end(), sameFinding);
    if (!same)
        beginResetModel();
    m_pages = std::move(pages);
    m_names = std::move(names);
    m_nameRows = nameRows;
    if (!same)
        endResetModel();
    return !same;
}

std::vector<int> ProblemsModel::rowsOf(const std::vector<Finding> &pages, const std::vector<Finding> &names) {
    // At one place the pages' findings come first.
    std::vector<int> rows;
    rows.reserve(names.size());
    for (size_t i = 0; i < names.size(); ++i) {
        const auto before = std::upper_bound(pages.begin(), pages.end(), names[i], placedBefore);
        rows.push_back(int(i + size_t(before - pages.begin())));
    }
    return rows;
}

bool ProblemsModel::showNames(std::vector<Finding> names) {
    if (std::equal(names.begin(), names.end(), m_names.begin(), m_names.end(), sameFinding))
        return false;
    const std::vector<int> rows = rowsOf(m_pages.findings, names);
    if (rows != m_nameRows) {
        // Rows come or go; rare, as when a prefix gets a character the server cannot use.
        beginResetModel();
        m_names = std::move(names);
        m_nameRows = rows;
        endResetModel();
        return true;
    }
    // The same places with other texts, as when a prefix named in a finding is typed on.
    for (size_t i = 0; i < names.size(); ++i)
        if (!sameFinding(names[i], m_names[i])) {
            m_names[i] = std::move(names[i]);
            emit dataChanged(index(m_nameRows[i], 0), index(m_nameRows[i], columnCount() - 1));
        }
    return true;
}

const Finding &ProblemsModel::findingAt(int row) const {
    const auto name = std::lower_bound(m_nameRows.begin(), m_nameRows.end(), row);
    const size_t before = size_t(name - m_nameRows.begin());
    if (name != m_nameRows.end() && *name == row)
        return m_names[before];
    return m_pages.findings[size_t(row) - before];
}

int ProblemsModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(m_pages.findings.size() + m_names.size());
}

int ProblemsModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : 4;
}

QVariant ProblemsModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const Finding &finding = findingAt(index.row());
    if (role == PageRole && index.column() == 0)
        return int(finding.page);
    if (role == AnswerRole && index.column() == 0)
        return int(finding.answer);
    if (role == Qt::DecorationRole && index.column() == 0)
        return QApplication::style()->standardIcon(finding.severity == Finding::Error
                                                       ? QStyle::SP_MessageBoxCritical
                                                       : QStyle::SP_MessageBoxWarning);
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case 0:
        return finding.severity == Finding::Error ? QStringLiteral("error") : QStringLiteral("warning");
    case 1:
        return int(finding.page);
    case 2:
        return finding.answer < 0 ? QVariant(QString()) : QVariant(int(finding.answer));
    default:
        return finding.message;
    }
}

QVariant ProblemsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char *const titles[] = {"Severity", "Page", "Answer", "Problem"};
    return section >= 0 && section < 4 ? QString::fromLatin1(titles[section]) : QVariant();
}

void ProblemsModel::pageAboutToChange(qint16, const Dialog &) {
    m_stale = true;
}

void ProblemsModel::pagesAboutToReset() {
    m_stale = true;
}

void ProblemsModel::projectDestroyed(const QuestDialogs &) {
    m_project = nullptr;
    m_stale = true;
}
