// Drawing a new defeater: the challenging rectangle by a drag in one mode,
// then, with a guide line following the pointer, the challenged rectangle.
#include <algorithm>

#include "elements/Geometry.h"
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
  PendingDefeater_ = diagram_.createDefeater();
  TDefeater& d = pendingDefeater();
  d.Incomplete = true;
  d.ChallengingRect.Left = x;
  d.ChallengingRect.Top = y;
  diagram_.geometryChanged({ElementKind::Defeater, *PendingDefeater_});
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
  TDefeater& d = pendingDefeater();
  Rect& r = d.ChallengingRect;
  if (x < r.Left) {
    r.Right = r.Left;
    r.Left = x;
  } else {
    r.Right = x;
  }
  if (y < r.Top) {
    r.Bottom = r.Top;
    r.Top = y;
  } else {
    r.Bottom = y;
  }
  d.Center1X = midChecked(r.Left, r.Right);
  d.Center1Y = midChecked(r.Top, r.Bottom);
  diagram_.geometryChanged({ElementKind::Defeater, *PendingDefeater_});
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
  TDefeater& d = pendingDefeater();
  d.ChallengedRect = {x, y, x, y};
  d.Center2X = x;
  d.Center2Y = y;
  ComputeStartEndDefeater(d);
  diagram_.geometryChanged({ElementKind::Defeater, *PendingDefeater_});
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
void ArgumentEditor::updateChallengedRect(int32_t x, int32_t y) {
  Rect& r = pendingDefeater().ChallengedRect;
  const int32_t fixedX = r.Left == LastChallengedPoint_.x ? r.Right : r.Left;
  const int32_t fixedY = r.Top == LastChallengedPoint_.y ? r.Bottom : r.Top;
  r = {std::min(fixedX, x), std::min(fixedY, y), std::max(fixedX, x), std::max(fixedY, y)};
}

void ArgumentEditor::TrackChallengedRect(int32_t x, int32_t y) {
  if (gesture_ != Gesture::ChallengedRect) return;
  TDefeater& d = pendingDefeater();
  overlay_.erase(rectFigure(d.ChallengedRect, true));
  updateChallengedRect(x, y);
  LastChallengedPoint_ = {x, y};
  eraseGuideFigure();
  ComputeStartEndDefeater(d);
  d.Center2X = midChecked(d.ChallengedRect.Left, d.ChallengedRect.Right);
  d.Center2Y = midChecked(d.ChallengedRect.Top, d.ChallengedRect.Bottom);
  diagram_.geometryChanged({ElementKind::Defeater, *PendingDefeater_});
  drawGuideFigure();
  overlay_.draw(rectFigure(d.ChallengedRect, true));
  publishOverlay();
}

void ArgumentEditor::FinishChallengedRect(int32_t x, int32_t y) {
  if (gesture_ != Gesture::ChallengedRect) return;
  gesture_ = Gesture::None;
  TDefeater& d = pendingDefeater();
  overlay_.clearInverting();
  updateChallengedRect(x, y);
  d.Center2X = midChecked(d.ChallengedRect.Left, d.ChallengedRect.Right);
  d.Center2Y = midChecked(d.ChallengedRect.Top, d.ChallengedRect.Bottom);
  setDefeaterExtent(d);
  ComputeStartEndDefeater(d);
  PendingDefeaterComplete_ = true;
  d.Incomplete = false;
  const ElementRef ref{ElementKind::Defeater, *PendingDefeater_};
  diagram_.geometryChanged(ref);
  recordAdded(ref, "Add Defeater");
  // The defeater now paints itself where its rectangles were drawn.
  host_.repaintElement(ref);
  LeaveAddChallengedRectMode();
  EnterAddChallengingRectMode();
}

}  // namespace zorvex
