// "Why?" through the real pop-up menu and the real Why window, "Evaluate
// until stable" by its key, and the window following the diagram: a line
// frames its element, undo shows the explanation anew, the key after works;
// the open lines, the selected line and its frame stay while the same
// elements are explained, and another diagram is not explained unasked.
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
  static std::vector<std::string> openLines(QTreeWidget* tree) {
    std::vector<std::string> open;
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
      if ((*it)->isExpanded()) open.push_back((*it)->text(0).toStdString());
    return open;
  }
  static std::string currentLine(QTreeWidget* tree) {
    return tree->currentItem() ? tree->currentItem()->text(0).toStdString() : "(none)";
  }
  static std::string topLine(QTreeWidget* tree) { return tree->topLevelItem(0)->text(0).toStdString(); }
  // Where the frame of an element whose box has this top left corner runs.
  static QPoint frameCorner(TArgumentForm& f, Point topLeft) { return at(f, topLeft) - QPoint(4, 4); }
  TArgumentForm& startFile(const QString& name, const QByteArray& json) {
    QFile file(dir_.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(json);
    file.close();
    app_ = std::make_unique<ZorvexApplication>(DiagramLocation{file.fileName().toStdString(), DiagramFormat::Json});
    app_->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&app_->ArgumentForm()));
    return app_->ArgumentForm();
  }
  // A button, and the window's redrawing after it.
  static void click(TArgumentForm& f, const char* button) {
    press(f, button);
    QApplication::processEvents();
  }
};

const QColor Frame(0xFF, 0x80, 0x00), Background(0xD4, 0xD4, 0xD4);

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
            "'B' is justified since it has justified support. [evaluate, round 1, until stable]");
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
            "'B' is justified since it has justified support. [evaluate, round 1, until stable]");
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
            "[evaluate, round 1]");
  // Reset: the window follows.
  press(f, "ResetButton");
  QApplication::processEvents();
  EXPECT_EQ(tree->topLevelItem(0)->text(0), "arrow 0 from 'A' to 'B' is not evaluated (set by Reset). [reset]");
}

// A chain A -> B -> C of sentences 60 wide, 100 apart, A a premise: C is
// justified in the second round.
TEST_F(WhyWindowTest, TheTreeKeepsItsOpenLinesAndSelectedLineWhileTheSameElementsAreExplained) {
  writeSentences({{40, 40, 100, 60, "A"}, {200, 40, 260, 60, "B"}, {360, 40, 420, 60, "C"}});
  writeArrowsAndDefeaters({{{70, 50, 230, 50, 100, 50, 200, 50, 40, 40, 200, 40}, "A", "B"},
                           {{230, 50, 390, 50, 260, 50, 360, 50, 200, 40, 360, 40}, "B", "C"}});
  TArgumentForm& f = start();
  ModalAnswers modals;
  modals.menuAnswers = {ModalAnswers::choose('J')};
  rightPress(f, QPoint(50, 50));
  click(f, "EvaluateOneRoundButton");
  click(f, "EvaluateOneRoundButton");
  modals.menuAnswers = {ModalAnswers::choose('W')};  // "&Why?" on C
  rightPress(f, QPoint(370, 50));
  QTreeWidget* tree = control<QTreeWidget>(f, "WhyTree");
  QTreeWidgetItem* premise = lineStarting(tree, "'A' is justified (set by user).");
  ASSERT_TRUE(premise);
  for (QTreeWidgetItem* up = premise->parent(); up; up = up->parent()) up->setExpanded(true);
  tree->setCurrentItem(premise);
  const std::vector<std::string> open = openLines(tree);
  ASSERT_GE(open.size(), 5u);
  EXPECT_EQ(open[0], "'C' is justified since it has justified support. [evaluate, round 2]");
  EXPECT_EQ(open[4], "'B' is justified since it has justified support. [evaluate, round 1]");
  const QPoint cornerOfA = frameCorner(f, {40, 40});
  EXPECT_EQ(grab(f).pixelColor(cornerOfA), Frame);

  // A third round changes nothing: the tree is made again with the same
  // lines open and selected, and the frame stays.
  click(f, "EvaluateOneRoundButton");
  EXPECT_EQ(openLines(tree), open);
  EXPECT_EQ(currentLine(tree), "'A' is justified (set by user). [user]");
  EXPECT_EQ(grab(f).pixelColor(cornerOfA), Frame);

  // A made unjustified since: what the rounds read is told beside what the
  // surface shows now; undo takes it back; the selection stays throughout.
  modals.menuAnswers = {ModalAnswers::choose('U')};
  rightPress(f, QPoint(50, 50));
  QApplication::processEvents();
  std::vector<std::string> then = open;
  for (std::string& line : then)
    if (line == "'A' \xE2\x80\x94 justified") line += " then, unjustified now";
  EXPECT_NE(then, open);
  EXPECT_EQ(openLines(tree), then);
  EXPECT_EQ(currentLine(tree), "'A' is justified (set by user). [user]");
  QApplication::setActiveWindow(&f);
  QTest::keyClick(&f, Qt::Key_Z, Qt::ControlModifier);
  QApplication::processEvents();
  EXPECT_EQ(openLines(tree), open);
  EXPECT_EQ(currentLine(tree), "'A' is justified (set by user). [user]");
  EXPECT_EQ(grab(f).pixelColor(cornerOfA), Frame);

  // Reset: no line like the selected one is left, and its frame goes.
  click(f, "ResetButton");
  EXPECT_EQ(topLine(tree), "'C' is not evaluated (set by Reset). [reset]");
  EXPECT_EQ(currentLine(tree), "(none)");
  EXPECT_EQ(grab(f).pixelColor(cornerOfA), Background);
  // Rounds are counted again from the reset.
  modals.menuAnswers = {ModalAnswers::choose('J')};
  rightPress(f, QPoint(50, 50));
  click(f, "EvaluateOneRoundButton");
  click(f, "EvaluateOneRoundButton");
  EXPECT_EQ(topLine(tree), "'C' is justified since it has justified support. [evaluate, round 2]");

  // Another "Why?": the frame of C's line goes with C's tree.
  tree->setCurrentItem(tree->topLevelItem(0));
  const QPoint cornerOfC = frameCorner(f, {360, 40});
  EXPECT_EQ(grab(f).pixelColor(cornerOfC), Frame);
  modals.menuAnswers = {ModalAnswers::choose('W')};  // "&Why?" on A
  rightPress(f, QPoint(50, 50));
  EXPECT_EQ(topLine(tree), "'A' is justified (set by user). [user]");
  EXPECT_EQ(grab(f).pixelColor(cornerOfC), Background);
}

