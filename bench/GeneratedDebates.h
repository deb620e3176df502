#pragma once
// The shape of the generated debates the layout benchmarks read: debates of
// 5 to 40 statements, each statement but a debate's first relating to an
// earlier one of its debate, supporting it or, one in five, attacking it
// (one attack in four meant as an undercut of the earlier one's inference).
#include <cstdint>

namespace zorvex::bench {

enum class Relation { Opens, Supports, Attacks, Undercuts };

// Calls relate(k, target, relation) for each statement k, target -1 when it opens a debate.
template <class Relate>
void generateDebates(int statements, Relate relate) {
  uint64_t state = 88172645463325252ull;
  const auto next = [&](int below) {
    state ^= state << 13, state ^= state >> 7, state ^= state << 17;
    return static_cast<int>(state % static_cast<uint64_t>(below));
  };
  int first = 0, size = 0;
  for (int k = 0; k < statements; ++k) {
    if (k - first >= size) {
      first = k, size = 5 + next(36);
      relate(k, -1, Relation::Opens);
      continue;
    }
    const int target = first + next(k - first);
    const bool attack = next(5) == 0;
    relate(k, target, !attack ? Relation::Supports : next(4) == 0 ? Relation::Undercuts : Relation::Attacks);
  }
}

}  // namespace zorvex::bench
