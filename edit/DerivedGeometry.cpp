#include "edit/DerivedGeometry.h"

#include "model/Checked.h"

namespace zorvex {

Rect addedSentenceBox(Point corner, TextSize text) {
  const TextSize size = addedSentenceSize(text);
  return {corner.x, corner.y, addChecked(corner.x, size.width), addChecked(corner.y, size.height)};
}

void placeAddedSentence(TSentence& s, Point corner, TextSize text) {
  TSentence placed = s;
  placed.Left = corner.x;
  placed.Top = corner.y;
  sizeSentenceToText(placed, text.width, text.height);
  s = std::move(placed);
}

WidePoint addedSentenceFarCorner(Point corner, TextSize text) {
  const TextSize size = addedSentenceSize(text);
  return {int64_t{corner.x} + size.width, int64_t{corner.y} + size.height};
}

LinkPoints linkWithEnds(const Rect& from, const Rect& to, Point start, Point end) {
  return {centreOf(from), centreOf(to), start, end};
}

LinkPoints linkBetween(const Rect& from, const Rect& to) {
  const StartEnd points = ComputeStartEndPoints(from, to);
  return {centreOf(from), centreOf(to), points.start, points.end};
}

void placeArrow(TArrow& a, const Rect& from, const Rect& to, ArrowCentres centres) {
  const LinkPoints p = linkBetween(from, to);
  TArrow placed = a;
  if (centres != ArrowCentres::End) {
    placed.Center1X = p.centre1.x;
    placed.Center1Y = p.centre1.y;
  }
  if (centres != ArrowCentres::Start) {
    placed.Center2X = p.centre2.x;
    placed.Center2Y = p.centre2.y;
  }
  placed.StartX = p.start.x;
  placed.StartY = p.start.y;
  placed.EndX = p.end.x;
  placed.EndY = p.end.y;
  setArrowBounds(placed);
  a = std::move(placed);
}

void placeArrowStart(TArrow& a, const Rect& from) {
  const Point c = centreOf(from);
  a.Center1X = a.StartX = c.x;
  a.Center1Y = a.StartY = c.y;
}

void placeChallengingCentre(TDefeater& d) {
  const Point c = centreOf(d.ChallengingRect);
  d.Center1X = c.x;
  d.Center1Y = c.y;
}

void placeDefeaterLine(TDefeater& d) {
  const LinkPoints p = linkBetween(d.ChallengingRect, d.ChallengedRect);
  storeLink(d, p);
}

void placeDefeater(TDefeater& d) {
  TDefeater placed = d;
  placeDefeaterLine(placed);
  setDefeaterExtent(placed);
  d = std::move(placed);
}

Rect movedBox(const Rect& box, int32_t dx, int32_t dy) {
  return {addChecked(box.Left, dx), addChecked(box.Top, dy), addChecked(box.Right, dx), addChecked(box.Bottom, dy)};
}

void moveSentenceBy(TSentence& s, int32_t dx, int32_t dy) {
  const Rect box = movedBox(s.box(), dx, dy);
  s.Left = box.Left;
  s.Top = box.Top;
  s.Right = box.Right;
  s.Bottom = box.Bottom;
}

}  // namespace zorvex
