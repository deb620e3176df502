// Whole maps laid out as opening them does, real and generated: every
// defeater exact, no two boxes meeting, conclusions above their premises, a
// large picture in the proportions of a screen, and a map of up to 2,000
// sentences small enough for Fit Diagram to show it whole at 1/16.
#include <random>

#include "aif/MapDrawing.h"
#include "tests/aif/AifTesting.h"

namespace zorvex::testing {
namespace {

constexpr double SurfaceWidth = 1400, SurfaceHeight = 960;

struct Picture {
  double width = 0, height = 0, upward = 1;
};

Picture pictureOf(const Diagram& d) {
  Picture p;
  for (int32_t n = 0; n < d.SentenceCount(); ++n) {
    p.width = std::max<double>(p.width, d.sentence(n).Right);
    p.height = std::max<double>(p.height, d.sentence(n).Bottom);
  }
  int32_t up = 0;
  for (int32_t a = 0; a < d.ArrowCount(); ++a)
    up += d.sentence(d.arrow(a).Sentence2).Bottom < d.sentence(d.arrow(a).Sentence1).Top;
  if (d.ArrowCount() > 0) p.upward = static_cast<double>(up) / d.ArrowCount();
  return p;
}

void expectReadable(const ArgumentMap& map, const char* what) {
  SCOPED_TRACE(what);
  Diagram d;
  const DrawnMap drawn = drawMap(d, map, fakeMeasure);
  EXPECT_TRUE(drawn.inexact.empty());
  expectExactLayout(d, map);
  const Picture p = pictureOf(d);
  EXPECT_GE(p.upward, 0.95);
  if (p.width * p.height > 4 * SurfaceWidth * SurfaceHeight) {
    EXPECT_GE(p.width / p.height, 0.5) << p.width << " x " << p.height;
    EXPECT_LE(p.width / p.height, 3.0) << p.width << " x " << p.height;
  }
  if (map.texts.size() <= 2000) {
    EXPECT_LE(p.width, 16 * SurfaceWidth) << p.width << " x " << p.height;
    EXPECT_LE(p.height, 16 * SurfaceHeight) << p.width << " x " << p.height;
  }
}

int32_t addText(ArgumentMap& map, const std::string& text) {
  map.texts.push_back(text);
  return static_cast<int32_t>(map.texts.size()) - 1;
}

// Claims with two to four reasons, some reasons with reasons of their own,
// some claims rebutted and some inferences undercut.
ArgumentMap forest(int claims, unsigned seed) {
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

ArgumentMap chain(int length) {
  ArgumentMap map;
  for (int k = 0; k < length; ++k) {
    addText(map, "Link " + std::to_string(k));
    if (k > 0) map.arrows.push_back({k, k - 1});
  }
  return map;
}

ArgumentMap fan(int premises) {
  ArgumentMap map;
  addText(map, "The claim");
  for (int k = 1; k <= premises; ++k) map.arrows.push_back({addText(map, "Premise " + std::to_string(k)), 0});
  return map;
}

// Pairs of a claim and its reason, and sentences without any relation.
ArgumentMap smallParts(int pairs, int loose) {
  ArgumentMap map;
  for (int k = 0; k < pairs; ++k) {
    const int32_t claim = addText(map, "Claim " + std::to_string(k));
    map.arrows.push_back({addText(map, "because " + std::to_string(k)), claim});
  }
  for (int k = 0; k < loose; ++k) addText(map, "A remark, number " + std::to_string(k) + ", said in passing");
  return map;
}

TEST(MapLayoutQuality, RealDialogueAndMicrotextMaps) {
  for (const char* name : {"qt30-nodeset21601.json", "qt30-nodeset24809.json", "qt30-nodeset25452.json",
                           "ova2-nodeset6470.json", "nodeset6463.json"})
    expectReadable(mapArguments(readAifGraph(aifDataFile(name))), name);
}

TEST(MapLayoutQuality, GeneratedForestsChainsFansAndSmallParts) {
  expectReadable(forest(40, 1), "forest of 40 claims");
  expectReadable(forest(400, 2), "forest of 400 claims");
  expectReadable(chain(5000), "chain of 5,000");
  expectReadable(fan(2000), "claim with 2,000 premises");
  expectReadable(smallParts(600, 800), "600 pairs and 800 loose sentences");
}

}  // namespace
}  // namespace zorvex::testing
