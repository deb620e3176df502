// Long layouts in the window: the progress box that opening a map shows
// when laying it out takes long, stopped by Escape with nothing changed and
// the window ready for the next command; and Arrange Selection in the View
// menu, taken back by one Undo.
#include <QMenuBar>
#include <csignal>
#include <unistd.h>

#include <gtest/gtest.h>

#include "AppTestSupport.h"
#include "RealModals.h"
#include "app/ui/ArgumentFormStatusBar.h"
#include "editor/ArgumentEditor.h"
#include "history/UndoHistory.h"
#include "layout/LayeredLayoutSeam.h"

namespace zorvex::testing {
namespace {

class LayoutProgressWindowTest : public AppTest {
 protected:
  void chooseFromMenu(TArgumentForm& f, const char* barMenu, char itemLetter) {
    QMenu* menu = control<QMenu>(f, barMenu);
    QMenuBar* bar = f.menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menu->menuAction()).center());
    ASSERT_EQ(QApplication::activePopupWidget(), menu);
    QTest::keyClick(menu, itemLetter);
  }
  static QString panel1(TArgumentForm& f) {
    return control<TArgumentFormStatusBar>(f, "ArgumentFormStatusBar")->panelText(1);
  }
};

const char* const Map = R"({"nodes": [{"nodeID": "1", "type": "I", "text": "Claim"},
  {"nodeID": "2", "type": "I", "text": "Reason"}, {"nodeID": "3", "type": "RA", "text": "Default Inference"}],
  "edges": [{"fromID": "2", "toID": "3"}, {"fromID": "3", "toID": "1"}]})";

TEST_F(LayoutProgressWindowTest, EscapeStopsALongLayoutAndTheDiagramStaysAsItWas) {
  writeSentences({{40, 40, 100, 60, "A"}, {300, 300, 360, 320, "B"}});
  writeArrowsAndDefeaters();
  const QString map = dir_.filePath("map.json");
  QFile file(map);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(Map);
  file.close();
  TArgumentForm& f = start();
  RealMessageBoxes realBoxes;
  ModalAnswers modals;
  // Dot never ends in its child process: only Escape ends the layout.
  const LayeredLayoutSeam before = setLayeredLayoutSeam({std::chrono::hours(1), [] {
                                                           for (;;) pause();
                                                         }});
  modals.filePaths = {map};
  modals.onProgress = [](QProgressDialog& box) { QTest::keyClick(&box, Qt::Key_Escape); };
  chooseFromMenu(f, "FileMenuItem", 'o');
  setLayeredLayoutSeam(before);
  EXPECT_EQ(modals.progressDialogs, 1);
  EXPECT_EQ(panel1(f), "Cancelled: the diagram was not opened.");
  ASSERT_EQ(f.diagram().SentenceCount(), 2);
  EXPECT_EQ(f.diagram().sentence(1).Left, 300);

  // The next command works on the diagram that stayed, from the keyboard
  // (the window manager gives the window back its focus when a box closes).
  f.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
  QTest::keyClick(keyTarget(f), Qt::Key_W, Qt::AltModifier);
  ASSERT_EQ(QApplication::activePopupWidget(), control<QMenu>(f, "ViewMenuItem"));
  QTest::keyClick(QApplication::activePopupWidget(), 'g');
  // Two sentences without relations stand where they are put.
  EXPECT_EQ(panel1(f), "The diagram is already arranged.");
  EXPECT_EQ(modals.progressDialogs, 1);
}

TEST_F(LayoutProgressWindowTest, ArrangeSelectionMovesOnlyTheSelectedSentences) {
  writeSentences({{40, 40, 100, 60, "A"}, {300, 300, 360, 320, "B"}, {500, 40, 560, 60, "C"}});
  writeArrowsAndDefeaters({{{70, 50, 330, 310, 77, 60, 323, 300, 40, 40, 300, 300}, "A", "B"}});
  TArgumentForm& f = start();
  RealMessageBoxes realBoxes;
  ModalAnswers modals;
  chooseFromMenu(f, "ViewMenuItem", 's');
  EXPECT_EQ(panel1(f), "Select the sentences to arrange first.");

  f.editor().MakeSelectionSpeedButtonClick();
  f.diagram().sentence(0).Selected = f.diagram().sentence(1).Selected = true;
  chooseFromMenu(f, "ViewMenuItem", 's');
  EXPECT_EQ(panel1(f), "Arranged 2 sentences.");
  EXPECT_LT(f.diagram().sentence(1).Bottom, f.diagram().sentence(0).Top);  // B, the conclusion, above A
  EXPECT_EQ(std::min(f.diagram().sentence(0).Left, f.diagram().sentence(1).Left), 40);
  EXPECT_EQ(f.diagram().sentence(2).Left, 500);
  EXPECT_EQ(control<QAction>(f, "UndoMenuItem")->text(), "&Undo Arrange Selection");
  QTest::keyClick(keyTarget(f), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(f.diagram().sentence(1).Left, 300);
  EXPECT_EQ(f.diagram().sentence(0).Top, 40);
}

}  // namespace
}  // namespace zorvex::testing
