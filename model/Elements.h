#pragma once
// The records of the three element kinds. Element names are not stored: the
// element with number n of a kind is named by its kind's word followed by n
// (see Diagram::name), so 1,000,000 sentences cost no 1,000,000 strings.
#include <cstdint>
#include <string>

#include "model/Types.h"

namespace zorvex {

constexpr int32_t NoSentence = -1;

// Fields every windowless element has.
struct ElementBase {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Width = 0;
  int32_t Height = 0;
  bool Enabled = true;
  bool Selected = false;
  bool Deleted = false;
  // Creation order of sentences and arrows together: later ones paint on top
  // and take the pointer first.
  uint64_t ZOrder = 0;
};

struct TSentence : ElementBase {
  int32_t Right = 0;
  int32_t Bottom = 0;
  std::string Text;
  zorvex::Status Status = NotEvaluated;

  Rect box() const { return {Left, Top, Right, Bottom}; }
};

struct TArrow : ElementBase {
  TArrow() { Enabled = false; }
  int32_t Sentence1 = NoSentence;  // number of the start sentence, the reason
  int32_t Sentence2 = NoSentence;  // number of the end sentence, the conclusion
  int32_t Center1X = 0, Center1Y = 0;
  int32_t Center2X = 0, Center2Y = 0;
  int32_t StartX = 0, StartY = 0;
  int32_t EndX = 0, EndY = 0;
  zorvex::Status Status = NotEvaluated;

  bool resolved() const { return Sentence1 != NoSentence && Sentence2 != NoSentence; }
};

struct TDefeater : ElementBase {
  TDefeater() { Enabled = false; }
  Rect ChallengingRect;
  Rect ChallengedRect;
  int32_t Center1X = 0, Center1Y = 0;
  int32_t Center2X = 0, Center2Y = 0;
  int32_t StartX = 0, StartY = 0;
  int32_t EndX = 0, EndY = 0;
  zorvex::DefeaterState DefeaterState = zorvex::DefeaterState::ActiveNorInactive;
  // Being drawn: until its challenged rectangle is released only the rubber
  // bands show it, not its own line and head.
  bool Incomplete = false;
};

// Inside rules relating a defeater's rectangles to what they cover.
// A sentence is inside when its box lies strictly within the rectangle.
inline bool sentenceInside(const TSentence& s, const Rect& r) {
  return r.Left < s.Left && r.Top < s.Top && s.Right < r.Right && s.Bottom < r.Bottom;
}
// An arrow is inside when both end points lie within the rectangle, borders included.
inline bool arrowInside(const TArrow& a, const Rect& r) {
  return r.Left <= a.StartX && a.StartX <= r.Right && r.Top <= a.StartY && a.StartY <= r.Bottom &&
         r.Left <= a.EndX && a.EndX <= r.Right && r.Top <= a.EndY && a.EndY <= r.Bottom;
}

}  // namespace zorvex
