// Hand-checked support and attack answers, each asked both through the
// listed holdings and through the tree (a list limit of 0 sends every
// non-empty rectangle to the tree).
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>

#include "eval/RectangleSweep.h"
#include "eval/DiagramBuilder.h"
#include "eval/Queries.h"

namespace zorvex {
namespace {

using testing::arrowFromTo;
using testing::defeaterOf;
using testing::sentenceAt;

constexpr size_t Limits[] = {0, 1, EvaluationQueries::DefaultListLimit};

TEST(Queries, ContainmentEdgesAndEmptyChallenges) {
  Diagram g;
  const int32_t inside = sentenceAt(g, "inside", 20, 20, 40, 30, Defeated);
  const int32_t touching = sentenceAt(g, "touching", 10, 40, 40, 50);  // Left on the rectangle's Left
  const int32_t backwards = sentenceAt(g, "backwards", 60, 60, 50, 70);  // Right < Left, still strictly inside
  const int32_t onBorder = arrowFromTo(g, inside, touching, {10, 10}, {100, 100});  // both ends on the border
  const int32_t crossing = arrowFromTo(g, inside, touching, {50, 50}, {150, 50});
  defeaterOf(g, {1000, 1000, 1010, 1010}, {10, 10, 100, 100});  // holds nothing in its challenging rectangle
  for (size_t limit : Limits) {
    SCOPED_TRACE(limit);
    EvaluationQueries q(g, limit);
    EXPECT_TRUE(q.IsJustifiedChallenge(0));
    EXPECT_TRUE(q.IsAttacked(inside));  // whatever its status
    EXPECT_FALSE(q.IsChallenged(touching));
    EXPECT_FALSE(q.IsAttacked(touching));
    EXPECT_TRUE(q.IsAttacked(backwards));
    EXPECT_TRUE(q.IsArrowChallenged(onBorder));
    EXPECT_TRUE(q.IsArrowAttacked(onBorder));
    EXPECT_FALSE(q.IsArrowChallenged(crossing));
  }
}

TEST(Queries, WhatMakesAChallengeJustified) {
  Diagram g;
  const int32_t reason = sentenceAt(g, "reason", 20, 20, 60, 30, Undefeated);
  const int32_t other = sentenceAt(g, "other", 20, 200, 60, 210, Undefeated);
  sentenceAt(g, "weak", 20, 400, 60, 410, Defeated);
  const int32_t target = sentenceAt(g, "target", 500, 20, 560, 30);
  // Challenge 0: a justified sentence and an arrow that is not supporting.
  arrowFromTo(g, reason, other, {30, 25}, {50, 25}, Defeated);
  const int32_t d0 = defeaterOf(g, {10, 10, 100, 40}, {490, 10, 570, 40});
  // Challenge 1: an unjustified sentence; challenge 2: a justified one. Both challenge the target.
  const int32_t d1 = defeaterOf(g, {10, 390, 100, 420}, {480, 0, 580, 50});
  const int32_t d2 = defeaterOf(g, {10, 190, 100, 220}, {470, 0, 590, 50});
  g.defeatersForStatus()[d2].DefeaterState = DefeaterState::Inactive;  // painted state is not consulted
  for (size_t limit : Limits) {
    SCOPED_TRACE(limit);
    EvaluationQueries q(g, limit);
    EXPECT_FALSE(q.IsJustifiedChallenge(d0));
    EXPECT_FALSE(q.IsJustifiedChallenge(d1));
    EXPECT_TRUE(q.IsJustifiedChallenge(d2));
    EXPECT_TRUE(q.IsAttacked(target));
    EXPECT_EQ(q.challengingSentences(d1).anyDefeated, true);
    EXPECT_EQ(q.challengingSentences(d1).anyNotEvaluated, false);
  }
  g.defeatersForStatus()[d2].Deleted = true;
  EvaluationQueries q(g);
  EXPECT_TRUE(q.IsChallenged(target));
  EXPECT_FALSE(q.IsAttacked(target));
}

TEST(Queries, SupportComesOnlyFromSupportingArrowsOfJustifiedReasons) {
  Diagram g;
  const int32_t a = sentenceAt(g, "a", 0, 0, 10, 10, Undefeated);
  const int32_t b = sentenceAt(g, "b", 50, 0, 60, 10);
  const int32_t c = sentenceAt(g, "c", 100, 0, 110, 10, NotEvaluated);
  const int32_t d = sentenceAt(g, "d", 150, 0, 160, 10);
  testing::arrowBetween(g, a, b, Undefeated);  // gives b support, not a
  testing::arrowBetween(g, c, d, Undefeated);  // its reason is not justified
  const int32_t unresolved = testing::arrowBetween(g, a, c, Undefeated);
  g.arrowsForStatus()[unresolved].Sentence2 = NoSentence;
  const int32_t deletedArrow = testing::arrowBetween(g, a, d, Undefeated);
  g.arrowsForStatus()[deletedArrow].Deleted = true;
  EvaluationQueries q(g);
  EXPECT_TRUE(q.HasJustifiedSupport(b));
  EXPECT_FALSE(q.HasJustifiedSupport(a));
  EXPECT_FALSE(q.HasJustifiedSupport(c));
  EXPECT_FALSE(q.HasJustifiedSupport(d));
  // The queries read statuses again only when told.
  g.sentencesForStatus()[c].Status = Undefeated;
  EXPECT_FALSE(q.HasJustifiedSupport(d));
  q.statusesChanged();
  EXPECT_TRUE(q.HasJustifiedSupport(d));
}

TEST(Queries, HugeDegenerateAndNestedRectangles) {
  Diagram g;
  const int32_t s = sentenceAt(g, "s", 100, 100, 160, 120, Undefeated);
  const int32_t t = sentenceAt(g, "t", 300, 100, 360, 120, NotEvaluated);
  const int32_t spoiler = arrowFromTo(g, NoSentence, t, {130, 110}, {140, 110}, Undefeated);
  const Rect everything{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX};
  const int32_t huge = defeaterOf(g, {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX - 1}, everything);
  const int32_t degenerate = defeaterOf(g, {400, 400, 0, 0}, {200, 90, 400, 130});
  const int32_t outer = defeaterOf(g, {90, 90, 170, 130}, {0, 0, 1000, 1000});
  const int32_t inner = defeaterOf(g, {95, 95, 165, 125}, {290, 95, 370, 125});
  for (size_t limit : Limits) {
    SCOPED_TRACE(limit);
    EvaluationQueries q(g, limit);
    EXPECT_FALSE(q.IsJustifiedChallenge(huge));  // holds t, not evaluated
    EXPECT_TRUE(q.IsJustifiedChallenge(degenerate));  // holds nothing
    EXPECT_FALSE(q.IsJustifiedChallenge(outer));  // the unresolved arrow spoils it
    EXPECT_FALSE(q.IsJustifiedChallenge(inner));
    EXPECT_TRUE(q.IsAttacked(t));  // by the degenerate one's empty challenge
    EXPECT_FALSE(q.IsAttacked(s));
    EXPECT_TRUE(q.IsChallenged(s));
  }
  g.arrowsForStatus()[spoiler].Deleted = true;
  for (size_t limit : Limits) {
    EvaluationQueries q(g, limit);
    EXPECT_TRUE(q.IsJustifiedChallenge(outer));
    EXPECT_TRUE(q.IsJustifiedChallenge(inner));
    EXPECT_TRUE(q.IsAttacked(s));  // by outer
  }
}

// The sweep lists exactly what a plain test of every element finds, or
// declines, or says a rectangle holds too many.
TEST(Queries, SweepListsExactlyOrDeclines) {
  std::mt19937 rng(99);
  auto between = [&rng](int32_t lo, int32_t hi) { return std::uniform_int_distribution<int32_t>(lo, hi)(rng); };
  int listed = 0, declined = 0, tooMany = 0;
  for (int round = 0; round < 300; ++round) {
    std::vector<BoxKey> keys;
    const int32_t count = between(0, 300), area = between(10, 3000);
    for (int32_t n = 0; n < count; ++n) {
      const int32_t a = between(0, area), b = between(0, area);
      keys.push_back({a, b, a + between(-3, 80), b + between(-3, 40), n});
    }
    std::vector<BoxQuery> queries;
    for (int i = 0; i < 50; ++i) {
      const int64_t qa = between(-50, area), qb = between(-50, area);
      queries.push_back({qa, qb, qa + between(-20, area / 2), qb + between(-20, area / 2)});
    }
    queries.push_back({INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX});
    // Bounds just past 32 bits, as a rectangle on the very edge of the plane gives.
    if (round % 2) keys.push_back({INT32_MAX - 1, 0, INT32_MAX, 5, count});
    queries.push_back({int64_t{INT32_MAX} + 1, -10, int64_t{INT32_MAX} + 1, 100});
    queries.push_back({int64_t{INT32_MAX} - 1, -10, int64_t{INT32_MAX}, 100});
    queries.push_back({int64_t{INT32_MIN}, int64_t{INT32_MIN}, int64_t{INT32_MIN} - 1, 100});
    std::vector<uint8_t> skip(queries.size(), 0);
    skip[0] = 1;
    RectangleSweep sweep;
    sweep.prepare(keys);
    RectangleSweep::Listing listing;
    const size_t most = static_cast<size_t>(between(0, 40));
    sweep.list(keys, queries, skip, most, listing);
    for (size_t i = 0; i < queries.size(); ++i) {
      const BoxQuery& q = queries[i];
      std::vector<int32_t> expected;
      for (const BoxKey& k : keys)
        if (k.a >= q.a && k.b >= q.b && k.c <= q.c && k.d <= q.d) expected.push_back(k.id);
      if (skip[i]) {
        EXPECT_EQ(listing.first[i], listing.last[i]);
        continue;
      }
      switch (listing.answer[i]) {
        case RectangleSweep::Answer::Declined: ++declined; break;
        case RectangleSweep::Answer::TooMany:
          ++tooMany;
          EXPECT_GT(expected.size(), most);
          break;
        case RectangleSweep::Answer::Listed: {
          ++listed;
          std::vector<int32_t> got(listing.ids.begin() + listing.first[i], listing.ids.begin() + listing.last[i]);
          std::sort(got.begin(), got.end());
          ASSERT_EQ(got, expected);
        }
      }
    }
  }
  EXPECT_GT(listed, 1000);
  EXPECT_GT(declined, 100);
  EXPECT_GT(tooMany, 100);
}

}  // namespace
}  // namespace zorvex
