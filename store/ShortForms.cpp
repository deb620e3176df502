#include "store/ShortForms.h"

#include "elements/Geometry.h"
#include "model/Checked.h"

namespace zorvex {

Geometry borderPointGeometry() {
  Geometry g;
  g.startEnd = [](const Rect& a, const Rect& b) {
    const StartEnd se = ComputeStartEndPoints(a, b);
    return std::pair{se.start, se.end};
  };
  return g;
}

TextSize boxSizeForText(const std::string& text, const Geometry& g) {
  if (!g.textSize) throw ZorvexError("missing 'Right' and 'Bottom'");
  const TextSize size = g.textSize(text);
  return {addChecked(size.width, 7), addChecked(size.height, 7)};
}

ArrowRow arrowBetween(const SentenceRow& from, const SentenceRow& to, const Geometry& g) {
  ArrowRow a;
  a.Center1X = midChecked(from.Left, from.Right);
  a.Center1Y = midChecked(from.Top, from.Bottom);
  a.Center2X = midChecked(to.Left, to.Right);
  a.Center2Y = midChecked(to.Top, to.Bottom);
  const auto [start, end] =
      g.startEnd(Rect{from.Left, from.Top, from.Right, from.Bottom}, Rect{to.Left, to.Top, to.Right, to.Bottom});
  a.StartX = start.x;
  a.StartY = start.y;
  a.EndX = end.x;
  a.EndY = end.y;
  a.Left1 = from.Left;
  a.Top1 = from.Top;
  a.Text1 = from.Text;
  a.Left2 = to.Left;
  a.Top2 = to.Top;
  a.Text2 = to.Text;
  return a;
}

void completeDefeater(DefeaterRow& d, const Geometry& g) {
  const Rect challenging{d.ChallengingRectLeft, d.ChallengingRectTop, d.ChallengingRectRight,
                         d.ChallengingRectBottom};
  const Rect challenged{d.ChallengedRectLeft, d.ChallengedRectTop, d.ChallengedRectRight, d.ChallengedRectBottom};
  d.Center1X = midChecked(challenging.Left, challenging.Right);
  d.Center1Y = midChecked(challenging.Top, challenging.Bottom);
  d.Center2X = midChecked(challenged.Left, challenged.Right);
  d.Center2Y = midChecked(challenged.Top, challenged.Bottom);
  const auto [start, end] = g.startEnd(challenging, challenged);
  d.StartX = start.x;
  d.StartY = start.y;
  d.EndX = end.x;
  d.EndY = end.y;
}

}  // namespace zorvex
