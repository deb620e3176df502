#include "edit/DefeaterHolds.h"

#include <algorithm>

namespace zorvex {

// Whatever is inside meets the rectangle: a sentence's drawn extent runs from
// its Left and Top towards its Right and Bottom, and an arrow's covers both
// its end points. A rectangle given with Left > Right (as loaded) is asked
// for the area it spans.
RectangleHolds rectangleHolds(const Diagram& diagram, const Rect& r) {
  const Rect area{std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), std::max(r.Left, r.Right),
                  std::max(r.Top, r.Bottom)};
  std::vector<ElementRef> found;
  diagram.query(area, found);
  RectangleHolds out;
  for (const ElementRef& ref : found) {
    if (ref.kind == ElementKind::Sentence) {
      const TSentence& s = diagram.sentence(ref.index);
      if (!s.Deleted && sentenceInside(s, r)) out.sentences.push_back(ref.index);
    } else if (ref.kind == ElementKind::Arrow) {
      const TArrow& a = diagram.arrow(ref.index);
      if (!a.Deleted && arrowInside(a, r)) out.arrows.push_back(ref.index);
    }
  }
  std::sort(out.sentences.begin(), out.sentences.end());
  std::sort(out.arrows.begin(), out.arrows.end());
  return out;
}

DefeaterHolding defeaterHolds(const Diagram& diagram, int32_t defeater) {
  const TDefeater& d = diagram.defeater(defeater);
  return {rectangleHolds(diagram, d.ChallengingRect), rectangleHolds(diagram, d.ChallengedRect)};
}

}  // namespace zorvex
