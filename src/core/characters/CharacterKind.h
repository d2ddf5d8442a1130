#pragma once

#include "core/definitions/DefinitionKind.h"

// The character definition, "[CHARDEF c_NAME]": the body keys the NPC Creator shows (group
// "body"), the keys of its "@Create" tab (group "create") and the skills (group "skill"), each
// in the order it writes them; the keys written as runs of their own (TSPEECH=, the colour and
// the items under ON=@Create, FLAGS=); and what the server does with keys on the wrong side.
const DefinitionKind &characterKind();

// The skills as the server names them (MAGERY=50.0 under ON=@Create), in its order.
const QStringList &skillKeys();
