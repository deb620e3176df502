#pragma once
// How the program opens its element tables.
#include "model/TableCursor.h"

namespace zorvex {

// The opener the program loads its diagram with.
TableOpener programTableOpener();

}  // namespace zorvex
