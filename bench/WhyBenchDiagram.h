#pragma once
// Generated diagrams for the explanation benchmarks, with the local
// structure of drawn ones: boxes of about 60 x 20 on a grid, arrows between
// neighbours, defeaters whose rectangles hold one box each, 5 % of the
// sentences set justified and 1 % unjustified by the user.
#include <random>
#include <string>
#include <vector>

#include "model/Diagram.h"

namespace zorvex::bench {

struct BenchDiagram {
  Diagram diagram;
  std::vector<Status> sentenceStatus, arrowStatus;
  std::vector<DefeaterState> defeaterState;

  void keepStatuses() {
    sentenceStatus.clear(), arrowStatus.clear(), defeaterState.clear();
    for (const TSentence& s : diagram.sentences()) sentenceStatus.push_back(s.Status);
    for (const TArrow& a : diagram.arrows()) arrowStatus.push_back(a.Status);
    for (const TDefeater& d : diagram.defeaters()) defeaterState.push_back(d.DefeaterState);
  }
  void restore() {
    for (size_t i = 0; i < sentenceStatus.size(); ++i) diagram.sentencesForStatus()[i].Status = sentenceStatus[i];
    for (size_t i = 0; i < arrowStatus.size(); ++i) diagram.arrowsForStatus()[i].Status = arrowStatus[i];
    for (size_t i = 0; i < defeaterState.size(); ++i) diagram.defeatersForStatus()[i].DefeaterState = defeaterState[i];
  }
};

inline void makeBenchDiagram(BenchDiagram& out, int32_t sentences, int32_t arrows, int32_t defeaters) {
  std::mt19937 rng(2026);
  int32_t columns = 1;
  while (columns * columns < sentences) ++columns;
  Diagram& g = out.diagram;
  g.reserve(static_cast<size_t>(sentences), static_cast<size_t>(arrows), static_cast<size_t>(defeaters));
  std::uniform_int_distribution<int32_t> jitter(0, 30), percent(0, 99), near(-2, 2), pad(3, 25);
  for (int32_t n = 0; n < sentences; ++n) {
    TSentence s;
    s.Left = (n % columns) * 120 + jitter(rng);
    s.Top = (n / columns) * 60 + jitter(rng);
    s.Width = 60, s.Height = 20;
    s.Right = s.Left + s.Width, s.Bottom = s.Top + s.Height;
    s.Text = "Sentence " + std::to_string(n);
    const int32_t p = percent(rng);
    s.Status = p < 5 ? Status(Undefeated | SetByUser) : p < 6 ? Status(Defeated | SetByUser) : Status(NotEvaluated);
    g.addSentence(std::move(s));
  }
  const auto neighbour = [&](int32_t from) {
    int32_t to = from + near(rng) + near(rng) * columns;
    if (to == from || to < 0 || to >= sentences) to = (from + 1) % sentences;
    return to;
  };
  std::uniform_int_distribution<int32_t> pick(0, sentences - 1);
  for (int32_t n = 0; n < arrows; ++n) {
    const int32_t from = pick(rng), to = neighbour(from);
    const TSentence &a = g.sentence(from), &b = g.sentence(to);
    TArrow arrow;
    arrow.Sentence1 = from, arrow.Sentence2 = to;
    arrow.StartX = (a.Left + a.Right) / 2, arrow.StartY = (a.Top + a.Bottom) / 2;
    arrow.EndX = (b.Left + b.Right) / 2, arrow.EndY = (b.Top + b.Bottom) / 2;
    g.addArrow(arrow);
  }
  for (int32_t n = 0; n < defeaters; ++n) {
    const int32_t from = pick(rng), to = neighbour(from);
    const Rect a = g.sentence(from).box(), b = g.sentence(to).box();
    TDefeater d;
    d.ChallengingRect = {a.Left - pad(rng), a.Top - pad(rng), a.Right + pad(rng), a.Bottom + pad(rng)};
    d.ChallengedRect = {b.Left - pad(rng), b.Top - pad(rng), b.Right + pad(rng), b.Bottom + pad(rng)};
    g.addDefeater(d);
  }
  out.keepStatuses();
}

}  // namespace zorvex::bench
