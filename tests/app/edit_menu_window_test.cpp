// The Edit menu's selection commands through the real window: retyping by
// a double-click, moving a group with Ctrl+Shift and the arrow keys, and
// copy, paste, duplicate and cut through the real menu, keys, clipboard and
// boxes, with the key after each box.
#include <QClipboard>
#include <QCursor>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QToolButton>
#include <gtest/gtest.h>

#include "AppTestSupport.h"
#include "RealModals.h"
#include "app/ui/ArgumentFormStatusBar.h"
#include "tests/support/FormControls.h"

namespace zorvex::testing {
namespace {

constexpr Qt::KeyboardModifiers CtrlShift = Qt::ControlModifier | Qt::ShiftModifier;

struct EditMenuWindowTest : AppTest {
  // A (40, 40)-(100, 60) with an arrow to B (200, 40)-(260, 60); C below A.
  TArgumentForm& startWithThree() {
    writeSentences({{40, 40, 100, 60, "A"}, {200, 40, 260, 60, "B"}, {40, 200, 100, 220, "C"}});
    writeArrowsAndDefeaters({{{70, 50, 230, 50, 100, 50, 200, 50, 40, 40, 200, 40}, "A", "B"}});
    TArgumentForm& f = start();
    f.activateWindow();
    QTest::mouseClick(control<QToolButton>(f, "MakeSelectionSpeedButton"), Qt::LeftButton);
    return f;
  }
  static QWidget* keyTarget(TArgumentForm& f) {
    return QApplication::focusWidget() ? QApplication::focusWidget() : static_cast<QWidget*>(&f);
  }
  // A key as a person types it; the pause after it, in which the window
  // system hands the keys back after a box, is part of it.
  static void key(TArgumentForm& f, Qt::Key k, Qt::KeyboardModifiers mods = {}) {
    QTest::keyClick(keyTarget(f), k, mods);
    QCoreApplication::processEvents();
  }
  // A click on the menu bar opens the menu; its item is chosen by its letter.
  static void chooseFromEditMenu(TArgumentForm& f, char letter) {
    QMenuBar* bar = f.menuBar();
    QMenu* edit = control<QMenu>(f, "EditMenuItem");
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(edit->menuAction()).center());
    ASSERT_EQ(QApplication::activePopupWidget(), edit);
    QTest::keyClick(edit, letter);
    // The window manager gives the keys back to the window the menu closed over.
  }
};

TEST_F(EditMenuWindowTest, ADoubleClickRetypesASentenceAndTheNextKeyActs) {
  TArgumentForm& f = startWithThree();
  auto* box = control<QLineEdit>(f, "SentenceEdit");
  // As the window system delivers a double-click.
  QWidget* canvas = f.canvasWidget();
  sendMouse(canvas, QEvent::MouseButtonPress, {60, 50}, Qt::LeftButton, Qt::LeftButton);
  sendMouse(canvas, QEvent::MouseButtonRelease, {60, 50}, Qt::LeftButton, Qt::NoButton);
  sendMouse(canvas, QEvent::MouseButtonDblClick, {60, 50}, Qt::LeftButton, Qt::LeftButton);
  sendMouse(canvas, QEvent::MouseButtonRelease, {60, 50}, Qt::LeftButton, Qt::NoButton);
  ASSERT_TRUE(box->isVisible());
  EXPECT_TRUE(box->hasFocus());
  EXPECT_EQ(box->selectedText(), "A");
  QTest::keyClicks(box, "A bird that flies");
  QTest::keyClick(box, Qt::Key_Return);
  const TSentence& a = f.diagram().sentence(0);
  EXPECT_EQ(a.Text, "A bird that flies");
  EXPECT_FALSE(box->isVisible());
  EXPECT_GT(a.Right, 100);
  EXPECT_EQ(f.diagram().arrow(0).Center1X, (a.Left + a.Right) / 2);
  EXPECT_EQ(control<QAction>(f, "UndoMenuItem")->text(), "&Undo Retype Sentence");

  // F2 opens the selected sentence again; Escape keeps its text.
  key(f, Qt::Key_F2);
  ASSERT_TRUE(box->hasFocus());
  QTest::keyClicks(box, "Not kept");
  QTest::keyClick(box, Qt::Key_Escape);
  EXPECT_FALSE(box->isVisible());
  EXPECT_EQ(a.Text, "A bird that flies");
  key(f, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(a.Text, "A");
  EXPECT_EQ(a.Right, 100);
}

TEST_F(EditMenuWindowTest, CtrlShiftDragMovesTheSelectedGroupAndArrowKeysNudgeIt) {
  TArgumentForm& f = startWithThree();
  QWidget* canvas = f.canvasWidget();
  sendMouse(canvas, QEvent::MouseButtonPress, {30, 30}, Qt::LeftButton, Qt::LeftButton);
  sendMouse(canvas, QEvent::MouseMove, {270, 70}, Qt::NoButton, Qt::LeftButton);
  sendMouse(canvas, QEvent::MouseButtonRelease, {270, 70}, Qt::LeftButton, Qt::NoButton);
  sendMouse(canvas, QEvent::MouseButtonPress, {60, 50}, Qt::LeftButton, Qt::LeftButton, CtrlShift);
  sendMouse(canvas, QEvent::MouseMove, {70, 60}, Qt::NoButton, Qt::LeftButton, CtrlShift);
  sendMouse(canvas, QEvent::MouseMove, {80, 70}, Qt::NoButton, Qt::LeftButton, CtrlShift);
  sendMouse(canvas, QEvent::MouseButtonRelease, {80, 70}, Qt::LeftButton, Qt::NoButton, CtrlShift);
  const Diagram& d = f.diagram();
  EXPECT_EQ((Point{d.sentence(0).Left, d.sentence(0).Top}), (Point{60, 60}));
  EXPECT_EQ((Point{d.sentence(1).Left, d.sentence(1).Top}), (Point{220, 60}));
  EXPECT_EQ((Point{d.sentence(2).Left, d.sentence(2).Top}), (Point{40, 200}));
  EXPECT_EQ(d.arrow(0).StartY, 70);
  EXPECT_EQ(control<QAction>(f, "UndoMenuItem")->text(), "&Undo Move Sentences");

  key(f, Qt::Key_Right, Qt::ShiftModifier);
  key(f, Qt::Key_Up);
  EXPECT_EQ((Point{d.sentence(0).Left, d.sentence(0).Top}), (Point{70, 59}));
  EXPECT_EQ(d.sentence(1).Left, 230);
  // A held arrow key keeps moving, as its repeated presses come in.
  for (int n = 0; n < 2; ++n) {
    QKeyEvent held(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(QApplication::focusWidget() ? QApplication::focusWidget() : &f, &held);
  }
  EXPECT_EQ(d.sentence(0).Left, 68);
  for (int n = 0; n < 5; ++n) key(f, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ((Point{d.sentence(0).Left, d.sentence(0).Top}), (Point{40, 40}));
  EXPECT_EQ(d.sentence(1).Left, 200);
}

TEST_F(EditMenuWindowTest, CopyPasteDuplicateAndCutThroughTheMenuKeysAndBoxes) {
  TArgumentForm& f = startWithThree();
  RealMessageBoxes realBoxes;
  ModalAnswers modals;
  QWidget* canvas = f.canvasWidget();
  const Diagram& d = f.diagram();
  QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(60, 50));
  key(f, Qt::Key_C, Qt::ControlModifier);
  const QString copied = QGuiApplication::clipboard()->text();
  EXPECT_TRUE(copied.startsWith('{'));
  EXPECT_TRUE(copied.contains("\"Text\": \"A\"") || copied.contains("\"Text\":\"A\"")) << copied.toStdString();

  // Ctrl+V with the pointer away from the surface: 20 right of and below
  // where the copy was made; Ctrl+D copies the selection in place.
  QCursor::setPos(canvas->mapToGlobal(QPoint(-50, -50)));
  key(f, Qt::Key_V, Qt::ControlModifier);
  ASSERT_EQ(d.SentenceCount(), 4);
  EXPECT_EQ(d.sentence(3).Text, "A (2)");
  EXPECT_EQ((Point{d.sentence(3).Left, d.sentence(3).Top}), (Point{60, 60}));
  EXPECT_TRUE(d.sentence(3).Selected);
  EXPECT_FALSE(d.sentence(0).Selected);
  key(f, Qt::Key_D, Qt::ControlModifier);
  ASSERT_EQ(d.SentenceCount(), 5);
  EXPECT_EQ((Point{d.sentence(4).Left, d.sentence(4).Top}), (Point{80, 80}));

  // Cut asks once; Yes deletes, and the next key, Ctrl+Z, brings it back.
  modals.boxAnswers = {"&Yes"};
  key(f, Qt::Key_X, Qt::ControlModifier);
  ASSERT_EQ(modals.boxTexts.size(), 1u);
  EXPECT_TRUE(d.sentence(4).Deleted);
  EXPECT_TRUE(QGuiApplication::clipboard()->text().contains("A (2) (2)"));
  key(f, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_FALSE(d.sentence(4).Deleted);

  // Text that is no diagram: a warning, nothing added, and the next key acts.
  QGuiApplication::clipboard()->setText("Tweety flies");
  modals.boxAnswers = {"OK"};
  key(f, Qt::Key_V, Qt::ControlModifier);
  ASSERT_EQ(modals.boxTexts.size(), 2u);
  EXPECT_TRUE(modals.boxTexts[1].startsWith("The clipboard holds no diagram that can be pasted:"));
  EXPECT_EQ(d.SentenceCount(), 5);
  key(f, Qt::Key_A, Qt::ControlModifier);
  for (int32_t n = 0; n < d.SentenceCount(); ++n) EXPECT_TRUE(d.sentence(n).Selected) << n;

  // The menu's Paste puts the copy at the pointer when it is over the surface.
  QGuiApplication::clipboard()->setText(copied);
  QCursor::setPos(canvas->mapToGlobal(QPoint(300, 150)));
  chooseFromEditMenu(f, 'p');
  ASSERT_EQ(d.SentenceCount(), 6);
  EXPECT_EQ(d.sentence(5).Text, "A (3)");
  EXPECT_EQ((Point{d.sentence(5).Left, d.sentence(5).Top}), (Point{300, 150}));
}

}  // namespace
}  // namespace zorvex::testing
