// What a sentence box does with the pointer: starting and ending arrows,
// starting a move, preparing its status menu, and handing events on to the
// drawing surface beneath it.
#include "elements/Geometry.h"
#include "model/Checked.h"
#include "editor/ArgumentEditor.h"

namespace zorvex {

namespace {
bool handsPressOn(EditMode m) {
  return m == EditMode::AddSentenceMode || m == EditMode::MakeSelectionMode ||
         m == EditMode::AddChallengingRectMode || m == EditMode::AddChallengedRectMode;
}
std::string pointText(int32_t x, int32_t y) { return "(" + std::to_string(x) + "," + std::to_string(y) + ")"; }
}  // namespace

void ArgumentEditor::SentenceMouseDown(int32_t n, MouseButton button, ShiftState held, int32_t x, int32_t y) {
  if (button == MouseButton::Left && held == ShiftState(ssLeft)) {
    if (EditMode_ == EditMode::AddStartArrowMode)
      AddStartArrow(n);
    else if (EditMode_ == EditMode::AddEndArrowMode)
      AddEndArrow(n);
  }
  if (button == MouseButton::Left && held == ShiftState(ssCtrl | ssLeft) && EditMode_ == EditMode::MakeSelectionMode)
    DragSentence(n, x, y);
  // Every right press opens the sentence's menu.
  if (button == MouseButton::Right) {
    const Status st = diagram_.sentence(n).Status;
    host_.prepareSentencePopup(
        {n, held == ShiftState(ssRight), !has(st, Undefeated), !has(st, Defeated), !has(st, NotEvaluated)});
  }
  const TSentence& s = diagram_.sentence(n);
  const int32_t wx = addChecked(x, s.Left), wy = addChecked(y, s.Top);
  status(0, pointText(wx, wy));
  if (handsPressOn(EditMode_)) handSurfacePressOn(n, button, held, x, y);
}

void ArgumentEditor::handSurfacePressOn(int32_t n, MouseButton button, ShiftState held, int32_t x, int32_t y) {
  const TSentence& s = diagram_.sentence(n);
  const Point p{addChecked(x, s.Left), addChecked(y, s.Top)};
  if (pastSurfaceCorner(p))
    ArgumentPaintBoxMouseDown(button, held, subChecked(p.x, SurfaceLeft), subChecked(p.y, SurfaceTop));
}

void ArgumentEditor::SentenceMouseMove(int32_t n, ShiftState held, int32_t x, int32_t y) {
  handSurfaceEventOn(n, nullptr, held, x, y);
}

void ArgumentEditor::SentenceMouseUp(int32_t n, MouseButton button, ShiftState held, int32_t x, int32_t y) {
  handSurfaceEventOn(n, &button, held, x, y);
}

void ArgumentEditor::handSurfaceEventOn(int32_t n, const MouseButton* button, ShiftState held, int32_t x, int32_t y) {
  const TSentence& s = diagram_.sentence(n);
  const Point p{addChecked(x, s.Left), addChecked(y, s.Top)};
  if (!pastSurfaceCorner(p)) return;
  const int32_t px = subChecked(p.x, SurfaceLeft), py = subChecked(p.y, SurfaceTop);
  if (button)
    ArgumentPaintBoxMouseUp(*button, held, px, py);
  else
    ArgumentPaintBoxMouseMove(held, px, py);
}

void ArgumentEditor::AddStartArrow(int32_t n) {
  const TSentence& s = diagram_.sentence(n);
  TArrow& a = diagram_.beginPendingArrow();
  a.Sentence1 = n;
  a.Center1X = midChecked(s.Left, s.Right);
  a.Center1Y = midChecked(s.Top, s.Bottom);
  a.StartX = a.Center1X;
  a.StartY = a.Center1Y;
  ArrowGuidePoint_ = {a.Center1X, a.Center1Y};
  EnterAddEndArrowMode();
}

void ArgumentEditor::AddEndArrow(int32_t n) {
  if (!diagram_.hasPendingArrow()) return;
  TArrow& a = diagram_.pendingArrow();
  const TSentence& start = diagram_.sentence(a.Sentence1);
  const TSentence& end = diagram_.sentence(n);
  if (start.Text == end.Text) {
    status(1, "The start and end of the arrow must be different.");
    return;
  }
  // Texts are what identify sentences here: every sentence with the start's
  // text, and every live arrow leaving it towards a sentence with this text.
  index_.sync();
  bool exists = false;
  for (int32_t from : index_.sentencesWithText(start.Text)) {
    for (int32_t k : index_.arrowsOf(from)) {
      const TArrow& other = diagram_.arrow(k);
      if (other.Deleted || !other.resolved() || other.Sentence1 != from) continue;
      if (diagram_.sentence(other.Sentence2).Text == end.Text) exists = true;
    }
  }
  if (exists) {
    status(1, "The arrow already exists.");
    return;
  }
  a.Sentence2 = n;
  a.Center2X = midChecked(end.Left, end.Right);
  a.Center2Y = midChecked(end.Top, end.Bottom);
  ComputeStartEndArrow(a, start, end);
  setArrowBounds(a);
  const Point centre1{a.Center1X, a.Center1Y};
  const int32_t number = diagram_.completePendingArrow();
  diagram_.geometryChanged({ElementKind::Arrow, number});
  index_.sync();
  recordAdded({ElementKind::Arrow, number}, "Add Arrow");
  overlay_.erase({OverlayFigure::Shape::Line, centre1, ArrowGuidePoint_, OverlayBlack, false, true});
  publishOverlay();
  LeaveAddEndArrowMode();
  EnterAddStartArrowMode();
}

void ArgumentEditor::DragSentence(int32_t n, int32_t x, int32_t y) {
  EditMode_ = EditMode::DraggingSentenceMode;
  const TSentence& s = diagram_.sentence(n);
  DragReferencePoint_ = {addChecked(x, s.Left), addChecked(y, s.Top)};
  auto& all = diagram_.sentencesForStatus();
  for (size_t k = 0; k < all.size(); ++k)
    if (static_cast<int32_t>(k) != n) all[k].Enabled = false;
  Dragged_ = n;
  dragStep_.emplace(diagram_, "Move Sentence");
  dragStep_->before({ElementKind::Sentence, n});
  index_.sync();
  for (int32_t k : index_.arrowsOf(n))
    if (!diagram_.arrow(k).Deleted) dragStep_->before({ElementKind::Arrow, k});
}

}  // namespace zorvex
