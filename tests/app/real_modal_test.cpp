// The real pop-up menus and message boxes, opened by the real window and
// answered while they are open: what the pointer and the keys do after them.
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>
#include <gtest/gtest.h>

#include "AppTestSupport.h"
#include "RealModals.h"
#include "app/ui/ArgumentFormStatusBar.h"
#include "editor/ArgumentEditor.h"
#include "elements/ui/DiagramRenderer.h"

namespace zorvex::testing {
namespace {

class RealModalTest : public AppTest {
 protected:
  // Sentences A (40,40)-(100,60) and B (200,40)-(260,60), no arrows.
  TArgumentForm& startTwo() {
    writeSentences({{40, 40, 100, 60, "A"}, {200, 40, 260, 60, "B"}});
    writeArrowsAndDefeaters();
    return start();
  }
  // A right press whose release the menu takes, as with a real pointer.
  void rightPress(TArgumentForm& f, QPoint at, Qt::KeyboardModifiers keys = {}) {
    sendMouse(f.canvasWidget(), QEvent::MouseButtonPress, at, Qt::RightButton, Qt::RightButton, keys);
  }
  void leftPress(TArgumentForm& f, QPoint at, Qt::KeyboardModifiers keys = {}) {
    sendMouse(f.canvasWidget(), QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton, keys);
  }
};

TEST_F(RealModalTest, ADismissedSentenceMenuLeavesTheNextPressToWhatIsUnderThePointer) {
  TArgumentForm& f = startTwo();
  ModalAnswers modals;
  QWidget* canvas = f.canvasWidget();
  const QPoint empty(150, 200);
  struct Case {
    QToolButton* tool;
    std::function<void()> check;
  };
  const Case cases[] = {
      {control<QToolButton>(f, "AddSentenceSpeedButton"),
       [&] { EXPECT_EQ(control<QLineEdit>(f, "SentenceEdit")->pos(), empty); }},
      {control<QToolButton>(f, "AddArrowSpeedButton"),
       [&] {
         EXPECT_FALSE(f.diagram().hasPendingArrow());
         EXPECT_EQ(control<TArgumentFormStatusBar>(f, "ArgumentFormStatusBar")->panelText(1),
                   "To add the start of an arrow click on a sentence.");
       }},
      {control<QToolButton>(f, "AddDefeaterSpeedButton"),
       [&] {
         ASSERT_TRUE(f.editor().PendingDefeater());
         const Rect r = f.diagram().defeater(*f.editor().PendingDefeater()).ChallengingRect;
         EXPECT_EQ(r.Left, empty.x());
         EXPECT_EQ(r.Top, empty.y());
       }},
      {control<QToolButton>(f, "MakeSelectionSpeedButton"),
       [&] { EXPECT_EQ(f.editor().editMode(), EditMode::MakeSelectionMode); }},
  };
  for (const Case& c : cases) {
    QTest::mouseClick(c.tool, Qt::LeftButton);
    const size_t menusBefore = modals.menus.size();
    rightPress(f, QPoint(50, 50));
    ASSERT_EQ(modals.menus.size(), menusBefore + 1);
    EXPECT_EQ(modals.menus.back(), control<QMenu>(f, "SentencePopupMenu"));
    // In selection mode a Ctrl press would drag whatever the pointer still belonged to.
    const Qt::KeyboardModifiers keys =
        c.tool == control<QToolButton>(f, "MakeSelectionSpeedButton") ? Qt::ControlModifier : Qt::NoModifier;
    leftPress(f, empty, keys);
    c.check();
    sendMouse(canvas, QEvent::MouseButtonRelease, empty, Qt::LeftButton, Qt::NoButton, keys);
    EXPECT_EQ(control<TArgumentFormStatusBar>(f, "ArgumentFormStatusBar")->panelText(0), "(150,200)");
  }
}

TEST_F(RealModalTest, TheSentenceMenuActsOnTheSentenceItWasOpenedOn) {
  TArgumentForm& f = startTwo();
  ModalAnswers modals;
  rightPress(f, QPoint(50, 50));
  modals.menuAnswers = {ModalAnswers::choose('S')};  // "&Show Sentence Data"
  rightPress(f, QPoint(210, 50));
  ASSERT_EQ(boxes_.textsOf(BoxKind::Information).size(), 1u);
  EXPECT_NE(boxes_.textsOf(BoxKind::Information)[0].find("Sentence1"), std::string::npos)
      << boxes_.textsOf(BoxKind::Information)[0];

  modals.menuAnswers = {ModalAnswers::choose('J')};  // "Set Status: &Justified"
  rightPress(f, QPoint(55, 45));
  modals.menuAnswers = {ModalAnswers::choose('U')};  // "Set Status: &Unjustified"
  rightPress(f, QPoint(215, 45));
  EXPECT_EQ(f.diagram().sentence(0).Status, Undefeated | SetByUser);
  EXPECT_EQ(f.diagram().sentence(1).Status, Defeated | SetByUser);
}

TEST_F(RealModalTest, ARightClickWithAModifierKeyOpensTheSentenceMenuWithItsItemsAsTheyWere) {
  TArgumentForm& f = startTwo();
  ModalAnswers modals;
  modals.menuAnswers = {ModalAnswers::choose('U')};
  rightPress(f, QPoint(50, 50));
  ASSERT_EQ(f.diagram().sentence(0).Status, Defeated | SetByUser);
  for (Qt::KeyboardModifiers keys : {Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier}) {
    const size_t before = modals.menus.size();
    rightPress(f, QPoint(50, 50), keys);
    ASSERT_EQ(modals.menus.size(), before + 1) << "modifiers " << keys.toInt();
    EXPECT_EQ(modals.menus.back(), control<QMenu>(f, "SentencePopupMenu"));
    // The enabling is still that of the last plain right press, when A was
    // not evaluated yet.
    EXPECT_TRUE(control<QAction>(f, "SetStatusDefeatedMenuItem")->isEnabled());
    EXPECT_FALSE(control<QAction>(f, "SetStatusNotEvaluatedMenuItem")->isEnabled());
  }
  // On B with Shift: the menu's commands act on B.
  modals.menuAnswers = {ModalAnswers::choose('J')};
  rightPress(f, QPoint(210, 50), Qt::ShiftModifier);
  EXPECT_EQ(f.diagram().sentence(1).Status, Undefeated | SetByUser);
}

TEST_F(RealModalTest, DeleteAsksOnceRefusedAndOnceAccepted) {
  writeSentences({{40, 40, 100, 60, "A"}});
  writeArrowsAndDefeaters();
  TArgumentForm& f = start();
  RealMessageBoxes realBoxes;
  ModalAnswers modals;
  QTest::mouseClick(control<QToolButton>(f, "MakeSelectionSpeedButton"), Qt::LeftButton);
  QTest::mouseClick(f.canvasWidget(), Qt::LeftButton, {}, QPoint(50, 50));
  ASSERT_TRUE(f.diagram().sentence(0).Selected);
  QWidget* focused = QApplication::focusWidget() ? QApplication::focusWidget() : &f;

  modals.boxAnswers = {"&No"};
  QTest::keyClick(focused, Qt::Key_Delete);
  EXPECT_EQ(modals.boxTexts, std::vector<QString>({"Do you want to delete the sentence\n    'A' ?"}));
  EXPECT_EQ(modals.unanswered, 0);
  EXPECT_FALSE(f.diagram().sentence(0).Deleted);

  modals.boxAnswers = {"&Yes"};
  focused = QApplication::focusWidget() ? QApplication::focusWidget() : &f;
  QTest::keyClick(focused, Qt::Key_Delete);
  EXPECT_EQ(modals.boxTexts.size(), 2u);
  EXPECT_EQ(modals.unanswered, 0);
  EXPECT_TRUE(f.diagram().sentence(0).Deleted);
}

TEST_F(RealModalTest, AHalfDrawnDefeaterShowsOnlyItsRubberBandsAndFixedRectangle) {
  writeSentences({});
  writeArrowsAndDefeaters();
  TArgumentForm& f = start();
  QWidget* canvas = f.canvasWidget();
  QTest::mouseClick(control<QToolButton>(f, "AddDefeaterSpeedButton"), Qt::LeftButton);
  leftPress(f, QPoint(100, 100));
  sendMouse(canvas, QEvent::MouseMove, QPoint(150, 150), Qt::NoButton, Qt::LeftButton);
  sendMouse(canvas, QEvent::MouseButtonRelease, QPoint(150, 150), Qt::LeftButton, Qt::NoButton);
  const QColor surface = SurfaceColour;
  // The guide figure starts at (0, 0); the defeater's own filled head must not.
  QImage shot = canvas->grab().toImage();
  EXPECT_EQ(shot.pixelColor(2, 2), surface);
  EXPECT_EQ(shot.pixelColor(1, 3), surface);
  // The solid challenging rectangle shows.
  EXPECT_EQ(shot.pixelColor(120, 100), QColor(0x80, 0, 0));

  sendMouse(canvas, QEvent::MouseMove, QPoint(300, 200), Qt::NoButton, Qt::NoButton);
  const TDefeater& d = f.diagram().defeater(0);
  shot = canvas->grab().toImage();
  // Inside the dotted guide diamond: no filled head. Along the guide line
  // half-way: never a solid run of the line colour.
  EXPECT_EQ(shot.pixelColor(d.EndX + 2, d.EndY), surface);
  EXPECT_EQ(shot.pixelColor(d.EndX - 2, d.EndY), surface);
  EXPECT_EQ(shot.pixelColor(d.EndX, d.EndY + 2), surface);
  EXPECT_EQ(shot.pixelColor(2, 2), surface);

  // Released: the defeater draws itself, head filled.
  leftPress(f, QPoint(300, 200));
  sendMouse(canvas, QEvent::MouseMove, QPoint(340, 240), Qt::NoButton, Qt::LeftButton);
  sendMouse(canvas, QEvent::MouseButtonRelease, QPoint(340, 240), Qt::LeftButton, Qt::NoButton);
  ASSERT_EQ(f.diagram().DefeaterCount(), 1);
  shot = canvas->grab().toImage();
  EXPECT_EQ(shot.pixelColor(d.EndX + 2, d.EndY), QColor(0x80, 0, 0));
}

TEST_F(RealModalTest, TheSentenceEditBoxSelectsItsTextSoTypingReplacesIt) {
  writeSentences({});
  writeArrowsAndDefeaters();
  TArgumentForm& f = start();
  QTest::mouseClick(control<QToolButton>(f, "AddSentenceSpeedButton"), Qt::LeftButton);
  QTest::mouseClick(f.canvasWidget(), Qt::LeftButton, {}, QPoint(50, 100));
  ASSERT_TRUE(control<QLineEdit>(f, "SentenceEdit")->hasFocus());
  QTest::keyClicks(QApplication::focusWidget(), "First");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  QTest::mouseClick(f.canvasWidget(), Qt::LeftButton, {}, QPoint(50, 200));
  QTest::keyClicks(QApplication::focusWidget(), "Second");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  // Enter alone keeps the shown text; the duplicate is refused.
  QTest::mouseClick(f.canvasWidget(), Qt::LeftButton, {}, QPoint(50, 300));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  ASSERT_EQ(f.diagram().SentenceCount(), 2);
  EXPECT_EQ(f.diagram().sentence(0).Text, "First");
  EXPECT_EQ(f.diagram().sentence(1).Text, "Second");
  EXPECT_EQ(boxes_.textsOf(BoxKind::Warning).size(), 1u);
}

TEST_F(RealModalTest, MakeRuleExplicitPlacesTheBoxAtThisRightPressUnclampedAndUnfocused) {
  writeSentences({{40, 40, 100, 60, "A"}, {500, 40, 560, 60, "B"}});
  writeArrowsAndDefeaters({{{70, 50, 530, 50, 100, 50, 500, 50, 40, 40, 500, 40}, "A", "B"}});
  TArgumentForm& f = start();
  ModalAnswers modals;
  QTest::mouseClick(control<QToolButton>(f, "AddArrowSpeedButton"), Qt::LeftButton);
  rightPress(f, QPoint(150, 300));  // empty surface: no menu, but a press point
  EXPECT_TRUE(modals.menus.empty());
  // The command is hidden; it is run from within the open arrow menu.
  modals.menuAnswers = {[&](QMenu& menu) {
    choose(f, "AddRuleMenuItem");
    menu.close();
  }};
  rightPress(f, QPoint(450, 50));
  ASSERT_EQ(modals.menus.size(), 1u);
  EXPECT_EQ(modals.menus[0], control<QMenu>(f, "ArrowPopupMenu"));
  ASSERT_TRUE(control<QLineEdit>(f, "SentenceEdit")->isVisible());
  // Wider than the room left of the surface's right edge, and still at the press point.
  EXPECT_GT(450 + control<QLineEdit>(f, "SentenceEdit")->width(), f.surfaceSize().width());
  EXPECT_EQ(control<QLineEdit>(f, "SentenceEdit")->pos(), QPoint(450, 50));
  EXPECT_FALSE(control<QLineEdit>(f, "SentenceEdit")->hasFocus());
  EXPECT_EQ(f.editor().editMode(), EditMode::AddSentenceMode);
}

}  // namespace
}  // namespace zorvex::testing
