#pragma once
// For tests: the layered layout's time limit, and work done in its child
// process before dot runs, which a test makes crash or hang to see the rows
// take over.
#include <chrono>
#include <functional>

namespace zorvex {

// Dot takes a tenth of a second on 1,500 boxes; many crossing relations cost more.
inline constexpr std::chrono::milliseconds LayeredTimeLimit{5000};

struct LayeredLayoutSeam {
  std::chrono::milliseconds timeLimit = LayeredTimeLimit;
  std::function<void()> inChild;
};

// Returns the seam it replaces; a default one restores the program's.
LayeredLayoutSeam setLayeredLayoutSeam(LayeredLayoutSeam seam);

}  // namespace zorvex
