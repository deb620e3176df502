// The fast evaluation against the plain reference on random diagrams and
// random sequences of commands: statuses, defeater states, log lines and the
// status bar text must agree after every step.
#include <gtest/gtest.h>

#include "eval/ReferenceEvaluation.h"
#include "eval/RandomDiagram.h"
#include "eval/Passes.h"
#include "eval/Queries.h"
#include "eval/Rounds.h"

namespace zorvex {
namespace {

using testing::RandomDiagramMaker;

RuleSet randomRules(RandomDiagramMaker& r) {
  RuleSet rules{r.chance(70), r.chance(70), r.chance(50), r.chance(50)};
  if (rules.rule3a && rules.rule3b && !r.chance(10)) rules.rule3b = false;  // rarely both, as only the core allows
  return rules;
}

void expectSame(const Diagram& fast, const Diagram& slow) {
  ASSERT_EQ(fast.SentenceCount(), slow.SentenceCount());
  for (int32_t n = 0; n < fast.SentenceCount(); ++n)
    ASSERT_EQ(int(fast.sentence(n).Status), int(slow.sentence(n).Status)) << "Sentence" << n;
  for (int32_t n = 0; n < fast.ArrowCount(); ++n)
    ASSERT_EQ(int(fast.arrow(n).Status), int(slow.arrow(n).Status)) << "Arrow" << n;
  for (int32_t n = 0; n < fast.DefeaterCount(); ++n)
    ASSERT_EQ(int(fast.defeater(n).DefeaterState), int(slow.defeater(n).DefeaterState)) << "Defeater" << n;
}

// One random command on both diagrams; returns a description for failures.
std::string randomStep(RandomDiagramMaker& r, Diagram& fast, EvaluationLog& fastLog, Diagram& slow,
                       reference::Log& slowLog) {
  const int kind = r.between(0, 9);
  EvaluationOptions options;
  options.setEvaluationRules(randomRules(r));
  options.setJumpingRules(randomRules(r));
  if (kind <= 6) {
    const bool jump = kind >= 4;
    const std::string expected = jump ? reference::JumpOneRound(slow, options, slowLog)
                                      : reference::EvaluateOneRound(slow, options, slowLog);
    const RuleSet rules = jump ? options.jumpingRules() : options.evaluationRules();
    std::string got;
    std::string how = (jump ? "jump " : "evaluate ") + formatRuleSet(rules);
    if (r.chance(60)) {
      got = jump ? JumpOneRound(fast, options, fastLog) : EvaluateOneRound(fast, options, fastLog);
    } else {
      // Small list limits send rectangles to the tree.
      const size_t limit = static_cast<size_t>(r.between(0, 3));
      EvaluationQueries queries(fast, limit);
      got = RunRound(fast, queries, rules, jump ? JumpTexts : EvaluateTexts, fastLog);
      how += " limit " + std::to_string(limit);
    }
    EXPECT_EQ(got, expected);
    return how;
  }
  if (kind == 7 || fast.SentenceCount() == 0) {
    ResetAll(fast, fastLog);
    reference::ResetAll(slow, slowLog);
    return "reset";
  }
  const int32_t s = r.between(0, fast.SentenceCount() - 1);
  const auto which = static_cast<UserStatus>(r.between(0, 2));
  SetStatusByUser(fast, s, which, fastLog);
  reference::SetStatusByUser(slow, s, which, slowLog);
  return "user " + std::to_string(s) + " " + std::to_string(int(which));
}

void runSequences(uint32_t seed, int diagrams, int32_t maxSentences, int32_t maxArrows, int32_t maxDefeaters,
                  int32_t area, int maxSteps) {
  RandomDiagramMaker r(seed);
  for (int i = 0; i < diagrams; ++i) {
    Diagram fast = r.make(maxSentences, maxArrows, maxDefeaters, area);
    Diagram slow = fast;
    EvaluationLog fastLog;
    reference::Log slowLog;
    const int steps = r.between(1, maxSteps);
    std::string done;
    for (int step = 0; step < steps; ++step) {
      done += randomStep(r, fast, fastLog, slow, slowLog) + "; ";
      SCOPED_TRACE("diagram " + std::to_string(i) + ", steps: " + done);
      ASSERT_EQ(fastLog.lines(), slowLog);
      expectSame(fast, slow);
      if (::testing::Test::HasFailure()) return;
    }
  }
}

TEST(RandomizedComparison, SmallDiagramsAndCommandSequencesMatchReference) {
  runSequences(20261206, 4000, 14, 20, 8, 250, 10);
}

TEST(RandomizedComparison, MediumDiagramsMatchReference) {
  // Enough elements for a tree several levels deep.
  runSequences(777, 40, 400, 400, 60, 800, 4);
}

// Every query on arbitrary statuses, not only the ones rounds produce.
TEST(RandomizedComparison, QueriesMatchReferenceOnArbitraryStatuses) {
  RandomDiagramMaker r(4242);
  for (int i = 0; i < 3000; ++i) {
    Diagram g = r.make(i % 10 == 0 ? 120 : 14, i % 10 == 0 ? 120 : 20, i % 10 == 0 ? 30 : 8, i % 10 == 0 ? 700 : 250);
    for (TSentence& s : g.sentencesForStatus()) s.Status = static_cast<Status>(r.between(0, 63));
    for (TArrow& a : g.arrowsForStatus()) a.Status = static_cast<Status>(r.between(0, 63));
    const size_t limit = i % 3 == 0 ? EvaluationQueries::DefaultListLimit : static_cast<size_t>(r.between(0, 3));
    EvaluationQueries q(g, limit);
    SCOPED_TRACE("diagram " + std::to_string(i) + ", list limit " + std::to_string(limit));
    for (int32_t n = 0; n < g.DefeaterCount(); ++n) {
      ASSERT_EQ(q.IsJustifiedChallenge(n), reference::IsJustifiedChallenge(g, n)) << "Defeater" << n;
    }
    for (int32_t n = 0; n < g.SentenceCount(); ++n) {
      ASSERT_EQ(q.IsChallenged(n), reference::IsChallenged(g, n)) << "Sentence" << n;
      ASSERT_EQ(q.HasJustifiedSupport(n), reference::HasJustifiedSupport(g, n)) << "Sentence" << n;
      ASSERT_EQ(q.IsAttacked(n), reference::IsAttacked(g, n)) << "Sentence" << n;
    }
    for (int32_t n = 0; n < g.ArrowCount(); ++n) {
      ASSERT_EQ(q.IsArrowChallenged(n), reference::IsArrowChallenged(g, n)) << "Arrow" << n;
      ASSERT_EQ(q.IsArrowAttacked(n), reference::IsArrowAttacked(g, n)) << "Arrow" << n;
    }
    // Changing statuses and telling the queries must give the new answers.
    for (TSentence& s : g.sentencesForStatus()) s.Status = static_cast<Status>(r.between(0, 63));
    q.statusesChanged();
    for (int32_t n = 0; n < g.SentenceCount(); ++n)
      ASSERT_EQ(q.IsAttacked(n), reference::IsAttacked(g, n)) << "after change, Sentence" << n;
  }
}

}  // namespace
}  // namespace zorvex
