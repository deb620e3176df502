// Moving a sentence with Ctrl and the left button: each step moves the box by
// the pointer's motion and carries the ends of its arrows along.
#include "edit/DefeaterMeaning.h"
#include "editor/ArgumentEditor.h"
#include "model/Checked.h"

namespace zorvex {

void ArgumentEditor::moveDragged(Point p) {
  const int32_t n = *Dragged_;
  const ElementRef ref{ElementKind::Sentence, n};
  const Rect old = diagram_.drawnExtent(ref);
  const int32_t dx = subChecked(p.x, DragReferencePoint_.x);
  const int32_t dy = subChecked(p.y, DragReferencePoint_.y);
  arrowsBeforeStep_.clear();
  for (int32_t k : edit_.lookup().arrowsOf(n)) arrowsBeforeStep_.push_back(diagram_.drawnExtent({ElementKind::Arrow, k}));
  const EditOutcome moved = edit_.moveSentences({n}, dx, dy);
  if (dragStep_) dragStep_->add(moved.step);
  DragReferencePoint_ = p;
  host_.elementMoved(ref, old);
}

// The window repaints an arrow where it was and where it is, once per end at
// the dragged sentence (an arrow from the sentence to itself twice, the
// second time from where the first left it).
void ArgumentEditor::arrowFollowed(int32_t k, Rect& before) {
  const ElementRef ref{ElementKind::Arrow, k};
  const Rect old = before;
  before = diagram_.drawnExtent(ref);
  host_.elementMoved(ref, old);
  host_.repaintElement(ref);
}

// Arrows with an unresolved side have no box to follow and keep their ends.
void ArgumentEditor::followArrows(bool counting) {
  const int32_t n = *Dragged_;
  auto counted = [&] {
    if (!counting) return;
    if (DragRepaintCounter_ % 10 == 0) host_.repaintSurface();
    DragRepaintCounter_ = (DragRepaintCounter_ + 1) % 1000;
  };
  const std::vector<int32_t>& arrows = edit_.lookup().arrowsOf(n);
  arrowsBeforeStep_.resize(arrows.size());
  for (size_t i = 0; i < arrows.size(); ++i) {
    const int32_t k = arrows[i];
    const TArrow& a = diagram_.arrow(k);
    if (a.Deleted || !a.resolved()) continue;
    if (a.Sentence1 == n) {
      arrowFollowed(k, arrowsBeforeStep_[i]);
      counted();
    }
    if (a.Sentence2 == n) {
      arrowFollowed(k, arrowsBeforeStep_[i]);
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
  if (dragStep_) {
    // A press and drop on the spot moved nothing worth a step.
    const ElementRef dragged{ElementKind::Sentence, *Dragged_};
    for (const ElementChange& c : dragStep_->step().elements) {
      if (c.ref != dragged) continue;
      const auto& was = std::get<TSentence>(c.before);
      const auto& now = std::get<TSentence>(c.after);
      if (was.Left == now.Left && was.Top == now.Top) continue;
      record(dragStep_->step());
      tellMeaning(defeatersGivenNewMeaning(diagram_, dragStep_->step()));
      break;
    }
  }
  dragStep_.reset();
  arrowsBeforeStep_.clear();
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
