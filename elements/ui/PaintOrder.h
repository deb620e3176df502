#pragma once
// The elements that meet an area, in the order the diagram painter paints
// them: defeaters by number, then sentences and arrows together by ZOrder.
// Deleted elements and defeaters still being drawn are left out.
//
// A small area asks the element store's spatial index and sorts what it
// finds. An area holding much of the diagram walks the element lists once
// instead: no index, no sort, since ZOrder is the order of creation and so
// grows with each kind's numbers; where it does not, the walk sorts.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "model/Diagram.h"

namespace zorvex {

// Whether sentences' and arrows' ZOrder each grow with their numbers.
enum class ZOrderKnown { Unknown, ByNumber, Mixed };

// Checks the sentences and arrows from the given numbers on, each against
// the one before it.
bool zOrderFollowsNumbers(const Diagram& d, int32_t fromSentence = 0, int32_t fromArrow = 0);

// True when walking every element costs less than the index's answer would.
bool preferWalk(const Diagram& d, const Rect& area);

inline bool sentenceMeets(const TSentence& s, const Rect& a) {
  return !s.Deleted && s.Left <= a.Right && int64_t{s.Left} + s.Width - 1 >= a.Left && s.Top <= a.Bottom &&
         int64_t{s.Top} + s.Height - 1 >= a.Top;
}

// The shaft's box and the head around the end point.
inline bool arrowMeets(const TArrow& r, const Rect& a) {
  constexpr int64_t Head = 10;
  const int64_t l = std::min(r.StartX, r.EndX), rr = std::max(r.StartX, r.EndX);
  const int64_t t = std::min(r.StartY, r.EndY), b = std::max(r.StartY, r.EndY);
  return !r.Deleted && l - Head <= a.Right && rr + Head >= a.Left && t - Head <= a.Bottom && b + Head >= a.Top;
}

bool defeaterMeets(const TDefeater& f, const Rect& a);

// Appends the elements meeting area in paint order.
void collectInPaintOrder(const Diagram& d, const Rect& area, std::vector<ElementRef>& out);

// Calls visit(const TDefeater&), visit(const TSentence&) or visit(const
// TArrow&) for each element meeting area, in paint order.
template <class Visit>
void visitInPaintOrder(const Diagram& d, const Rect& area, ZOrderKnown known, Visit&& visit) {
  if (area.Left > area.Right || area.Top > area.Bottom) return;
  const bool walk = preferWalk(d, area);
  if (walk && known == ZOrderKnown::Unknown)
    known = zOrderFollowsNumbers(d) ? ZOrderKnown::ByNumber : ZOrderKnown::Mixed;
  if (!walk || known == ZOrderKnown::Mixed) {
    thread_local std::vector<ElementRef> found;
    found.clear();
    collectInPaintOrder(d, area, found);
    for (const ElementRef& r : found) {
      switch (r.kind) {
        case ElementKind::Defeater: visit(d.defeater(r.index)); break;
        case ElementKind::Sentence: visit(d.sentence(r.index)); break;
        case ElementKind::Arrow: visit(d.arrow(r.index)); break;
      }
    }
    return;
  }
  for (const TDefeater& f : d.defeaters())
    if (defeaterMeets(f, area)) visit(f);
  const std::vector<TSentence>& ss = d.sentences();
  const std::vector<TArrow>& as = d.arrows();
  size_t i = 0, j = 0;
  while (i < ss.size() || j < as.size()) {
    if (j == as.size() || (i < ss.size() && ss[i].ZOrder < as[j].ZOrder)) {
      if (sentenceMeets(ss[i], area)) visit(ss[i]);
      ++i;
    } else {
      if (arrowMeets(as[j], area)) visit(as[j]);
      ++j;
    }
  }
}

}  // namespace zorvex
