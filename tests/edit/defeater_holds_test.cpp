// What a defeater's rectangles hold, found through the spatial index, against
// a scan of every element.
#include "EditTesting.h"
#include "edit/DefeaterHolds.h"
#include "model/ElementBounds.h"
#include "eval/RandomDiagram.h"

namespace zorvex::testing {
namespace {

RectangleHolds scanned(const Diagram& g, const Rect& r) {
  RectangleHolds out;
  for (int32_t n = 0; n < g.SentenceCount(); ++n)
    if (!g.sentence(n).Deleted && sentenceInside(g.sentence(n), r)) out.sentences.push_back(n);
  for (int32_t n = 0; n < g.ArrowCount(); ++n)
    if (!g.arrow(n).Deleted && arrowInside(g.arrow(n), r)) out.arrows.push_back(n);
  return out;
}

void expectAgreement(const Diagram& g, uint32_t seed) {
  for (int32_t n = 0; n < g.DefeaterCount(); ++n) {
    const DefeaterHolding holds = defeaterHolds(g, n);
    EXPECT_EQ(holds.challenging, scanned(g, g.defeater(n).ChallengingRect)) << "seed " << seed << " Defeater" << n;
    EXPECT_EQ(holds.challenged, scanned(g, g.defeater(n).ChallengedRect)) << "seed " << seed << " Defeater" << n;
  }
}

TEST(DefeaterHolds, TheBordersAsTheInsideRulesDrawThem) {
  Diagram g;
  DiagramEdit edit(g);
  const int32_t inside = edit.addSentence({101, 101}, "in", {10, 10}).added->index;  // (101, 101, 118, 118)
  edit.addSentence({100, 130}, "on the edge", {10, 10});
  const int32_t arrow = g.addArrow([] {
    TArrow a;
    a.StartX = 100, a.StartY = 100, a.EndX = 200, a.EndY = 200;  // both ends on corners
    return a;
  }());
  // As loaded: a box and a rectangle with Left past Right, across cells of the index.
  TSentence turned;
  turned.Left = 270, turned.Top = 310, turned.Right = 240, turned.Bottom = 315;
  sizeLoadedSentence(turned);
  const int32_t inTurned = g.addSentence(turned);
  edit.addDefeater({100, 100, 200, 200}, {260, 290, 250, 330});
  const DefeaterHolding holds = defeaterHolds(g, 0);
  EXPECT_EQ(holds.challenging.sentences, std::vector<int32_t>{inside});
  EXPECT_EQ(holds.challenging.arrows, std::vector<int32_t>{arrow});
  EXPECT_EQ(holds.challenged.sentences, std::vector<int32_t>{inTurned});
  EXPECT_TRUE(holds.challenged.arrows.empty());
}

// Random diagrams with unnormalised boxes and rectangles, deleted and
// unresolved elements; then again after moves, which the index must follow.
TEST(DefeaterHolds, AgreesWithAScanOfEveryElementBeforeAndAfterMoves) {
  for (uint32_t seed = 1; seed <= 60; ++seed) {
    RandomDiagramMaker maker(seed);
    Diagram g = maker.make(60, 60, 12, 400);
    expectAgreement(g, seed);
    DiagramEdit edit(g);
    for (int step = 0; step < 5 && g.SentenceCount() > 0; ++step) {
      std::vector<int32_t> some;
      for (int k = maker.between(1, 4); k > 0; --k) some.push_back(maker.between(0, g.SentenceCount() - 1));
      edit.moveSentences(some, maker.between(-150, 150), maker.between(-150, 150));
    }
    expectAgreement(g, seed);
  }
}

}  // namespace
}  // namespace zorvex::testing
