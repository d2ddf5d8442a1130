#pragma once

#include <QString>
#include <QStringList>

// The item script generator: 36 fields in, one SPHERE item definition out.
namespace ItemHandling {

constexpr int FieldCount = 36;

// The key text written in front of field `index` (0..35), "[ITEMDEF i_" for field 0.
// The item window shows the same texts as the fields' labels.
QString keyText(int index);

// What the server would do otherwise than the fields suggest, one sentence each: unknown
// keys, keys it drops or ignores, names it reads otherwise and values it cuts at "//".
QStringList warnings(const QStringList &fields);

} // namespace ItemHandling

// The header line, the definition keys 1..25 that have a value (ID= before TYPE=), an empty line,
// "ON=@CREATE" and the create keys 26..35 that have a value; every line ends in CR LF. Missing fields read as
// empty; values are written exactly as given.
QString CompileItem(const QStringList &fields);
