// Laid-out maps: every defeater holds exactly what its conflict relates, no
// two boxes meet, arrows point up, and the quick placement for large maps
// keeps the same promises.
#include <tuple>

#include "aif/DiagramArrangement.h"
#include "aif/MapDrawing.h"
#include "aif/MapReport.h"
#include "edit/DefeaterHolds.h"
#include "edit/DiagramEdit.h"
#include "tests/aif/AifTesting.h"

namespace zorvex::testing {
namespace {

ArgumentMap mapOf(const std::string& json) { return mapArguments(readAifGraph(json)); }

// Claims with reasons, rebuttals, undercutters of one- and two-premise
// inferences, joint attackers and a cycle, several on one conclusion.
std::string busyMap() {
  return aifDb({"1:I:The claim",
                "2:I:First reason for it",
                "3:I:Second reason",
                "4:I:A third, longer reason for it",
                "5:RA:x",
                "6:RA:x",
                "7:RA:x",
                "8:I:Objection",
                "9:CA:x",
                "10:I:Undercutting the first",
                "11:CA:x",
                "12:I:Joint one",
                "13:I:Joint two",
                "14:CA:x",
                "15:I:Premise A",
                "16:I:Premise B",
                "17:RA:x",
                "18:I:Against A and B",
                "19:CA:x",
                "20:RA:x",
                "21:I:Undercutting the third",
                "22:CA:x"},
               {"2>5",   "5>1",  "3>6",   "6>1",   "4>7",  "7>1",   "8>9",   "9>1",  "10>11", "11>5",  "12>14",
                "13>14", "14>2", "15>17", "16>17", "17>3", "18>19", "19>17", "1>20", "20>15", "21>22", "22>7"});
}

TEST(AifLayout, EveryDefeaterExactInRealAndHandWrittenMaps) {
  for (const std::string& json :
       {busyMap(), aifDataFile("nodeset6460.json"), aifDataFile("nodeset6461.json"), aifDataFile("nodeset6463.json"),
        aifDataFile("nodeset6465.json"), aifDataFile("nodeset6467.json"), aifDataFile("ova2-nodeset6470.json")}) {
    const ArgumentMap map = mapOf(json);
    Diagram d;
    const DrawnMap drawn = drawMap(d, map, fakeMeasure);
    EXPECT_EQ(drawn.method, LayoutMethod::Layered);
    EXPECT_TRUE(drawn.inexact.empty());
    expectExactLayout(d, map);
    // Conclusions above their premises (the cycle of the busy map aside).
    for (int32_t a = 0; a + 1 < d.ArrowCount(); ++a)
      EXPECT_LT(d.sentence(d.arrow(a).Sentence2).Bottom, d.sentence(d.arrow(a).Sentence1).Top) << "Arrow" << a;
  }
}

// Two inferences between the same two sentences make two arrows on one line:
// no rectangle can hold one and not the other, and the report says so.
TEST(AifLayout, ADefeaterThatCannotBeExactIsReported) {
  const ArgumentMap map = mapOf(aifDb({"1:I:Claim", "2:I:Reason", "3:RA:x", "4:RA:y", "5:I:Undercutter", "6:CA:x"},
                                      {"2>3", "3>1", "2>4", "4>1", "5>6", "6>3"}));
  Diagram d;
  const DrawnMap drawn = drawMap(d, map, fakeMeasure);
  EXPECT_EQ(drawn.inexact, std::vector<int32_t>{0});
  EXPECT_EQ(
      mapReport(map, drawn).back(),
      "Not exact: 1 defeater could not be drawn to hold only what its conflict relates (Defeater0 for conflict 6)");
}

// Many claims, each with reasons, some rebutted, some undercut.
std::string generatedMap(int claims) {
  std::vector<std::string> nodes, edges;
  int id = 0;
  const auto add = [&](const std::string& type, const std::string& text) {
    nodes.push_back(std::to_string(++id) + ":" + type + ":" + text);
    return std::to_string(id);
  };
  for (int c = 0; c < claims; ++c) {
    const std::string claim = add("I", "Claim " + std::to_string(c));
    for (int r = 0; r < 3; ++r) {
      const std::string reason = add("I", "Reason " + std::to_string(r) + " for claim " + std::to_string(c));
      const std::string ra = add("RA", "x");
      edges.push_back(reason + ">" + ra);
      edges.push_back(ra + ">" + claim);
      if ((c + r) % 4 == 0) {
        const std::string ca = add("CA", "x");
        edges.push_back(add("I", "Not so, " + std::to_string(c) + "/" + std::to_string(r)) + ">" + ca);
        edges.push_back(ca + ">" + (r == 1 ? claim : ra));
      }
    }
  }
  return aifDb(nodes, edges);
}

TEST(AifLayout, OurOwnLayoutForLargePartsStaysExact) {
  const ArgumentMap map = mapOf(generatedMap(40));
  Diagram d;
  const DrawnMap drawn = drawMap(d, map, fakeMeasure, 0);
  EXPECT_EQ(drawn.method, LayoutMethod::Own);
  EXPECT_TRUE(drawn.inexact.empty());
  expectExactLayout(d, map);
}

// A diagram drawn by hand, boxes anywhere: arranged, every defeater holds
// what it held, no boxes meet, and undoing the one step puts all back.
TEST(AifLayout, ArrangingKeepsWhatEachDefeaterHoldsOrRefuses) {
  Diagram d;
  DiagramEdit edit(d);
  for (const auto& [x, y, text] : std::vector<std::tuple<int, int, std::string>>{{400, 300, "Claim"},
                                                                                 {20, 20, "Reason"},
                                                                                 {600, 40, "Other reason"},
                                                                                 {30, 400, "Objection"},
                                                                                 {700, 500, "Undercutter"},
                                                                                 {300, 600, "Loose"}})
    edit.addSentence({x, y}, text, fakeMeasure(text));
  edit.addArrow(1, 0);
  edit.addArrow(2, 0);
  const auto around = [&](int32_t n) {
    const TSentence& s = d.sentence(n);
    return Rect{s.Left - 3, s.Top - 3, s.Right + 3, s.Bottom + 3};
  };
  edit.addDefeater(around(3), around(0));
  const TArrow& a = d.arrow(1);
  edit.addDefeater(around(4), {std::min(a.StartX, a.EndX), std::min(a.StartY, a.EndY), std::max(a.StartX, a.EndX),
                               std::max(a.StartY, a.EndY)});
  const DefeaterHolding rebuttal = defeaterHolds(d, 0), undercutter = defeaterHolds(d, 1);
  ASSERT_EQ(undercutter.challenged.arrows, std::vector<int32_t>{1});
  const Diagram drawn = d;

  const Arrangement arranged = arrangeDiagram(d);
  ASSERT_TRUE(arranged.step) << arranged.refusal;
  EXPECT_EQ(defeaterHolds(d, 0), rebuttal);
  EXPECT_EQ(defeaterHolds(d, 1), undercutter);
  EXPECT_LT(d.sentence(0).Bottom, d.sentence(1).Top);
  ArgumentMap map;
  map.texts.resize(6);
  map.defeaters = {{"", {3}, 0, {}}, {"", {4}, -1, {1}}};
  expectExactLayout(d, map);
  arranged.step->apply(d, true);
  for (int32_t n = 0; n < 6; ++n) EXPECT_EQ(d.sentence(n).box(), drawn.sentence(n).box());

  // A challenged rectangle that holds nothing: no layout can say where it goes.
  d.defeater(1).ChallengedRect = {-50, -50, -40, -40};
  d.geometryChanged({ElementKind::Defeater, 1});
  EXPECT_EQ(arrangeDiagram(d).refusal, "Arrange Diagram would change what Defeater1 holds: nothing was moved");
  for (int32_t n = 0; n < 6; ++n) EXPECT_EQ(d.sentence(n).box(), drawn.sentence(n).box());
}

}  // namespace
}  // namespace zorvex::testing
