// Evaluate until stable: a chain settles, a self-challenging sentence
// cycles with period 2, a stable diagram stops after one round; the round
// limit and a stop between rounds; the log holds every round as the button
// writes it, then the closing line.
#include <gtest/gtest.h>

#include "eval/DiagramBuilder.h"
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

}  // namespace
}  // namespace zorvex
