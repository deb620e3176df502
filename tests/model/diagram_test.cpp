#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "model/Diagram.h"

namespace zorvex {
namespace {

TSentence box(int32_t l, int32_t t, int32_t w, int32_t h, std::string text = "s") {
  TSentence s;
  s.Left = l;
  s.Top = t;
  s.Width = w;
  s.Height = h;
  s.Right = l + w;
  s.Bottom = t + h;
  s.Text = std::move(text);
  return s;
}

TEST(Diagram, NamesCountersAndLookup) {
  Diagram d;
  d.addSentence(box(0, 0, 10, 10));
  d.addSentence(box(20, 0, 10, 10));
  EXPECT_EQ(d.findByName("Sentence1"), (ElementRef{ElementKind::Sentence, 1}));
  EXPECT_FALSE(d.findByName("Sentence2"));   // not counted
  EXPECT_FALSE(d.findByName("Sentence01"));  // names carry no leading zeros
  EXPECT_FALSE(d.findByName("Sentence-1"));
  EXPECT_FALSE(d.findByName("Arrow0"));

  // The pending arrow takes the next arrow name but is counted only when completed.
  d.beginPendingArrow().Sentence1 = 0;
  EXPECT_EQ(d.ArrowCount(), 0);
  d.discardPendingArrow();
  d.beginPendingArrow().Sentence1 = 1;
  EXPECT_EQ(d.completePendingArrow(), 0);
  EXPECT_EQ(d.ArrowCount(), 1);
  EXPECT_EQ(d.arrow(0).Sentence1, 1);

  // Defeaters are counted from their creation; destroying the last one takes the count back.
  EXPECT_EQ(d.createDefeater(), 0);
  EXPECT_EQ(d.DefeaterCount(), 1);
  d.destroyLastDefeater();
  EXPECT_EQ(d.DefeaterCount(), 0);
  EXPECT_EQ(d.createDefeater(), 0);

  // Sentences and arrows share one creation order.
  EXPECT_LT(d.sentence(1).ZOrder, d.arrow(0).ZOrder);
  d.addSentence(box(40, 0, 10, 10));
  EXPECT_LT(d.arrow(0).ZOrder, d.sentence(2).ZOrder);
}

std::vector<ElementRef> bruteForce(const Diagram& d, const Rect& area) {
  std::vector<ElementRef> out;
  auto meets = [&](const Rect& e) {
    return e.Left <= area.Right && area.Left <= e.Right && e.Top <= area.Bottom && area.Top <= e.Bottom;
  };
  for (int32_t n = 0; n < d.SentenceCount(); ++n)
    if (meets(d.drawnExtent({ElementKind::Sentence, n}))) out.push_back({ElementKind::Sentence, n});
  for (int32_t n = 0; n < d.ArrowCount(); ++n)
    if (meets(d.drawnExtent({ElementKind::Arrow, n}))) out.push_back({ElementKind::Arrow, n});
  for (int32_t n = 0; n < d.DefeaterCount(); ++n)
    if (meets(d.drawnExtent({ElementKind::Defeater, n}))) out.push_back({ElementKind::Defeater, n});
  return out;
}

void sortRefs(std::vector<ElementRef>& v) {
  std::sort(v.begin(), v.end(), [](ElementRef a, ElementRef b) {
    return std::pair(static_cast<int>(a.kind), a.index) < std::pair(static_cast<int>(b.kind), b.index);
  });
}

TEST(Diagram, SpatialQueriesMatchABruteForceScanThroughMovesAndAdditions) {
  std::mt19937 rng(7);
  auto coord = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  Diagram d;
  for (int i = 0; i < 300; ++i) d.addSentence(box(coord(-2000, 2000), coord(-2000, 2000), coord(1, 90), coord(1, 30)));
  for (int i = 0; i < 200; ++i) {
    TArrow a;
    a.StartX = coord(-2000, 2000);
    a.StartY = coord(-2000, 2000);
    a.EndX = a.StartX + coord(-300, 300);
    a.EndY = a.StartY + coord(-300, 300);
    d.addArrow(a);
  }
  for (int i = 0; i < 40; ++i) {
    TDefeater f;
    f.ChallengingRect = {coord(-2000, 0), coord(-2000, 0), coord(0, 2000), coord(0, 2000)};
    f.ChallengedRect = {coord(0, 50), coord(0, 50), coord(-50, 0), coord(-50, 0)};  // unnormalised, as loaded
    f.EndX = coord(-3000, 3000);
    f.EndY = coord(-3000, 3000);
    d.addDefeater(f);
  }
  for (int round = 0; round < 60; ++round) {
    const int32_t x = coord(-2500, 2500), y = coord(-2500, 2500);
    const Rect area{x, y, x + coord(0, 700), y + coord(0, 500)};
    std::vector<ElementRef> got;
    d.query(area, got);
    std::vector<ElementRef> want = bruteForce(d, area);
    sortRefs(got);
    sortRefs(want);
    ASSERT_EQ(got, want) << "round " << round;
    // Move a sentence and an arrow, add one more of each.
    TSentence& s = d.sentence(coord(0, d.SentenceCount() - 1));
    const int32_t dx = coord(-400, 400);
    s.Left += dx;
    s.Right += dx;
    d.geometryChanged({ElementKind::Sentence, static_cast<int32_t>(&s - &d.sentence(0))});
    const int32_t an = coord(0, d.ArrowCount() - 1);
    d.arrow(an).EndY += coord(-500, 500);
    d.geometryChanged({ElementKind::Arrow, an});
    d.addSentence(box(coord(-2000, 2000), coord(-2000, 2000), 30, 15));
  }
  d.destroyLastDefeater();
  std::vector<ElementRef> all;
  d.query({INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, all);
  EXPECT_EQ(all.size(), static_cast<size_t>(d.SentenceCount() + d.ArrowCount() + d.DefeaterCount()));
}

TEST(Diagram, ExtentsCoverWhatIsDrawn) {
  TSentence loaded = box(10, 20, 51, 16);  // Left..Right inclusive when loaded
  EXPECT_EQ(sentenceExtent(loaded), (Rect{10, 20, 60, 35}));
  TArrow a;
  a.StartX = 0;
  a.StartY = 0;
  a.EndX = 30;
  a.EndY = 40;
  const Rect e = arrowExtent(a);
  // The head strokes end at (22,36) and (28,31); both lie within the extent.
  EXPECT_LE(e.Left, 0);
  EXPECT_GE(e.Right, 30);
  EXPECT_GE(e.Bottom, 40);
  TDefeater f;
  f.ChallengingRect = {100, 100, 150, 130};
  f.ChallengedRect = {300, 80, 360, 120};
  f.EndX = 300;
  f.EndY = 104;
  const Rect fe = defeaterExtent(f);
  EXPECT_LE(fe.Left, 100);
  EXPECT_GE(fe.Right, 360);
  EXPECT_LE(fe.Top, 80);
  EXPECT_GE(fe.Bottom, 130);
}

}  // namespace
}  // namespace zorvex
