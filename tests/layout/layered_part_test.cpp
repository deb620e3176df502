// The own layered layout on generated parts: boxes apart, conclusions above
// premises, groups holding no other box even when a wide part is folded, long and wide parts folded into
// proportion, and a second layout of its own picture moving nothing.
#include <gtest/gtest.h>

#include <algorithm>

#include "layout/LayeredPart.h"
#include "layout/LayoutQuality.h"
#include "tests/layout/GeneratedParts.h"

namespace zorvex::testing {
namespace {

std::vector<Point> laidOut(const LayoutInput& in, const std::vector<DoublePoint>& present = {},
                           std::vector<DoublePoint>* centres = nullptr) {
  const std::vector<DoublePoint> c = layOutPart(in, present, PartShape{});
  if (centres) *centres = c;
  return cornersFromCentres(in.boxes, c);
}

// The boxes that are not in `group` but meet its bounding rectangle.
size_t foreignInGroup(const LayoutInput& in, const std::vector<Point>& at, const std::vector<int32_t>& group) {
  Rect r{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
  for (int32_t b : group)
    r = {std::min(r.Left, at[b].x), std::min(r.Top, at[b].y), std::max(r.Right, at[b].x + in.boxes[b].width),
         std::max(r.Bottom, at[b].y + in.boxes[b].height)};
  size_t count = 0;
  for (size_t b = 0; b < in.boxes.size(); ++b)
    if (std::find(group.begin(), group.end(), static_cast<int32_t>(b)) == group.end() && at[b].x < r.Right &&
        r.Left < at[b].x + in.boxes[b].width && at[b].y < r.Bottom && r.Top < at[b].y + in.boxes[b].height)
      ++count;
  return count;
}

TEST(LayeredPart, GeneratedPartsKeepBoxesApartArrowsUpAndGroupsClean) {
  for (uint64_t seed : {1u, 2u, 3u}) {
    const LayoutInput in = generatedForest(seed, 3000, seed == 3 ? 40 : 1);
    ASSERT_FALSE(in.groups.empty());
    const std::vector<Point> at = laidOut(in);
    const LayoutQuality q = layoutQuality(in, at, false);
    EXPECT_EQ(q.overlaps, 0u) << seed;
    EXPECT_EQ(boxesNearer(in.boxes, at, in.gap - 1), 0u) << seed;
    EXPECT_GE(q.upward, 0.95) << seed;
    for (const std::vector<int32_t>& group : in.groups) EXPECT_EQ(foreignInGroup(in, at, group), 0u) << seed;
  }
}

TEST(LayeredPart, LayingOutItsOwnPictureAgainMovesNothing) {
  for (const LayoutInput& in : {generatedForest(4, 2000), chainPart(5000), widePart(2000)}) {
    std::vector<DoublePoint> first, second;
    laidOut(in, {}, &first);
    laidOut(in, first, &second);
    size_t moved = 0;
    for (size_t b = 0; b < first.size(); ++b)
      moved += first[b].x != second[b].x || first[b].y != second[b].y ? 1 : 0;
    EXPECT_EQ(moved, 0u) << in.boxes.size();
  }
}

TEST(LayeredPart, LongChainAndWideClaimAreFoldedIntoProportion) {
  for (const LayoutInput& in : {chainPart(5000), widePart(2000)}) {
    const std::vector<Point> at = laidOut(in);
    const LayoutQuality q = layoutQuality(in, at, false);
    EXPECT_EQ(q.overlaps, 0u);
    EXPECT_GE(q.width / q.height, 0.5) << in.boxes.size();
    EXPECT_LE(q.width / q.height, 3.0) << in.boxes.size();
    EXPECT_GE(q.upward, 0.95) << in.boxes.size();
  }
  // Small enough, a chain keeps its natural column.
  const LayoutQuality small = layoutQuality(chainPart(20), laidOut(chainPart(20)), false);
  EXPECT_GT(small.height / small.width, 3.0);
}

}  // namespace
}  // namespace zorvex::testing

namespace zorvex::testing {
namespace {

// A claim with three premises, the arrow from the leftmost one undercut,
// and a second row of claims crowding it: the undercut premise still stands
// right below its claim, so that a rectangle round that arrow holds it alone.
TEST(LayeredPart, AnUndercutPremiseStandsRightBelowItsConclusion) {
  LayoutInput in;
  for (int i = 0; i < 8; ++i) in.boxes.push_back({120, 30});
  in.links = {{1, 0}, {2, 0}, {3, 0}, {5, 4}, {6, 4}, {7, 4}};
  in.straight = {{1, 0}, {7, 4}};
  const std::vector<DoublePoint> centres = layOutPart(in, {}, PartShape{});
  EXPECT_EQ(centres[1].x, centres[0].x);
  EXPECT_EQ(centres[7].x, centres[4].x);
  EXPECT_LT(centres[0].y, centres[1].y);
  EXPECT_EQ(boxesNearer(in.boxes, cornersFromCentres(in.boxes, centres), in.gap), 0u);
}

}  // namespace
}  // namespace zorvex::testing
