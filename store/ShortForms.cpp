#include "store/ShortForms.h"

#include "edit/DerivedGeometry.h"
#include "model/ZorvexError.h"

namespace zorvex {
namespace {

Rect boxOf(const SentenceRow& s) { return {s.Left, s.Top, s.Right, s.Bottom}; }

// Centres and border points as a newly drawn arrow or defeater gets them.
LinkPoints link(const Rect& a, const Rect& b, const Geometry& g) {
  if (!g.startEnd) return linkBetween(a, b);
  const auto [start, end] = g.startEnd(a, b);
  return linkWithEnds(a, b, start, end);
}

}  // namespace

Geometry borderPointGeometry() { return Geometry{}; }

WidePoint farCornerForText(Point corner, const std::string& text, const Geometry& g) {
  if (!g.textSize) throw ZorvexError("missing 'Right' and 'Bottom'");
  return addedSentenceFarCorner(corner, g.textSize(text));
}

ArrowRow arrowBetween(const SentenceRow& from, const SentenceRow& to, const Geometry& g) {
  const Rect a = boxOf(from), b = boxOf(to);
  const LinkPoints p = link(a, b, g);
  ArrowRow row;
  storeLink(row, p);
  row.Left1 = from.Left;
  row.Top1 = from.Top;
  row.Text1 = from.Text;
  row.Left2 = to.Left;
  row.Top2 = to.Top;
  row.Text2 = to.Text;
  return row;
}

void completeDefeater(DefeaterRow& d, const Geometry& g) {
  const Rect challenging{d.ChallengingRectLeft, d.ChallengingRectTop, d.ChallengingRectRight,
                         d.ChallengingRectBottom};
  const Rect challenged{d.ChallengedRectLeft, d.ChallengedRectTop, d.ChallengedRectRight, d.ChallengedRectBottom};
  const LinkPoints p = link(challenging, challenged, g);
  storeLink(d, p);
}

}  // namespace zorvex
