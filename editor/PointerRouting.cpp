// Delivering window pointer events the way stacked windowless controls over
// the drawing surface get them: the topmost enabled sentence under the
// pointer takes a press, else the surface; the pressed control keeps the
// pointer until every button is released. Events come in surface pixels;
// what lies under the pointer is found at the diagram point the view shows
// there, and whether the pointer is on the surface at all from the pixel.
#include "editor/ArgumentEditor.h"
#include "model/Checked.h"

namespace zorvex {

// Lets the handlers below see the pixel of the event in hand. A modal menu
// opened by a handler may run another event through the editor meanwhile,
// so the outer event's pixel comes back afterwards.
class ArgumentEditor::PointerScope {
 public:
  PointerScope(ArgumentEditor& ed, ViewPoint pixel) : slot_(ed.pointer_), outer_(ed.pointer_) { slot_ = pixel; }
  ~PointerScope() { slot_ = outer_; }
  PointerScope(const PointerScope&) = delete;
  PointerScope& operator=(const PointerScope&) = delete;

 private:
  std::optional<ViewPoint>& slot_;
  std::optional<ViewPoint> outer_;
};

namespace {
ViewPoint pixelOf(const PointerEvent& e) { return {e.pos.x, e.pos.y}; }
}  // namespace

bool ArgumentEditor::onSurface(ViewPoint pixel) const {
  const SurfaceSize s = host_.surfaceSize();
  const int64_t sx = pixel.x - SurfaceLeft;
  const int64_t sy = pixel.y - SurfaceTop;
  return sx >= 0 && sy >= 0 && sx < s.width && sy < s.height;
}

// A sentence hands a pointer event on to the surface only where the surface
// lies beneath it: not above or left of the surface's corner.
bool ArgumentEditor::pastSurfaceCorner(Point p) const {
  const ViewPoint v = pointer_ ? *pointer_ : view_.toView(p);
  return v.x >= SurfaceLeft && v.y >= SurfaceTop;
}

bool ArgumentEditor::insideBox(int32_t sentence, Point p) const {
  const TSentence& s = diagram_.sentence(sentence);
  return p.x >= s.Left && p.y >= s.Top && int64_t{p.x} < int64_t{s.Left} + s.Width &&
         int64_t{p.y} < int64_t{s.Top} + s.Height;
}

ArgumentEditor::Target ArgumentEditor::targetAt(Point p, ViewPoint pixel) const {
  std::vector<ElementRef> found;
  diagram_.query({p.x, p.y, p.x, p.y}, found);
  Target best;
  uint64_t bestZ = 0;
  for (const ElementRef& r : found) {
    if (r.kind != ElementKind::Sentence) continue;
    const TSentence& s = diagram_.sentence(r.index);
    if (s.Deleted || !s.Enabled || !insideBox(r.index, p)) continue;
    if (best.kind == Target::Kind::None || s.ZOrder > bestZ) {
      best = {Target::Kind::Sentence, r.index};
      bestZ = s.ZOrder;
    }
  }
  if (best.kind == Target::Kind::None && onSurface(pixel)) best.kind = Target::Kind::Surface;
  return best;
}

namespace {
unsigned buttonBit(MouseButton b) {
  switch (b) {
    case MouseButton::Left: return ssLeft;
    case MouseButton::Right: return ssRight;
    case MouseButton::Middle: return ssMiddle;
  }
  return 0;
}
// No button held but the one this press is about.
bool onlyButton(const PointerEvent& e) {
  return (e.held.bits & (ssLeft | ssRight | ssMiddle) & ~buttonBit(e.button)) == 0;
}
}  // namespace

void ArgumentEditor::PointerCaptureLost() {
  capture_ = {};
  endGroupMove();
}

void ArgumentEditor::MousePress(const PointerEvent& e) {
  if (EditMode_ == EditMode::DraggingSentenceMode || groupMove_) return;
  // A press elsewhere leaves a sentence's text as it was.
  closeRetype();
  // A press with no other button held starts afresh: a release that never
  // arrived (a modal menu took it) must not leave the pointer with an element.
  if (onlyButton(e)) capture_ = {};
  const PointerScope scope(*this, pixelOf(e));
  const Point p = view_.toDiagram(pixelOf(e));
  const Target t = capture_.kind != Target::Kind::None ? capture_ : targetAt(p, pixelOf(e));
  capture_ = t;
  if (t.kind == Target::Kind::Sentence) {
    const TSentence& s = diagram_.sentence(t.sentence);
    SentenceMouseDown(t.sentence, e.button, e.held, subChecked(p.x, s.Left), subChecked(p.y, s.Top));
  } else if (t.kind == Target::Kind::Surface) {
    ArgumentPaintBoxMouseDown(e.button, e.held, subChecked(p.x, SurfaceLeft), subChecked(p.y, SurfaceTop));
  }
}

void ArgumentEditor::MouseMove(const PointerEvent& e) {
  const PointerScope scope(*this, pixelOf(e));
  if (EditMode_ == EditMode::DraggingSentenceMode) return routeDrag(e, false);
  if (groupMove_) return trackGroupMove(view_.toDiagram(pixelOf(e)));
  const Point p = view_.toDiagram(pixelOf(e));
  const Target t = capture_.kind != Target::Kind::None ? capture_ : targetAt(p, pixelOf(e));
  if (t.kind == Target::Kind::Sentence) {
    const TSentence& s = diagram_.sentence(t.sentence);
    SentenceMouseMove(t.sentence, e.held, subChecked(p.x, s.Left), subChecked(p.y, s.Top));
  } else if (t.kind == Target::Kind::Surface) {
    ArgumentPaintBoxMouseMove(e.held, subChecked(p.x, SurfaceLeft), subChecked(p.y, SurfaceTop));
  }
}

void ArgumentEditor::MouseRelease(const PointerEvent& e) {
  const bool lastButton = !e.held.anyButton();
  const PointerScope scope(*this, pixelOf(e));
  if (EditMode_ == EditMode::DraggingSentenceMode) {
    if (e.button == MouseButton::Left) routeDrag(e, true);
    if (lastButton) capture_ = {};
    return;
  }
  if (groupMove_) {
    if (e.button == MouseButton::Left) endGroupMove();
    if (lastButton) capture_ = {};
    return;
  }
  const Point p = view_.toDiagram(pixelOf(e));
  const Target t = capture_.kind != Target::Kind::None ? capture_ : targetAt(p, pixelOf(e));
  if (lastButton) capture_ = {};
  if (t.kind == Target::Kind::Sentence) {
    const TSentence& s = diagram_.sentence(t.sentence);
    SentenceMouseUp(t.sentence, e.button, e.held, subChecked(p.x, s.Left), subChecked(p.y, s.Top));
  } else if (t.kind == Target::Kind::Surface) {
    ArgumentPaintBoxMouseUp(e.button, e.held, subChecked(p.x, SurfaceLeft), subChecked(p.y, SurfaceTop));
  }
}

// While a sentence is dragged the pointer goes to the dragged sentence when
// it is over its box, else to the surface. A release outside both still ends
// the drag like a drop on the surface, so the program never stays stuck in
// the drag with every other sentence disabled.
void ArgumentEditor::routeDrag(const PointerEvent& e, bool release) {
  if (!Dragged_) return;
  const int32_t s = *Dragged_;
  const Point p = view_.toDiagram(pixelOf(e));
  if (insideBox(s, p)) {
    const TSentence& box = diagram_.sentence(s);
    const int32_t x = subChecked(p.x, box.Left), y = subChecked(p.y, box.Top);
    return release ? SentenceDragDrop(s, x, y) : SentenceDragOver(s, x, y);
  }
  if (release)
    ArgumentPaintBoxDragDrop(subChecked(p.x, SurfaceLeft), subChecked(p.y, SurfaceTop));
  else if (onSurface(pixelOf(e)))
    ArgumentPaintBoxDragOver(subChecked(p.x, SurfaceLeft), subChecked(p.y, SurfaceTop));
}

}  // namespace zorvex