// Bird-like: a sentence in defeater 0's challenging rectangle, one in its
// challenged rectangle; the other diagram has its defeater 0 elsewhere.
const QByteArray Bird = R"({"sentences": [{"Left": 40, "Top": 140, "Text": "Tweety is a bird"},
  {"Left": 380, "Top": 140, "Text": "Tweety is a penguin"}],
  "arrows": [], "defeaters": [{"ChallengingRect": [365, 125, 520, 175], "ChallengedRect": [20, 124, 230, 190]}]})";
const QByteArray Other = R"({"sentences": [{"Left": 40, "Top": 300, "Text": "C"}],
  "arrows": [], "defeaters": [{"ChallengingRect": [400, 200, 450, 250], "ChallengedRect": [30, 290, 200, 340]}]})";

TEST_F(WhyWindowTest, AfterOpenTheWindowSaysTheDiagramWasReplacedUntilAskedAgain) {
  TArgumentForm& f = startFile("bird.json", Bird);
  {
    QFile other(dir_.filePath("other.json"));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write(Other);
  }
  // The rounds' statuses may be discarded (the question is not what this tests).
  boxes_.defaultAnswer = true;
  ModalAnswers modals;
  click(f, "EvaluateOneRoundButton");
  click(f, "EvaluateOneRoundButton");
  modals.menuAnswers = {ModalAnswers::choose('W')};  // "&Why?" on defeater 0
  rightPress(f, QPoint(365, 150));
  ASSERT_EQ(modals.menus.back(), control<QMenu>(f, "DefeaterPopupMenu"));
  QTreeWidget* tree = control<QTreeWidget>(f, "WhyTree");
  ASSERT_EQ(topLine(tree).substr(0, 11), "defeater 0 ");
  tree->setCurrentItem(tree->topLevelItem(0));
  const Rect box = f.diagram().drawnExtent({ElementKind::Defeater, 0});
  const QPoint corner = frameCorner(f, {box.Left, box.Top});
  EXPECT_EQ(grab(f).pixelColor(corner), Frame);

  modals.filePaths = {dir_.filePath("other.json")};
  QApplication::setActiveWindow(&f);
  QTest::keyClick(&f, Qt::Key_O, Qt::ControlModifier);
  QApplication::processEvents();
  ASSERT_EQ(f.diagram().SentenceCount(), 1);
  ASSERT_EQ(tree->topLevelItemCount(), 1);
  EXPECT_EQ(topLine(tree), "The diagram was replaced.");
  EXPECT_EQ(tree->topLevelItem(0)->childCount(), 0);
  EXPECT_EQ(grab(f).pixelColor(corner), Background);
  // A round does not bring an explanation back unasked.
  click(f, "EvaluateOneRoundButton");
  EXPECT_EQ(topLine(tree), "The diagram was replaced.");
  // Asked again: the new diagram's defeater 0, its rounds counted from the Open.
  modals.menuAnswers = {ModalAnswers::choose('W')};
  rightPress(f, QPoint(400, 225));
  ASSERT_EQ(modals.menus.back(), control<QMenu>(f, "DefeaterPopupMenu"));
  EXPECT_EQ(topLine(tree), "defeater 0 is active since its challenging rectangle holds no sentence. [evaluate, round 1]");
}

}  // namespace
}  // namespace zorvex::testing
