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
    if (!m_stale && m_count == project.Count() && m_prefix == prefix && m_speaker == speaker)
        return false;
    std::vector<Finding> findings = checkProject(project, prefix, speaker);
    m_stale = false;
    m_count = project.Count();
    m_prefix = prefix;
    m_speaker = speaker;
    // Rows that stay as they were keep their place, and a double-click that began on one (its
    // first press may store the edits and so refresh the list) still lands on it.
    if (std::equal(findings.begin(), findings.end(), m_findings.begin(), m_findings.end(), sameFinding))
        return false;
    beginResetModel();
    m_findings = std::move(findings);
    endResetModel();
    return true;
}

int ProblemsModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(m_findings.size());
}

int ProblemsModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : 4;
}

QVariant ProblemsModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || size_t(index.row()) >= m_findings.size())
        return {};
    const Finding &finding = m_findings[size_t(index.row())];
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
