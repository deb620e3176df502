#pragma once
// Random diagrams for comparing the evaluation with the plain reference:
// small areas so that rectangles often hold boxes and arrows, with nested,
// overlapping, empty, huge and unnormalised rectangles, unresolved arrows,
// deleted elements and arbitrary statuses.
#include <climits>
#include <random>
#include <string>

#include "model/Diagram.h"

namespace zorvex::testing {

class RandomDiagramMaker {
 public:
  explicit RandomDiagramMaker(uint32_t seed) : rng_(seed) {}

  int32_t between(int32_t lo, int32_t hi) { return std::uniform_int_distribution<int32_t>(lo, hi)(rng_); }
  bool chance(int percent) { return between(0, 99) < percent; }
  std::mt19937& rng() { return rng_; }

  Diagram make(int32_t maxSentences, int32_t maxArrows, int32_t maxDefeaters, int32_t area) {
    Diagram g;
    const int32_t sentences = between(0, maxSentences);
    for (int32_t n = 0; n < sentences; ++n) g.addSentence(sentence(n, area));
    const int32_t arrows = between(0, maxArrows);
    for (int32_t n = 0; n < arrows; ++n) g.addArrow(arrow(g, area));
    const int32_t defeaters = between(0, maxDefeaters);
    for (int32_t n = 0; n < defeaters; ++n) g.addDefeater(defeater(g, area));
    return g;
  }

  Status sentenceStatus() {
    static const Status values[] = {4, 4, 4, 1, 2, 9, 10, 12, 25, 26, 33, 34};
    return values[between(0, 11)];
  }
  Status arrowStatus() {
    static const Status values[] = {4, 4, 4, 1, 2, 9, 10, 12, 25, 26};
    return values[between(0, 9)];
  }

 private:
  TSentence sentence(int32_t n, int32_t area) {
    TSentence s;
    s.Left = between(0, area);
    s.Top = between(0, area);
    s.Right = chance(10) ? s.Left - between(0, 20) : s.Left + between(0, 60);
    s.Bottom = chance(10) ? s.Top - between(0, 20) : s.Top + between(0, 30);
    s.Width = s.Right - s.Left + 1;
    s.Height = s.Bottom - s.Top + 1;
    s.Text = chance(10) ? "it's \xC3\xA4 " + std::to_string(n) : "S" + std::to_string(n);
    if (chance(30)) s.Status = sentenceStatus();
    s.Deleted = chance(10);
    return s;
  }

  Point centreOf(const TSentence& s) { return {(s.Left + s.Right) / 2, (s.Top + s.Bottom) / 2}; }

  TArrow arrow(const Diagram& g, int32_t area) {
    TArrow a;
    const int32_t count = g.SentenceCount();
    a.Sentence1 = count == 0 || chance(8) ? NoSentence : between(0, count - 1);
    a.Sentence2 = count == 0 || chance(8) ? NoSentence : between(0, count - 1);
    Point p{between(0, area), between(0, area)}, q{between(0, area), between(0, area)};
    if (a.Sentence1 != NoSentence && chance(75)) p = centreOf(g.sentence(a.Sentence1));
    if (a.Sentence2 != NoSentence && chance(75)) q = centreOf(g.sentence(a.Sentence2));
    a.StartX = p.x, a.StartY = p.y, a.EndX = q.x, a.EndY = q.y;
    if (chance(30)) a.Status = arrowStatus();
    a.Deleted = chance(10);
    return a;
  }

  // Padding per edge, often exactly on the border or one pixel off it.
  int32_t pad(int32_t most) {
    const int32_t pick = between(0, 9);
    return pick <= 2 ? 0 : pick == 3 ? -1 : pick == 4 ? 1 : between(0, most);
  }
  Rect around(const Rect& r, int32_t most) {
    return {r.Left - pad(most), r.Top - pad(most), r.Right + pad(most), r.Bottom + pad(most)};
  }

  Rect rectangle(const Diagram& g, int32_t area) {
    switch (between(0, 9)) {
      case 0:
      case 1:
        if (g.SentenceCount() > 0) return around(g.sentence(between(0, g.SentenceCount() - 1)).box(), between(0, 40));
        [[fallthrough]];
      case 2:
        if (g.ArrowCount() > 0) {
          const TArrow& a = g.arrow(between(0, g.ArrowCount() - 1));
          const Rect ends{std::min(a.StartX, a.EndX), std::min(a.StartY, a.EndY), std::max(a.StartX, a.EndX),
                          std::max(a.StartY, a.EndY)};
          return around(ends, 3);
        }
        [[fallthrough]];
      case 3: return {area * 10, area * 10, area * 10 + 50, area * 10 + 50};  // holds nothing
      case 4: return {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX};
      case 5: {
        const int32_t x = between(0, area), y = between(0, area);
        return {x, y, x - between(0, 80), y + between(-80, 80)};  // unnormalised
      }
      default: {
        const int32_t x = between(-20, area), y = between(-20, area);
        return {x, y, x + between(0, area), y + between(0, area)};
      }
    }
  }

  TDefeater defeater(const Diagram& g, int32_t area) {
    TDefeater d;
    d.ChallengingRect = rectangle(g, area);
    d.ChallengedRect = rectangle(g, area);
    if (chance(20)) d.DefeaterState = static_cast<DefeaterState>(between(0, 2));
    d.Deleted = chance(10);
    return d;
  }

  std::mt19937 rng_;
};

}  // namespace zorvex::testing
