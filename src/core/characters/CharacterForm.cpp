#include "core/characters/CharacterForm.h"

#include "core/characters/CharacterKind.h"

#include <algorithm>

namespace {
const QString freeze = QStringLiteral("statf_freeze");

bool is(QStringView key, QLatin1String name) {
    return key.compare(name, Qt::CaseInsensitive) == 0;
}

QString indentOf(const QString &line) {
    qsizetype blanks = 0;
    while (blanks < line.size() && (line[blanks] == u' ' || line[blanks] == u'\t'))
        ++blanks;
    return line.left(blanks);
}

// The line with its value (everything after the "=") replaced.
QString withValue(const QString &line, const QString &value) {
    return line.chopped(parseKeyLine(line)->value.size()) + value;
}

// The part of the section whose keys the server gives the NPC: up to the first item, or to the
// rest when there is none.
qsizetype headEnd(const DefinitionSection &section) {
    for (const KeyLine &line : section.keyLines(KeySide::Create))
        if (CharacterForms::isItemKey(line.key))
            return line.line;
    return section.restStart();
}

DefinitionSection headOf(const DefinitionSection &section) {
    const qsizetype end = headEnd(section);
    return DefinitionSection(section.lines().mid(0, end),
                             end < section.lines().size() ? true : section.lastLineEnded());
}

// An item's lines: the item's own, its COLOR= (-1 for none) and its last key line.
struct ItemLines {
    qsizetype item, colour, last;
};

QList<ItemLines> itemLines(const DefinitionSection &section) {
    QList<ItemLines> found;
    for (const KeyLine &line : section.keyLines(KeySide::Create)) {
        if (CharacterForms::isItemKey(line.key)) {
            found << ItemLines{line.line, -1, line.line};
        } else if (!found.isEmpty()) {
            found.last().last = line.line;
            if (is(line.key, QLatin1String("COLOR")))
                found.last().colour = line.line;
        }
    }
    return found;
}

OutfitItem itemAt(const QStringList &lines, const ItemLines &at) {
    const KeyLine item = *parseKeyLine(lines[at.item]);
    return {item.value, at.colour < 0 ? QString() : parseKeyLine(lines[at.colour])->value,
            is(item.key, QLatin1String("ITEMNEWBIE"))};
}

QString itemText(const OutfitItem &item) {
    return (item.newbie ? QStringLiteral("ITEMNEWBIE=") : QStringLiteral("ITEM=")) + item.item;
}

// The items of `now` in place of those the section has, each changed one in place.
DefinitionSection withItems(DefinitionSection section, const QList<OutfitItem> &now) {
    if (!section.side(KeySide::Create).present && !now.isEmpty())
        section.addValue(characterKind().keys(), KeySide::Create, itemText(now.first()).section(u'=', 0, 0),
                         now.first().item);
    const QList<ItemLines> at = itemLines(section);
    QStringList lines = section.lines();
    QList<OutfitItem> old;
    for (const ItemLines &item : at)
        old << itemAt(lines, item);
    const QList<KeyLine> keys = section.keyLines(KeySide::Create);
    const QString indent = !at.isEmpty()    ? indentOf(lines[at.first().item])
                           : keys.isEmpty() ? QString()
                                            : indentOf(lines[keys.last().line]);
    qsizetype append = !at.isEmpty()     ? at.last().last + 1
                       : !keys.isEmpty() ? keys.last().line + 1
                                         : section.side(KeySide::Create).begin;
    for (qsizetype i = old.size(); i < now.size(); ++i) {
        lines.insert(append++, indent + itemText(now[i]));
        if (!now[i].colour.isEmpty())
            lines.insert(append++, indent + QStringLiteral("COLOR=") + now[i].colour);
    }
    for (qsizetype i = old.size() - 1; i >= 0; --i) {
        const ItemLines &item = at[i];
        if (i >= now.size()) {
            lines.remove(item.item, item.last - item.item + 1);
            continue;
        }
        if (old[i] == now[i])
            continue;
        const QString own = indentOf(lines[item.item]);
        if (item.colour >= 0 && now[i].colour.isEmpty())
            lines.removeAt(item.colour);
        else if (item.colour >= 0)
            lines[item.colour] = withValue(lines[item.colour], now[i].colour);
        else if (!now[i].colour.isEmpty())
            lines.insert(item.item + 1, own + QStringLiteral("COLOR=") + now[i].colour);
        if (old[i].newbie != now[i].newbie)
            lines[item.item] = own + itemText(now[i]);
        else if (old[i].item != now[i].item)
            lines[item.item] = withValue(lines[item.item], now[i].item);
    }
    return DefinitionSection(lines, section.lastLineEnded());
}

// Adds "FLAGS|=statf_freeze", or takes statf_freeze out of every FLAGS= line of the NPC.
void setFrozen(DefinitionSection &head, bool frozen) {
    if (frozen) {
        head.addValue(characterKind().keys(), KeySide::Create, QStringLiteral("FLAGS|"), freeze);
        return;
    }
    QStringList lines = head.lines();
    const QList<KeyLine> keys = head.keyLines(KeySide::Create);
    for (auto line = keys.crbegin(); line != keys.crend(); ++line) {
        if (!is(line->key, QLatin1String("FLAGS")))
            continue;
        QStringList flags = line->value.split(u'|');
        flags.removeIf(
            [](const QString &flag) { return flag.trimmed().compare(freeze, Qt::CaseInsensitive) == 0; });
        if (flags.isEmpty())
            lines.removeAt(line->line);
        else
            lines[line->line] = withValue(lines[line->line], flags.join(u'|'));
    }
    head = DefinitionSection(lines, head.lastLineEnded());
}

// The rest's ON=@DClick trigger that opens a page 0, as the conversation writes it: [begin, end)
// of the rest's lines, the blank lines after it included.
std::pair<qsizetype, qsizetype> clickTrigger(const QStringList &rest, QString *page) {
    const auto trigger = [](const QString &line) {
        const std::optional<KeyLine> key = parseKeyLine(line);
        return key && is(key->key, QLatin1String("ON"));
    };
    for (qsizetype i = 0; i < rest.size(); ++i) {
        if (!trigger(rest[i]) || parseKeyLine(rest[i])->value.trimmed().compare(QLatin1String("@DClick"),
                                                                                Qt::CaseInsensitive) != 0)
            continue;
        qsizetype end = i + 1;
        while (end < rest.size() && !trigger(rest[end]))
            ++end;
        const QString opened = ConversationLinks::openedPage(rest.mid(i + 1, end - i - 1));
        if (opened.endsWith(QLatin1String("_0"))) {
            *page = opened;
            return {i, end};
        }
    }
    return {-1, -1};
}

QString clickPage(const CharacterForm &form) {
    return form.link && form.link->doubleClick && !form.link->prefix.isEmpty()
               ? ConversationLinks::firstPage(form.link->prefix)
               : QString();
}

// Every TSPEECH= of the form: the conversation's first.
QStringList allSpeeches(const CharacterForm &form) {
    const bool bySpeech = form.link && !form.link->prefix.isEmpty() && !form.link->words.isEmpty();
    const QString name = form.values.name.isEmpty() ? characterKind().shape().defaultName : form.values.name;
    return (bySpeech ? QStringList{ConversationLinks::speechName(name)} : QStringList()) + form.speeches;
}

qsizetype field(QLatin1String key, KeySide side) {
    const QList<KeyEntry> &entries = characterKind().keys().entries();
    for (qsizetype i = 0; i < entries.size(); ++i)
        if (entries[i].side == side && is(entries[i].key, key))
            return i;
    return -1;
}
} // namespace

