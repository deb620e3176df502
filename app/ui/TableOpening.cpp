#include "app/ui/TableOpening.h"

#include "model/paradox/ParadoxTable.h"

namespace zorvex {

TableOpener programTableOpener() { return paradox::tableOpener(); }

}  // namespace zorvex
