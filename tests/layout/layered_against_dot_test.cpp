// The own layered layout against dot on parts dot lays out quickly: no more
// than half as many crossings again as dot's (none where dot has none),
// arrows no longer in all than half as much again, and attackers beside
// what they attack.
#include <gtest/gtest.h>

#include <algorithm>

#include "layout/LayeredPart.h"
#include "layout/LayoutQuality.h"
#include "tests/layout/GeneratedParts.h"

namespace zorvex::testing {
namespace {

TEST(LayeredAgainstDot, AtMostHalfAsManyCrossingsAndHalfAsLongArrowsAgainAsDots) {
  PartShape unfolded;
  unfolded.maxAspect = 1e9;  // dot does not fold either
  for (const auto& [seed, boxes] : {std::pair{9u, 100}, {5u, 300}, {6u, 400}, {9u, 1000}}) {
    const LayoutInput in = generatedForest(seed, boxes);
    const std::vector<Point> at = cornersFromCentres(in.boxes, layOutPart(in, {}, unfolded));
    const LayoutQuality ours = layoutQuality(in, at);
    const LayoutOutput dot = layOutLayered(in);
    ASSERT_EQ(dot.method, LayoutMethod::Layered);
    const LayoutQuality theirs = layoutQuality(in, dot.corners);
    EXPECT_LE(ours.crossings, 1.5 * theirs.crossings) << boxes << " boxes, dot " << theirs.crossings;
    EXPECT_LE(ours.length, 1.5 * theirs.length) << boxes << " boxes, ratio " << ours.length / theirs.length;
    // An attacker with no arrows of its own stands at the height of what it attacks.
    for (const auto& pair : in.beside) {
      const int32_t box = pair.first, other = pair.second;
      if (std::none_of(in.links.begin(), in.links.end(), [&](auto l) { return l.first == box || l.second == box; })) {
        EXPECT_NEAR(at[box].y + in.boxes[box].height / 2.0, at[other].y + in.boxes[other].height / 2.0, 1) << boxes;
      }
    }
  }
}

}  // namespace
}  // namespace zorvex::testing
