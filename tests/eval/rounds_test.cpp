// Hand-checked rounds: statuses, defeater states, log lines and the status
// bar text of the evaluate, jump, reset and set-status commands.
#include <gtest/gtest.h>

#include "eval/DiagramBuilder.h"
#include "eval/Rounds.h"
#include "model/ZorvexError.h"

namespace zorvex {
namespace {

using Lines = std::vector<std::string>;
using testing::arrowBetween;
using testing::defeaterOf;
using testing::sentenceAt;

// Boxes far enough apart that no rectangle below holds two by accident.
int32_t box(Diagram& g, const std::string& text, int32_t column, Status status = NotEvaluated) {
  return sentenceAt(g, text, 100 * column + 10, 10, 100 * column + 70, 30, status);
}
Rect around(const Diagram& g, int32_t s) {
  const TSentence& t = g.sentence(s);
  return {t.Left - 5, t.Top - 5, t.Right + 5, t.Bottom + 5};
}
int st(const Diagram& g, int32_t s) { return g.sentence(s).Status; }
int ast(const Diagram& g, int32_t a) { return g.arrow(a).Status; }
DefeaterState ds(const Diagram& g, int32_t d) { return g.defeater(d).DefeaterState; }

TEST(Rounds, EmptyDiagramAndLoneSentence) {
  Diagram empty;
  EvaluationLog log;
  EXPECT_EQ(EvaluateOneRound(empty, {}, log), "No new evaluations");
  EXPECT_EQ(JumpOneRound(empty, {}, log), "No new jumps");
  EXPECT_EQ(log.lines(), (Lines{"[Evaluate (one round)]", "No new evaluations", "", "[Jump (one round)]",
                                "No new jumps", ""}));

  Diagram g;
  const int32_t a = box(g, "A", 0);
  EvaluationLog one;
  EXPECT_EQ(EvaluateOneRound(g, {}, one), "No new evaluations");  // rule 3a finds it not evaluated already
  EXPECT_EQ(st(g, a), 4);
  EXPECT_EQ(JumpOneRound(g, {}, one), "");
  EXPECT_EQ(st(g, a), 10);
  EXPECT_EQ(JumpOneRound(g, {}, one), "No new jumps");
  EXPECT_EQ(st(g, a), 2);
  EXPECT_EQ(one.lines(), (Lines{"[Evaluate (one round)]", "No new evaluations", "", "[Jump (one round)]",
                                "'A' is justified since it has no justified support and is not attacked.", "",
                                "[Jump (one round)]", "No new jumps", ""}));
}

TEST(Rounds, RuleThreeBTextHasACommaOnlyInEvaluationRounds) {
  Diagram g;
  const int32_t a = box(g, "A", 0, Defeated);
  EvaluationOptions options;
  options.EvaluationOption3a = false;
  options.EvaluationOption3b = true;
  EvaluationLog log;
  EXPECT_EQ(EvaluateOneRound(g, options, log), "");
  EXPECT_EQ(st(g, a), 26);  // turned over from unjustified
  EXPECT_EQ(log.lines()[1], "'A' is justified since it has no justified support, and is not attacked.");
}

TEST(Rounds, UserJustifiedReasonMakesArrowAndConclusionInOneRound) {
  Diagram g;
  const int32_t a = box(g, "A", 0), b = box(g, "B", 2);
  const int32_t arrow = arrowBetween(g, a, b);
  EvaluationLog log;
  SetStatusByUser(g, a, UserStatus::Justified, log);
  EXPECT_EQ(ast(g, arrow), 4);  // setting a status evaluates nothing
  EXPECT_EQ(EvaluateOneRound(g, {}, log), "");
  EXPECT_EQ(ast(g, arrow), 10);
  EXPECT_EQ(st(g, b), 10);
  EXPECT_EQ(st(g, a), 34);
  EXPECT_EQ(log.lines(), (Lines{"[User]", "'A' is justified (set by user).", "", "[Evaluate (one round)]",
                                "'B' is justified since it has justified support.", ""}));
}

TEST(Rounds, JumpThenEvaluateTakesBackWhatWasOnlyJumpedTo) {
  Diagram g;
  const int32_t a = box(g, "A", 0), b = box(g, "B", 2);
  const int32_t arrow = arrowBetween(g, a, b);
  EvaluationLog log;
  EXPECT_EQ(JumpOneRound(g, {}, log), "");
  EXPECT_EQ(st(g, a), 10);
  EXPECT_EQ(st(g, b), 10);
  EXPECT_EQ(ast(g, arrow), 4);  // the arrow pass ran while A was still not evaluated
  EXPECT_EQ(JumpOneRound(g, {}, log), "No new jumps");
  EXPECT_EQ(ast(g, arrow), 10);
  EXPECT_EQ(st(g, a), 2);
  // An evaluation round does not jump: A has no support and becomes not
  // evaluated, and with it its arrow; B keeps its support for this round.
  EXPECT_EQ(EvaluateOneRound(g, {}, log), "");
  EXPECT_EQ(st(g, a), 12);
  EXPECT_EQ(ast(g, arrow), 12);
  EXPECT_EQ(st(g, b), 2);
  EXPECT_EQ(log.lines(),
            (Lines{"[Jump (one round)]", "'A' is justified since it has no justified support and is not attacked.",
                   "'B' is justified since it has no justified support and is not attacked.", "",
                   "[Jump (one round)]", "No new jumps", "", "[Evaluate (one round)]",
                   "'A' is unevaluated since it has no justified support and is not attacked.", ""}));
}

TEST(Rounds, LosingSupportUnevaluatesTheSentenceAndItsArrows) {
  Diagram g;
  const int32_t a = box(g, "A", 0, Undefeated | SetByUser), b = box(g, "B", 2), c = box(g, "C", 4);
  const int32_t ab = arrowBetween(g, a, b), bc = arrowBetween(g, b, c);
  EvaluationLog log;
  EvaluateOneRound(g, {}, log);
  EvaluateOneRound(g, {}, log);
  ASSERT_EQ(st(g, c), 10);
  ASSERT_EQ(ast(g, bc), 10);
  SetStatusByUser(g, a, UserStatus::NotEvaluated, log);
  EvaluationLog round;
  EXPECT_EQ(EvaluateOneRound(g, {}, round), "");
  EXPECT_EQ(st(g, b), 12);
  EXPECT_EQ(ast(g, ab), 12);
  EXPECT_EQ(ast(g, bc), 12);
  EXPECT_EQ(st(g, c), 2);  // its support was still there when the sentence pass began
  EXPECT_EQ(round.lines(), (Lines{"[Evaluate (one round)]",
                                  "'B' is unevaluated since it has no justified support and is not attacked.", ""}));
}

TEST(Rounds, JustifiedSentenceAttackedWithoutSupportTurnsUnjustified) {
  Diagram g;
  const int32_t a = box(g, "A", 0, Undefeated | SetByUser), t = box(g, "T", 2);
  const int32_t c = box(g, "C", 4, Undefeated | SetByUser);
  const int32_t arrow = arrowBetween(g, a, t);
  const int32_t d = defeaterOf(g, around(g, c), around(g, t));
  EvaluationLog log;
  EvaluateOneRound(g, {}, log);
  ASSERT_EQ(st(g, t), 10);  // supported, so rule 2 does not apply
  EXPECT_EQ(ds(g, d), DefeaterState::Active);
  SetStatusByUser(g, a, UserStatus::Unjustified, log);
  EvaluationLog round;
  EXPECT_EQ(EvaluateOneRound(g, {}, round), "");
  EXPECT_EQ(st(g, t), 25);
  EXPECT_EQ(ast(g, arrow), 12);
  EXPECT_EQ(round.lines(),
            (Lines{"[Evaluate (one round)]",
                   "'T' is unjustified since it has no justified support and is attacked by (justified) challenges.",
                   ""}));
  EXPECT_EQ(EvaluateOneRound(g, {}, round), "No new evaluations");
  EXPECT_EQ(st(g, t), 1);
}

TEST(Rounds, DefeaterStatesFollowTheirChallengingSentences) {
  Diagram g;
  const int32_t open = box(g, "open", 0);
  const int32_t refuted = box(g, "refuted", 2, Defeated | SetByUser);
  const int32_t target = box(g, "target", 4);
  const int32_t hit = box(g, "hit", 6);
  const int32_t far = box(g, "far", 8);
  const int32_t keeps = defeaterOf(g, around(g, open), around(g, far));
  g.defeatersForStatus()[keeps].DefeaterState = DefeaterState::Inactive;
  const int32_t inactive = defeaterOf(g, around(g, refuted), around(g, far));
  const int32_t unconditional = defeaterOf(g, {5000, 5000, 5100, 5100}, around(g, hit));
  const int32_t sameRound = defeaterOf(g, around(g, hit), around(g, target));
  EvaluationLog log;
  EvaluateOneRound(g, {}, log);
  EXPECT_EQ(ds(g, keeps), DefeaterState::Inactive);  // a challenging sentence is not evaluated
  EXPECT_EQ(ds(g, inactive), DefeaterState::Inactive);
  EXPECT_EQ(ds(g, unconditional), DefeaterState::Active);
  EXPECT_EQ(st(g, hit), 9);  // attacked by the empty challenge
  EXPECT_EQ(ds(g, sameRound), DefeaterState::Inactive);
  EXPECT_EQ(st(g, target), 4);  // its challenge was not justified at the start of the pass
}

TEST(Rounds, OnlyArrowAndDefeaterChangesReportNothingNew) {
  Diagram g;
  const int32_t a = box(g, "A", 0, Undefeated | SetByUser), b = box(g, "B", 2, Defeated | SetByUser);
  const int32_t arrow = arrowBetween(g, a, b);
  const int32_t d = defeaterOf(g, around(g, a), {9000, 9000, 9100, 9100});
  EvaluationOptions none;
  none.setEvaluationRules({});
  EvaluationLog log;
  EXPECT_EQ(EvaluateOneRound(g, none, log), "No new evaluations");
  EXPECT_EQ(ast(g, arrow), 10);
  EXPECT_EQ(ds(g, d), DefeaterState::Active);
  EXPECT_EQ(log.lines(), (Lines{"[Evaluate (one round)]", "No new evaluations", ""}));
}

TEST(Rounds, BothThirdRulesOnEndNotEvaluatedWithBothLines) {
  Diagram g;
  const int32_t a = box(g, "A", 0, Defeated);
  EvaluationOptions options;
  options.EvaluationOption3b = true;  // only the core lets 3a and 3b be on together
  EvaluationLog log;
  EvaluateOneRound(g, options, log);
  EXPECT_EQ(st(g, a), 12);
  EXPECT_EQ(log.lines(), (Lines{"[Evaluate (one round)]",
                                "'A' is unevaluated since it has no justified support and is not attacked.",
                                "'A' is justified since it has no justified support, and is not attacked.", ""}));
}

TEST(Rounds, DeletedAndUnresolvedElementsTakeNoPart) {
  Diagram g;
  const int32_t gone = box(g, "gone", 0, Undefeated | SetByUser);
  const int32_t b = box(g, "B", 2);
  const int32_t deletedJustified = box(g, "deleted", 4, Undefeated);
  const int32_t victim = box(g, "victim", 6, Undefeated | SetByUser);
  const int32_t c = box(g, "C", 8, Undefeated | SetByUser);
  const int32_t fromGone = arrowBetween(g, gone, b, Undefeated);
  const int32_t unresolved = arrowBetween(g, c, b, NotEvaluated);
  g.arrowsForStatus()[unresolved].Sentence1 = NoSentence;
  g.sentencesForStatus()[gone].Deleted = true;
  g.sentencesForStatus()[deletedJustified].Deleted = true;
  // The deleted sentence is all its challenging rectangle holds: the challenge is empty.
  const int32_t emptied = defeaterOf(g, around(g, deletedJustified), around(g, b));
  const int32_t deletedDefeater = defeaterOf(g, {5000, 5000, 5100, 5100}, around(g, victim));
  g.defeatersForStatus()[deletedDefeater].Deleted = true;
  g.defeatersForStatus()[deletedDefeater].DefeaterState = DefeaterState::Inactive;
  EvaluationLog log;
  EvaluateOneRound(g, {}, log);
  EXPECT_EQ(st(g, b), 9);  // no support from the deleted sentence's arrow, attacked by the emptied challenge
  EXPECT_EQ(ast(g, fromGone), 12);  // its start counts as not justified
  EXPECT_EQ(ast(g, unresolved), 4);
  EXPECT_EQ(st(g, deletedJustified), 2);
  EXPECT_EQ(ds(g, emptied), DefeaterState::Active);
  EXPECT_EQ(ds(g, deletedDefeater), DefeaterState::Inactive);
  // Reset reaches deleted elements too.
  ResetAll(g, log);
  EXPECT_EQ(st(g, deletedJustified), 4);
  EXPECT_EQ(st(g, gone), 4);
  EXPECT_EQ(ds(g, deletedDefeater), DefeaterState::ActiveNorInactive);
}

TEST(Rounds, ResetClearsEverythingIncludingUserStatuses) {
  Diagram g;
  const int32_t a = box(g, "A", 0, Undefeated | SetByUser), b = box(g, "B", 2, Defeated | SetByUser);
  const int32_t arrow = arrowBetween(g, a, b, Undefeated | JustEvaluated);
  const int32_t d = defeaterOf(g, around(g, a), around(g, b));
  g.defeatersForStatus()[d].DefeaterState = DefeaterState::Active;
  EvaluationLog log;
  ResetAll(g, log);
  EXPECT_EQ(st(g, a), 4);
  EXPECT_EQ(st(g, b), 4);
  EXPECT_EQ(ast(g, arrow), 4);
  EXPECT_EQ(ds(g, d), DefeaterState::ActiveNorInactive);
  EXPECT_EQ(log.lines(), (Lines{"[Reset]", "All sentences are unevaluated.", ""}));
}

TEST(Rounds, UserSetStatusesAndTheirLines) {
  Diagram g;
  const int32_t a = box(g, "it's A", 0, Undefeated | JustEvaluated | StatusFlipped);
  EvaluationLog log;
  SetStatusByUser(g, a, UserStatus::Unjustified, log);
  EXPECT_EQ(st(g, a), 33);
  SetStatusByUser(g, a, UserStatus::Justified, log);
  EXPECT_EQ(st(g, a), 34);
  SetStatusByUser(g, a, UserStatus::NotEvaluated, log);
  EXPECT_EQ(st(g, a), 4);
  EXPECT_EQ(log.lines(), (Lines{"[User]", "'it's A' is unjustified (set by user).", "", "[User]",
                                "'it's A' is justified (set by user).", "", "[User]",
                                "'it's A' is not evaluated (set by user).", ""}));
  EXPECT_THROW(SetStatusByUser(g, 1, UserStatus::Justified, log), ZorvexError);

  // The menu leaves out the command whose flag the status already has.
  EXPECT_FALSE(UserStatusOffered(10, UserStatus::Justified));
  EXPECT_TRUE(UserStatusOffered(10, UserStatus::Unjustified));
  EXPECT_TRUE(UserStatusOffered(10, UserStatus::NotEvaluated));
  EXPECT_FALSE(UserStatusOffered(33, UserStatus::Unjustified));
  EXPECT_FALSE(UserStatusOffered(4, UserStatus::NotEvaluated));
}

}  // namespace
}  // namespace zorvex
