#include "core/dialogs/ProjectCheck.h"

#include "core/dialogs/LinkTarget.h"
#include "core/dialogs/QuestDialogs.h"
#include "core/dialogs/ScriptExport.h"
#include "core/dialogs/ScriptWriter.h"
#include "core/text/CodePage.h"

#include <QRegularExpression>
#include <algorithm>
#include <optional>
#include <set>
#include <tuple>

namespace {
const QString commentMark = QStringLiteral("//");
constexpr qint16 GumpButtons = 4;
using Line = ScriptWriter::Line;

// A '<' the server takes for the start of an expression to evaluate.
bool holdsEvaluation(const QString &text) {
    static const QRegularExpression mark(QStringLiteral("<[A-Za-z0-9]"));
    return text.contains(mark);
}

class Checker {
public:
    Checker(const QuestDialogs &project, const QString &prefix) : m_project(project), m_prefix(prefix) {}

    void checkPages() {
        const std::vector<bool> ledTo = pagesLedTo();
        for (qint16 n = 0; n < m_project.Count(); ++n)
            checkPage(n, n == 0 || ledTo[static_cast<size_t>(n)]);
    }

    void checkPage(qint16 n, bool reached) {
        const Dialog &page = m_project.Dialog(n);
        if (page.text() == QuestDialogs::placeholderText())
            warn(n, -1,
                 QStringLiteral("placeholder page: its speech is \"Null\", which the Dialog Studio "
                                "takes for a free slot to put the next new page in"));
        if (!reached)
            warn(n, -1, QStringLiteral("no answer of another page leads to this page"));
        if (page.text().contains(commentMark))
            error(n, -1,
                  QStringLiteral(
                      "the speech holds \"//\"; the server reads the rest of its line as a comment"));
        if (holdsEvaluation(page.text()))
            warn(n, -1, evaluationMessage(QStringLiteral("speech")));
        for (qint16 k = 0; k < page.SelectionCount(); ++k)
            checkAnswer(n, k, page.Selection(k));
    }

    void checkNames(const QString &speaker) {
        if (speaker.contains(commentMark))
            error(0, -1,
                  QStringLiteral("the speaker name holds \"//\"; the server reads the rest of every "
                                 "speaker line as a comment"));
        if (holdsEvaluation(speaker))
            warn(0, -1, evaluationMessage(QStringLiteral("speaker name")));
        if (const QChar c = ScriptExport::unusablePrefixCharacter(m_prefix); !c.isNull())
            error(0, -1, ScriptExport::unusablePrefixMessage(c));
    }

    // The lines of the whole script, or with `page` those of that page alone (and the script's
    // first line with page 0).
    void checkLines(const QString &speaker, std::optional<qint16> page = std::nullopt) {
        // One finding per kind of line at each place: a long prefix or speaker would otherwise
        // be reported for every line it stands in. The speaker line is the same on every page.
        std::set<std::tuple<qint16, qint16, int, bool>> reported;
        const auto once = [&](const Line &line, bool shown) {
            return reported.insert({line.page, line.answer, line.kind, shown}).second;
        };
        const ScriptWriter::LineObserver check = [&](const Line &line) {
            if (line.kind == Line::Speaker && line.page > 0)
                return;
            const QString text = line.text.toString();
            const qsizetype length = lengthInFile(text);
            if (length > MaxScriptLineLength && once(line, false))
                error(line.page, line.answer,
                      QStringLiteral("%1 is %2 bytes long; the server loads no script line over %3")
                          .arg(lineName(line.kind), QString::number(length),
                               QString::number(MaxScriptLineLength)));
            if (line.kind != Line::Speaker && line.kind != Line::Speech && line.kind != Line::Answer)
                return;
            const qsizetype shown = ScriptExport::withSupportValues(text).size();
            if (shown > MaxShownTextLength && once(line, true))
                warn(line.page, line.answer,
                     QStringLiteral("%1 is %2 characters long with the support values filled in; the "
                                    "client shows only the first %3")
                         .arg(lineName(line.kind), QString::number(shown),
                              QString::number(MaxShownTextLength)));
        };
        if (!page) {
            ScriptWriter::build(m_project, m_prefix, speaker, check);
            return;
        }
        if (*page == 0)
            check({Line::Marker, 0, -1, ScriptWriter::marker(m_prefix)});
        ScriptWriter::page(m_project, m_prefix, speaker, *page, check);
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
            error(n, k,
                  QStringLiteral(
                      "the answer text holds \"//\"; the server reads the rest of its line as a comment"));
        if (holdsEvaluation(answer.text()))
            warn(n, k, evaluationMessage(QStringLiteral("answer text")));
    }

    static QString evaluationMessage(const QString &what) {
        return QStringLiteral("the %1 holds \"<\" before a letter or digit; the server reads it as an "
                              "expression to evaluate (an unknown one vanishes)")
            .arg(what);
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
        const Outcome<QByteArray> bytes = CodePage::encode(line);
        return bytes.ok() ? bytes.value.size() : line.size();
    }

    static QString lineName(int kind) {
        switch (kind) {
        case Line::Marker:
            return QStringLiteral("the script's first line");
        case Line::Header:
            return QStringLiteral("a section header of this page");
        case Line::Speaker:
            return QStringLiteral("the speaker line (on every page)");
        case Line::Speech:
            return QStringLiteral("the speech line");
        case Line::Answer:
            return QStringLiteral("the answer line");
        case Line::Call:
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
    checker.checkLines(speaker);
    return checker.sorted();
}

std::vector<Finding> checkPage(const QuestDialogs &project, const QString &prefix, const QString &speaker,
                               qint16 page, bool reached) {
    Checker checker(project, prefix);
    if (page < 0 || page > project.UpperBound())
        return {};
    checker.checkPage(page, page == 0 || reached);
    if (page == 0)
        checker.checkNames(speaker);
    checker.checkLines(speaker, page);
    return checker.sorted();
}
