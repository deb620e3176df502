#pragma once
// The rows a diagram in memory is saved as.
#include "model/Diagram.h"
#include "store/DiagramRows.h"

namespace zorvex {

enum class WithStatuses { No, Yes };

// Deleted elements are left out and the rest keep their order, so loading
// the rows numbers them 0, 1, 2, ... in the same order. An arrow row names
// its sentences by their Left, Top and Text; a side that did not resolve at
// loading keeps what its row named then.
DiagramRows rowsOfDiagram(const Diagram& d, WithStatuses statuses);

// The row arrow `n` is saved as, and a defeater's.
ArrowRow arrowRowOf(const Diagram& d, int32_t n);
DefeaterRow defeaterRowOf(const TDefeater& f);

}  // namespace zorvex
