#include "editor/ui/PointerTranslation.h"

#include <QMouseEvent>
#include <cmath>

namespace zorvex {

ShiftState heldSet(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
  unsigned bits = 0;
  if (modifiers & Qt::ShiftModifier) bits |= ssShift;
  if (modifiers & Qt::AltModifier) bits |= ssAlt;
  if (modifiers & Qt::ControlModifier) bits |= ssCtrl;
  if (buttons & Qt::LeftButton) bits |= ssLeft;
  if (buttons & Qt::RightButton) bits |= ssRight;
  if (buttons & Qt::MiddleButton) bits |= ssMiddle;
  return ShiftState(bits);
}

std::optional<MouseButton> changedButton(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton: return MouseButton::Left;
    case Qt::RightButton: return MouseButton::Right;
    case Qt::MiddleButton: return MouseButton::Middle;
    default: return std::nullopt;
  }
}

Point clientPoint(QPointF local, QPoint origin) {
  return {static_cast<int32_t>(std::floor(local.x())) + origin.x(),
          static_cast<int32_t>(std::floor(local.y())) + origin.y()};
}

std::optional<TranslatedPointer> translatePointer(const QMouseEvent& event, QPoint origin) {
  TranslatedPointer out;
  switch (event.type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: out.action = PointerAction::Press; break;
    case QEvent::MouseButtonRelease: out.action = PointerAction::Release; break;
    case QEvent::MouseMove: out.action = PointerAction::Move; break;
    default: return std::nullopt;
  }
  if (out.action != PointerAction::Move) {
    const std::optional<MouseButton> button = changedButton(event.button());
    if (!button) return std::nullopt;
    out.event.button = *button;
  }
  out.event.held = heldSet(event.buttons(), event.modifiers());
  out.event.pos = clientPoint(event.position(), origin);
  return out;
}

}  // namespace zorvex
