// The in-place sentence edit box under the keyboard: what Ctrl+Z, Enter and
// Escape do in it, through the real window.
#include <QApplication>
#include <QLineEdit>
#include <QToolButton>
#include <gtest/gtest.h>

#include "AppTestSupport.h"
#include "editor/ArgumentEditor.h"

namespace zorvex::testing {
namespace {

TEST_F(AppTest, TheSentenceBoxUndoesOnlyWhatWasTypedSinceItWasPlacedAndEscapeTakesItAway) {
  writeSentences({});
  writeArrowsAndDefeaters();
  TArgumentForm& f = start();
  f.activateWindow();
  QLineEdit* edit = control<QLineEdit>(f, "SentenceEdit");
  auto place = [&](QPoint at) {
    QTest::mouseClick(f.canvasWidget(), Qt::LeftButton, {}, at);
    ASSERT_TRUE(edit->isVisible());
    ASSERT_TRUE(edit->hasFocus());
  };
  // Ctrl+Z pressed again and again.
  auto undoAll = [&] {
    for (int n = 0; n < 4; ++n) QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
  };
  QTest::mouseClick(control<QToolButton>(f, "AddSentenceSpeedButton"), Qt::LeftButton);
  place({50, 100});
  QTest::keyClicks(edit, "first");
  QTest::keyClick(edit, Qt::Key_Return);
  ASSERT_EQ(f.diagram().SentenceCount(), 1);

  // Placed again it shows "first", with nothing before it to undo: Enter
  // offers "first" again, a duplicate.
  place({50, 200});
  undoAll();
  EXPECT_EQ(edit->text().toStdString(), "first");
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_EQ(f.diagram().SentenceCount(), 1);
  EXPECT_EQ(boxes_.textsOf(BoxKind::Warning).size(), 1u);

  // Typing is undone as far as the text the box was placed with, no further;
  // moving the box to a new point is a new placement.
  QTest::keyClicks(edit, "second");
  place({50, 250});
  QTest::keyClicks(edit, "third");
  undoAll();
  EXPECT_EQ(edit->text().toStdString(), "second");

  // Escape takes the box away and adds nothing, asking nothing; the tool
  // stays and the next press places the box again with its text.
  QTest::keyClick(edit, Qt::Key_Escape);
  EXPECT_FALSE(edit->isVisible());
  EXPECT_EQ(f.diagram().SentenceCount(), 1);
  EXPECT_TRUE(boxes_.textsOf(BoxKind::Confirm).empty());
  EXPECT_EQ(f.editor().editMode(), EditMode::AddSentenceMode);
  EXPECT_TRUE(control<QToolButton>(f, "AddSentenceSpeedButton")->isChecked());
  place({50, 300});
  QTest::keyClick(edit, Qt::Key_Return);
  ASSERT_EQ(f.diagram().SentenceCount(), 2);
  EXPECT_EQ(f.diagram().sentence(1).Text, "second");
  EXPECT_EQ(f.diagram().sentence(1).Top, 300);
}

}  // namespace
}  // namespace zorvex::testing
