#include "core/dialogs/ProjectCheck.h"

#include "core/dialogs/ClientText.h"
#include "core/dialogs/EmoteMarks.h"
#include "core/dialogs/LinkTarget.h"
#include "core/dialogs/QuestDialogs.h"
#include "core/dialogs/ScriptExport.h"
#include "core/dialogs/ScriptWriter.h"
#include "core/text/CodePage.h"
#include "core/text/ScriptSyntax.h"

#include <QRegularExpression>
#include <algorithm>
#include <tuple>

namespace {
constexpr qint16 GumpButtons = 4;
using Line = ScriptWriter::Line;

// A '<' the server takes for the start of an expression to evaluate. The support script's
// variables, which the program's own markup uses, are meant to be evaluated.
bool holdsEvaluation(const QString &text) {
    static const QRegularExpression mark(
        QStringLiteral("<(?!var\\.(?:br|bfont_lgreen|bfont_lgrey|bfont_red)>)[A-Za-z0-9]"),
        QRegularExpression::CaseInsensitiveOption);
    return text.contains(mark);
}

QString evaluationMessage(const QString &what) {
    return QStringLiteral("the %1 holds \"<\" before a letter or digit; the server reads it as an "
                          "expression to evaluate (an unknown one vanishes)")
        .arg(what);
}

// The first character beyond U+FFFF, which the game client drops without a trace, or 0.
char32_t beyondSixteenBits(const QString &text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i)
        if (text[i].isHighSurrogate() && text[i + 1].isLowSurrogate())
            return QChar::surrogateToUcs4(text[i], text[i + 1]);
    return 0;
}

// The file holds the line in the system code page, one byte for each character the server reads.
qsizetype lengthInFile(const QString &line) {
    const Outcome<QByteArray> bytes = CodePage::encode(line);
    return bytes.ok() ? bytes.value.size() : line.size();
}

