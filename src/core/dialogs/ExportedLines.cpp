#include "core/dialogs/ExportedLines.h"

#include "core/dialogs/ProjectCopy.h"
#include "core/dialogs/QuestDialogs.h"
#include "core/dialogs/ScriptWriter.h"

#include <QStringList>

namespace {
// Follows the script section by section: each page has its gump, its Text and its BUTTON
// section, found by their exact header lines in that order.
class LineSorter {
public:
    LineSorter(const QuestDialogs &project, const QString &prefix) : m_project(project), m_prefix(prefix) {}

    ExportedLine sort(const QString &line) {
        ExportedLine sorted;
        sorted.text = line;
        if (m_row == 0 && m_section == BeforePages) {
            sorted.kind = ExportedLine::Marker;
        } else if (line == nextHeader()) {
            advance();
            sorted.kind = ExportedLine::Header;
        } else {
            sortWithinSection(sorted);
        }
        sorted.page = m_page;
        ++m_row;
        return sorted;
    }

private:
    enum Section { BeforePages, Gump, Text, Button };

    QString nextHeader() const {
        const bool gumpNext = m_section == BeforePages || m_section == Button;
        const QString name =
            QStringLiteral("[DIALOG %1_%2").arg(m_prefix, QString::number(gumpNext ? m_nextPage : m_page));
        if (gumpNext)
            return name + u']';
        return name + (m_section == Gump ? QLatin1String(" Text]") : QLatin1String(" BUTTON]"));
    }

    void advance() {
        if (m_section == BeforePages || m_section == Button) {
            m_page = static_cast<qint16>(m_nextPage++);
            m_section = Gump;
        } else {
            m_section = m_section == Gump ? Text : Button;
        }
        m_row = -1; // the header itself; the next line is row 0 of the section
        m_answer = -1;
    }

    void sortWithinSection(ExportedLine &sorted) {
        const qint16 answers = m_project.Dialog(m_page).SelectionCount();
        if (m_section == Text) {
            if (m_row == 0)
                sorted.kind = ExportedLine::Speaker;
            else if (m_row == 1)
                sorted.kind = ExportedLine::Speech;
            else if (m_row - 2 < answers) {
                sorted.kind = ExportedLine::Answer;
                sorted.answer = static_cast<qint16>(m_row - 2);
            }
        } else if (m_section == Button) {
            if (sorted.text.startsWith(QLatin1String("ON=")))
                m_answer = static_cast<qint16>(sorted.text.mid(3).toInt() - 1);
            sorted.answer = m_answer;
            sorted.kind = sorted.text.startsWith(QLatin1String("\tsrc.iQuest::GetDialog "))
                              ? ExportedLine::Call
                              : ExportedLine::Handler;
        }
    }

    const QuestDialogs &m_project;
    const QString &m_prefix;
    Section m_section = BeforePages;
    qint16 m_page = 0;
    int m_nextPage = 0;
    qint16 m_answer = -1;
    int m_row = 0;
};
} // namespace

std::vector<ExportedLine> exportedLines(const QuestDialogs &project, const QString &prefix,
                                        const QString &speaker) {
    const std::unique_ptr<QuestDialogs> copy = copyProject(project);
    if (!speaker.isEmpty())
        copy->setSpeaker(speaker);
    QStringList lines = ScriptWriter::scriptText(*copy, prefix).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast(); // after the last CR LF

    LineSorter sorter(*copy, prefix);
    std::vector<ExportedLine> sorted;
    sorted.reserve(static_cast<size_t>(lines.size()));
    for (const QString &line : lines)
        sorted.push_back(sorter.sort(line));
    return sorted;
}
