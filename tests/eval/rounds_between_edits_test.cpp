// Rounds taken one after the other keep what the defeaters' rectangles hold
// while the drawing stays the same, and large diagrams share the work with a
// second thread: statuses and log lines must still match the plain
// reference, however the drawing changes between rounds.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "eval/Passes.h"
#include "eval/Queries.h"
#include "eval/RandomDiagram.h"
#include "eval/ReferenceEvaluation.h"
#include "eval/Rounds.h"

namespace zorvex {
namespace {

using testing::RandomDiagramMaker;

// v + d, kept within 32 bits (random rectangles reach the edges of the plane).
int32_t shifted(int32_t v, int32_t d) {
  return static_cast<int32_t>(std::clamp<int64_t>(int64_t{v} + d, INT32_MIN, INT32_MAX));
}

// One change to the drawing that every kind of element may see: a box moved
// or resized, an arrow's end moved, a defeater's rectangle moved, something
// deleted or brought back.
void changeDrawing(RandomDiagramMaker& r, Diagram& a, Diagram& b) {
  const int kind = r.between(0, 2);
  const int32_t dx = r.between(-40, 40), dy = r.between(-40, 40);
  const bool toggle = r.chance(30);
  if (kind == 0 && a.SentenceCount() > 0) {
    const int32_t n = r.between(0, a.SentenceCount() - 1);
    for (Diagram* g : {&a, &b}) {
      TSentence& s = g->sentence(n);
      if (toggle) s.Deleted = !s.Deleted;
      s.Left = shifted(s.Left, dx), s.Right = shifted(s.Right, dx);
      s.Top = shifted(s.Top, dy), s.Bottom = shifted(s.Bottom, dy);
    }
  } else if (kind == 1 && a.ArrowCount() > 0) {
    const int32_t n = r.between(0, a.ArrowCount() - 1);
    for (Diagram* g : {&a, &b}) {
      TArrow& w = g->arrow(n);
      if (toggle) w.Deleted = !w.Deleted;
      w.EndX = shifted(w.EndX, dx), w.EndY = shifted(w.EndY, dy);
    }
  } else if (a.DefeaterCount() > 0) {
    const int32_t n = r.between(0, a.DefeaterCount() - 1);
    for (Diagram* g : {&a, &b}) {
      TDefeater& d = g->defeater(n);
      if (toggle) d.Deleted = !d.Deleted;
      d.ChallengedRect.Left = shifted(d.ChallengedRect.Left, dx);
      d.ChallengedRect.Right = shifted(d.ChallengedRect.Right, dx);
      d.ChallengingRect.Top = shifted(d.ChallengingRect.Top, dy);
      d.ChallengingRect.Bottom = shifted(d.ChallengingRect.Bottom, dy);
    }
  }
}

void expectSameStatuses(const Diagram& fast, const Diagram& slow) {
  for (int32_t n = 0; n < fast.SentenceCount(); ++n)
    ASSERT_EQ(int(fast.sentence(n).Status), int(slow.sentence(n).Status)) << "Sentence" << n;
  for (int32_t n = 0; n < fast.ArrowCount(); ++n)
    ASSERT_EQ(int(fast.arrow(n).Status), int(slow.arrow(n).Status)) << "Arrow" << n;
  for (int32_t n = 0; n < fast.DefeaterCount(); ++n)
    ASSERT_EQ(int(fast.defeater(n).DefeaterState), int(slow.defeater(n).DefeaterState)) << "Defeater" << n;
}

// Rounds with a change to the drawing before some of them; `twoThreadsFrom`
// 0 splits every scan, however small the diagram.
void runRoundsBetweenEdits(uint32_t seed, int diagrams, int32_t most, size_t twoThreadsFrom) {
  RandomDiagramMaker r(seed);
  const EvaluationOptions options;
  for (int i = 0; i < diagrams; ++i) {
    Diagram fast = r.make(most, most, most / 3, most * 12);
    Diagram slow = fast;
    EvaluationLog fastLog;
    reference::Log slowLog;
    for (int step = 0; step < 8; ++step) {
      const bool changed = r.chance(50);
      if (changed) changeDrawing(r, fast, slow);
      const bool jump = r.chance(50);
      const std::string expected =
          jump ? reference::JumpOneRound(slow, options, slowLog) : reference::EvaluateOneRound(slow, options, slowLog);
      EvaluationQueries queries(fast, EvaluationQueries::DefaultListLimit, twoThreadsFrom);
      const std::string got = RunRound(fast, queries, jump ? options.jumpingRules() : options.evaluationRules(),
                                       jump ? JumpTexts : EvaluateTexts, fastLog);
      SCOPED_TRACE("diagram " + std::to_string(i) + ", step " + std::to_string(step) +
                   (changed ? " after a change" : ""));
      ASSERT_EQ(got, expected);
      ASSERT_EQ(fastLog.lines(), slowLog);
      expectSameStatuses(fast, slow);
      if (::testing::Test::HasFailure()) return;
    }
  }
}

TEST(RoundsBetweenEdits, ChangedDrawingIsListedAgain) { runRoundsBetweenEdits(9001, 600, 40, 1000000); }

TEST(RoundsBetweenEdits, TwoThreadsGiveTheSameStatusesAndLines) { runRoundsBetweenEdits(31337, 300, 60, 0); }

}  // namespace
}  // namespace zorvex
