#include "elements/ui/DiagramPainter.h"

#include <algorithm>
#include <vector>

#include "elements/ui/ElementPainter.h"

namespace zorvex {

// Order of painting, fixed:
//  1. defeaters, in number order: they belong to the drawing surface itself,
//     which paints before anything that lies on it;
//  2. sentences and arrows together, in creation order (ZOrder), so a later
//     element covers an earlier one. A sentence draws inside its box and an
//     arrow's shaft inside the arrow's bounds; an arrow's head is drawn with
//     its shaft, in window coordinates, not limited to the bounds.
// Deleted elements are skipped. Only what the spatial index returns for the
// area is sorted.
void paintDiagram(QPainter& p, const Diagram& d, const QRect& area, const QFont& font) {
  if (area.isEmpty()) return;
  thread_local std::vector<ElementRef> found;
  found.clear();
  d.query({area.left(), area.top(), area.right(), area.bottom()}, found);

  auto zOf = [&d](const ElementRef& r) {
    return r.kind == ElementKind::Sentence ? d.sentence(r.index).ZOrder : d.arrow(r.index).ZOrder;
  };
  auto defeatersFirst = [](const ElementRef& r) { return r.kind == ElementKind::Defeater; };
  const auto others = std::partition(found.begin(), found.end(), defeatersFirst);
  std::sort(found.begin(), others, [](const ElementRef& a, const ElementRef& b) { return a.index < b.index; });
  std::sort(others, found.end(), [&](const ElementRef& a, const ElementRef& b) { return zOf(a) < zOf(b); });

  for (const ElementRef& r : found) {
    switch (r.kind) {
      case ElementKind::Defeater: paintDefeater(p, d.defeater(r.index), area); break;
      case ElementKind::Sentence: paintSentence(p, d.sentence(r.index), font, area); break;
      case ElementKind::Arrow: paintArrow(p, d.arrow(r.index), area); break;
    }
  }
}

}  // namespace zorvex
