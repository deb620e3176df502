// Arrange Diagram starts from the present places: an arranged diagram stays
// as it is, and a small change moves little. Arrange Selection lays out only
// what is selected, where it was.
#include "aif/DiagramArrangement.h"
#include "aif/MapDrawing.h"
#include "edit/DefeaterHolds.h"
#include "edit/DiagramEdit.h"
#include "tests/aif/AifTesting.h"
#include "tests/aif/GeneratedMaps.h"

namespace zorvex::testing {
namespace {

std::vector<Rect> boxesOf(const Diagram& d) {
  std::vector<Rect> boxes;
  for (int32_t n = 0; n < d.SentenceCount(); ++n) boxes.push_back(d.sentence(n).box());
  return boxes;
}

size_t movedAmong(const std::vector<Rect>& before, const Diagram& d) {
  size_t moved = 0;
  for (size_t n = 0; n < before.size(); ++n) moved += d.sentence(static_cast<int32_t>(n)).box() != before[n];
  return moved;
}

// About 300 sentences in 60 parts, laid out as opening the map does.
Diagram openedForest(ArgumentMap& map) {
  map = forest(60, 7);
  Diagram d;
  EXPECT_TRUE(drawMap(d, map, fakeMeasure).inexact.empty());
  return d;
}

TEST(ArrangeKeeps, AnArrangedDiagramStaysAndOneMoreSentenceMovesFew) {
  ArgumentMap map;
  Diagram d = openedForest(map);
  ASSERT_GE(d.SentenceCount(), 250);
  ASSERT_LE(d.SentenceCount(), 350);
  arrangeDiagram(d);
  const std::vector<Rect> arranged = boxesOf(d);
  EXPECT_EQ(arrangeDiagram(d).refusal, AlreadyArrangedText);
  EXPECT_EQ(movedAmong(arranged, d), 0u);

  // A new reason for a claim in the middle, drawn far off.
  DiagramEdit edit(d);
  const int32_t claim = map.arrows[map.arrows.size() / 2].to;
  const int32_t added = edit.addSentence({9000, 9000}, "A new reason", fakeMeasure("A new reason")).added->index;
  edit.addArrow(added, claim);
  const Arrangement again = arrangeDiagram(d);
  ASSERT_TRUE(again.step) << again.refusal;
  EXPECT_LE(movedAmong(arranged, d), arranged.size() / 10);
  EXPECT_LT(d.sentence(claim).Bottom, d.sentence(added).Top);
  expectExactLayout(d, map);
  EXPECT_EQ(arrangeDiagram(d).refusal, AlreadyArrangedText);
}

TEST(ArrangeKeeps, ArrangeSelectionLaysOutOnlyTheSelectionWhereItWas) {
  ArgumentMap map;
  Diagram d = openedForest(map);
  // The sentences of one claim's part scattered by hand.
  const int32_t claim = map.arrows.front().to;
  std::vector<int32_t> part{claim};
  for (const MapArrow& a : map.arrows)
    if (a.to == claim) part.push_back(a.from);
  DiagramEdit edit(d);
  for (size_t i = 1; i < part.size(); ++i) edit.moveSentences({part[i]}, static_cast<int32_t>(i) * 37, 300);
  const std::vector<Rect> scattered = boxesOf(d);
  int32_t left = INT32_MAX, top = INT32_MAX;
  for (int32_t s : part) left = std::min(left, d.sentence(s).Left), top = std::min(top, d.sentence(s).Top);

  const Arrangement arranged = arrangeSelection(d, part);
  ASSERT_TRUE(arranged.step) << arranged.refusal;
  EXPECT_EQ(arranged.step->name, "Arrange Selection");
  int32_t newLeft = INT32_MAX, newTop = INT32_MAX;
  for (int32_t s : part) newLeft = std::min(newLeft, d.sentence(s).Left), newTop = std::min(newTop, d.sentence(s).Top);
  EXPECT_EQ(newLeft, left);
  EXPECT_EQ(newTop, top);
  for (size_t i = 1; i < part.size(); ++i) EXPECT_LT(d.sentence(claim).Bottom, d.sentence(part[i]).Top);
  for (int32_t n = 0; n < d.SentenceCount(); ++n)
    if (std::find(part.begin(), part.end(), n) == part.end()) {
      EXPECT_EQ(d.sentence(n).box(), scattered[n]) << n;
    }

  // A defeater that challenges nothing but a selected sentence: no layout can keep it.
  const Rect target = d.sentence(claim).box();
  const int32_t empty =
      edit.addDefeater({-90, -90, -80, -80}, {target.Left - 2, target.Top - 2, target.Right + 2, target.Bottom + 2})
          .added->index;
  const std::vector<Rect> before = boxesOf(d);
  EXPECT_EQ(arrangeSelection(d, part).refusal,
            "Arrange Selection would change what " + Diagram::name(ElementKind::Defeater, empty) +
                " holds: nothing was moved");
  EXPECT_EQ(movedAmong(before, d), 0u);
}

}  // namespace
}  // namespace zorvex::testing
