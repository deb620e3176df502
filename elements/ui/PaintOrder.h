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

// What the caller knows of sentences' and arrows' ZOrder: unknown (checked
// first when the lists are walked), growing with the numbers (checked while
// walking), or not (sorted).
enum class ZOrderKnown { Unknown, ByNumber, Mixed };

// Checks the sentences and arrows from the given numbers on, each against
// the one before it.
bool zOrderFollowsNumbers(const Diagram& d, int32_t fromSentence = 0, int32_t fromArrow = 0);

// True when walking every element costs less than the index's answer would,
// for an area or for areas covering that many of the index's cells.
bool preferWalk(const Diagram& d, const Rect& area);
bool preferWalk(const Diagram& d, int64_t cells);

inline bool sentenceMeets(const TSentence& s, const Rect& a) {
  return !s.Deleted && s.Left <= a.Right && int64_t{s.Left} + s.Width - 1 >= a.Left && s.Top <= a.Bottom &&
         int64_t{s.Top} + s.Height - 1 >= a.Top;
}

// The shaft's box and the head around the end point.
inline bool arrowMeets(const TArrow& r, const Rect& a) {
  constexpr int64_t Head = ArrowHeadReach;
  const int64_t l = std::min(r.StartX, r.EndX), rr = std::max(r.StartX, r.EndX);
  const int64_t t = std::min(r.StartY, r.EndY), b = std::max(r.StartY, r.EndY);
  return !r.Deleted && l - Head <= a.Right && rr + Head >= a.Left && t - Head <= a.Bottom && b + Head >= a.Top;
}

// Both rectangles, the line and the diamond round the end point.
inline bool defeaterMeets(const TDefeater& f, const Rect& a) {
  constexpr int64_t Diamond = DefeaterDiamondReach;
  const Rect& g = f.ChallengingRect;
  const Rect& h = f.ChallengedRect;
  const int64_t l = std::min<int64_t>({g.Left, g.Right, h.Left, h.Right, f.StartX, f.EndX - Diamond});
  const int64_t r = std::max<int64_t>({g.Left, g.Right, h.Left, h.Right, f.StartX, f.EndX + Diamond});
  const int64_t t = std::min<int64_t>({g.Top, g.Bottom, h.Top, h.Bottom, f.StartY, f.EndY - Diamond});
  const int64_t b = std::max<int64_t>({g.Top, g.Bottom, h.Top, h.Bottom, f.StartY, f.EndY + Diamond});
  return !f.Deleted && !f.Incomplete && l <= a.Right && r >= a.Left && t <= a.Bottom && b >= a.Top;
}

// Appends the elements meeting area in paint order.
void collectInPaintOrder(const Diagram& d, const Rect& area, std::vector<ElementRef>& out);

// The walk of visitInPaintOrder, trusting that ZOrder grows with the
// numbers: false at the first element where it does not. Reads the element
// lists only, so several walks may run at once.
template <class Visit>
bool walkInCreationOrder(const Diagram& d, const Rect& area, Visit&& visit) {
  for (const TDefeater& f : d.defeaters())
    if (defeaterMeets(f, area)) visit(f);
  const std::vector<TSentence>& ss = d.sentences();
  const std::vector<TArrow>& as = d.arrows();
  size_t i = 0, j = 0;
  while (i < ss.size() || j < as.size()) {
    if (j == as.size() || (i < ss.size() && ss[i].ZOrder < as[j].ZOrder)) {
      if (i > 0 && ss[i].ZOrder <= ss[i - 1].ZOrder) return false;
      if (sentenceMeets(ss[i], area)) visit(ss[i]);
      ++i;
    } else {
      if (j > 0 && as[j].ZOrder <= as[j - 1].ZOrder) return false;
      if (arrowMeets(as[j], area)) visit(as[j]);
      ++j;
    }
  }
  return true;
}

// Calls visit(const TDefeater&), visit(const TSentence&) or visit(const
// TArrow&) for each element meeting area, in paint order. False only when
// ByNumber was wrong: the walk stopped at the first element out of order,
// having visited those before it, and must be done again as Mixed.
template <class Visit>
bool visitInPaintOrder(const Diagram& d, const Rect& area, ZOrderKnown known, Visit&& visit) {
  if (area.Left > area.Right || area.Top > area.Bottom) return true;
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
    return true;
  }
  return walkInCreationOrder(d, area, visit);
}

}  // namespace zorvex
