// Drawing defeaters: the one being drawn, rectangle by rectangle, and the
// finished one.
#include "edit/DerivedGeometry.h"
#include "edit/DiagramEdit.h"

namespace zorvex {

int32_t DiagramEdit::beginDefeater(Point corner) {
  const int32_t n = diagram_.createDefeater();
  TDefeater& d = diagram_.defeater(n);
  // Until its challenged rectangle is done only the rubber bands show it.
  d.Incomplete = true;
  d.ChallengingRect.Left = corner.x;
  d.ChallengingRect.Top = corner.y;
  diagram_.geometryChanged({ElementKind::Defeater, n});
  return n;
}

void DiagramEdit::setChallengingRect(int32_t defeater, const Rect& r) {
  TDefeater& d = diagram_.defeater(defeater);
  d.ChallengingRect = r;
  placeChallengingCentre(d);
  diagram_.geometryChanged({ElementKind::Defeater, defeater});
}

void DiagramEdit::setChallengedRect(int32_t defeater, const Rect& r) {
  TDefeater& d = diagram_.defeater(defeater);
  d.ChallengedRect = r;
  placeDefeaterLine(d);
  diagram_.geometryChanged({ElementKind::Defeater, defeater});
}

EditOutcome DiagramEdit::completeDefeater(int32_t defeater) {
  TDefeater& d = diagram_.defeater(defeater);
  placeDefeater(d);
  d.Incomplete = false;
  return added({ElementKind::Defeater, defeater}, "Add Defeater");
}

EditOutcome DiagramEdit::addDefeater(const Rect& challenging, const Rect& challenged) {
  TDefeater d;
  d.ChallengingRect = challenging;
  d.ChallengedRect = challenged;
  placeDefeater(d);
  const int32_t n = diagram_.addDefeater(d);
  return added({ElementKind::Defeater, n}, "Add Defeater");
}

}  // namespace zorvex