QString lineName(int kind) {
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

class Findings {
public:
    void warn(qint16 n, qint16 k, const QString &message) {
        m_findings.push_back({n, k, Finding::Warning, message});
    }
    void error(qint16 n, qint16 k, const QString &message) {
        m_findings.push_back({n, k, Finding::Error, message});
    }

    void checkCharacters(qint16 n, qint16 k, const QString &what, const QString &text) {
        if (const char32_t c = beyondSixteenBits(text))
            warn(n, k,
                 QStringLiteral("the %1 holds \"%2\" (U+%3), which the game client drops: it shows no "
                                "character beyond U+FFFF")
                     .arg(what, QString::fromUcs4(&c, 1), QString::number(c, 16).toUpper()));
    }

    // A line of `length` bytes: an error when the server would not load it.
    void checkLength(qint16 n, qint16 k, int kind, qsizetype length) {
        if (length > MaxScriptLineLength)
            error(n, k,
                  QStringLiteral("%1 is %2 bytes long; the server loads no script line over %3")
                      .arg(lineName(kind), QString::number(length), QString::number(MaxScriptLineLength)));
    }

    // A text line: too long to load, or longer than the client shows.
    void checkTextLine(const Line &line) {
        const QString text = line.text.toString();
        checkLength(line.page, line.answer, line.kind, lengthInFile(text));
        const qsizetype shown = ScriptExport::withSupportValues(text).size();
        if (shown > MaxShownTextLength)
            warn(line.page, line.answer,
                 QStringLiteral("%1 is %2 characters long with the support values filled in; the "
                                "client shows only the first %3")
                     .arg(lineName(line.kind), QString::number(shown), QString::number(MaxShownTextLength)));
        if (const char32_t c = ReceivedText::brokenLastCharacter(text))
            warn(line.page, line.answer,
                 QStringLiteral("%1 ends in \"%2\", which the client never receives: the server takes "
                                "the last byte of its UTF-8 for a blank and drops it; end the text with "
                                "another character, a full stop for instance")
                     .arg(lineName(line.kind), QString::fromUcs4(&c, 1)));
    }

    std::vector<Finding> sorted() {
        std::stable_sort(m_findings.begin(), m_findings.end(), placedBefore);
        return std::move(m_findings);
    }

private:
    std::vector<Finding> m_findings;
};

class PageChecker {
public:
    explicit PageChecker(const QuestDialogs &project) : m_project(project) {}

    PageFindings check() {
        const std::vector<bool> ledTo = pagesLedTo();
        for (qint16 n = 0; n < m_project.Count(); ++n)
            checkPage(n, n == 0 || ledTo[static_cast<size_t>(n)]);
        // The speech and answer lines hold neither the prefix nor the speaker.
        ScriptWriter::build(m_project, QString(), QString(), [this](const Line &line) { checkLine(line); });
        m_result.findings = m_out.sorted();
        return std::move(m_result);
    }

    // The same for page `n` alone; `reached` says whether an answer of another page leads to it.
    PageFindings checkOne(qint16 n, bool reached) {
        checkPage(n, reached);
        ScriptWriter::page(m_project, QString(), QString(), n, [this](const Line &line) { checkLine(line); });
        m_result.findings = m_out.sorted();
        return std::move(m_result);
    }

private:
    void checkPage(qint16 n, bool reached) {
        const Dialog &page = m_project.Dialog(n);
        const QString speech = page.text();
        if (speech == QuestDialogs::placeholderText())
            m_out.warn(n, -1,
                       QStringLiteral("placeholder page: its speech is \"Null\", which the Dialog Studio "
                                      "takes for a free slot to put the next new page in"));
        if (!reached)
            m_out.warn(n, -1, QStringLiteral("no answer of another page leads to this page"));
        if (ScriptSyntax::holdsCommentMark(speech))
            m_out.error(n, -1,
                        QStringLiteral(
                            "the speech holds \"//\"; the server reads the rest of its line as a comment"));
        if (holdsEvaluation(speech))
            m_out.warn(n, -1, evaluationMessage(QStringLiteral("speech")));
        if (EmoteMarks::leftOpen(QStringView(speech)))
            m_out.warn(n, -1,
                       QStringLiteral("an emote opened with \"*[\" is never closed with \"*/]\"; the "
                                      "rest of the speech is shown in red"));
        m_out.checkCharacters(n, -1, QStringLiteral("speech"), speech);
        for (qint16 k = 0; k < page.SelectionCount(); ++k)
            checkAnswer(n, k, page.Selection(k));
    }

    void checkLine(const Line &line) {
        if (line.kind == Line::Speech || line.kind == Line::Answer)
            m_out.checkTextLine(line);
    }

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
            m_out.error(n, k,
                        QStringLiteral(
                            "the gump has buttons for four answers only; the player cannot choose this one"));
        const QString text = answer.text();
        if (text.isEmpty())
            m_out.warn(n, k, QStringLiteral("empty answer text, exported as \"End Dialog\""));
        if (answer.isLinked())
            checkLink(n, k, answer.LinkPage());
        else if (!answer.EndDialog())
            m_out.warn(n, k, QStringLiteral("the answer neither leads to a page nor ends the dialog"));
        if (ScriptSyntax::holdsCommentMark(text))
            m_out.error(
                n, k,
                QStringLiteral(
                    "the answer text holds \"//\"; the server reads the rest of its line as a comment"));
        if (holdsEvaluation(text))
            m_out.warn(n, k, evaluationMessage(QStringLiteral("answer text")));
        m_out.checkCharacters(n, k, QStringLiteral("answer text"), text);
    }

    void checkLink(qint16 n, qint16 k, const QString &link) {
        m_result.longestLink = std::max(m_result.longestLink, lengthInFile(ScriptWriter::joinLines(link)));
        switch (linkTarget(link, m_project.UpperBound()).kind) {
        case LinkTarget::Empty:
            m_out.error(n, k, QStringLiteral("linked, but the page id is empty"));
            break;
        case LinkTarget::NotNumber:
            m_out.error(n, k, QStringLiteral("linked to \"%1\", which is not a page number").arg(link));
            break;
        case LinkTarget::NotPlain:
            m_result.oddLinks.push_back({n, k, link});
            break;
        case LinkTarget::NoSuchPage:
            m_out.error(n, k,
                        QStringLiteral("linked to page %1, which does not exist (the last page is %2)")
                            .arg(link, QString::number(m_project.UpperBound())));
            break;
        case LinkTarget::Page:
            break;
        }
    }

    const QuestDialogs &m_project;
    Findings m_out;
    PageFindings m_result;
};

// The lines of the script that hold the prefix or the speaker, as the script writer writes them
// for a page 0 whose one answer calls page 0. Page n's headers are as long as page 0's and the
// digits n has beyond one; a call to a page id of b bytes is as long as this one and b - 1.
struct NameLines {
    qsizetype marker = 0;
    std::vector<qsizetype> headers; // in the order the page writes them, shortest first
    qsizetype call = 0;
    QString speakerText;
    Line speaker;

    NameLines(const QString &prefix, const QString &speakerName) {
        QuestDialogs sample;
        sample.Dialog(0).Selection(0).Init(QStringLiteral("x"), true, QStringLiteral("0"), false);
        ScriptWriter::build(sample, prefix, speakerName, [this](const Line &line) {
            if (line.kind == Line::Marker)
                marker = lengthInFile(line.text.toString());
            else if (line.kind == Line::Header)
                headers.push_back(lengthInFile(line.text.toString()));
            else if (line.kind == Line::Call)
                call = lengthInFile(line.text.toString());
            else if (line.kind == Line::Speaker) {
                speakerText = line.text.toString();
                speaker = line;
            }
        });
        speaker.text = speakerText;
    }
};

