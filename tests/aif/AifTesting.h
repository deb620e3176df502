#pragma once
// Small AIF maps written out in the test, a stand-in for the sentence font,
// and a check of a laid-out map by the diagram's inside rules, done here
// element by element rather than through the code under test.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "aif/AifFiles.h"
#include "aif/ArgumentMap.h"
#include "model/Diagram.h"

namespace zorvex::testing {

inline TextSize fakeMeasure(const std::string& text) { return {static_cast<int32_t>(6 * text.size()), 13}; }

inline std::string aifDataFile(const std::string& name) {
  std::ifstream in(std::string(ZORVEX_SOURCE_DIR) + "/tests/aif/data/" + name, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// An AIFdb map from "id:type:text" nodes and "from>to" edges.
inline std::string aifDb(const std::vector<std::string>& nodes, const std::vector<std::string>& edges) {
  std::string json = "{\"nodes\":[";
  for (size_t i = 0; i < nodes.size(); ++i) {
    const size_t a = nodes[i].find(':'), b = nodes[i].find(':', a + 1);
    json += (i ? "," : "") + std::string("{\"nodeID\":\"") + nodes[i].substr(0, a) + "\",\"type\":\"" +
            nodes[i].substr(a + 1, b - a - 1) + "\",\"text\":\"" + nodes[i].substr(b + 1) + "\"}";
  }
  json += "],\"edges\":[";
  for (size_t i = 0; i < edges.size(); ++i) {
    const size_t gt = edges[i].find('>');
    json += (i ? "," : "") + std::string("{\"edgeID\":\"e") + std::to_string(i) + "\",\"fromID\":\"" +
            edges[i].substr(0, gt) + "\",\"toID\":\"" + edges[i].substr(gt + 1) + "\"}";
  }
  return json + "],\"locutions\":[]}";
}

inline std::vector<int32_t> sentencesInside(const Diagram& d, const Rect& r) {
  std::vector<int32_t> out;
  for (int32_t n = 0; n < d.SentenceCount(); ++n)
    if (!d.sentence(n).Deleted && sentenceInside(d.sentence(n), r)) out.push_back(n);
  return out;
}

inline std::vector<int32_t> arrowsInside(const Diagram& d, const Rect& r) {
  std::vector<int32_t> out;
  for (int32_t n = 0; n < d.ArrowCount(); ++n)
    if (!d.arrow(n).Deleted && arrowInside(d.arrow(n), r)) out.push_back(n);
  return out;
}

// Every defeater holds exactly what its conflict relates, and no two boxes meet.
inline void expectExactLayout(const Diagram& d, const ArgumentMap& map) {
  ASSERT_EQ(d.DefeaterCount(), static_cast<int32_t>(map.defeaters.size()));
  for (int32_t n = 0; n < d.DefeaterCount(); ++n) {
    const MapDefeater& m = map.defeaters[n];
    const TDefeater& f = d.defeater(n);
    EXPECT_EQ(sentencesInside(d, f.ChallengingRect), m.attackers) << "Defeater" << n;
    for (int32_t a : arrowsInside(d, f.ChallengingRect)) {
      const bool between = std::count(m.attackers.begin(), m.attackers.end(), d.arrow(a).Sentence1) &&
                           std::count(m.attackers.begin(), m.attackers.end(), d.arrow(a).Sentence2);
      EXPECT_TRUE(between) << "Defeater" << n << " challenging holds Arrow" << a;
    }
    std::vector<int32_t> arrows = m.targetArrows;
    std::sort(arrows.begin(), arrows.end());
    const std::vector<int32_t> sentences =
        m.undercuts() ? std::vector<int32_t>{} : std::vector<int32_t>{m.targetSentence};
    EXPECT_EQ(sentencesInside(d, f.ChallengedRect), sentences) << "Defeater" << n;
    EXPECT_EQ(arrowsInside(d, f.ChallengedRect), arrows) << "Defeater" << n;
  }
  for (int32_t a = 0; a < d.SentenceCount(); ++a)
    for (int32_t b = a + 1; b < d.SentenceCount(); ++b) {
      const TSentence &s = d.sentence(a), &t = d.sentence(b);
      const bool apart = s.Right < t.Left || t.Right < s.Left || s.Bottom < t.Top || t.Bottom < s.Top;
      EXPECT_TRUE(apart) << "Sentence" << a << " meets Sentence" << b;
    }
}

}  // namespace zorvex::testing
