// Explanations of hand-made diagrams, line by line: challenges holding a
// not-supporting arrow, an empty challenge, two defeaters on one sentence,
// rules 3a and 3b in both kinds of round, premises set by the user, an
// element explained once, the depth limit, a deleted element and an arrow
// whose end does not resolve.
#include <gtest/gtest.h>

#include "eval/DiagramBuilder.h"
#include "explain/RecordedSteps.h"
#include "explain/WhyTree.h"

namespace zorvex {
namespace {

using Lines = std::vector<std::string>;
using testing::arrowBetween;
using testing::arrowFromTo;
using testing::defeaterOf;
using testing::sentenceAt;

Lines why(const Diagram& g, const StatusRecord& record, ElementRef ref, int32_t depth = 20) {
  return whyLines(ExplainStatus(g, record, ref, depth), record);
}

// P and A set justified by the user; arrow 0 from A to B is always attacked
// (defeater 0 has an empty challenge); defeater 1's challenge holds P and
// arrow 0 and challenges T.
struct ArrowInChallenge {
  Diagram g;
  int32_t p, a, b, t;
  ArrowInChallenge() {
    p = sentenceAt(g, "P", 10, 10, 70, 30);
    a = sentenceAt(g, "A", 110, 100, 170, 120);
    b = sentenceAt(g, "B", 310, 100, 370, 120);
    t = sentenceAt(g, "T", 610, 10, 670, 30);
    arrowBetween(g, a, b);
    defeaterOf(g, {2000, 2000, 2050, 2050}, {130, 105, 350, 115});
    defeaterOf(g, {5, 5, 345, 115}, {605, 5, 675, 35});
  }
};

TEST(WhyCases, ChallengeWithANotSupportingArrowDoesNotAttack) {
  ArrowInChallenge d;
  StatusRecord record(d.g);
  EvaluationLog log;
  RecordedUserStatus(d.g, record, d.p, UserStatus::Justified, log);
  RecordedUserStatus(d.g, record, d.a, UserStatus::Justified, log);
  RecordedRound(d.g, record, true, {}, log);
  EXPECT_EQ(why(d.g, record, {ElementKind::Sentence, d.t}),
            (Lines{"'T' is justified since it has no justified support and is not attacked. [jump]",
                   "  defeater 1 \xE2\x80\x94 its challenge is not justified",
                   "    'P' \xE2\x80\x94 justified",
                   "    arrow 0 from 'A' \xE2\x80\x94 not supporting",
                   "      arrow 0 from 'A' to 'B' is not supporting since it is attacked by (justified) challenges. "
                   "[jump]",
                   "        'A' \xE2\x80\x94 justified",
                   "          'A' is justified (set by user). [user]",
                   "        defeater 0 \xE2\x80\x94 its challenge is justified: it holds nothing"}));

  // Rule 3a of an evaluation round takes it back; 3b instead keeps the comma text.
  RecordedRound(d.g, record, false, {}, log);
  EXPECT_EQ(why(d.g, record, {ElementKind::Sentence, d.t})[0],
            "'T' is unevaluated since it has no justified support and is not attacked. [evaluate]");
  EvaluationOptions threeB;
  threeB.EvaluationOption3a = false;
  threeB.EvaluationOption3b = true;
  RecordedRound(d.g, record, false, threeB, log);
  EXPECT_EQ(why(d.g, record, {ElementKind::Sentence, d.t})[0],
            "'T' is justified since it has no justified support, and is not attacked. [evaluate]");
  // The arrow kept its status from the first round: explained from there.
  EXPECT_EQ(why(d.g, record, {ElementKind::Arrow, 0})[0],
            "arrow 0 from 'A' to 'B' is not supporting since it is attacked by (justified) challenges. [jump]");
}

// T is challenged by three defeaters: one with an unjustified challenge (Q)
// and two whose challenges hold the premise P.
TEST(WhyCases, TwoDefeatersOnOneSentenceAndEachElementOnce) {
  Diagram g;
  const int32_t t = sentenceAt(g, "T", 10, 10, 70, 30);
  const int32_t p = sentenceAt(g, "P", 210, 10, 270, 30, Undefeated | SetByUser);
  const int32_t q = sentenceAt(g, "Q", 410, 10, 470, 30, Defeated | SetByUser);
  const Rect aroundT{5, 5, 75, 35};
  defeaterOf(g, {405, 5, 475, 35}, aroundT);
  defeaterOf(g, {205, 5, 275, 35}, aroundT);
  defeaterOf(g, {200, 0, 280, 40}, aroundT);
  StatusRecord record(g);
  EvaluationLog log;
  RecordedRound(g, record, false, {}, log);
  (void)p, (void)q;
  EXPECT_EQ(why(g, record, {ElementKind::Sentence, t}),
            (Lines{"'T' is unjustified since it has no justified support and is attacked by (justified) challenges. "
                   "[evaluate]",
                   "  defeater 0 \xE2\x80\x94 its challenge is not justified",
                   "    'Q' \xE2\x80\x94 unjustified",
                   "  defeater 1 \xE2\x80\x94 its challenge is justified",
                   "    'P' \xE2\x80\x94 justified",
                   "      'P' is justified (as at the start). [start]",
                   "  defeater 2 \xE2\x80\x94 its challenge is justified",
                   "    'P' \xE2\x80\x94 justified",
                   "      (explained above: 'P' is justified (as at the start).)"}));
  // Defeater 0 is inactive through Q, defeater 1 active through P.
  EXPECT_EQ(why(g, record, {ElementKind::Defeater, 0}),
            (Lines{"defeater 0 is inactive since a sentence of its challenge is unjustified. [evaluate]",
                   "  'Q' \xE2\x80\x94 unjustified", "    'Q' is unjustified (as at the start). [start]"}));
}

// A chain S0 -> S1 -> S2 -> S3 from a premise, evaluated three times.
TEST(WhyCases, ChainGoesBackToThePremiseWithinTheDepthLimit) {
  Diagram g;
  for (int i = 0; i < 4; ++i) sentenceAt(g, "S" + std::to_string(i), 10 + 100 * i, 10, 70 + 100 * i, 30);
  for (int i = 0; i < 3; ++i) arrowBetween(g, i, i + 1);
  StatusRecord record(g);
  EvaluationLog log;
  RecordedUserStatus(g, record, 0, UserStatus::Justified, log, 0);
  for (int i = 1; i <= 3; ++i) RecordedRound(g, record, false, {}, log, i);
  const Lines full = why(g, record, {ElementKind::Sentence, 3});
  EXPECT_EQ(full.front(), "'S3' is justified since it has justified support. [evaluate, step 3]");
  ASSERT_EQ(full.size(), 19u);
  EXPECT_EQ(full[12], "                        'S0' is justified (set by user). [user, step 0]");
  EXPECT_EQ(full.back(), "      (explained above: 'S2' is justified since it has justified support.)");
  EXPECT_EQ(full[2], "    arrow 2 from 'S2' to 'S3' is supporting since its start sentence is justified and it is not "
                     "attacked. [evaluate, step 3]");
  const Lines cut = why(g, record, {ElementKind::Sentence, 3}, 1);
  EXPECT_EQ(cut.back(), "        (more below the depth limit)");
  EXPECT_LT(cut.size(), full.size());

  // A reset: every status set by it; a deleted sentence is gone.
  RecordedReset(g, record, log, 4);
  EXPECT_EQ(why(g, record, {ElementKind::Arrow, 1}),
            (Lines{"arrow 1 from 'S1' to 'S2' is not evaluated (set by Reset). [reset, step 4]"}));
  g.sentence(2).Deleted = true;
  EXPECT_EQ(why(g, record, {ElementKind::Sentence, 2}), (Lines{"'S2' is deleted and takes no part in the rounds."}));
}

// Such an arrow is counted and not deleted, yet no round reads it: its
// status is the one it had at the start, then the one Reset gave it.
TEST(WhyCases, AnArrowWithAnEndNotResolvedKeepsTheStatusItWasGiven) {
  Diagram g;
  const int32_t a = sentenceAt(g, "A", 10, 10, 70, 30, Undefeated | SetByUser);
  arrowFromTo(g, a, 7, {40, 20}, {240, 20}, Undefeated);
  StatusRecord record(g);
  EvaluationLog log;
  RecordedRound(g, record, false, {}, log);
  const ElementRef arrow{ElementKind::Arrow, 0};
  EXPECT_EQ(why(g, record, arrow), (Lines{"arrow 0 from 'A' to no sentence is supporting (as at the start). [start]"}));
  RecordedReset(g, record, log);
  RecordedRound(g, record, false, {}, log);
  const WhyTree tree = ExplainStatus(g, record, arrow);
  ASSERT_EQ(tree.nodes.size(), 1u);
  EXPECT_FALSE(tree.nodes[0].deleted);
  EXPECT_EQ(tree.nodes[0].rule, WhyRule::None);
  EXPECT_EQ(whyLines(tree, record), (Lines{"arrow 0 from 'A' to no sentence is not evaluated (set by Reset). [reset]"}));
}

}  // namespace
}  // namespace zorvex
