#pragma once
// Argument maps made up for layout tests: forests of claims with reasons,
// rebuttals and undercutters, a long chain, a claim with many premises, and
// many small parts beside sentences without any relation.
#include <random>
#include <string>

#include "aif/ArgumentMap.h"

namespace zorvex::testing {

inline int32_t addText(ArgumentMap& map, const std::string& text) {
  map.texts.push_back(text);
  return static_cast<int32_t>(map.texts.size()) - 1;
}

// Claims with two to four reasons, some reasons with reasons of their own,
// some claims rebutted and some inferences undercut.
inline ArgumentMap forest(int claims, unsigned seed) {
  std::mt19937 random(seed);
  ArgumentMap map;
  for (int c = 0; c < claims; ++c) {
    const int32_t claim = addText(map, "Claim " + std::to_string(c) + " as people state it");
    for (int r = 0, reasons = 2 + static_cast<int>(random() % 3); r < reasons; ++r) {
      const int32_t reason = addText(map, "Reason " + std::to_string(r) + " for " + std::to_string(c));
      map.arrows.push_back({reason, claim});
      if (random() % 3 == 0) map.arrows.push_back({addText(map, "Backing " + std::to_string(reason)), reason});
      if (random() % 7 == 0)
        map.defeaters.push_back({"", {addText(map, "Undercutter " + std::to_string(reason))}, -1,
                                 {static_cast<int32_t>(map.arrows.size()) - 1}});
    }
    if (c % 4 == 1) map.defeaters.push_back({"", {addText(map, "Not so: " + std::to_string(c))}, claim, {}});
  }
  return map;
}

inline ArgumentMap chain(int length) {
  ArgumentMap map;
  for (int k = 0; k < length; ++k) {
    addText(map, "Link " + std::to_string(k));
    if (k > 0) map.arrows.push_back({k, k - 1});
  }
  return map;
}

inline ArgumentMap fan(int premises) {
  ArgumentMap map;
  addText(map, "The claim");
  for (int k = 1; k <= premises; ++k) map.arrows.push_back({addText(map, "Premise " + std::to_string(k)), 0});
  return map;
}

// Pairs of a claim and its reason, and sentences without any relation.
inline ArgumentMap smallParts(int pairs, int loose) {
  ArgumentMap map;
  for (int k = 0; k < pairs; ++k) {
    const int32_t claim = addText(map, "Claim " + std::to_string(k));
    map.arrows.push_back({addText(map, "because " + std::to_string(k)), claim});
  }
  for (int k = 0; k < loose; ++k) addText(map, "A remark, number " + std::to_string(k) + ", said in passing");
  return map;
}

}  // namespace zorvex::testing
