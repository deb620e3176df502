// "Arrange Diagram" through the window: what status bar panel 1 says after
// each outcome, and that an arrangement that moves nothing is no change.
#include <QAction>
#include <gtest/gtest.h>

#include "AppTestSupport.h"
#include "app/ui/ArgumentFormStatusBar.h"
#include "app/ui/DiagramFileCommands.h"
#include "editor/ArgumentEditor.h"
#include "history/UndoHistory.h"

namespace zorvex::testing {
namespace {

struct ArrangeWindowTest : AppTest {
  static QString panel1(TArgumentForm& f) {
    return control<TArgumentFormStatusBar>(f, "ArgumentFormStatusBar")->panelText(1);
  }
};

TEST_F(ArrangeWindowTest, ArrangingSaysWhatItDidAndAnArrangedDiagramStaysUnchanged) {
  writeSentences({{40, 40, 100, 60, "A"}, {300, 300, 360, 320, "B"}, {500, 40, 560, 60, "C"}});
  writeArrowsAndDefeaters({{{70, 50, 330, 310, 77, 60, 323, 300, 40, 40, 300, 300}, "A", "B"}});
  TArgumentForm& f = start();
  // A defeater whose challenging rectangle holds nothing keeps Arrange from working.
  const int32_t empty = f.editor().edit().addDefeater({0, 400, 10, 410}, {290, 290, 370, 330}).added->index;
  choose(f, "ArrangeDiagramMenuItem");
  EXPECT_EQ(panel1(f), "Arrange Diagram would change what Defeater0 holds: nothing was moved");
  EXPECT_EQ(f.undoHistory().undoCount(), 0u);

  f.editor().edit().deleteElements({{ElementKind::Defeater, empty}});
  choose(f, "ArrangeDiagramMenuItem");
  EXPECT_EQ(panel1(f), "Arranged 3 sentences.");
  EXPECT_EQ(f.undoHistory().undoCount(), 1u);
  EXPECT_EQ(control<QAction>(f, "UndoMenuItem")->text(), "&Undo Arrange Diagram");

  // Saved, then arranged again: nothing moves, so no step, no change, no copy.
  choose(f, "SaveMenuItem");
  ASSERT_FALSE(f.fileCommands().hasChanges());
  choose(f, "ArrangeDiagramMenuItem");
  EXPECT_EQ(panel1(f), "The diagram is already arranged.");
  EXPECT_EQ(f.undoHistory().undoCount(), 1u);
  EXPECT_FALSE(f.fileCommands().hasChanges());
  EXPECT_FALSE(f.fileCommands().recoveryTimer().running());

  // Taken back, the next Arrange moves the sentences again.
  choose(f, "UndoMenuItem");
  EXPECT_EQ(f.diagram().sentence(1).Left, 300);
  choose(f, "ArrangeDiagramMenuItem");
  EXPECT_EQ(panel1(f), "Arranged 3 sentences.");
  EXPECT_EQ(f.undoHistory().undoCount(), 1u);
}

}  // namespace
}  // namespace zorvex::testing
