#pragma once
// Small hand-made diagrams for the evaluation tests.
#include <string>

#include "model/Diagram.h"

namespace zorvex::testing {

inline int32_t sentenceAt(Diagram& g, const std::string& text, int32_t left, int32_t top, int32_t right,
                          int32_t bottom, Status status = NotEvaluated) {
  TSentence s;
  s.Left = left, s.Top = top, s.Right = right, s.Bottom = bottom;
  s.Width = right - left + 1, s.Height = bottom - top + 1;
  s.Text = text;
  s.Status = status;
  return g.addSentence(s);
}

// An arrow drawn between the centres of its two sentences.
inline int32_t arrowBetween(Diagram& g, int32_t from, int32_t to, Status status = NotEvaluated) {
  TArrow a;
  a.Sentence1 = from, a.Sentence2 = to;
  const TSentence& s = g.sentence(from);
  const TSentence& t = g.sentence(to);
  a.StartX = (s.Left + s.Right) / 2, a.StartY = (s.Top + s.Bottom) / 2;
  a.EndX = (t.Left + t.Right) / 2, a.EndY = (t.Top + t.Bottom) / 2;
  a.Status = status;
  return g.addArrow(a);
}

inline int32_t arrowFromTo(Diagram& g, int32_t from, int32_t to, Point start, Point end, Status status = NotEvaluated) {
  TArrow a;
  a.Sentence1 = from, a.Sentence2 = to;
  a.StartX = start.x, a.StartY = start.y, a.EndX = end.x, a.EndY = end.y;
  a.Status = status;
  return g.addArrow(a);
}

inline int32_t defeaterOf(Diagram& g, Rect challenging, Rect challenged) {
  TDefeater d;
  d.ChallengingRect = challenging;
  d.ChallengedRect = challenged;
  return g.addDefeater(d);
}

}  // namespace zorvex::testing
