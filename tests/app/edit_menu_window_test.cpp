// The Edit menu's selection commands through the real window: retyping by
// a double-click, moving a group with Ctrl+Shift and the arrow keys, and
// copy, paste, duplicate and cut through the real menu, keys, clipboard and
// boxes, with the key after each box.
#include <QClipboard>
#include <QCursor>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QRegularExpression>
#include <QToolButton>
#include <gtest/gtest.h>

#include <chrono>

#include "AppTestSupport.h"
#include "RealModals.h"
#include "app/ui/ArgumentFormStatusBar.h"
#include "editor/ArgumentEditor.h"
#include "tests/support/FormControls.h"

namespace zorvex::testing {
namespace {

constexpr Qt::KeyboardModifiers CtrlShift = Qt::ControlModifier | Qt::ShiftModifier;

struct EditMenuWindowTest : AppTest {
  // A (40, 40)-(100, 60) with an arrow to B (200, 40)-(260, 60); C below A.
  TArgumentForm& startWithThree(bool selectionTool = true) {
    writeSentences({{40, 40, 100, 60, "A"}, {200, 40, 260, 60, "B"}, {40, 200, 100, 220, "C"}});
    writeArrowsAndDefeaters({{{70, 50, 230, 50, 100, 50, 200, 50, 40, 40, 200, 40}, "A", "B"}});
    TArgumentForm& f = start();
    f.activateWindow();
    if (selectionTool) QTest::mouseClick(control<QToolButton>(f, "MakeSelectionSpeedButton"), Qt::LeftButton);
    return f;
  }
  static QString panel1(TArgumentForm& f) {
    return control<TArgumentFormStatusBar>(f, "ArgumentFormStatusBar")->panelText(1);
  }
  static void bandSelectAAndB(TArgumentForm& f) {
    QWidget* canvas = f.canvasWidget();
    sendMouse(canvas, QEvent::MouseButtonPress, {30, 30}, Qt::LeftButton, Qt::LeftButton);
    sendMouse(canvas, QEvent::MouseMove, {270, 70}, Qt::NoButton, Qt::LeftButton);
    sendMouse(canvas, QEvent::MouseButtonRelease, {270, 70}, Qt::LeftButton, Qt::NoButton);
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
  bandSelectAAndB(f);
  sendMouse(canvas, QEvent::MouseButtonPress, {60, 50}, Qt::LeftButton, Qt::LeftButton, CtrlShift);
  sendMouse(canvas, QEvent::MouseMove, {70, 60}, Qt::NoButton, Qt::LeftButton, CtrlShift);
  sendMouse(canvas, QEvent::MouseMove, {80, 70}, Qt::NoButton, Qt::LeftButton, CtrlShift);
  sendMouse(canvas, QEvent::MouseButtonRelease, {80, 70}, Qt::LeftButton, Qt::NoButton, CtrlShift);
  const Diagram& d = f.diagram();
  EXPECT_EQ((Point{d.sentence(0).Left, d.sentence(0).Top}), (Point{60, 60}));
  EXPECT_EQ((Point{d.sentence(1).Left, d.sentence(1).Top}), (Point{220, 60}));
  EXPECT_EQ((Point{d.sentence(2).Left, d.sentence(2).Top}), (Point{40, 200}));
  EXPECT_EQ(d.arrow(0).StartY, 70);
  EXPECT_EQ(control<QAction>(f, "UndoMenuItem")->text(), "&Undo Move 2 Sentences");

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

// Presses of the arrow keys less than a second apart are one step and one
// "[Undo]" line; after a pause the next press is a step of its own.
TEST_F(EditMenuWindowTest, ArrowKeyPressesInASecondAreOneUndoStep) {
  TArgumentForm& f = startWithThree();
  ArgumentEditor::Clock::time_point now{};
  f.editor().setClock([&] { return now; });
  bandSelectAAndB(f);
  const Diagram& d = f.diagram();
  for (int n = 0; n < 3; ++n) {
    key(f, Qt::Key_Right);
    now += std::chrono::milliseconds(400);
  }
  EXPECT_EQ(d.sentence(0).Left, 43);
  EXPECT_EQ(control<QAction>(f, "UndoMenuItem")->text(), "&Undo Move 2 Sentences");
  EXPECT_EQ(f.undoHistory().undoCount(), 1u);
  now += std::chrono::seconds(2);
  key(f, Qt::Key_Down);
  EXPECT_EQ(f.undoHistory().undoCount(), 2u);

  key(f, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ((Point{d.sentence(0).Left, d.sentence(0).Top}), (Point{43, 40}));
  key(f, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ((Point{d.sentence(0).Left, d.sentence(0).Top}), (Point{40, 40}));
  EXPECT_EQ(d.sentence(1).Left, 200);
  const QStringList undone = fileLines("log.txt").filter(QRegularExpression("^\\[Undo\\]"));
  EXPECT_EQ(undone, QStringList({"[Undo] Move 2 Sentences", "[Undo] Move 2 Sentences"}));
}

// F2 with another tool, or none, takes the selection tool; it edits one
// selected sentence and says what to select otherwise. A double-click with no
// tool retypes the sentence under the pointer.
TEST_F(EditMenuWindowTest, F2AndADoubleClickWithoutTheSelectionToolRetypeASentence) {
  TArgumentForm& f = startWithThree(false);
  auto* box = control<QLineEdit>(f, "SentenceEdit");
  auto* tool = control<QToolButton>(f, "MakeSelectionSpeedButton");
  QTest::mouseClick(control<QToolButton>(f, "AddArrowSpeedButton"), Qt::LeftButton);
  key(f, Qt::Key_F2);
  EXPECT_TRUE(tool->isChecked());
  EXPECT_EQ(panel1(f), "Select one sentence to edit its text.");
  EXPECT_FALSE(box->isVisible());
  key(f, Qt::Key_A, Qt::ControlModifier);
  key(f, Qt::Key_F2);
  EXPECT_EQ(panel1(f), "Select one sentence to edit its text.");
  QTest::mouseClick(f.canvasWidget(), Qt::LeftButton, {}, QPoint(60, 210));
  key(f, Qt::Key_F2);
  ASSERT_TRUE(box->hasFocus());
  EXPECT_EQ(box->selectedText(), "C");
  QTest::keyClicks(box, "Cats");
  QTest::keyClick(box, Qt::Key_Return);
  EXPECT_EQ(f.diagram().sentence(2).Text, "Cats");

  QTest::mouseClick(tool, Qt::LeftButton);
  ASSERT_FALSE(tool->isChecked());
  QWidget* canvas = f.canvasWidget();
  sendMouse(canvas, QEvent::MouseButtonPress, {220, 50}, Qt::LeftButton, Qt::LeftButton);
  sendMouse(canvas, QEvent::MouseButtonRelease, {220, 50}, Qt::LeftButton, Qt::NoButton);
  sendMouse(canvas, QEvent::MouseButtonDblClick, {220, 50}, Qt::LeftButton, Qt::LeftButton);
  sendMouse(canvas, QEvent::MouseButtonRelease, {220, 50}, Qt::LeftButton, Qt::NoButton);
  EXPECT_TRUE(tool->isChecked());
  ASSERT_TRUE(box->hasFocus());
  EXPECT_EQ(box->selectedText(), "B");
  QTest::keyClicks(box, "Birds");
  QTest::keyClick(box, Qt::Key_Return);
  EXPECT_EQ(f.diagram().sentence(1).Text, "Birds");
  // The next key goes to the window again: the retyped sentence is selected.
  key(f, Qt::Key_Right);
  EXPECT_EQ(f.diagram().sentence(1).Left, 201);
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
  EXPECT_TRUE(QGuiApplication::clipboard()->text().contains("A (3)"));
  key(f, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_FALSE(d.sentence(4).Deleted);

  // Text that is no diagram: a warning, nothing added, and the next key acts.
  QGuiApplication::clipboard()->setText("{\"sentences\": 1}");
  modals.boxAnswers = {"OK"};
  key(f, Qt::Key_V, Qt::ControlModifier);
  ASSERT_EQ(modals.boxTexts.size(), 2u);
  EXPECT_TRUE(modals.boxTexts[1].startsWith("The clipboard holds no diagram that can be pasted:"));
  EXPECT_EQ(d.SentenceCount(), 5);
  key(f, Qt::Key_A, Qt::ControlModifier);
  for (int32_t n = 0; n < d.SentenceCount(); ++n) EXPECT_TRUE(d.sentence(n).Selected) << n;

  // Plain text: a sentence a line at the pointer, drawn on one line, one step.
  QGuiApplication::clipboard()->setText("line one\nline two\ttab\n");
  QCursor::setPos(canvas->mapToGlobal(QPoint(300, 150)));
  key(f, Qt::Key_V, Qt::ControlModifier);
  ASSERT_EQ(d.SentenceCount(), 7);
  EXPECT_EQ(d.sentence(5).Text, "line one");
  EXPECT_EQ(d.sentence(6).Text, "line two tab");
  EXPECT_EQ((Point{d.sentence(5).Left, d.sentence(5).Top}), (Point{300, 150}));
  EXPECT_GT(d.sentence(6).Top, d.sentence(5).Bottom);
  EXPECT_EQ(control<QAction>(f, "UndoMenuItem")->text(), "&Undo Paste");
  key(f, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_TRUE(d.sentence(5).Deleted && d.sentence(6).Deleted);

  // The menu's Paste puts the copy at the pointer when it is over the surface.
  QGuiApplication::clipboard()->setText(copied);
  chooseFromEditMenu(f, 'p');
  ASSERT_EQ(d.SentenceCount(), 8);
  EXPECT_EQ(d.sentence(7).Text, "A (4)");
  EXPECT_EQ((Point{d.sentence(7).Left, d.sentence(7).Top}), (Point{300, 150}));
}

}  // namespace
}  // namespace zorvex::testing
