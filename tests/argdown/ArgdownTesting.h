#pragma once
// Argdown samples of tests/argdown/data, and a map's meaning written out by
// texts, so that an expectation reads like the text it comes from.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "argdown/ArgdownText.h"

namespace zorvex::testing {

inline std::string argdownSample(const std::string& name) {
  std::ifstream in(std::string(ZORVEX_SOURCE_DIR) + "/tests/argdown/data/" + name, std::ios::binary);
  EXPECT_TRUE(in) << name;
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// "sentences: A | B", "arrows: A > B", "defeaters: C x B; D + E x {A > B}".
inline std::string meaningOf(const ArgumentMap& map) {
  const auto text = [&](int32_t s) { return map.texts.at(static_cast<size_t>(s)); };
  const auto arrow = [&](int32_t a) { return text(map.arrows.at(a).from) + " > " + text(map.arrows.at(a).to); };
  std::string out = "sentences:";
  for (size_t i = 0; i < map.texts.size(); ++i) out += (i ? " | " : " ") + map.texts[i];
  out += "\narrows:";
  for (size_t a = 0; a < map.arrows.size(); ++a) out += (a ? ", " : " ") + arrow(static_cast<int32_t>(a));
  out += "\ndefeaters:";
  for (size_t n = 0; n < map.defeaters.size(); ++n) {
    const MapDefeater& d = map.defeaters[n];
    out += n ? "; " : " ";
    for (size_t i = 0; i < d.attackers.size(); ++i) out += (i ? " + " : "") + text(d.attackers[i]);
    if (!d.undercuts()) {
      out += " x " + text(d.targetSentence);
      continue;
    }
    out += " x {";
    for (size_t i = 0; i < d.targetArrows.size(); ++i) out += (i ? ", " : "") + arrow(d.targetArrows[i]);
    out += "}";
  }
  return out;
}

}  // namespace zorvex::testing
