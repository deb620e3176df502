#include "viewport/DiagramBounds.h"

#include <algorithm>

namespace zorvex {

Rect unite(const Rect& a, const Rect& b) {
  return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
          std::max(a.Bottom, b.Bottom)};
}

std::optional<Rect> drawnBounds(const Diagram& d) {
  std::optional<Rect> bounds;
  auto take = [&bounds](const Rect& r) { bounds = bounds ? unite(*bounds, r) : r; };
  for (const TSentence& s : d.sentences())
    if (!s.Deleted) take(sentenceExtent(s));
  for (const TArrow& a : d.arrows())
    if (!a.Deleted) take(arrowExtent(a));
  for (const TDefeater& f : d.defeaters())
    if (!f.Deleted && !f.Incomplete) take(defeaterExtent(f));
  return bounds;
}

}  // namespace zorvex
