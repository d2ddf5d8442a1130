#include "core/items/ItemScriptReader.h"

#include "core/text/TextFile.h"

#include <optional>
#include <vector>

namespace {
const QLatin1String crlf("\r\n");
const QLatin1String itemdef("[ITEMDEF");
const QLatin1String itemPrefix("i_");

struct Line {
    QStringView text;
    bool ended = false; // followed by a line end in the script
};

// Splits on CR LF, LF or a lone CR, remembering whether the last line had its end.
std::vector<Line> splitLines(const QString &script) {
    std::vector<Line> lines;
    const QStringView all(script);
    qsizetype start = 0;
    for (qsizetype i = 0; i < all.size(); ++i) {
        const QChar c = all[i];
        if (c != u'\r' && c != u'\n')
            continue;
        lines.push_back({all.mid(start, i - start), true});
        if (c == u'\r' && i + 1 < all.size() && all[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < all.size())
        lines.push_back({all.mid(start), false});
    return lines;
}

bool isSectionHeader(QStringView line) {
    return line.trimmed().startsWith(u'[');
}

// The name of an "[ITEMDEF NAME]" header, or nothing for any other line.
std::optional<QString> itemdefName(QStringView line) {
    const QStringView trimmed = line.trimmed();
    if (!trimmed.startsWith(itemdef, Qt::CaseInsensitive))
        return std::nullopt;
    QStringView rest = trimmed.mid(itemdef.size());
    if (rest.isEmpty() || !rest.front().isSpace())
        return std::nullopt;
    rest = rest.trimmed();
    // Only the bracket that closes the header goes: a name may hold one of its own.
    if (rest.endsWith(u']'))
        rest.chop(1);
    return rest.toString();
}

bool isTrigger(QStringView line) {
    return line.trimmed().startsWith(QLatin1String("ON="), Qt::CaseInsensitive);
}

bool isCreateTrigger(QStringView line) {
    return line.trimmed().compare(QLatin1String("ON=@CREATE"), Qt::CaseInsensitive) == 0;
}

// The field a "KEY=VALUE" line belongs to among fields first..last, or -1.
int fieldFor(QStringView line, int first, int last) {
    const qsizetype equals = line.indexOf(u'=');
    if (equals <= 0)
        return -1;
    const QStringView key = line.left(equals).trimmed();
    for (int i = first; i <= last; ++i)
        if (key.compare(QStringView(ItemHandling::keyText(i)).chopped(1), Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}
} // namespace

QStringList ItemScriptReader::sectionNames(const QString &script) {
    QStringList names;
    for (const Line &line : splitLines(script))
        if (const auto name = itemdefName(line.text))
            names << *name;
    return names;
}

ItemScriptReader::Item ItemScriptReader::readSection(const QString &script, int index) {
    Item item;
    const std::vector<Line> lines = splitLines(script);
    size_t at = 0;
    for (int found = -1; at < lines.size(); ++at) {
        if (itemdefName(lines[at].text) && ++found == index)
            break;
    }
    if (at >= lines.size())
        return item;

    QString name = *itemdefName(lines[at].text);
    if (name.startsWith(itemPrefix, Qt::CaseInsensitive))
        name.remove(0, itemPrefix.size());
    item.fields[0] = name;

    size_t end = at + 1;
    while (end < lines.size() && !isSectionHeader(lines[end].text))
        ++end;
    // Empty lines that part this section from the next belong to neither.
    if (end < lines.size())
        while (end > at + 1 && lines[end - 1].text.trimmed().isEmpty())
            --end;

    int first = 1;
    int last = 25;
    size_t pendingBlank = 0; // empty lines seen since the last line taken
    size_t i = at + 1;
    for (; i < end; ++i) {
        const QStringView text = lines[i].text;
        if (text.trimmed().isEmpty()) {
            ++pendingBlank;
            continue;
        }
        if (isCreateTrigger(text) && first == 1) {
            first = 26;
            last = 35;
            pendingBlank = 0;
            continue;
        }
        if (isTrigger(text))
            break;
        pendingBlank = 0;
        const int field = fieldFor(text, first, last);
        const QStringView value = text.mid(text.indexOf(u'=') + 1);
        if (field >= 0 && item.fields[field].isEmpty() && !value.isEmpty())
            item.fields[field] = value.toString();
        else
            item.additional += text.toString() + crlf;
    }
    // The trigger part, from the empty lines above its first trigger.
    if (i < end) {
        for (size_t k = i - pendingBlank; k < end; ++k) {
            item.additional += lines[k].text;
            if (lines[k].ended)
                item.additional += crlf;
        }
    }
    return item;
}

Outcome<QString> ItemScriptReader::readFile(const QString &path) {
    return TextFile::read(path);
}
