#include "model/ElementBounds.h"

#include <algorithm>
#include <cstdlib>

#include "model/Checked.h"

namespace zorvex {

TextSize addedSentenceSize(TextSize text) { return {addChecked(text.width, 7), addChecked(text.height, 7)}; }

void sizeSentenceToText(TSentence& s, int32_t textWidth, int32_t textHeight) {
  const TextSize size = addedSentenceSize({textWidth, textHeight});
  const int32_t right = addChecked(s.Left, size.width);
  const int32_t bottom = addChecked(s.Top, size.height);
  s.Width = size.width;
  s.Height = size.height;
  s.Right = right;
  s.Bottom = bottom;
}

void sizeLoadedSentence(TSentence& s) {
  s.Width = addChecked(subChecked(s.Right, s.Left), 1);
  s.Height = addChecked(subChecked(s.Bottom, s.Top), 1);
}

void setArrowBounds(TArrow& a) {
  a.Left = std::min(a.StartX, a.EndX);
  a.Top = std::min(a.StartY, a.EndY);
  a.Width = narrowChecked(std::llabs(int64_t{a.StartX} - a.EndX) + 1);
  a.Height = narrowChecked(std::llabs(int64_t{a.StartY} - a.EndY) + 1);
}

void setDefeaterExtent(TDefeater& d) {
  const Rect& a = d.ChallengingRect;
  const Rect& b = d.ChallengedRect;
  d.Width = addChecked(subChecked(std::max(a.Right, b.Right), std::min(a.Left, b.Left)), 1);
  d.Height = addChecked(subChecked(std::max(a.Bottom, b.Bottom), std::min(a.Top, b.Top)), 1);
}

}  // namespace zorvex
