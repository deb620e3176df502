// Evaluate until stable: a chain settles, a self-challenging sentence
// cycles with period 2, a stable diagram stops after one round; the round
// limit and a stop between rounds; the log holds every round as the button
// writes it, then the closing line.
#include <gtest/gtest.h>

#include "eval/DiagramBuilder.h"
#include "eval/RandomDiagram.h"
#include "eval/Rounds.h"
#include "explain/UntilStable.h"

namespace zorvex {
namespace {

using Lines = std::vector<std::string>;
using testing::arrowBetween;
using testing::defeaterOf;
using testing::sentenceAt;

Diagram chain(int length) {
  Diagram g;
  for (int i = 0; i < length; ++i) sentenceAt(g, "S" + std::to_string(i), 10 + 100 * i, 10, 70 + 100 * i, 30);
  for (int i = 0; i + 1 < length; ++i) arrowBetween(g, i, i + 1);
  g.sentence(0).Status = Undefeated | SetByUser;
  return g;
}

TEST(UntilStable, ChainSettlesOneLinkPerRound) {
  Diagram g = chain(4);
  StatusRecord record(g);
  EvaluationLog log;
  const UntilStableOutcome out = EvaluateUntilStable(g, record, {}, log);
  EXPECT_EQ(out.end, UntilStableOutcome::Stable);
  EXPECT_EQ(out.rounds, 4);
  EXPECT_EQ(out.message, "Stable after 4 rounds");
  EXPECT_EQ(log.lines(), (Lines{"[Evaluate (one round)]", "'S1' is justified since it has justified support.", "",
                                "[Evaluate (one round)]", "'S2' is justified since it has justified support.", "",
                                "[Evaluate (one round)]", "'S3' is justified since it has justified support.", "",
                                "[Evaluate (one round)]", "No new evaluations", "", "Stable after 4 rounds", ""}));
  EXPECT_EQ(g.sentence(3).Status, Undefeated);
  EXPECT_EQ(record.stepCount(), 5);  // each round recorded on its own

  // Already stable: one round, said in the singular.
  EvaluationLog again;
  EXPECT_EQ(EvaluateUntilStable(g, record, {}, again).message, "Stable after 1 round");
}

TEST(UntilStable, ChallengeOfItselfRepeatsEveryTwoRounds) {
  Diagram g;
  sentenceAt(g, "Liar", 10, 10, 70, 30);
  defeaterOf(g, {5, 5, 75, 35}, {0, 0, 80, 40});
  EvaluationOptions options;
  options.EvaluationOption3a = false;
  options.EvaluationOption3b = true;
  StatusRecord record(g);
  EvaluationLog log;
  const UntilStableOutcome out = EvaluateUntilStable(g, record, options, log);
  EXPECT_EQ(out.end, UntilStableOutcome::Repeats);
  EXPECT_EQ(out.rounds, 3);
  EXPECT_EQ(out.period, 2);
  EXPECT_EQ(Lines(log.lines().end() - 3, log.lines().end()),
            (Lines{"", "The evaluation repeats every 2 rounds", ""}));
  EXPECT_EQ(g.defeater(0).DefeaterState, DefeaterState::Active);

  // From a status the kept rounds were told of: the state the run started
  // from comes back after two rounds.
  IncrementalRounds rounds(g);
  rounds.EvaluateOneRound(options, log);
  g.sentence(0).Status = Undefeated;
  g.defeater(0).DefeaterState = DefeaterState::Active;
  rounds.statusChanged({ElementKind::Sentence, 0});
  rounds.statusChanged({ElementKind::Defeater, 0});
  StatusRecord fresh(g);
  const UntilStableOutcome again = EvaluateUntilStable(rounds, g, fresh, options, log);
  EXPECT_EQ(again.rounds, 2);
  EXPECT_EQ(again.period, 2);
}

TEST(UntilStable, LimitAndStopBetweenRounds) {
  Diagram g = chain(5);
  StatusRecord record(g);
  EvaluationLog log;
  EXPECT_EQ(EvaluateUntilStable(g, record, {}, log, -1, {}, 2).message, "Not stable after 2 rounds");
  int asked = 0;
  const UntilStableOutcome out = EvaluateUntilStable(g, record, {}, log, -1, [&](int32_t done) {
    ++asked;
    return done < 1;
  });
  EXPECT_EQ(out.end, UntilStableOutcome::Stopped);
  EXPECT_EQ(out.message, "Stopped after 1 round");
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(g.sentence(3).Status, Undefeated | JustEvaluated);  // the third round's work stays
  EXPECT_EQ(roundsText(100000), "100,000 rounds");
}

TEST(UntilStable, ChainLongerThanTheLimitSettles) {
  Diagram g = chain(120000);
  StatusRecord record(g);
  EvaluationLog log;
  EXPECT_EQ(untilStableLimit(chain(3)), 100000);
  EXPECT_EQ(EvaluateUntilStable(g, record, {}, log).message, "Stable after 120,000 rounds");
  EXPECT_EQ(log.lines()[log.lines().size() - 7], "'S119999' is justified since it has justified support.");
}

// A ring of sentences, each challenging the next: with rule 3b all are
// justified, then all attacked, then all free again.
Diagram ring(int length) {
  Diagram g;
  for (int i = 0; i < length; ++i) sentenceAt(g, "R" + std::to_string(i), 10 + 100 * i, 10, 70 + 100 * i, 30);
  for (int i = 0; i < length; ++i) {
    const int j = (i + 1) % length;
    defeaterOf(g, {5 + 100 * i, 5, 75 + 100 * i, 35}, {5 + 100 * j, 5, 75 + 100 * j, 35});
  }
  return g;
}

void expectSameRecords(const StatusRecord& got, const StatusRecord& want) {
  ASSERT_EQ(got.stepCount(), want.stepCount());
  for (int32_t n = 0; n < got.stepCount(); ++n) {
    const RecordedStep &a = got.step(n), &b = want.step(n);
    ASSERT_EQ(int(a.kind), int(b.kind)) << "step " << n;
    ASSERT_EQ(a.label, b.label) << "step " << n;
    ASSERT_EQ(a.round, b.round) << "step " << n;
    ASSERT_EQ(a.roundsSoFar, b.roundsSoFar) << "step " << n;
    for (size_t k = 0; k < 3; ++k) {
      ASSERT_EQ(a.assigned[k].size(), b.assigned[k].size()) << "step " << n << " kind " << k;
      for (size_t i = 0; i < a.assigned[k].size(); ++i) {
        const Assignment &x = a.assigned[k][i], &y = b.assigned[k][i];
        ASSERT_TRUE(x.index == y.index && x.previous == y.previous && x.before == y.before && x.after == y.after)
            << "step " << n << " kind " << k << " assignment " << i;
      }
    }
  }
}

// The run with incremental rounds against the run with whole rounds: the
// outcome, the log, every status and the record of every round.
// With `before`, the incremental rounds first follow a jump round and a
// user status, and the run goes on from them.
void expectSameRuns(const Diagram& start, const EvaluationOptions& options, int32_t limit = 0, int32_t before = -1) {
  Diagram whole = start, incremental = start;
  IncrementalRounds rounds(incremental);
  EvaluationLog wholeLog, incrementalLog;
  if (before >= 0) {
    JumpOneRound(whole, options, wholeLog);
    rounds.JumpOneRound(options, incrementalLog);
    SetStatusByUser(whole, before, UserStatus::Unjustified, wholeLog);
    rounds.SetStatusByUser(before, UserStatus::Unjustified, incrementalLog);
  }
  StatusRecord wholeRecord(whole), incrementalRecord(incremental);
  const UntilStableOutcome want =
      EvaluateUntilStable(whole, wholeRecord, options, wholeLog, 7, {}, limit, RoundWay::Whole);
  const UntilStableOutcome got =
      EvaluateUntilStable(rounds, incremental, incrementalRecord, options, incrementalLog, 7, {}, limit);
  ASSERT_EQ(got.message, want.message);
  ASSERT_EQ(got.rounds, want.rounds);
  ASSERT_EQ(incrementalLog.lines(), wholeLog.lines());
  for (int32_t n = 0; n < whole.SentenceCount(); ++n) ASSERT_EQ(incremental.sentence(n).Status, whole.sentence(n).Status);
  for (int32_t n = 0; n < whole.ArrowCount(); ++n) ASSERT_EQ(incremental.arrow(n).Status, whole.arrow(n).Status);
  for (int32_t n = 0; n < whole.DefeaterCount(); ++n)
    ASSERT_EQ(incremental.defeater(n).DefeaterState, whole.defeater(n).DefeaterState);
  expectSameRecords(incrementalRecord, wholeRecord);
}

TEST(UntilStable, IncrementalRoundsRunAsWholeRoundsOnChainsRingsAndRandomDiagrams) {
  EvaluationOptions freeIsJustified;
  freeIsJustified.EvaluationOption3a = false;
  freeIsJustified.EvaluationOption3b = true;
  for (int length = 1; length <= 300; ++length) {
    SCOPED_TRACE("length " + std::to_string(length));
    Diagram g = chain(length);
    expectSameRuns(g, {});
    g.sentence(0).Status = NotEvaluated;
    expectSameRuns(g, freeIsJustified);  // all free at once, then each link again
    expectSameRuns(ring(length), freeIsJustified);
    if (::testing::Test::HasFailure()) return;
  }
  testing::RandomDiagramMaker r(1999);
  for (int i = 0; i < 1500; ++i) {
    SCOPED_TRACE("random diagram " + std::to_string(i));
    EvaluationOptions options;
    options.setEvaluationRules({r.chance(80), r.chance(80), r.chance(50), false});
    if (!options.EvaluationOption3a) options.EvaluationOption3b = r.chance(60);
    const Diagram g = r.make(i % 10 == 0 ? 120 : 14, i % 10 == 0 ? 160 : 20, i % 10 == 0 ? 40 : 8, 250);
    expectSameRuns(g, options, 50, i % 2 == 0 || g.SentenceCount() == 0 ? -1 : r.between(0, g.SentenceCount() - 1));
    if (::testing::Test::HasFailure()) return;
  }
}

}  // namespace
}  // namespace zorvex
