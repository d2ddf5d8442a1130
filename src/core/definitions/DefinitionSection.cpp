#include "core/definitions/DefinitionSection.h"

#include "core/text/LineBreaks.h"

namespace {
// What may stand between a key and its "=": "FLAGS|=statf_freeze".
constexpr QStringView operators(u"|&+-*/^%!");

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

bool isKeyCharacter(QChar c) {
    return c.isLetterOrNumber() || c == u'_' || c == u'.';
}

// Where the key of a line ends (after its leading blanks), or -1 for a line without one.
qsizetype keyEnd(QStringView line, qsizetype *keyStart = nullptr) {
    qsizetype i = 0;
    while (i < line.size() && isBlank(line[i]))
        ++i;
    const qsizetype start = i;
    while (i < line.size() && isKeyCharacter(line[i]))
        ++i;
    if (keyStart)
        *keyStart = start;
    return i > start ? i : -1;
}

// Where the value of a key ending at `end` starts: after the "=" (blanks and an operator such
// as the "|" of "|=" may stand before it), else after the blanks that follow the key. -1 when
// nothing parts the key from what follows ("NAME" alone).
qsizetype valueStart(QStringView line, qsizetype end) {
    qsizetype i = end;
    while (i < line.size() && isBlank(line[i]))
        ++i;
    qsizetype op = i;
    while (op < line.size() && operators.contains(line[op]))
        ++op;
    if (op < line.size() && line[op] == u'=')
        return op + 1;
    return i > end ? i : -1;
}

bool isTrigger(QStringView line) {
    const std::optional<KeyLine> key = parseKeyLine(line);
    return key && key->key.compare(QLatin1String("ON"), Qt::CaseInsensitive) == 0;
}

bool isCreateTrigger(QStringView line) {
    const std::optional<KeyLine> key = parseKeyLine(line);
    return key && key->key.compare(QLatin1String("ON"), Qt::CaseInsensitive) == 0 &&
           QStringView(key->value).trimmed().compare(QLatin1String("@CREATE"), Qt::CaseInsensitive) == 0;
}

bool isBlankLine(QStringView line) {
    return line.trimmed().isEmpty();
}

const QLatin1String createTrigger("ON=@CREATE");
} // namespace

std::optional<KeyLine> parseKeyLine(QStringView line) {
    qsizetype start = 0;
    const qsizetype end = keyEnd(line, &start);
    if (end < 0)
        return std::nullopt;
    const qsizetype value = valueStart(line, end);
    return KeyLine{0, line.sliced(start, end - start).toString(),
                   value < 0 ? QString() : line.sliced(value).toString()};
}

DefinitionSection::DefinitionSection(QStringList lines, bool lastLineEnded)
    : m_lines(std::move(lines)), m_lastLineEnded(lastLineEnded) {}

DefinitionSection DefinitionSection::fromText(QStringView text) {
    DefinitionSection section;
    LineBreaks::forEachLine(text, [&section](QStringView line, bool ended) {
        section.m_lines.append(line.toString());
        section.m_lastLineEnded = ended;
    });
    return section;
}

QString DefinitionSection::text(QStringView lineEnd) const {
    QString out;
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        out += m_lines[i];
        if (i + 1 < m_lines.size() || m_lastLineEnded)
            out += lineEnd;
    }
    return out;
}

QString DefinitionSection::type() const {
    if (m_lines.isEmpty())
        return QString();
    const QStringView header = QStringView(m_lines.first()).trimmed();
    if (!header.startsWith(u'['))
        return QString();
    qsizetype end = 1;
    while (end < header.size() && !header[end].isSpace() && header[end] != u']')
        ++end;
    return header.sliced(1, end - 1).toString();
}

QString DefinitionSection::name() const {
    if (m_lines.isEmpty())
        return QString();
    const QStringView header = QStringView(m_lines.first()).trimmed();
    const qsizetype typeEnd = 1 + type().size();
    if (typeEnd >= header.size() || !header[typeEnd].isSpace())
        return QString();
    QStringView name = header.sliced(typeEnd).trimmed();
    // Only the bracket that closes the header goes: a name may hold one of its own.
    if (name.endsWith(u']'))
        name.chop(1);
    return name.toString();
}

void DefinitionSection::setHeader(const QString &header) {
    if (m_lines.isEmpty())
        m_lines.append(header);
    else
        m_lines.first() = header;
}

DefinitionSection::Range DefinitionSection::side(KeySide side) const {
    const qsizetype n = m_lines.size();
    qsizetype trigger = qMin<qsizetype>(1, n);
    while (trigger < n && !isTrigger(m_lines[trigger]))
        ++trigger;
    if (side == KeySide::Body)
        return {qMin<qsizetype>(1, n), trigger, true};
    if (trigger == n || !isCreateTrigger(m_lines[trigger]))
        return {trigger, trigger, false};
    qsizetype end = trigger + 1;
    while (end < n && !isTrigger(m_lines[end]))
        ++end;
    return {trigger + 1, end, true};
}

qsizetype DefinitionSection::restStart() const {
    const Range create = side(KeySide::Create);
    qsizetype start = create.end;
    if (start >= m_lines.size())
        return m_lines.size();
    const qsizetype floor = create.present ? create.begin : qMin<qsizetype>(1, m_lines.size());
    while (start > floor && isBlankLine(m_lines[start - 1]))
        --start;
    return start;
}

