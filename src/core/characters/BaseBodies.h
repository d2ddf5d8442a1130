#pragma once

#include <QString>
#include <QStringList>

// The bodies an NPC's ID= may name: the stock script pack's base bodies (a character definition
// headed by a number below 0800, named by its DEFNAME), or such a number itself. An ID= naming a
// scripted character definition is refused by the server.
namespace BaseBodies {

// Their DEFNAMEs, the two human bodies first, then the others by name.
const QStringList &names();
// Whether an ID= value names a base body: a number below 0800 (hexadecimal when it starts with
// 0, else decimal) or one of the names, case ignored.
bool isBaseBody(QStringView value);

} // namespace BaseBodies
