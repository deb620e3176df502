// Whole maps laid out as opening them does, real and generated: every
// defeater exact, no two boxes meeting, conclusions above their premises, a
// large picture in the proportions of a screen, and a map of up to 2,000
// sentences small enough for Fit Diagram to show it whole at 1/16.
#include "aif/MapDrawing.h"
#include "tests/aif/AifTesting.h"
#include "tests/aif/GeneratedMaps.h"

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
