#include "core/definitions/DefinitionRules.h"

#include "core/text/ScriptSyntax.h"

#include <algorithm>
#include <limits>

namespace DefinitionRules {

QList<Finding> orderedKeyLines(const DefinitionSection &section, const KeyTable &table) {
    QList<Finding> all;
    for (KeySide side : {KeySide::Body, KeySide::Create}) {
        QList<Finding> found;
        for (const KeyLine &line : section.keyLines(side))
            found.append({side, line, table.find(line.key, side)});
        const auto rank = [&table](const Finding &f) {
            const int r = table.rank(f.entry);
            return r < 0 ? std::numeric_limits<int>::max() : r;
        };
        std::stable_sort(found.begin(), found.end(),
                         [&rank](const Finding &a, const Finding &b) { return rank(a) < rank(b); });
        all += found;
    }
    return all;
}

QString keyText(const Finding &finding) {
    return finding.entry ? finding.entry->text() : finding.line.key.toUpper() + u'=';
}

QList<KeyLine> linesOf(const DefinitionSection &section, KeySide side, QStringView key) {
    QList<KeyLine> found = section.keyLines(side);
    found.removeIf([key](const KeyLine &line) { return line.key.compare(key, Qt::CaseInsensitive) != 0; });
    return found;
}

DefinitionRule notes(KeyNote note) {
    return [note](const DefinitionSection &section, const DefinitionKind &kind, QStringList &found) {
        for (const Finding &f : orderedKeyLines(section, kind.keys()))
            if (f.entry && f.entry->note == note)
                found << keyText(f) + u' ' + f.entry->noteText;
    };
}

DefinitionRule prefixTwice() {
    return [](const DefinitionSection &section, const DefinitionKind &kind, QStringList &found) {
        const QString &prefix = kind.shape().namePrefix;
        if (!prefix.isEmpty() && section.name().startsWith(prefix, Qt::CaseInsensitive) &&
            kind.shownName(section).startsWith(prefix, Qt::CaseInsensitive))
            found << QStringLiteral("the name already starts with \"%1\": the header becomes [%2 %3]")
                         .arg(prefix, kind.shape().sectionType, section.name());
    };
}

DefinitionRule plainName() {
    return [](const DefinitionSection &section, const DefinitionKind &, QStringList &found) {
        if (!ScriptSyntax::isName(section.name()))
            found << QStringLiteral("the name holds characters other than letters, digits and \"_\": the "
                                    "server reads the header's name only up to a blank or \"]\"");
    };
}

DefinitionRule plainValue(const QString &key) {
    return [key](const DefinitionSection &section, const DefinitionKind &, QStringList &found) {
        for (const KeyLine &line : linesOf(section, KeySide::Body, key))
            if (!ScriptSyntax::isName(line.value))
                found << QStringLiteral("the %1 holds characters other than letters, digits and \"_\": the "
                                        "server refuses it")
                             .arg(key);
    };
}

DefinitionRule commentMark() {
    return [](const DefinitionSection &section, const DefinitionKind &kind, QStringList &found) {
        const auto warn = [&found](const QString &what) {
            found << QStringLiteral(
                         "the value of %1 holds \"//\": the server reads the rest of the line as a "
                         "comment")
                         .arg(what);
        };
        if (ScriptSyntax::holdsCommentMark(kind.shownName(section)))
            warn(QStringLiteral("the name"));
        for (const Finding &f : orderedKeyLines(section, kind.keys()))
            if (ScriptSyntax::holdsCommentMark(f.line.value))
                warn(keyText(f));
    };
}

DefinitionRule copiedBeforeFirst() {
    return [](const DefinitionSection &section, const DefinitionKind &kind, QStringList &found) {
        for (KeySide side : {KeySide::Body, KeySide::Create}) {
            const QList<KeyLine> lines = section.keyLines(side);
            const auto entryOf = [&](const KeyLine &line) { return kind.keys().find(line.key, side); };
            const auto last = std::find_if(lines.crbegin(), lines.crend(), [&](const KeyLine &line) {
                return entryOf(line) && entryOf(line)->first;
            });
            if (last == lines.crend())
                continue;
            for (auto line = lines.cbegin(); line != last.base() - 1; ++line)
                if (const KeyEntry *entry = entryOf(*line); entry && entry->copiedByFirst)
                    found << QStringLiteral("%1 stands above %2: the server replaces it with the value %2 "
                                            "copies from its base")
                                 .arg(entry->text(), entryOf(*last)->text());
        }
    };
}

} // namespace DefinitionRules
