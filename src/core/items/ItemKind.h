#pragma once

#include "core/definitions/DefinitionKind.h"

// The item definition, "[ITEMDEF i_NAME]": first the Item Creator's keys in the order of its
// fields (field 0 being the name, field N the table's entry N - 1) with the groups the form
// shows them in, then keys it has no field for; and the rules of what the server does with them.
const DefinitionKind &itemKind();
