#include "app/ui/TableOpening.h"

#include "views/ui/HeldTables.h"

namespace zorvex {

// Held, so a table that loading leaves open is the one its table view shows.
TableOpener programTableOpener() { return [](const std::string& path) { return openHeldTable(path); }; }

}  // namespace zorvex
