#pragma once
// Rows held in memory, loaded by LoadElements itself through table cursors
// over them: how a diagram file is opened, and how `import` checks that the
// program could load what it is about to write.
#include <optional>

#include "model/Diagram.h"
#include "model/ZorvexError.h"
#include "store/DiagramRows.h"

namespace zorvex {

// Loads into an empty diagram. The failure that ended loading early is
// prefixed with the row it struck; an extent too large for 32 bits is named
// ("sentences[1]: Right - Left = 2147483648 is outside the 32-bit range").
// The elements of earlier rows stay.
std::optional<ZorvexError> loadRows(Diagram& into, const DiagramRows& rows);

// Throws loadRows' failure.
void checkLoadable(const DiagramRows& rows);

// Gives the loaded elements the statuses their rows carry.
void applyStatuses(Diagram& d, const DiagramRows& rows);

}  // namespace zorvex
