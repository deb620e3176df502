// What a sentence box does with the pointer: starting and ending arrows,
// starting a move, preparing its status menu, and handing events on to the
// drawing surface beneath it.
#include "edit/DefeaterMeaning.h"
#include "editor/ArgumentEditor.h"
#include "model/Checked.h"

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
  // With Shift too, a selected sentence takes the whole selection along.
  if (button == MouseButton::Left && held == ShiftState(ssCtrl | ssShift | ssLeft) &&
      EditMode_ == EditMode::MakeSelectionMode && diagram_.sentence(n).Selected)
    startGroupMove(n, x, y);
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
  edit_.startArrow(n);
  const TArrow& a = diagram_.pendingArrow();
  ArrowGuidePoint_ = {a.Center1X, a.Center1Y};
  EnterAddEndArrowMode();
}

// A refused end leaves the arrow pending, so another sentence may end it.
void ArgumentEditor::AddEndArrow(int32_t n) {
  if (!diagram_.hasPendingArrow()) return;
  const Point centre1{diagram_.pendingArrow().Center1X, diagram_.pendingArrow().Center1Y};
  EditOutcome made;
  try {
    made = edit_.completeArrow(n);
  } catch (const EditRefused& refused) {
    status(1, refused.message());
    return;
  }
  record(made.step);
  overlay_.erase({OverlayFigure::Shape::Line, centre1, ArrowGuidePoint_, OverlayBlack, false, true});
  publishOverlay();
  LeaveAddEndArrowMode();
  EnterAddStartArrowMode();
  tellMeaning(defeatersGivenNewMeaning(diagram_, made));
}

void ArgumentEditor::DragSentence(int32_t n, int32_t x, int32_t y) {
  EditMode_ = EditMode::DraggingSentenceMode;
  const TSentence& s = diagram_.sentence(n);
  DragReferencePoint_ = {addChecked(x, s.Left), addChecked(y, s.Top)};
  auto& all = diagram_.sentencesForStatus();
  for (size_t k = 0; k < all.size(); ++k)
    if (static_cast<int32_t>(k) != n) all[k].Enabled = false;
  Dragged_ = n;
  dragStep_.emplace("Move Sentence");
}

}  // namespace zorvex
