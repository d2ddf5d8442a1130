#include "core/definitions/ScriptFile.h"

#include "core/text/CodePage.h"
#include "core/text/LineBreaks.h"
#include "core/text/TextFile.h"

#include <algorithm>

namespace {
const QByteArrayView byteOrderMark("\xEF\xBB\xBF");

bool isBlankLine(QByteArrayView line) {
    return std::all_of(line.begin(), line.end(), [](char c) { return c == ' ' || c == '\t'; });
}

bool isHeader(QByteArrayView line) {
    qsizetype i = line.startsWith(byteOrderMark) ? byteOrderMark.size() : 0;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
        ++i;
    return i < line.size() && line[i] == '[';
}
} // namespace

ScriptFile::ScriptFile(QByteArray bytes) : m_bytes(std::move(bytes)) {
    scan();
}

Outcome<ScriptFile> ScriptFile::read(const QString &path) {
    Outcome<QByteArray> bytes = TextFile::readBytes(path);
    return {ScriptFile(std::move(bytes.value)), std::move(bytes.error)};
}

void ScriptFile::scan() {
    m_sections.clear();
    const QByteArrayView all(m_bytes);
    qsizetype contentEnd = 0; // after the last line of the open section that is not blank
    LineBreaks::forEachLine(all, [&](QByteArrayView line, bool ended) {
        const qsizetype begin = line.data() - all.data();
        const qsizetype end = begin + line.size() + (ended ? LineBreaks::at(all, begin + line.size()) : 0);
        if (isHeader(line)) {
            if (!m_sections.isEmpty())
                m_sections.last().end = contentEnd;
            const qsizetype bracket = line.indexOf('[');
            const DefinitionSection header({CodePage::decode(line.sliced(bracket))}, true);
            m_sections.append({header.type(), header.name(), begin + bracket, end});
        }
        if (!isBlankLine(line))
            contentEnd = end;
    });
    if (!m_sections.isEmpty())
        m_sections.last().end = contentEnd;
}

qsizetype ScriptFile::find(QStringView type, QStringView name, qsizetype nth) const {
    for (qsizetype i = 0; i < m_sections.size(); ++i)
        if (m_sections[i].type.compare(type, Qt::CaseInsensitive) == 0 &&
            m_sections[i].name.compare(name, Qt::CaseInsensitive) == 0 && nth-- == 0)
            return i;
    return -1;
}

qsizetype ScriptFile::occurrence(qsizetype index) const {
    const Section &s = m_sections.at(index);
    qsizetype before = 0;
    while (find(s.type, s.name, before) < index)
        ++before;
    return before;
}

DefinitionSection ScriptFile::section(qsizetype index) const {
    const Section &s = m_sections.at(index);
    return DefinitionSection::fromText(
        CodePage::decode(QByteArrayView(m_bytes).sliced(s.begin, s.end - s.begin)));
}

QByteArray ScriptFile::lineEnd() const {
    const QByteArrayView all(m_bytes);
    for (qsizetype i = 0; i < all.size(); ++i)
        if (const qsizetype n = LineBreaks::at(all, i))
            return m_bytes.mid(i, n);
    return "\r\n";
}

Outcome<QByteArray> ScriptFile::encode(const DefinitionSection &section, bool ended) const {
    const QByteArray end = lineEnd();
    const DefinitionSection text(section.lines(), ended || section.lastLineEnded());
    return CodePage::encode(text.text(QString::fromLatin1(end)));
}

WriteOutcome ScriptFile::replace(qsizetype index, const DefinitionSection &section) {
    const Section &old = m_sections.at(index);
    // A section followed by more of the file keeps a line end, or the next line would join its last.
    Outcome<QByteArray> bytes = encode(section, old.end < m_bytes.size());
    if (!bytes.ok())
        return bytes.error;
    m_bytes.replace(old.begin, old.end - old.begin, bytes.value);
    scan();
    return std::nullopt;
}

WriteOutcome ScriptFile::add(const DefinitionSection &section) {
    qsizetype at = m_bytes.size();
    for (const Section &s : m_sections)
        if (s.type.compare(QLatin1String("EOF"), Qt::CaseInsensitive) == 0) {
            at = s.begin;
            break;
        }
    Outcome<QByteArray> bytes = encode(section, at < m_bytes.size());
    if (!bytes.ok())
        return bytes.error;
    const QByteArray end = lineEnd();
    QByteArray before;
    QByteArrayView above; // the line above the section, none at the start of the file
    bool ended = true;
    LineBreaks::forEachLine(QByteArrayView(m_bytes).first(at), [&](QByteArrayView line, bool lineEnded) {
        above = line;
        ended = lineEnded;
    });
    if (!ended)
        before += end; // the file ends in the middle of a line
    // An empty line between the line above and the section.
    if (!isBlankLine(above))
        before += end;
    QByteArray after = at < m_bytes.size() ? end : QByteArray();
    m_bytes.insert(at, before + bytes.value + after);
    scan();
    return std::nullopt;
}

Outcome<qsizetype> ScriptFile::save(const QString &path, const DefinitionSection &section,
                                    const std::optional<Place> &replacing) {
    return save(path, {{section, replacing}});
}

Outcome<qsizetype> ScriptFile::save(const QString &path, const QList<Placed> &sections) {
    Outcome<ScriptFile> file = read(path);
    if (!file.ok() && file.error->kind != FileError::Missing)
        return {-1, file.error};
    ScriptFile &script = file.value;
    qsizetype first = -1;
    for (const auto &[section, replacing] : sections) {
        qsizetype index = replacing ? script.find(section.type(), replacing->name, replacing->nth) : -1;
        WriteOutcome changed = index >= 0 ? script.replace(index, section) : script.add(section);
        if (changed) {
            changed->path = path;
            return {-1, changed};
        }
        if (first >= 0)
            continue;
        first = index >= 0 ? script.occurrence(index) : 0;
        if (index < 0) // added: the last of its name
            while (script.find(section.type(), section.name(), first + 1) >= 0)
                ++first;
    }
    return {first, TextFile::writeBytes(path, script.bytes())};
}
