#pragma once

#include "core/definitions/DefinitionKind.h"

#include <utility>

// The warning rules every kind can use; a kind lists the ones it wants, in the order its
// warnings are shown, beside rules of its own.
namespace DefinitionRules {

// "KEY= " and the entry's note, for every line of a key whose entry carries this note.
DefinitionRule notes(KeyNote note);
// The name after the kind's prefix starts with the prefix again ("i_i_lamp").
DefinitionRule prefixTwice();
// The name holds characters other than letters, digits and "_".
DefinitionRule plainName();
// The value of a body key that names something (DEFNAME) holds characters other than those.
DefinitionRule plainValue(const QString &key);
// "//" in the name or in the value of any key line.
DefinitionRule commentMark();
// A key that the `first` key (ID=) copies over stands above it.
DefinitionRule copiedBeforeFirst();

// The key lines of both sides, with their side and entry (nullptr for a key no table knows),
// in the table's order: the body's lines, then the create side's; on each side first the
// table's keys in its writing order, then the others in line order.
struct Finding {
    KeySide side;
    KeyLine line;
    const KeyEntry *entry;
};
QList<Finding> orderedKeyLines(const DefinitionSection &section, const KeyTable &table);
// "KEY=" for a line: its entry's key, or the key as written in capitals.
QString keyText(const Finding &finding);
// The key lines of one key on one side, case ignored, in order.
QList<KeyLine> linesOf(const DefinitionSection &section, KeySide side, QStringView key);

} // namespace DefinitionRules
