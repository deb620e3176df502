// The drawing surface's pointer handlers: presses, moves and releases read
// by the active tool, the arrow guide line and the pop-up menus.
#include "model/Checked.h"
#include "editor/ArgumentEditor.h"

namespace zorvex {

namespace {
const ShiftState kNothing{0u};
const ShiftState kLeft{ssLeft};
const ShiftState kRight{ssRight};
const ShiftState kCtrlLeft{ssCtrl | ssLeft};
}  // namespace

void ArgumentEditor::ArgumentPaintBoxMouseDown(MouseButton button, ShiftState held, int32_t x, int32_t y) {
  const Point p{addChecked(x, SurfaceLeft), addChecked(y, SurfaceTop)};
  if (button == MouseButton::Left && held == kLeft) {
    switch (EditMode_) {
      case EditMode::AddSentenceMode: ShowSentenceEdit(p.x, p.y); break;
      case EditMode::AddStartArrowMode: status(1, "To add the start of an arrow click on a sentence."); break;
      case EditMode::AddEndArrowMode: status(1, "To add the end of an arrow click on a sentence."); break;
      case EditMode::AddChallengingRectMode: StartChallengingRect(p.x, p.y); break;
      case EditMode::AddChallengedRectMode: StartChallengedRect(p.x, p.y); break;
      case EditMode::MakeSelectionMode: StartSelectionRect(p.x, p.y); break;
      case EditMode::NoTool:
      case EditMode::DraggingSentenceMode: break;
    }
  }
  if (button == MouseButton::Right && held == kRight) rightPress(p);
  status(0, "(" + std::to_string(p.x) + "," + std::to_string(p.y) + ")");
}

// The arrow menu comes first; the defeater menu opens once it has closed.
// The point is this press's before either opens: their commands read it.
void ArgumentEditor::rightPress(Point p) {
  PopupPoint_ = p;
  if (auto arrow = arrowUnderPointer(p)) {
    PopupArrow_ = arrow;
    host_.openArrowPopup(p);
  }
  if (auto defeater = defeaterUnderPointer(p)) {
    PopupDefeater_ = defeater;
    host_.openDefeaterPopup(p);
  }
}

void ArgumentEditor::ArgumentPaintBoxMouseMove(ShiftState held, int32_t x, int32_t y) {
  const Point p{addChecked(x, SurfaceLeft), addChecked(y, SurfaceTop)};
  const EditMode m = EditMode_;
  if (held == kNothing) {
    if (m == EditMode::AddEndArrowMode) TrackArrowGuideLine(p.x, p.y);
    if (m == EditMode::AddChallengedRectMode) TrackDefeaterHead(p.x, p.y);
  } else if (held == kLeft) {
    if (m == EditMode::AddChallengingRectMode) TrackChallengingRect(p.x, p.y);
    if (m == EditMode::AddChallengedRectMode) TrackChallengedRect(p.x, p.y);
    if (m == EditMode::MakeSelectionMode) TrackSelectionRect(p.x, p.y);
  } else if (held == kCtrlLeft && m == EditMode::AddEndArrowMode) {
    TrackArrowGuideLine(p.x, p.y);
  }
}

void ArgumentEditor::ArgumentPaintBoxMouseUp(MouseButton button, ShiftState held, int32_t x, int32_t y) {
  if (button != MouseButton::Left || held != kNothing) return;
  const Point p{addChecked(x, SurfaceLeft), addChecked(y, SurfaceTop)};
  if (EditMode_ == EditMode::AddChallengingRectMode) FinishChallengingRect(p.x, p.y);
  else if (EditMode_ == EditMode::AddChallengedRectMode) FinishChallengedRect(p.x, p.y);
  else if (EditMode_ == EditMode::MakeSelectionMode) FinishSelection(p.x, p.y);
}

void ArgumentEditor::TrackArrowGuideLine(int32_t x, int32_t y) {
  if (!diagram_.hasPendingArrow()) return;
  const TArrow& a = diagram_.pendingArrow();
  const Point centre{a.Center1X, a.Center1Y};
  overlay_.erase({OverlayFigure::Shape::Line, centre, ArrowGuidePoint_, OverlayBlack, false, true});
  ArrowGuidePoint_ = {x, y};
  overlay_.draw({OverlayFigure::Shape::Line, centre, ArrowGuidePoint_, OverlayBlack, false, true});
  publishOverlay();
}

}  // namespace zorvex
