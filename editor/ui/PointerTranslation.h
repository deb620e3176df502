#pragma once
// Turns Qt mouse events into the editor's pointer events: the changed button,
// the whole set of held buttons and modifier keys, and the position in window
// client coordinates.
#include <QPoint>
#include <QPointF>
#include <Qt>
#include <optional>

#include "editor/EditorTypes.h"

class QMouseEvent;

namespace zorvex {

enum class PointerAction { Press, Move, Release };

struct TranslatedPointer {
  PointerAction action = PointerAction::Move;
  PointerEvent event;
};

// Shift, Ctrl and Alt with the left, right and middle buttons; other keys
// (Meta, keypad) and other buttons are not part of the set.
ShiftState heldSet(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);

// Left, right or middle; nothing for the other buttons.
std::optional<MouseButton> changedButton(Qt::MouseButton button);

// A widget-local position as a window client point; origin is the widget's
// top left corner in window client coordinates. Fractions are floored.
Point clientPoint(QPointF local, QPoint origin);

// A press (a double click counts as a press), move or release; nothing for
// other events and for presses and releases of buttons the editor does not know.
std::optional<TranslatedPointer> translatePointer(const QMouseEvent& event, QPoint origin);

}  // namespace zorvex
