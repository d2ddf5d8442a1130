#pragma once

#include "core/items/ItemHandling.h"
#include "core/text/FileError.h"

#include <QString>
#include <QStringList>

// Reads an item definition back into the Item Creator's 36 fields and its "Additional" text,
// the reverse of CompileItem followed by the additional text. Nothing of the section is lost:
// what has no field of its own goes into the additional text.
namespace ItemScriptReader {

struct Item {
    QStringList fields = QStringList(ItemHandling::FieldCount);
    QString additional;
};

// The names of the script's "[ITEMDEF NAME]" sections, in file order ("i_lamp", "0eed").
QStringList sectionNames(const QString &script);

// Reads the `index`th "[ITEMDEF ...]" section of a script (0 for the first):
// - the section's name into field 0, without its "i_" prefix;
// - keys above the first "ON=" line into fields 1 to 25, keys below "ON=@CREATE" into fields
//   26 to 35, whatever the order of the keys;
// - into the additional text, in file order: key lines with no field (or whose field is already
//   taken) and any other line of those two parts, each ended by CR LF; then everything from
//   the first other trigger on, with the empty lines just above it, unchanged except that every
//   line end becomes CR LF. Empty lines before the next section are not part of it.
// A script without such a section reads as empty fields and additional text.
Item readSection(const QString &script, int index = 0);

// Reads a script file from disk in the files' code page.
Outcome<QString> readFile(const QString &path);

} // namespace ItemScriptReader
