#include "elements/ui/DiagramPainter.h"

#include <vector>

#include "elements/ui/ElementPainter.h"
#include "elements/ui/PaintOrder.h"

namespace zorvex {

namespace {

void paintOne(QPainter& p, const Diagram& d, const ElementRef& r, const QRect& area, const QFont& font,
              const PaintOptions& o) {
  switch (r.kind) {
    case ElementKind::Defeater: paintDefeater(p, d.defeater(r.index), area, o); break;
    case ElementKind::Sentence: paintSentence(p, d.sentence(r.index), font, area, o); break;
    case ElementKind::Arrow: paintArrow(p, d.arrow(r.index), area, o); break;
  }
}

constexpr size_t ElementsPerPart = 4096;

}  // namespace

// Order of painting, fixed:
//  1. defeaters, in number order: they belong to the drawing surface itself,
//     which paints before anything that lies on it;
//  2. sentences and arrows together, in creation order (ZOrder), so a later
//     element covers an earlier one. A sentence draws inside its box and an
//     arrow's shaft inside the arrow's bounds; an arrow's head is drawn with
//     its shaft, in window coordinates, not limited to the bounds.
// Deleted elements are skipped.
void paintDiagram(QPainter& p, const Diagram& d, const QRect& area, const QFont& font,
                  const PaintOptions& options) {
  if (area.isEmpty()) return;
  thread_local std::vector<ElementRef> found;
  found.clear();
  collectInPaintOrder(d, {area.left(), area.top(), area.right(), area.bottom()}, found);
  for (const ElementRef& r : found) paintOne(p, d, r, area, font, options);
}

bool paintDiagramInParts(QPainter& p, const Diagram& d, const QRect& area, const QFont& font,
                         const PaintOptions& options, const PaintProgress& progress) {
  std::vector<ElementRef> found;
  if (!area.isEmpty()) collectInPaintOrder(d, {area.left(), area.top(), area.right(), area.bottom()}, found);
  const auto total = static_cast<int64_t>(found.size());
  for (size_t n = 0; n < found.size(); ++n) {
    paintOne(p, d, found[n], area, font, options);
    if ((n + 1) % ElementsPerPart == 0 && progress && !progress(static_cast<int64_t>(n + 1), total)) return false;
  }
  return !progress || progress(total, total);
}

}  // namespace zorvex
