// One session as a user has it, from an empty folder: draw two sentences and
// an arrow, move a sentence, fix a premise, evaluate, delete the arrow,
// evaluate again — all through pointer and key events on the real window.
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QToolButton>
#include <gtest/gtest.h>

#include "AppTestSupport.h"
#include "app/ui/ArgumentFormStatusBar.h"
#include "editor/ArgumentEditor.h"

namespace zorvex::testing {
namespace {

void typeSentence(TArgumentForm& f, QPoint where, const QString& text) {
  QTest::mouseClick(f.canvasWidget(), Qt::LeftButton, {}, where);
  ASSERT_TRUE(control<QLineEdit>(f, "SentenceEdit")->isVisible());
  control<QLineEdit>(f, "SentenceEdit")->selectAll();
  QTest::keyClicks(control<QLineEdit>(f, "SentenceEdit"), text);
  QTest::keyClick(control<QLineEdit>(f, "SentenceEdit"), Qt::Key_Return);
}

TEST_F(AppTest, DrawMoveEvaluateDeleteAndEvaluateAgain) {
  TArgumentForm& f = start();
  // No tables here: one error box for the first table, then an empty diagram.
  EXPECT_EQ(boxes_.textsOf(BoxKind::Error).front(), "Cannot open file SentencesDb.db.");
  ASSERT_EQ(f.diagram().SentenceCount(), 0);

  QTest::mouseClick(control<QToolButton>(f, "AddSentenceSpeedButton"), Qt::LeftButton);
  typeSentence(f, QPoint(50, 100), "Alpha");
  typeSentence(f, QPoint(300, 100), "Beta");
  ASSERT_EQ(f.diagram().SentenceCount(), 2);
  const TSentence& beta = f.diagram().sentence(1);
  EXPECT_EQ(beta.Text, "Beta");
  EXPECT_EQ(beta.Left, 300);
  EXPECT_EQ(beta.Top, 100);
  EXPECT_EQ(beta.Right, beta.Left + beta.Width);

  QTest::mouseClick(control<QToolButton>(f, "AddArrowSpeedButton"), Qt::LeftButton);
  QTest::mouseClick(f.canvasWidget(), Qt::LeftButton, {}, QPoint(55, 105));
  EXPECT_EQ(control<TArgumentFormStatusBar>(f, "ArgumentFormStatusBar")->panelText(1), "Add End Arrow");
  QTest::mouseClick(f.canvasWidget(), Qt::LeftButton, {}, QPoint(305, 105));
  ASSERT_EQ(f.diagram().ArrowCount(), 1);
  EXPECT_EQ(control<TArgumentFormStatusBar>(f, "ArgumentFormStatusBar")->panelText(1), "Add Start Arrow");

  // Ctrl-drag Beta 20 right and 20 down in two steps; its arrow follows.
  QTest::mouseClick(control<QToolButton>(f, "MakeSelectionSpeedButton"), Qt::LeftButton);
  QWidget* canvas = f.canvasWidget();
  sendMouse(canvas, QEvent::MouseButtonPress, {305, 105}, Qt::LeftButton, Qt::LeftButton, Qt::ControlModifier);
  EXPECT_EQ(f.editor().editMode(), EditMode::DraggingSentenceMode);
  sendMouse(canvas, QEvent::MouseMove, {315, 115}, Qt::NoButton, Qt::LeftButton, Qt::ControlModifier);
  sendMouse(canvas, QEvent::MouseMove, {325, 125}, Qt::NoButton, Qt::LeftButton, Qt::ControlModifier);
  sendMouse(canvas, QEvent::MouseButtonRelease, {325, 125}, Qt::LeftButton, Qt::NoButton, Qt::ControlModifier);
  EXPECT_EQ(f.editor().editMode(), EditMode::MakeSelectionMode);
  EXPECT_EQ(beta.Left, 320);
  EXPECT_EQ(beta.Top, 120);
  const TArrow& arrow = f.diagram().arrow(0);
  EXPECT_EQ(arrow.Center2X, (beta.Left + beta.Right) / 2);
  EXPECT_EQ(arrow.Center2Y, (beta.Top + beta.Bottom) / 2);
  EXPECT_EQ(arrow.EndX, beta.Left);  // Alpha lies wholly left of Beta: the end is on Beta's left side

  // Alpha becomes a premise through its pop-up menu; the round then carries Beta.
  f.runPopupMenu = [&](QMenu& menu, QPoint) {
    ASSERT_EQ(&menu, control<QMenu>(f, "SentencePopupMenu"));
    choose(f, "SetStatusUndefeatedMenuItem");
  };
  QTest::mouseClick(canvas, Qt::RightButton, {}, QPoint(55, 105));
  EXPECT_EQ(f.diagram().sentence(0).Status, Undefeated | SetByUser);
  QTest::mouseClick(control<QPushButton>(f, "EvaluateOneRoundButton"), Qt::LeftButton);
  EXPECT_EQ(arrow.Status, Undefeated | JustEvaluated);
  EXPECT_EQ(beta.Status, Undefeated | JustEvaluated);

  // Select the arrow by a click on its line and delete it.
  QTest::mouseClick(control<QToolButton>(f, "MakeSelectionSpeedButton"), Qt::LeftButton);
  const QPoint mid((arrow.StartX + arrow.EndX) / 2, (arrow.StartY + arrow.EndY) / 2);
  QTest::mouseClick(canvas, Qt::LeftButton, {}, mid);
  ASSERT_TRUE(arrow.Selected);
  boxes_.answers = {true};
  QWidget* focused = QApplication::focusWidget() ? QApplication::focusWidget() : &f;
  QTest::keyClick(focused, Qt::Key_Delete);
  EXPECT_EQ(boxes_.textsOf(BoxKind::Confirm),
            std::vector<std::string>({"Do you want to delete the arrow from\r\n    'Alpha'\r\nto\r\n    'Beta' ?"}));
  EXPECT_TRUE(arrow.Deleted);

  // Without its support Beta falls back to not evaluated.
  QTest::mouseClick(control<QPushButton>(f, "EvaluateOneRoundButton"), Qt::LeftButton);
  EXPECT_EQ(beta.Status, NotEvaluated | JustEvaluated);
  EXPECT_EQ(fileLines("log.txt").mid(4),
            QStringList({"[User]", "'Alpha' is justified (set by user).", "", "[Evaluate (one round)]",
                         "'Beta' is justified since it has justified support.", "", "[Evaluate (one round)]",
                         "'Beta' is unevaluated since it has no justified support and is not attacked.", ""}));
}

}  // namespace
}  // namespace zorvex::testing
