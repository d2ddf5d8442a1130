#include "studio/ProjectFile.h"

#include "dialogs/QuestDialogs.h"
#include "dialogs/ScriptWriter.h"
#include "platform/NumberReading.h"
#include "platform/TextFile.h"

#include <QFileInfo>
#include <memory>
#include <set>
#include <vector>

namespace {

constexpr QLatin1StringView CrLf("\r\n");
constexpr QLatin1StringView PageMarker("PAGE ");
constexpr QLatin1StringView SelectionMarker("SELECTION ");

// Hands out a file's lines one at a time as views into its text. A line ends at CR LF or at
// a lone CR, and a lone LF belongs to the line; a text without any CR (a file edited on Linux)
// ends its lines at LF instead. What follows the last line end is a line only if not empty.
class LineReader {
public:
    explicit LineReader(QStringView text) : m_text(text), m_end(text.contains(u'\r') ? u'\r' : u'\n') {}

    bool next(QStringView &line) {
        if (m_pos >= m_text.size())
            return false;
        qsizetype stop = m_text.indexOf(m_end, m_pos);
        if (stop < 0)
            stop = m_text.size();
        line = m_text.sliced(m_pos, stop - m_pos);
        m_pos = stop + 1;
        if (m_end == u'\r' && m_pos < m_text.size() && m_text[m_pos] == u'\n')
            ++m_pos;
        return true;
    }

private:
    QStringView m_text;
    QChar m_end;
    qsizetype m_pos = 0;
};

// An answer record: the marker line, then its link line and end line. Null when those lines
// are missing or are not numbers.
std::unique_ptr<Selection> readAnswer(QStringView marker, LineReader &lines) {
    QStringView link;
    QStringView end;
    if (!lines.next(link) || !lines.next(end))
        return nullptr;
    double linkValue = 0;
    double endValue = 0;
    if (!parseDecimal(link, &linkValue) || !parseDecimal(end, &endValue))
        return nullptr;
    const bool linked = linkValue >= 0;
    auto answer = std::make_unique<Selection>();
    answer->Init(marker.sliced(SelectionMarker.size()).toString(), linked,
                 linked ? link.toString() : QString(), endValue == 1);
    return answer;
}

// Reads the page records into `pages`, in file order. False when the format broke off; the
// page being read at that point is dropped.
bool readPages(LineReader &lines, std::vector<std::unique_ptr<Dialog>> &pages) {
    QStringView line;
    do {
        if (!lines.next(line))
            return true;
    } while (line.size() < 6 || !line.startsWith(PageMarker));

    for (;;) {
        if (!lines.next(line))
            return false;
        auto page = std::make_unique<Dialog>(line.toString());
        bool anotherPage = false;
        while (lines.next(line)) {
            if (line.startsWith(PageMarker)) {
                anotherPage = true;
                break;
            }
            if (line.size() >= 11 && line.startsWith(SelectionMarker)) {
                auto answer = readAnswer(line, lines);
                if (!answer)
                    return false;
                page->AddSelection(std::move(answer)); // a sixth answer is dropped
            }
        }
        pages.push_back(std::move(page));
        if (!anotherPage)
            return true;
    }
}

// Whether AddNewDialog will take every one of `pages`: it fills the lowest placeholder slot
// first and appends otherwise, up to MaxPages, and a page read as "Null" is a placeholder
// itself. Checked first so that a refused file leaves the project as it was.
bool fitsInto(const QuestDialogs &project, const std::vector<std::unique_ptr<Dialog>> &pages) {
    std::set<qint16> placeholders;
    for (qint16 n = 0; n <= project.UpperBound(); ++n)
        if (project.Dialog(n).text() == QuestDialogs::placeholderText())
            placeholders.insert(n);
    qint16 count = project.Count();
    for (const auto &page : pages) {
        qint16 slot = 0;
        if (!placeholders.empty()) {
            slot = *placeholders.begin();
            placeholders.erase(placeholders.begin());
        } else if (count < QuestDialogs::MaxPages) {
            slot = count++;
        } else {
            return false;
        }
        if (page->text() == QuestDialogs::placeholderText())
            placeholders.insert(slot);
    }
    return true;
}

// A text on its own line: line breaks inside it become "<var.br>", which exports the same.
void appendLine(QString &out, const QString &text) {
    out.append(ScriptWriter::joinLines(text)).append(CrLf);
}

// The link line. A linked answer whose page id is not a number (an empty one included) is
// written as not linked: written verbatim, it would make the whole file unreadable.
QString linkLine(const Selection &answer) {
    if (answer.isLinked() && parseDecimal(answer.LinkPage()))
        return answer.LinkPage();
    return QStringLiteral("-1");
}

} // namespace

namespace ProjectFile {

QString text(const QString &prefix, const QString &speaker, const QuestDialogs &project) {
    qsizetype size = prefix.size() + speaker.size() + 8;
    for (qint16 n = 0; n <= project.UpperBound(); ++n) {
        const Dialog &page = project.Dialog(n);
        size += 16 + page.text().size();
        for (qint16 k = 0; k <= page.SelectionUBound(); ++k)
            size += 24 + page.Selection(k).text().size() + page.Selection(k).LinkPage().size();
    }
    QString out;
    out.reserve(size);

    appendLine(out, prefix);
    appendLine(out, speaker);
    for (qint16 n = 0; n <= project.UpperBound(); ++n) {
        const Dialog &page = project.Dialog(n);
        out.append(PageMarker).append(QString::number(n)).append(CrLf);
        appendLine(out, page.text());
        for (qint16 k = 0; k <= page.SelectionUBound(); ++k) {
            const Selection &answer = page.Selection(k);
            out.append(SelectionMarker);
            appendLine(out, answer.text());
            out.append(linkLine(answer)).append(CrLf);
            out.append(answer.EndDialog() ? u'1' : u'0').append(CrLf);
        }
    }
    out.append(CrLf);
    return out;
}

bool save(const QString &path, const QString &prefix, const QString &speaker, const QuestDialogs &project,
          QString *reason) {
    return TextFile::write(path, text(prefix, speaker, project), reason);
}

ReadResult parse(const QString &text, QuestDialogs &project) {
    ReadResult result;
    LineReader lines(text);
    QStringView line;
    if (!lines.next(line)) {
        result.status = ReadResult::Damaged;
        return result;
    }
    result.prefix = line.toString();
    result.hasPrefix = true;
    if (!lines.next(line)) {
        result.status = ReadResult::Damaged;
        return result;
    }
    result.speaker = line.toString();
    result.hasSpeaker = true;

    std::vector<std::unique_ptr<Dialog>> pages;
    const bool complete = readPages(lines, pages);
    if (!fitsInto(project, pages)) {
        result = ReadResult();
        result.status = ReadResult::TooManyPages;
        result.reason = QStringLiteral("The file holds more pages than a project can hold (at most %1)")
                            .arg(QuestDialogs::MaxPages);
        return result;
    }
    for (auto &page : pages)
        project.AddNewDialog(std::move(page));
    result.status = complete ? ReadResult::Ok : ReadResult::Damaged;
    return result;
}

ReadResult read(const QString &path, QuestDialogs &project) {
    ReadResult result;
    // Anything that exists under the name but is not a readable file (a folder, say) is worth
    // a message; only a name that names nothing ends quietly.
    if (path.isEmpty() || !QFileInfo::exists(path)) {
        result.status = ReadResult::NotFound;
        return result;
    }
    QString content;
    if (!TextFile::read(path, content, &result.reason)) {
        result.status = ReadResult::CannotRead;
        return result;
    }
    return parse(content, project);
}

} // namespace ProjectFile
