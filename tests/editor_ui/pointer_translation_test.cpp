// Qt mouse events as the editor reads them: which button changed, the whole
// held set, and the position in window client coordinates.
#include <QMouseEvent>
#include <gtest/gtest.h>

#include "editor/ui/PointerTranslation.h"

namespace zorvex {
namespace {

QMouseEvent mouse(QEvent::Type type, QPointF pos, Qt::MouseButton button, Qt::MouseButtons buttons,
                  Qt::KeyboardModifiers mods = {}) {
  return QMouseEvent(type, pos, pos, pos, button, buttons, mods);
}

TEST(PointerTranslation, PressesCarryTheButtonInTheHeldSetAndReleasesDoNot) {
  auto press = translatePointer(mouse(QEvent::MouseButtonPress, {10, 20}, Qt::LeftButton, Qt::LeftButton), {0, 2});
  ASSERT_TRUE(press);
  EXPECT_EQ(press->action, PointerAction::Press);
  EXPECT_EQ(press->event.button, MouseButton::Left);
  EXPECT_EQ(press->event.held, ShiftState(ssLeft));
  EXPECT_EQ(press->event.pos, (Point{10, 22}));

  auto release = translatePointer(mouse(QEvent::MouseButtonRelease, {5, 6}, Qt::LeftButton, Qt::NoButton), {});
  ASSERT_TRUE(release);
  EXPECT_EQ(release->action, PointerAction::Release);
  EXPECT_EQ(release->event.held, ShiftState());

  // A right press while the left is held: both are in the set.
  auto both = translatePointer(
      mouse(QEvent::MouseButtonPress, {1, 1}, Qt::RightButton, Qt::LeftButton | Qt::RightButton), {});
  ASSERT_TRUE(both);
  EXPECT_EQ(both->event.button, MouseButton::Right);
  EXPECT_EQ(both->event.held, ShiftState(ssLeft | ssRight));
  EXPECT_NE(both->event.held, ShiftState(ssRight));

  // A double click is a press; extra buttons are not the editor's.
  auto twice = translatePointer(mouse(QEvent::MouseButtonDblClick, {3, 4}, Qt::MiddleButton, Qt::MiddleButton), {});
  ASSERT_TRUE(twice);
  EXPECT_EQ(twice->action, PointerAction::Press);
  EXPECT_EQ(twice->event.button, MouseButton::Middle);
  EXPECT_EQ(twice->event.held, ShiftState(ssMiddle));
  EXPECT_FALSE(translatePointer(mouse(QEvent::MouseButtonPress, {3, 4}, Qt::BackButton, Qt::BackButton), {}));
}

TEST(PointerTranslation, ModifiersJoinTheSetAndPositionsFloor) {
  EXPECT_EQ(heldSet(Qt::LeftButton, Qt::ControlModifier), ShiftState(ssCtrl | ssLeft));
  EXPECT_EQ(heldSet(Qt::NoButton, Qt::ShiftModifier | Qt::AltModifier), ShiftState(ssShift | ssAlt));
  // Meta and keypad are no part of the old shift state.
  EXPECT_EQ(heldSet(Qt::LeftButton, Qt::MetaModifier | Qt::KeypadModifier), ShiftState(ssLeft));

  auto move = translatePointer(mouse(QEvent::MouseMove, {7.75, -0.5}, Qt::NoButton, Qt::LeftButton,
                                     Qt::ControlModifier),
                               {100, 200});
  ASSERT_TRUE(move);
  EXPECT_EQ(move->action, PointerAction::Move);
  EXPECT_EQ(move->event.held, ShiftState(ssLeft | ssCtrl));
  EXPECT_EQ(move->event.pos, (Point{107, 199}));
  EXPECT_FALSE(translatePointer(mouse(QEvent::Enter, {}, Qt::NoButton, Qt::NoButton), {}));
}

}  // namespace
}  // namespace zorvex
