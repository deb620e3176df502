// Moving a sentence with Ctrl and the left button: each step moves the box by
// the pointer's motion and carries the ends of its arrows along.
#include "elements/Geometry.h"
#include "model/Checked.h"
#include "editor/ArgumentEditor.h"

namespace zorvex {

void ArgumentEditor::moveDragged(Point p) {
  const int32_t n = *Dragged_;
  const ElementRef ref{ElementKind::Sentence, n};
  const Rect old = diagram_.drawnExtent(ref);
  TSentence& s = diagram_.sentence(n);
  const int32_t dx = subChecked(p.x, DragReferencePoint_.x);
  const int32_t dy = subChecked(p.y, DragReferencePoint_.y);
  s.Left = addChecked(s.Left, dx);
  s.Right = addChecked(s.Right, dx);
  s.Top = addChecked(s.Top, dy);
  s.Bottom = addChecked(s.Bottom, dy);
  DragReferencePoint_ = p;
  diagram_.geometryChanged(ref);
  host_.elementMoved(ref, old);
}

void ArgumentEditor::updateArrowEnd(int32_t k, bool startSide) {
  const ElementRef ref{ElementKind::Arrow, k};
  const Rect old = diagram_.drawnExtent(ref);
  TArrow& a = diagram_.arrow(k);
  const TSentence& s = diagram_.sentence(*Dragged_);
  if (startSide) {
    a.Center1X = midChecked(s.Left, s.Right);
    a.Center1Y = midChecked(s.Top, s.Bottom);
  } else {
    a.Center2X = midChecked(s.Left, s.Right);
    a.Center2Y = midChecked(s.Top, s.Bottom);
  }
  ComputeStartEndArrow(a, diagram_.sentence(a.Sentence1), diagram_.sentence(a.Sentence2));
  setArrowBounds(a);
  diagram_.geometryChanged(ref);
  host_.elementMoved(ref, old);
  host_.repaintElement(ref);
}

// Arrows with an unresolved side have no box to follow and keep their ends.
void ArgumentEditor::followArrows(bool counting) {
  index_.sync();
  const int32_t n = *Dragged_;
  auto counted = [&] {
    if (!counting) return;
    if (DragRepaintCounter_ % 10 == 0) host_.repaintSurface();
    DragRepaintCounter_ = (DragRepaintCounter_ + 1) % 1000;
  };
  for (int32_t k : index_.arrowsOf(n)) {
    const TArrow& a = diagram_.arrow(k);
    if (a.Deleted || !a.resolved()) continue;
    if (a.Sentence1 == n) {
      updateArrowEnd(k, true);
      counted();
    }
    if (diagram_.arrow(k).Sentence2 == n) {
      updateArrowEnd(k, false);
      counted();
    }
  }
}

void ArgumentEditor::endDrag() {
  for (TSentence& s : diagram_.sentencesForStatus())
    if (!s.Deleted) s.Enabled = true;
  followArrows(false);
  host_.repaintSurface();
  EditMode_ = EditMode::MakeSelectionMode;
  if (history_ && dragStep_) {
    // A press and drop on the spot moved nothing worth a step.
    UndoStep step = dragStep_->take();
    const auto& was = std::get<TSentence>(step.elements.front().before);
    const TSentence& now = diagram_.sentence(*Dragged_);
    if (was.Left != now.Left || was.Top != now.Top) history_->record(std::move(step));
  }
  dragStep_.reset();
  Dragged_.reset();
}

void ArgumentEditor::SentenceDragOver(int32_t target, int32_t x, int32_t y) {
  if (!Dragged_ || target != *Dragged_) return;
  const TSentence& s = diagram_.sentence(target);
  moveDragged({addChecked(x, s.Left), addChecked(y, s.Top)});
  followArrows(true);
  host_.repaintAllDefeaters();
}

void ArgumentEditor::SentenceDragDrop(int32_t target, int32_t x, int32_t y) {
  if (!Dragged_ || target != *Dragged_) return;
  const TSentence& s = diagram_.sentence(target);
  moveDragged({addChecked(x, s.Left), addChecked(y, s.Top)});
  host_.repaintElement({ElementKind::Sentence, target});
  endDrag();
}

void ArgumentEditor::ArgumentPaintBoxDragOver(int32_t x, int32_t y) {
  if (!Dragged_) return;
  moveDragged({addChecked(x, SurfaceLeft), addChecked(y, SurfaceTop)});
  followArrows(true);
  host_.repaintAllDefeaters();
}

void ArgumentEditor::ArgumentPaintBoxDragDrop(int32_t x, int32_t y) {
  if (!Dragged_) return;
  moveDragged({addChecked(x, SurfaceLeft), addChecked(y, SurfaceTop)});
  endDrag();
}

}  // namespace zorvex
