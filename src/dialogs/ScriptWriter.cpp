#include "dialogs/ScriptWriter.h"