QList<KeyLine> DefinitionSection::keyLines(KeySide side) const {
    QList<KeyLine> found;
    const Range range = this->side(side);
    for (qsizetype i = range.begin; i < range.end; ++i)
        if (std::optional<KeyLine> key = parseKeyLine(m_lines[i])) {
            key->line = i;
            found.append(std::move(*key));
        }
    return found;
}

QStringList DefinitionSection::values(const KeyEntry &entry) const {
    QStringList found;
    for (const KeyLine &line : keyLines(entry.side))
        if (entry.matches(line.key))
            found.append(line.value);
    return found;
}

void DefinitionSection::setValue(const KeyTable &table, KeySide side, const QString &key,
                                 const QString &value) {
    qsizetype last = -1;
    for (const KeyLine &line : keyLines(side))
        if (line.key.compare(key, Qt::CaseInsensitive) == 0)
            last = line.line;
    if (last >= 0) {
        if (value.isEmpty()) {
            m_lines.removeAt(last);
            return;
        }
        QString &line = m_lines[last];
        const qsizetype start = valueStart(line, keyEnd(line));
        line = start < 0 ? line + u'=' + value : line.left(start) + value;
        return;
    }
    if (!value.isEmpty())
        addValue(table, side, key, value);
}

void DefinitionSection::addValue(const KeyTable &table, KeySide side, const QString &key,
                                 const QString &value) {
    if (!this->side(side).present)
        addCreateSide();
    // "FLAGS|" is the key FLAGS written with its operator.
    QString bare = key;
    while (!bare.isEmpty() && operators.contains(bare.back()))
        bare.chop(1);
    qsizetype at = -1;
    for (const KeyLine &line : keyLines(side))
        if (line.key.compare(bare, Qt::CaseInsensitive) == 0)
            at = line.line + 1;
    if (at < 0)
        at = insertPosition(table, side, bare);
    m_lines.insert(at, indentAt(side, at) + key + u'=' + value);
}

void DefinitionSection::replaceKeys(const KeyTable &table, KeySide side, const QStringList &keys,
                                    const QList<std::pair<QString, QString>> &lines) {
    qsizetype at = -1;
    const QList<KeyLine> present = keyLines(side);
    for (auto line = present.crbegin(); line != present.crend(); ++line)
        if (keys.contains(line->key, Qt::CaseInsensitive)) {
            m_lines.removeAt(line->line);
            at = line->line;
        }
    if (lines.isEmpty())
        return;
    if (!this->side(side).present)
        addCreateSide();
    if (at < 0)
        at = insertPosition(table, side, lines.first().first);
    const QString indent = indentAt(side, at);
    for (const auto &[key, value] : lines)
        m_lines.insert(at++, indent + key + u'=' + value);
}

void DefinitionSection::setRest(QStringView text) {
    const qsizetype start = restStart();
    if (start < m_lines.size()) {
        m_lines.resize(start);
        m_lastLineEnded = true;
    }
    LineBreaks::forEachLine(text, [this](QStringView line, bool ended) {
        m_lines.append(line.toString());
        m_lastLineEnded = ended;
    });
}

qsizetype DefinitionSection::insertPosition(const KeyTable &table, KeySide side, const QString &key) const {
    const QList<KeyLine> present = keyLines(side);
    const KeyEntry *entry = table.find(key, side);
    const auto entryOf = [&](const KeyLine &line) { return table.find(line.key, side); };
    const int rank = table.rank(entry);
    qsizetype at = -1;
    if (rank >= 0) {
        // After the last key the table writes before this one, else before the first it writes after.
        for (const KeyLine &line : present)
            if (const int other = table.rank(entryOf(line)); other >= 0 && other < rank)
                at = line.line + 1;
        for (auto line = present.cbegin(); at < 0 && line != present.cend(); ++line)
            if (table.rank(entryOf(*line)) > rank)
                at = line->line;
    }
    if (at < 0)
        at = present.isEmpty() ? this->side(side).begin : present.last().line + 1;
    for (const KeyLine &line : present) {
        const KeyEntry *other = entryOf(line);
        if (entry && entry->first && other && other->copiedByFirst && line.line < at)
            at = line.line;
        if (entry && entry->copiedByFirst && other && other->first && line.line >= at)
            at = line.line + 1;
    }
    return at;
}

QString DefinitionSection::indentAt(KeySide side, qsizetype at) const {
    // New lines line up with the key lines around them: the nearest above, else the first below.
    const QList<KeyLine> present = keyLines(side);
    const KeyLine *near = nullptr;
    for (const KeyLine &line : present)
        if (!near || line.line < at)
            near = &line;
    if (!near)
        return QString();
    const QString &line = m_lines[near->line];
    qsizetype blanks = 0;
    while (blanks < line.size() && isBlank(line[blanks]))
        ++blanks;
    return line.left(blanks);
}

void DefinitionSection::addCreateSide() {
    const qsizetype at = side(KeySide::Body).end;
    m_lines.insert(at, QString(createTrigger));
    // An empty line parts the body from it, as the item writer has always written it.
    if (at > 0 && !isBlankLine(m_lines[at - 1]))
        m_lines.insert(at, QString());
}
