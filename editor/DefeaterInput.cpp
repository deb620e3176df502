// Drawing a new defeater: the challenging rectangle by a drag in one mode,
// then, with a guide line following the pointer, the challenged rectangle.
#include <algorithm>

#include "model/Checked.h"
#include "editor/ArgumentEditor.h"

namespace zorvex {

namespace {
// Outline of (L, T, R, B) with its right and bottom lines on R and B.
OverlayFigure rectFigure(Rect r, bool rubberBand) {
  const Point far{addChecked(r.Right, 1), addChecked(r.Bottom, 1)};
  return {OverlayFigure::Shape::Rectangle, {r.Left, r.Top}, far, OverlayDarkRed, rubberBand, rubberBand};
}
Rect spanned(Point a, Point b) {
  return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}
}  // namespace

TDefeater& ArgumentEditor::pendingDefeater() { return diagram_.defeater(*PendingDefeater_); }

// The guide figure: dotted line from Start to End and the diamond at End.
std::pair<OverlayFigure, OverlayFigure> ArgumentEditor::guideFigure() {
  const TDefeater& d = pendingDefeater();
  const Point start{d.StartX, d.StartY}, end{d.EndX, d.EndY};
  return {{OverlayFigure::Shape::Line, start, end, OverlayDarkRed, true, true},
          {OverlayFigure::Shape::Diamond, end, end, OverlayDarkRed, true, true}};
}

void ArgumentEditor::drawGuideFigure() {
  const auto [line, diamond] = guideFigure();
  overlay_.draw(line);
  overlay_.draw(diamond);
}

void ArgumentEditor::eraseGuideFigure() {
  const auto [line, diamond] = guideFigure();
  overlay_.erase(line);
  overlay_.erase(diamond);
}

void ArgumentEditor::StartChallengingRect(int32_t x, int32_t y) {
  // A press that never got its release leaves a half-drawn defeater behind.
  if (gesture_ == Gesture::ChallengingRect && PendingDefeater_ && !PendingDefeaterComplete_ &&
      *PendingDefeater_ == diagram_.DefeaterCount() - 1) {
    diagram_.destroyLastDefeater();
    overlay_.clear();
  }
  PendingDefeaterComplete_ = false;
  PendingDefeater_ = edit_.beginDefeater({x, y});
  LastPointerPoint_ = {x, y};
  gesture_ = Gesture::ChallengingRect;
  publishOverlay();
}

void ArgumentEditor::TrackChallengingRect(int32_t x, int32_t y) {
  if (gesture_ != Gesture::ChallengingRect) return;
  const Point corner{pendingDefeater().ChallengingRect.Left, pendingDefeater().ChallengingRect.Top};
  overlay_.erase(rectFigure(spanned(corner, LastPointerPoint_), true));
  LastPointerPoint_ = {x, y};
  overlay_.draw(rectFigure(spanned(corner, LastPointerPoint_), true));
  publishOverlay();
}

void ArgumentEditor::FinishChallengingRect(int32_t x, int32_t y) {
  if (gesture_ != Gesture::ChallengingRect) return;
  gesture_ = Gesture::None;
  const Rect& pressed = pendingDefeater().ChallengingRect;
  const Rect r = spanned({pressed.Left, pressed.Top}, {x, y});
  edit_.setChallengingRect(*PendingDefeater_, r);
  // The solid rectangle replaces the rubber band wherever the band last was.
  overlay_.clearInverting();
  overlay_.draw(rectFigure(r, false));
  drawGuideFigure();
  publishOverlay();
  EnterAddChallengedRectMode();
}

// The challenged rectangle shrunk to the pointer, and the guide figure moved
// after it: the dotted line from the challenging rectangle and the diamond.
void ArgumentEditor::moveGuideFigureTo(int32_t x, int32_t y) {
  eraseGuideFigure();
  edit_.setChallengedRect(*PendingDefeater_, {x, y, x, y});
  drawGuideFigure();
}

void ArgumentEditor::TrackDefeaterHead(int32_t x, int32_t y) {
  if (!PendingDefeater_ || PendingDefeaterComplete_ || gesture_ != Gesture::None) return;
  moveGuideFigureTo(x, y);
  publishOverlay();
}

void ArgumentEditor::StartChallengedRect(int32_t x, int32_t y) {
  if (!PendingDefeater_ || PendingDefeaterComplete_) return;
  moveGuideFigureTo(x, y);
  LastChallengedPoint_ = {x, y};
  gesture_ = Gesture::ChallengedRect;
  publishOverlay();
}

// The side that last followed the pointer moves; the other is the press
// point. Crossing the fixed side swaps their roles, keeping Left <= Right.
Rect ArgumentEditor::challengedRectTo(int32_t x, int32_t y) const {
  const Rect& r = diagram_.defeater(*PendingDefeater_).ChallengedRect;
  const int32_t fixedX = r.Left == LastChallengedPoint_.x ? r.Right : r.Left;
  const int32_t fixedY = r.Top == LastChallengedPoint_.y ? r.Bottom : r.Top;
  return {std::min(fixedX, x), std::min(fixedY, y), std::max(fixedX, x), std::max(fixedY, y)};
}

void ArgumentEditor::TrackChallengedRect(int32_t x, int32_t y) {
  if (gesture_ != Gesture::ChallengedRect) return;
  overlay_.erase(rectFigure(pendingDefeater().ChallengedRect, true));
  const Rect r = challengedRectTo(x, y);
  LastChallengedPoint_ = {x, y};
  eraseGuideFigure();
  edit_.setChallengedRect(*PendingDefeater_, r);
  drawGuideFigure();
  overlay_.draw(rectFigure(r, true));
  publishOverlay();
}

void ArgumentEditor::FinishChallengedRect(int32_t x, int32_t y) {
  if (gesture_ != Gesture::ChallengedRect) return;
  gesture_ = Gesture::None;
  overlay_.clearInverting();
  const ElementRef ref{ElementKind::Defeater, *PendingDefeater_};
  edit_.setChallengedRect(ref.index, challengedRectTo(x, y));
  const EditOutcome made = edit_.completeDefeater(ref.index);
  PendingDefeaterComplete_ = true;
  record(made.step);
  // The defeater now paints itself where its rectangles were drawn.
  host_.repaintElement(ref);
  LeaveAddChallengedRectMode();
  EnterAddChallengingRectMode();
}

}  // namespace zorvex
