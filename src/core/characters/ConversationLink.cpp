#include "core/characters/ConversationLink.h"

#include "core/text/ScriptSyntax.h"

namespace {
bool isTrigger(const QString &line) {
    const std::optional<KeyLine> key = parseKeyLine(line);
    return key && key->key.compare(QLatin1String("ON"), Qt::CaseInsensitive) == 0;
}

// The word of "ON=*word*", or nothing for another line.
std::optional<QString> wordOf(const QString &line) {
    const std::optional<KeyLine> key = parseKeyLine(line);
    if (!key || key->key.compare(QLatin1String("ON"), Qt::CaseInsensitive) != 0)
        return std::nullopt;
    const QString value = key->value.trimmed();
    if (value.size() < 3 || !value.startsWith(u'*') || !value.endsWith(u'*'))
        return std::nullopt;
    return value.mid(1, value.size() - 2);
}

// A block of a speech section: its ON= lines [begin, body) and their body [body, end).
struct Block {
    qsizetype begin, body, end;
};

QList<Block> blocks(const QStringList &lines) {
    QList<Block> found;
    qsizetype i = 1;
    while (i < lines.size()) {
        if (!isTrigger(lines[i])) {
            ++i;
            continue;
        }
        Block block{i, i, i};
        while (block.body < lines.size() && isTrigger(lines[block.body]))
            ++block.body;
        block.end = block.body;
        while (block.end < lines.size() && !isTrigger(lines[block.end]))
            ++block.end;
        found << block;
        i = block.end;
    }
    return found;
}
} // namespace

namespace ConversationLinks {

QString speechName(const QString &npcName) {
    return QStringLiteral("spk_") + npcName;
}

QString firstPage(const QString &prefix) {
    return prefix + QStringLiteral("_0");
}

QStringList openingLines(const QString &page) {
    return {QStringLiteral("SRC.SDIALOG ") + page, QStringLiteral("RETURN 1")};
}

QString openedPage(const QStringList &body) {
    QStringList lines;
    for (const QString &line : body)
        if (const QString t = line.trimmed(); !t.isEmpty() && !t.startsWith(QLatin1String("//")))
            lines << t;
    if (lines.size() != 2 || lines[1].compare(QLatin1String("RETURN 1"), Qt::CaseInsensitive) != 0)
        return {};
    const std::optional<KeyLine> open = parseKeyLine(lines[0]);
    if (!open || open->key.compare(QLatin1String("SRC.SDIALOG"), Qt::CaseInsensitive) != 0)
        return {};
    return open->value.trimmed();
}

DefinitionSection speechSection(const std::optional<DefinitionSection> &base, const QString &name,
                                const ConversationLink &link) {
    QStringList lines = base ? base->lines() : QStringList{QString()};
    const bool ended = base ? base->lastLineEnded() : true;
    lines[0] = QStringLiteral("[SPEECH %1]").arg(name);
    QStringList own;
    for (const QString &word : link.words)
        own << QStringLiteral("ON=*%1*").arg(word);
    own += openingLines(firstPage(link.prefix));
    qsizetype at = 1, end = 1;
    for (const Block &block : blocks(lines))
        if (!openedPage(lines.mid(block.body, block.end - block.body)).isEmpty()) {
            at = block.begin;
            end = block.end;
            // The blank lines that part it from the next block stay.
            while (end > block.body && lines[end - 1].trimmed().isEmpty())
                --end;
            break;
        }
    lines.remove(at, end - at);
    for (const QString &line : own)
        lines.insert(at++, line);
    return DefinitionSection(lines, ended);
}

std::optional<ConversationLink> read(const DefinitionSection &speech) {
    const QStringList &lines = speech.lines();
    for (const Block &block : blocks(lines)) {
        const QString page = openedPage(lines.mid(block.body, block.end - block.body));
        if (!page.endsWith(QLatin1String("_0")))
            continue;
        ConversationLink link;
        link.prefix = page.chopped(2);
        link.words.clear();
        for (qsizetype i = block.begin; i < block.body; ++i)
            if (const std::optional<QString> word = wordOf(lines[i]))
                link.words << *word;
        return link;
    }
    return std::nullopt;
}

QStringList warnings(const ConversationLink &link) {
    QStringList found;
    for (const QString &word : link.words)
        if (word.size() <= 3)
            found << QStringLiteral(
                         "the greeting word \"%1\" has three letters or fewer: the server finds it "
                         "inside longer words (\"hi\" in \"this\"), so the page opens when a player "
                         "says something else")
                         .arg(word);
        else if (ScriptSyntax::holdsCommentMark(word))
            found << QStringLiteral(
                         "the greeting word \"%1\" holds \"//\": the server reads the rest of its line "
                         "as a comment")
                         .arg(word);
    if (link.words.isEmpty() && !link.doubleClick)
        found << QStringLiteral(
            "the conversation has no greeting word and double-click is off: nothing opens it");
    return found;
}

} // namespace ConversationLinks
