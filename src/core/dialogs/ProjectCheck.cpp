#include "core/dialogs/ProjectCheck.h"

#include "core/dialogs/ExportedLines.h"
#include "core/dialogs/LinkTarget.h"
#include "core/dialogs/QuestDialogs.h"
#include "core/text/CodePage.h"

#include <algorithm>
#include <set>
#include <tuple>

namespace {
const QString commentMark = QStringLiteral("//");
constexpr qint16 GumpButtons = 4;

class Checker {
public:
    Checker(const QuestDialogs &project, const QString &prefix) : m_project(project), m_prefix(prefix) {}

    void checkPages() {
        const std::vector<bool> ledTo = pagesLedTo();
        for (qint16 n = 0; n < m_project.Count(); ++n) {
            const Dialog &page = m_project.Dialog(n);
            if (page.text() == QuestDialogs::placeholderText())
                warn(n, -1,
                     QStringLiteral("placeholder page: its speech is \"Null\", which the Dialog Studio "
                                    "takes for a free slot to put the next new page in"));
            if (n > 0 && !ledTo[static_cast<size_t>(n)])
                warn(n, -1, QStringLiteral("no answer of another page leads to this page"));
            if (page.text().contains(commentMark))
                warn(n, -1,
                     QStringLiteral(
                         "the speech holds \"//\"; the server reads the rest of its line as a comment"));
            for (qint16 k = 0; k < page.SelectionCount(); ++k)
                checkAnswer(n, k, page.Selection(k));
        }
    }

    void checkNames(const QString &speaker) {
        if (speaker.contains(commentMark))
            warn(0, -1,
                 QStringLiteral("the speaker name holds \"//\"; the server reads the rest of every "
                                "speaker line as a comment"));
        if (m_prefix.contains(commentMark))
            warn(0, -1,
                 QStringLiteral("the dialog prefix holds \"//\"; the server reads the rest of every "
                                "section header and page call as a comment"));
    }

    void checkLineLengths(const QString &speaker) {
        // One finding per kind of line at each place: a long prefix or speaker would otherwise
        // be reported for every line it stands in. The speaker line is the same on every page.
        std::set<std::tuple<qint16, qint16, int>> reported;
        for (const ExportedLine &line : exportedLines(m_project, m_prefix, speaker)) {
            const qsizetype length = lengthInFile(line.text);
            if (length <= MaxScriptLineLength || (line.kind == ExportedLine::Speaker && line.page > 0))
                continue;
            if (!reported.insert({line.page, line.answer, line.kind}).second)
                continue;
            m_findings.push_back(
                {line.page, line.answer, Finding::Error,
                 QStringLiteral("%1 is %2 characters long; the server cuts script lines after %3")
                     .arg(lineName(line.kind), QString::number(length),
                          QString::number(MaxScriptLineLength))});
        }
    }

    std::vector<Finding> sorted() {
        std::stable_sort(m_findings.begin(), m_findings.end(), [](const Finding &a, const Finding &b) {
            return std::tie(a.page, a.answer) < std::tie(b.page, b.answer);
        });
        return std::move(m_findings);
    }

private:
    // Which pages an answer on some other page leads to; a page that only leads to itself
    // cannot be reached.
    std::vector<bool> pagesLedTo() const {
        std::vector<bool> ledTo(static_cast<size_t>(m_project.Count()), false);
        for (qint16 n = 0; n < m_project.Count(); ++n) {
            const Dialog &page = m_project.Dialog(n);
            for (qint16 k = 0; k < page.SelectionCount(); ++k) {
                const Selection &answer = page.Selection(k);
                const LinkTarget target = linkTarget(answer.LinkPage(), m_project.UpperBound());
                if (answer.isLinked() && target.kind == LinkTarget::Page && target.page != n)
                    ledTo[static_cast<size_t>(target.page)] = true;
            }
        }
        return ledTo;
    }

    void checkAnswer(qint16 n, qint16 k, const Selection &answer) {
        if (k >= GumpButtons)
            error(n, k,
                  QStringLiteral(
                      "the gump has buttons for four answers only; the player cannot choose this one"));
        if (answer.text().isEmpty())
            warn(n, k, QStringLiteral("empty answer text, exported as \"End Dialog\""));
        if (answer.isLinked())
            checkLink(n, k, answer.LinkPage());
        else if (!answer.EndDialog())
            warn(n, k, QStringLiteral("the answer neither leads to a page nor ends the dialog"));
        if (answer.text().contains(commentMark))
            warn(n, k,
                 QStringLiteral(
                     "the answer text holds \"//\"; the server reads the rest of its line as a comment"));
    }

    void checkLink(qint16 n, qint16 k, const QString &link) {
        switch (linkTarget(link, m_project.UpperBound()).kind) {
        case LinkTarget::Empty:
            error(n, k, QStringLiteral("linked, but the page id is empty"));
            break;
        case LinkTarget::NotNumber:
            error(n, k, QStringLiteral("linked to \"%1\", which is not a page number").arg(link));
            break;
        case LinkTarget::NotPlain:
            error(n, k,
                  QStringLiteral("linked to \"%1\", which names no page: the script calls the section %2_%1")
                      .arg(link, m_prefix));
            break;
        case LinkTarget::NoSuchPage:
            error(n, k,
                  QStringLiteral("linked to page %1, which does not exist (the last page is %2)")
                      .arg(link, QString::number(m_project.UpperBound())));
            break;
        case LinkTarget::Page:
            break;
        }
    }

    // The file holds the line in the system code page, one byte for each character the
    // server reads.
    static qsizetype lengthInFile(const QString &line) {
        const std::optional<QByteArray> bytes = CodePage::encode(line);
        return bytes ? bytes->size() : line.size();
    }

    static QString lineName(int kind) {
        switch (kind) {
        case ExportedLine::Marker:
            return QStringLiteral("the script's first line");
        case ExportedLine::Header:
            return QStringLiteral("a section header of this page");
        case ExportedLine::Speaker:
            return QStringLiteral("the speaker line (on every page)");
        case ExportedLine::Speech:
            return QStringLiteral("the speech line");
        case ExportedLine::Answer:
            return QStringLiteral("the answer line");
        case ExportedLine::Call:
            return QStringLiteral("the page call line");
        default:
            return QStringLiteral("a line");
        }
    }

    void warn(qint16 n, qint16 k, const QString &message) {
        m_findings.push_back({n, k, Finding::Warning, message});
    }
    void error(qint16 n, qint16 k, const QString &message) {
        m_findings.push_back({n, k, Finding::Error, message});
    }

    const QuestDialogs &m_project;
    const QString &m_prefix;
    std::vector<Finding> m_findings;
};
} // namespace

std::vector<Finding> checkProject(const QuestDialogs &project, const QString &prefix,
                                  const QString &speaker) {
    Checker checker(project, prefix);
    checker.checkPages();
    checker.checkNames(speaker);
    checker.checkLineLengths(speaker);
    return checker.sorted();
}
