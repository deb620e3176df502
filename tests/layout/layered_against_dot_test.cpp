// The own layered layout against dot on parts dot lays out quickly: its
// arrows no longer in all than half as much again as dot's, and attackers
// beside what they attack.
#include <gtest/gtest.h>

#include <algorithm>

#include "layout/LayeredPart.h"
#include "layout/LayoutQuality.h"
#include "tests/layout/GeneratedParts.h"

namespace zorvex::testing {
namespace {

TEST(LayeredAgainstDot, ArrowsAtMostHalfAsLongAgainAsDots) {
  PartShape unfolded;
  unfolded.maxAspect = 1e9;  // dot does not fold either
  for (uint64_t seed : {5u, 6u}) {
    const LayoutInput in = generatedForest(seed, 400);
    const std::vector<Point> at = cornersFromCentres(in.boxes, layOutPart(in, {}, unfolded));
    const LayoutQuality ours = layoutQuality(in, at);
    const LayoutOutput dot = layOutLayered(in);
    ASSERT_EQ(dot.method, LayoutMethod::Layered);
    const LayoutQuality theirs = layoutQuality(in, dot.corners);
    EXPECT_LE(ours.length, 1.5 * theirs.length) << seed;
    // An attacker with no arrows of its own stands at the height of what it attacks.
    for (const auto& [box, other] : in.beside)
      if (std::none_of(in.links.begin(), in.links.end(), [&](auto l) { return l.first == box || l.second == box; })) {
        EXPECT_NEAR(at[box].y + in.boxes[box].height / 2.0, at[other].y + in.boxes[other].height / 2.0, 1) << seed;
      }
  }
}

}  // namespace
}  // namespace zorvex::testing
