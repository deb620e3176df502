#pragma once
// Which parts dot lays out: those of moderate size whose layered picture
// keeps a readable shape. A long chain or a claim with very many premises
// goes to our own layout, which folds it.
#include <cstddef>

#include "layout/BoxLayout.h"

namespace zorvex {

// Dot's work on all parts together is kept to this many boxes: beyond it,
// the many small parts of a large map would cost seconds for pictures our
// own layout draws as well.
inline constexpr size_t DotBoxBudget = 6000;

bool suitsDot(const LayoutInput& part, size_t layeredLimit);

}  // namespace zorvex
