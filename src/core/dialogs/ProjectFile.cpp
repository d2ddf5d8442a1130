#include "core/dialogs/ProjectFile.h"

#include "core/dialogs/JoinedText.h"
#include "core/dialogs/QuestDialogs.h"
#include "core/dialogs/ScriptWriter.h"
#include "core/text/Ascii.h"
#include "core/text/CodePage.h"
#include "core/text/EncodedText.h"
#include "core/text/NumberReading.h"
#include "core/text/TextFile.h"
#include "core/text/TextFileLines.h"

#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <algorithm>
#include <memory>
#include <set>
#include <vector>

namespace {

constexpr QLatin1StringView CrLf("\r\n");
constexpr QLatin1StringView PageMarker("PAGE ");
constexpr QLatin1StringView SelectionMarker("SELECTION ");

// The parser reads the lines of a file (TextFileLines), whose views last only until the next
// line is read.

// An answer record: the marker line, then its link line and end line. Null when those lines
// are missing or are not numbers.
std::unique_ptr<Selection> readAnswer(QStringView marker, TextFileLines &lines) {
    const QString text = marker.sliced(SelectionMarker.size()).toString();
    QStringView link;
    QStringView end;
    double linkValue = 0;
    double endValue = 0;
    if (!lines.next(link) || !parseDecimal(link, &linkValue))
        return nullptr;
    const bool linked = linkValue >= 0;
    const QString linkPage = linked ? link.toString() : QString();
    if (!lines.next(end) || !parseDecimal(end, &endValue))
        return nullptr;
    auto answer = std::make_unique<Selection>();
    answer->Init(text, linked, linkPage, endValue == 1);
    return answer;
}

// Where AddNewDialog will put each page read: the lowest placeholder slot first, else a new
// slot at the end, up to MaxPages; a page read as "Null" is a placeholder itself. Followed while
// reading, so that a file with more pages than a project holds is refused as soon as that shows,
// without the rest of it being read into memory, and the project is left as it was.
class SlotPlan {
public:
    explicit SlotPlan(const QuestDialogs &project) : m_count(project.Count()) {
        for (qint16 n = 0; n <= project.UpperBound(); ++n)
            if (project.Dialog(n).text() == QuestDialogs::placeholderText())
                m_placeholders.insert(n);
    }

