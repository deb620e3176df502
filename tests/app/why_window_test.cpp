// "Why?" through the real pop-up menu and the real Why window, "Evaluate
// until stable" by its key, and the window following the diagram: a line
// frames its element, undo shows the explanation anew, the key after works.
#include <QApplication>
#include <QMenu>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include "AppTestSupport.h"
#include "RealModals.h"
#include "app/ui/ArgumentFormStatusBar.h"
#include "app/ui/SurfaceViewport.h"

namespace zorvex::testing {
namespace {

class WhyWindowTest : public AppTest {
 protected:
  // A (40,40)-(100,60) with an arrow to B (200,40)-(260,60).
  TArgumentForm& startChain() {
    writeSentences({{40, 40, 100, 60, "A"}, {200, 40, 260, 60, "B"}});
    writeArrowsAndDefeaters({{{70, 50, 230, 50, 100, 50, 200, 50, 40, 40, 200, 40}, "A", "B"}});
    return start();
  }
  void rightPress(TArgumentForm& f, QPoint at) {
    sendMouse(f.canvasWidget(), QEvent::MouseButtonPress, at, Qt::RightButton, Qt::RightButton);
  }
  static QString panel(TArgumentForm& f) {
    return control<TArgumentFormStatusBar>(f, "ArgumentFormStatusBar")->panelText(1);
  }
  static QPoint at(TArgumentForm& f, Point diagramPoint) {
    const ViewPoint v = f.surfaceViewport().view().toView(diagramPoint);
    return QPoint(static_cast<int>(v.x), static_cast<int>(v.y));
  }
  static QImage grab(TArgumentForm& f) {
    QApplication::processEvents();
    return f.canvasWidget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  }
  static QTreeWidgetItem* lineStarting(QTreeWidget* tree, const QString& start) {
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
      if ((*it)->text(0).startsWith(start)) return *it;
    return nullptr;
  }
};

TEST_F(WhyWindowTest, WhyFromTheMenuFollowsRoundsAndUndoAndFramesWhatALineNames) {
  TArgumentForm& f = startChain();
  ModalAnswers modals;
  modals.menuAnswers = {ModalAnswers::choose('J')};  // "Set Status: &Justified" on A
  rightPress(f, QPoint(50, 50));
  // A window system gives the main window back when the menu closes; the
  // offscreen platform leaves the closed menu active.
  QApplication::setActiveWindow(&f);
  QTest::keyClick(&f, Qt::Key_E, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(panel(f), "Stable after 2 rounds");
  EXPECT_EQ(f.diagram().sentence(1).Status, Undefeated);

  modals.menuAnswers = {ModalAnswers::choose('W')};  // "&Why?" on B
  rightPress(f, QPoint(210, 50));
  ASSERT_EQ(modals.menus.back(), control<QMenu>(f, "SentencePopupMenu"));
  QWidget* why = control<QWidget>(f, "WhyForm");
  ASSERT_TRUE(why->isVisible());
  EXPECT_EQ(why->windowTitle(), "Why");
  QTreeWidget* tree = control<QTreeWidget>(f, "WhyTree");
  ASSERT_EQ(tree->topLevelItemCount(), 1);
  EXPECT_EQ(tree->topLevelItem(0)->text(0),
            "'B' is justified since it has justified support. [evaluate, round 1 until stable]");
  QTreeWidgetItem* premise = lineStarting(tree, "'A' is justified (set by user).");
  ASSERT_TRUE(premise);

  // A line frames its element; one in sight stays where it is, one out of
  // sight comes into the middle of the surface.
  EXPECT_EQ(grab(f).pixelColor(at(f, {40, 40}) - QPoint(4, 4)), QColor(0xD4, 0xD4, 0xD4));
  tree->setCurrentItem(premise);
  EXPECT_TRUE(f.surfaceViewport().view().isIdentity());
  EXPECT_EQ(grab(f).pixelColor(at(f, {40, 40}) - QPoint(4, 4)), QColor(0xFF, 0x80, 0x00));
  for (int n = 0; n < 3; ++n) f.surfaceViewport().zoomIn();
  f.surfaceViewport().scrollBy(1500, 0);
  ASSERT_LT(at(f, {100, 60}).x(), 0);
  tree->setCurrentItem(tree->topLevelItem(0));
  tree->setCurrentItem(premise);
  const QSize visible = f.surfaceViewport().visibleSize();
  EXPECT_EQ(at(f, {70, 50}), QPoint(visible.width() / 2, visible.height() / 2));
  f.surfaceViewport().actualSize();

  // The next key, on the main window: undo the run; the window explains anew.
  QApplication::setActiveWindow(&f);
  QTest::keyClick(&f, Qt::Key_Z, Qt::ControlModifier);
  QApplication::processEvents();
  EXPECT_EQ(f.diagram().sentence(1).Status, NotEvaluated);
  EXPECT_EQ(tree->topLevelItem(0)->text(0), "'B' is not evaluated (as at the start). [start]");
  // And redo brings the rounds' explanation back.
  QTest::keyClick(&f, Qt::Key_Y, Qt::ControlModifier);
  QApplication::processEvents();
  EXPECT_EQ(tree->topLevelItem(0)->text(0),
            "'B' is justified since it has justified support. [evaluate, round 1 until stable]");
}

TEST_F(WhyWindowTest, WhyOnAnArrowThroughItsMenuAndTheEvaluateButton) {
  TArgumentForm& f = startChain();
  ModalAnswers modals;
  modals.menuAnswers = {ModalAnswers::choose('J')};
  rightPress(f, QPoint(50, 50));
  press(f, "EvaluateOneRoundButton");
  modals.menuAnswers = {ModalAnswers::choose('W')};  // "&Why?" on the arrow
  rightPress(f, QPoint(150, 50));
  ASSERT_EQ(modals.menus.back(), control<QMenu>(f, "ArrowPopupMenu"));
  QTreeWidget* tree = control<QTreeWidget>(f, "WhyTree");
  EXPECT_EQ(tree->topLevelItem(0)->text(0),
            "arrow 0 from 'A' to 'B' is supporting since its start sentence is justified and it is not attacked. "
            "[evaluate]");
  // Reset: the window follows.
  press(f, "ResetButton");
  QApplication::processEvents();
  EXPECT_EQ(tree->topLevelItem(0)->text(0), "arrow 0 from 'A' to 'B' is not evaluated (set by Reset). [reset]");
}

}  // namespace
}  // namespace zorvex::testing