qsizetype digits(qint16 n) {
    return n < 10 ? 1 : n < 100 ? 2 : n < 1000 ? 3 : n < 10000 ? 4 : 5;
}

} // namespace

bool placedBefore(const Finding &a, const Finding &b) {
    return std::tie(a.page, a.answer) < std::tie(b.page, b.answer);
}

PageFindings checkPages(const QuestDialogs &project) {
    return PageChecker(project).check();
}

std::vector<Finding> checkNames(const QuestDialogs &project, const PageFindings &pages, const QString &prefix,
                                const QString &speaker) {
    Findings out;
    if (ScriptSyntax::holdsCommentMark(speaker))
        out.error(0, -1,
                  QStringLiteral("the speaker name holds \"//\"; the server reads the rest of every "
                                 "speaker line as a comment"));
    if (holdsEvaluation(speaker))
        out.warn(0, -1, evaluationMessage(QStringLiteral("speaker name")));
    out.checkCharacters(0, -1, QStringLiteral("speaker name"), speaker);
    if (const char32_t c = ScriptExport::unusablePrefixCharacter(prefix))
        out.error(0, -1, ScriptExport::unusablePrefixMessage(c));

    const NameLines lines(prefix, speaker);
    out.checkLength(0, -1, Line::Marker, lines.marker);
    // Each page's first header too long is reported; they grow with the page number.
    const qsizetype longestHeader = lines.headers.empty() ? 0 : lines.headers.back();
    const qint16 pageCount = project.Count();
    if (longestHeader + digits(project.UpperBound()) - 1 > MaxScriptLineLength)
        for (qint16 n = 0; n < pageCount; ++n)
            for (qsizetype header : lines.headers)
                if (header + digits(n) - 1 > MaxScriptLineLength) {
                    out.checkLength(n, -1, Line::Header, header + digits(n) - 1);
                    break;
                }
    out.checkTextLine(lines.speaker);
    if (lines.call + pages.longestLink - 1 > MaxScriptLineLength)
        for (qint16 n = 0; n < pageCount; ++n) {
            const Dialog &page = project.Dialog(n);
            for (qint16 k = 0; k < page.SelectionCount(); ++k)
                if (page.Selection(k).isLinked())
                    out.checkLength(
                        n, k, Line::Call,
                        lines.call + lengthInFile(ScriptWriter::joinLines(page.Selection(k).LinkPage())) - 1);
        }
    for (const PageFindings::OddLink &odd : pages.oddLinks)
        out.error(odd.page, odd.answer,
                  QStringLiteral("linked to \"%1\", which names no page: the script calls the section %2_%1")
                      .arg(odd.link, prefix));
    return out.sorted();
}

std::vector<Finding> checkProject(const QuestDialogs &project, const QString &prefix,
                                  const QString &speaker) {
    const PageFindings pages = checkPages(project);
    const std::vector<Finding> names = checkNames(project, pages, prefix, speaker);
    std::vector<Finding> all;
    all.reserve(pages.findings.size() + names.size());
    std::merge(pages.findings.begin(), pages.findings.end(), names.begin(), names.end(),
               std::back_inserter(all), placedBefore);
    return all;
}

std::vector<Finding> exportErrors(const QuestDialogs &project, const QString &prefix,
                                  const QString &speaker) {
    std::vector<Finding> errors = checkProject(project, prefix, speaker);
    std::erase_if(errors, [](const Finding &f) { return f.severity != Finding::Error; });
    return errors;
}

QString findingPlace(const Finding &finding) {
    QString place = QStringLiteral("page %1").arg(finding.page);
    if (finding.answer >= 0)
        place += QStringLiteral(", answer %1").arg(finding.answer);
    return place;
}

std::vector<Finding> checkPage(const QuestDialogs &project, const QString &prefix, const QString &speaker,
                               qint16 page, bool reached) {
    if (page < 0 || page > project.UpperBound())
        return {};
    const PageFindings found = PageChecker(project).checkOne(page, page == 0 || reached);
    std::vector<Finding> names = checkNames(project, found, prefix, speaker);
    std::erase_if(names, [page](const Finding &f) { return f.page != page; });
    std::vector<Finding> all;
    all.reserve(found.findings.size() + names.size());
    std::merge(found.findings.begin(), found.findings.end(), names.begin(), names.end(),
               std::back_inserter(all), placedBefore);
    return all;
}
