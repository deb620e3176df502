#pragma once
// Whether the program could load these rows: they are run through
// LoadElements itself, from memory, before any table is written.
#include "tools/DiagramRows.h"

namespace zorvex::tools {

// Throws the loading failure's ZorvexError, prefixed with the row it struck
// ("sentences[1]: Integer overflow").
void checkLoadable(const DiagramRows& rows);

}  // namespace zorvex::tools