    // False when the project has no slot left for the page.
    bool take(const Dialog &page) {
        qint16 slot = 0;
        if (!m_placeholders.empty()) {
            slot = *m_placeholders.begin();
            m_placeholders.erase(m_placeholders.begin());
        } else if (m_count < QuestDialogs::MaxPages) {
            slot = m_count++;
        } else {
            return false;
        }
        if (page.text() == QuestDialogs::placeholderText())
            m_placeholders.insert(slot);
        return true;
    }

private:
    std::set<qint16> m_placeholders;
    qint16 m_count;
};

enum class PagesRead { Complete, Damaged, TooMany };

// Reads the page records into `pages`, in file order. When the format breaks off, the page
// being read at that point is dropped.
PagesRead readPages(TextFileLines &lines, SlotPlan &plan, std::vector<std::unique_ptr<Dialog>> &pages) {
    QStringView line;
    do {
        if (!lines.next(line))
            return PagesRead::Complete;
    } while (line.size() < 6 || !line.startsWith(PageMarker));

    for (;;) {
        if (!lines.next(line))
            return PagesRead::Damaged;
        // The speech box shows a line break where the file holds "<var.br>".
        auto page = std::make_unique<Dialog>(JoinedText::restoreLineBreaks(line));
        bool anotherPage = false;
        while (lines.next(line)) {
            if (line.startsWith(PageMarker)) {
                anotherPage = true;
                break;
            }
            if (line.size() >= 11 && line.startsWith(SelectionMarker)) {
                auto answer = readAnswer(line, lines);
                if (!answer)
                    return PagesRead::Damaged;
                page->AddSelection(std::move(answer)); // a sixth answer is dropped
            }
        }
        if (!plan.take(*page))
            return PagesRead::TooMany;
        // A "Null" page is a placeholder, and the page read after it always takes its slot:
        // it need not be kept, however many of them a file holds.
        if (!pages.empty() && pages.back()->text() == QuestDialogs::placeholderText())
            pages.pop_back();
        pages.push_back(std::move(page));
        if (!anotherPage)
            return PagesRead::Complete;
    }
}

// The file is built straight as its bytes (EncodedText), in one pass over the project.

// A text on its own line: line breaks inside it become "<var.br>", which exports the same.
void appendLine(EncodedText &out, const QString &text) {
    out.append(ScriptWriter::joinLines(text)).append(CrLf);
}

// A stored text on its own line, appended from the stored characters themselves.
template <class Text> void appendStoredLine(EncodedText &out, const Text &text) {
    text.visitText([&out](auto view) { JoinedText::append(out, view); });
    out.append(CrLf);
}

bool isDecimal(QStringView text) {
    return parseDecimal(text);
}

// Latin-1 bytes are widened on the stack to be read; only a long text needs a string.
bool isDecimal(QLatin1StringView text) {
    char16_t wide[64];
    if (text.size() > qsizetype(std::size(wide)))
        return parseDecimal(text.toString());
    Ascii::widen(text.data(), text.size(), wide);
    return parseDecimal(QStringView(wide, text.size()));
}

// The link line. A linked answer whose page id is not a number (an empty one included) is
// written as not linked: written verbatim, it would make the whole file unreadable.
void appendLinkLine(EncodedText &out, const Selection &answer) {
    const bool written = answer.isLinked() && answer.visitLinkPage([&out](auto link) {
        if (!isDecimal(link))
            return false;
        out.append(link);
        return true;
    });
    if (!written)
        out.append(QLatin1StringView("-1"));
    out.append(CrLf);
}

// A rough size of the file, measured on at most 256 pages spread over the project and scaled
// up with some to spare (see the script writer's estimate).
qsizetype estimatedSize(const QString &prefix, const QString &speaker, const QuestDialogs &project) {
    const qint16 step = static_cast<qint16>(std::max(1, project.Count() / 256));
    qsizetype sampled = 0;
    qsizetype size = 0;
    for (qint16 n = 0; n <= project.UpperBound(); n = static_cast<qint16>(n + step)) {
        const Dialog &page = project.Dialog(n);
        size += 16 + page.text().size();
        for (qint16 k = 0; k <= page.SelectionUBound(); ++k)
            size += 24 + page.Selection(k).text().size() + page.Selection(k).LinkPage().size();
        ++sampled;
        if (n > project.UpperBound() - step)
            break;
    }
    return prefix.size() + speaker.size() + 8 + size * project.Count() / sampled * 5 / 4;
}

void appendFile(EncodedText &out, const QString &prefix, const QString &speaker,
                const QuestDialogs &project) {
    // Reading drops a byte-order mark at the start of a file, where other editors write one: a
    // prefix that itself starts with U+FEFF goes after one more, or it would come back without it.
    if (prefix.startsWith(QChar(0xFEFF)) && CodePage::dropsByteOrderMark())
        out.append(QChar(0xFEFF));
    appendLine(out, prefix);
    appendLine(out, speaker);
    for (qint16 n = 0; n <= project.UpperBound(); ++n) {
        const Dialog &page = project.Dialog(n);
        out.append(PageMarker).append(Ascii::Decimal(n).view()).append(CrLf);
        appendStoredLine(out, page);
        for (qint16 k = 0; k <= page.SelectionUBound(); ++k) {
            const Selection &answer = page.Selection(k);
            out.append(SelectionMarker);
            appendStoredLine(out, answer);
            appendLinkLine(out, answer);
            out.append(answer.EndDialog() ? QLatin1StringView("1\r\n") : QLatin1StringView("0\r\n"));
        }
    }
    out.append(CrLf);
}

// Reads a whole file into `project`. A file that cannot be read to its end changes nothing.
Outcome<ProjectFile::Header> parseLines(TextFileLines &lines, QuestDialogs &project) {
    Outcome<ProjectFile::Header> result;
    const auto broken = [&lines, &result] {
        if (lines.failed())
            return Outcome<ProjectFile::Header>{{}, FileError{{}, 0, lines.error()}};
        result.error = FileError{{}, lines.lineNumber(), ProjectFile::damagedMessage(), FileError::Damaged};
        return result;
    };
    QStringView line;
    if (!lines.next(line))
        return broken();
    result.value.prefix = line.toString();
    if (!lines.next(line))
        return broken();
    result.value.speaker = line.toString();

    SlotPlan plan(project);
    std::vector<std::unique_ptr<Dialog>> pages;
    const PagesRead outcome = readPages(lines, plan, pages);
    if (lines.failed())
        return broken();
    if (outcome == PagesRead::TooMany)
        return {{},
                FileError{{},
                          0,
                          QStringLiteral("The file holds more pages than a project can hold (at most %1)")
                              .arg(QuestDialogs::MaxPages)}};
    for (auto &page : pages)
        project.AddNewDialog(std::move(page));
    return outcome == PagesRead::Complete ? result : broken();
}

// The file's bytes in the system code page. Built straight as bytes: a large project is never
// held as UTF-16 text as well.
Outcome<QByteArray> fileBytes(const QString &prefix, const QString &speaker, const QuestDialogs &project) {
    EncodedText out(estimatedSize(prefix, speaker, project));
    appendFile(out, prefix, speaker, project);
    return out.take();
}

} // namespace

namespace ProjectFile {

WriteOutcome write(QIODevice &device, const QString &prefix, const QString &speaker,
                   const QuestDialogs &project) {
    const Outcome<QByteArray> bytes = fileBytes(prefix, speaker, project);
    if (!bytes.ok())
        return bytes.error;
    if (device.write(bytes.value) != bytes.value.size())
        return FileError{{}, 0, device.errorString()};
    return std::nullopt;
}

WriteOutcome save(const QString &path, const QString &prefix, const QString &speaker,
                  const QuestDialogs &project) {
    Outcome<QByteArray> bytes = fileBytes(prefix, speaker, project);
    if (!bytes.ok()) {
        bytes.error->path = path;
        return bytes.error;
    }
    return TextFile::writeBytes(path, bytes.value);
}

Outcome<Header> read(QIODevice &device, QuestDialogs &project) {
    TextFileLines lines;
    if (WriteOutcome failed = lines.open(device))
        return {{}, std::move(failed)};
    // A picture or a file of another program: its bytes would read as a nonsense project.
    if (lines.holdsNul())
        return {{}, FileError{{}, 0, notTextReason()}};
    return parseLines(lines, project);
}

Outcome<Header> read(const QString &path, QuestDialogs &project) {
    // Anything that exists under the name but is not a readable file (a folder, say) is worth
    // a message; only a name that names nothing ends quietly.
    if (path.isEmpty() || !QFileInfo::exists(path))
        return {{}, FileError{path, 0, QStringLiteral("no such file"), FileError::Missing}};
    // Read line by line: a large file is never held whole, as bytes or as text.
    QFile file;
    Outcome<Header> result;
    result.error = TextFile::openForReading(file, path);
    if (result.ok())
        result = read(file, project);
    if (result.error)
        result.error->path = path;
    return result;
}

} // namespace ProjectFile