namespace CharacterForms {

QString shownName(const DefinitionSection &section) {
    return characterKind().shownName(section);
}

bool isItemKey(QStringView key) {
    return is(key, QLatin1String("ITEM")) || is(key, QLatin1String("ITEMNEWBIE"));
}

QList<KeyLine> npcKeyLines(const DefinitionSection &section) {
    return headOf(section).keyLines(KeySide::Create);
}

CharacterForm empty() {
    return {characterKind().emptyForm(), {}, {}, false, {}, std::nullopt};
}

CharacterForm newCharacter() {
    CharacterForm form = empty();
    form.values.values[field(QLatin1String("ID"), KeySide::Body)] = QStringLiteral("c_man");
    form.values.values[field(QLatin1String("NPC"), KeySide::Create)] = QStringLiteral("brain_human");
    for (const char *stat : {"STR", "DEX", "INT"})
        form.values.values[field(QLatin1String(stat), KeySide::Create)] = QStringLiteral("50");
    form.staysInPlace = true;
    return form;
}

CharacterForm read(const DefinitionSection &character, const std::optional<DefinitionSection> &speech) {
    const DefinitionKind &kind = characterKind();
    CharacterForm form = empty();
    form.values = kind.formValues(headOf(character));
    for (const KeyLine &line : npcKeyLines(character)) {
        if (is(line.key, QLatin1String("COLOR")))
            form.skin = line.value;
        if (is(line.key, QLatin1String("FLAGS")))
            for (const QString &flag : line.value.split(u'|'))
                form.staysInPlace |= flag.trimmed().compare(freeze, Qt::CaseInsensitive) == 0;
    }
    for (const ItemLines &item : itemLines(character))
        form.items << itemAt(character.lines(), item);

    // The conversation's speech section when the file has it: a TSPEECH= naming one it does not
    // have (another file may) stays among the other speeches.
    form.speeches = character.values(*kind.keys().find(u"TSPEECH", KeySide::Body));
    const QString linkName = ConversationLinks::speechName(shownName(character));
    std::optional<ConversationLink> said;
    if (speech && form.speeches.contains(linkName, Qt::CaseInsensitive))
        said = ConversationLinks::read(*speech);
    if (said && !said->words.isEmpty())
        form.speeches.removeIf(
            [&](const QString &s) { return s.compare(linkName, Qt::CaseInsensitive) == 0; });
    else
        said.reset();

    // The rest without the conversation's trigger: what the "Additional" text shows.
    QStringList rest = character.lines().mid(character.restStart());
    QString page;
    const auto [begin, end] = clickTrigger(rest, &page);
    // Lines that stood above the trigger had their line ends.
    const bool ended = character.lastLineEnded() || (begin >= 0 && end == rest.size());
    if (begin >= 0)
        rest.remove(begin, end - begin);
    const bool blank =
        std::all_of(rest.cbegin(), rest.cend(), [](const QString &line) { return line.trimmed().isEmpty(); });
    form.values.rest = blank ? QString() : DefinitionSection(rest, ended).text();

    if (said || !page.isEmpty()) {
        ConversationLink link =
            said.value_or(ConversationLink{page.chopped(page.isEmpty() ? 0 : 2), {}, false});
        link.doubleClick = !page.isEmpty();
        form.link = link;
    }
    return form;
}

DefinitionSection write(const DefinitionSection &base, const CharacterForm &was, const CharacterForm &now) {
    const DefinitionKind &kind = characterKind();
    const qsizetype headSize = headEnd(base);
    DefinitionSection head = headOf(base);
    FormValues wasValues = was.values, nowValues = now.values;
    wasValues.rest = nowValues.rest = QString();
    head = kind.withForm(head, wasValues, nowValues);
    if (now.skin != was.skin)
        head.setValue(kind.keys(), KeySide::Create, QStringLiteral("COLOR"), now.skin);
    if (now.staysInPlace != was.staysInPlace)
        setFrozen(head, now.staysInPlace);
    if (const QStringList speeches = allSpeeches(now); speeches != allSpeeches(was)) {
        QList<std::pair<QString, QString>> lines;
        for (const QString &speech : speeches)
            lines.append({QStringLiteral("TSPEECH"), speech});
        head.replaceKeys(kind.keys(), KeySide::Body, {QStringLiteral("TSPEECH")}, lines);
    }
    const bool tail = headSize < base.lines().size();
    DefinitionSection out(head.lines() + base.lines().mid(headSize),
                          tail ? base.lastLineEnded() : head.lastLineEnded());
    if (now.values.rest != was.values.rest || clickPage(now) != clickPage(was)) {
        const QString page = clickPage(now);
        const QString click = page.isEmpty()
                                  ? QString()
                                  : QStringLiteral("\r\nON=@DClick\r\n") +
                                        ConversationLinks::openingLines(page).join(QStringLiteral("\r\n")) +
                                        QStringLiteral("\r\n");
        out.setRest(click + now.values.rest);
    }
    if (now.items != was.items)
        out = withItems(out, now.items);
    return out;
}

DefinitionSection withNpcKey(const DefinitionSection &section, const QString &key, const QString &value) {
    const qsizetype end = headEnd(section);
    DefinitionSection head = headOf(section);
    head.setValue(characterKind().keys(), KeySide::Create, key, value);
    return DefinitionSection(head.lines() + section.lines().mid(end),
                             end < section.lines().size() ? section.lastLineEnded() : head.lastLineEnded());
}

QString npcName(const CharacterForm &form) {
    for (const qsizetype at :
         {field(QLatin1String("NAME"), KeySide::Create), field(QLatin1String("NAME"), KeySide::Body)})
        if (!form.values.values.value(at).isEmpty())
            return form.values.values.value(at);
    return form.values.name.isEmpty() ? characterKind().shape().defaultName : form.values.name;
}

} // namespace CharacterForms
