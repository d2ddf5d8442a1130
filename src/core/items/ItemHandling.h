#pragma once

#include "core/definitions/DefinitionKind.h"

#include <QString>
#include <QStringList>

// The Item Creator's fields by number, as its window (txtBasic(0) to txtBasic(35)) and
// `runequill-cli item --field N=` address them: field 0 is the name after "[ITEMDEF i_", field N
// the item kind's key entry N - 1 (see ItemKind.h).
namespace ItemHandling {

constexpr int FieldCount = 36;

// "[ITEMDEF i_" for field 0, the key text ("NAME=") of any other; empty past the last field.
QString keyText(int index);

// The form with these field values (missing ones read as empty); the keys the form has no field
// for keep their values.
FormValues withFields(FormValues form, const QStringList &fields);
// The field values of a form.
QStringList fields(const FormValues &form);

// What the server would do otherwise than the fields of a new item suggest (ItemKind's rules).
QStringList warnings(const QStringList &fields);

} // namespace ItemHandling

// The new item's section the fields make, as text: the header, the definition keys that have a
// value (ID= before TYPE=), an empty line, "ON=@CREATE" and the create keys that have a value;
// every line ends in CR LF. Values are written exactly as given.
QString CompileItem(const QStringList &fields);
