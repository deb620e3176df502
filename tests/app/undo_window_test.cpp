// Undo and redo through the main window: the Edit menu's names, Ctrl+Z,
// Ctrl+Y and Ctrl+Shift+Z, the picture and the log.
#include <QAction>
#include <QCursor>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <gtest/gtest.h>

#include "AppTestSupport.h"
#include "editor/ArgumentEditor.h"
#include "elements/ui/DiagramRenderer.h"
#include "history/UndoHistory.h"

namespace zorvex::testing {
namespace {

struct UndoWindowTest : AppTest {
  TArgumentForm& startWithTwo() {
    writeSentences({{40, 40, 100, 60, "A"}, {200, 40, 260, 60, "B"}});
    writeArrowsAndDefeaters();
    return start();
  }
  static QImage picture(TArgumentForm& f) {
    return f.canvasWidget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  }
  static void key(TArgumentForm& f, int k, Qt::KeyboardModifiers mods) {
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &f;
    QTest::keyClick(target, static_cast<Qt::Key>(k), mods);
  }
};

TEST_F(UndoWindowTest, CtrlZTakesBackARoundAndCtrlYDoesItAgain) {
  TArgumentForm& f = startWithTwo();
  f.activateWindow();
  const QImage before = picture(f);
  const QImage rendered = renderDiagram(f.diagram());
  QTest::mouseClick(control<QPushButton>(f, "JumpOneRoundButton"), Qt::LeftButton);
  ASSERT_EQ(f.diagram().sentence(0).Status, Undefeated | JustEvaluated);
  const QImage after = picture(f);
  ASSERT_NE(after, before);
  EXPECT_EQ(control<QAction>(f, "UndoMenuItem")->text(), "&Undo Jump (one round)");
  EXPECT_TRUE(control<QAction>(f, "UndoMenuItem")->isEnabled());
  EXPECT_EQ(control<QAction>(f, "RedoMenuItem")->text(), "&Redo");
  EXPECT_FALSE(control<QAction>(f, "RedoMenuItem")->isEnabled());

  key(f, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(f.diagram().sentence(0).Status, NotEvaluated);
  EXPECT_EQ(picture(f), before);
  EXPECT_EQ(renderDiagram(f.diagram()), rendered);
  EXPECT_EQ(control<QAction>(f, "UndoMenuItem")->text(), "&Undo");
  EXPECT_FALSE(control<QAction>(f, "UndoMenuItem")->isEnabled());
  EXPECT_EQ(control<QAction>(f, "RedoMenuItem")->text(), "&Redo Jump (one round)");
  // The lines of the round stay: the log is the session's whole history.
  QStringList log = fileLines("log.txt");
  ASSERT_GE(log.size(), 6);
  EXPECT_EQ(log.mid(4, 1), QStringList({"[Jump (one round)]"}));
  EXPECT_EQ(log.mid(log.size() - 2), QStringList({"[Undo] Jump (one round)", ""}));

  key(f, Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(f.diagram().sentence(0).Status, Undefeated | JustEvaluated);
  EXPECT_EQ(picture(f), after);
  EXPECT_EQ(fileLines("log.txt").mid(log.size()), QStringList({"[Redo] Jump (one round)", ""}));

  key(f, Qt::Key_Z, Qt::ControlModifier);
  key(f, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(f.diagram().sentence(0).Status, Undefeated | JustEvaluated);
}

TEST_F(UndoWindowTest, MenuNamesFollowTheStepsAndOpeningClearsThem) {
  TArgumentForm& f = startWithTwo();
  press(f, "ResetButton");
  EXPECT_EQ(control<QAction>(f, "UndoMenuItem")->text(), "&Undo Reset");
  choose(f, "UndoMenuItem");
  EXPECT_EQ(control<QAction>(f, "RedoMenuItem")->text(), "&Redo Reset");

  // A sentence added from the edit box; undo keeps the adding tool.
  const QImage before = picture(f);
  f.editor().AddSentenceSpeedButtonClick();
  f.editor().ShowSentenceEdit(100, 200);
  f.editor().SentenceEditTextChanged("Tweety flies");
  f.editor().SentenceEditKeyPress(EnterKey);
  ASSERT_EQ(f.diagram().SentenceCount(), 3);
  EXPECT_EQ(control<QAction>(f, "UndoMenuItem")->text(), "&Undo Add Sentence");
  EXPECT_FALSE(control<QAction>(f, "RedoMenuItem")->isEnabled());  // the new step cleared it
  choose(f, "UndoMenuItem");
  EXPECT_EQ(f.editor().editMode(), EditMode::AddSentenceMode);
  EXPECT_TRUE(f.diagram().sentence(2).Deleted);
  EXPECT_EQ(picture(f), before);
  EXPECT_EQ(control<QAction>(f, "RedoMenuItem")->text(), "&Redo Add Sentence");
  // The log names the sentence; the menu keeps its short names.
  EXPECT_EQ(fileLines("log.txt").mid(fileLines("log.txt").size() - 2),
            QStringList({"[Undo] Add Sentence 'Tweety flies'", ""}));

  // Set Status by the sentence menu.
  choose(f, "RedoMenuItem");
  EXPECT_EQ(fileLines("log.txt").mid(fileLines("log.txt").size() - 2),
            QStringList({"[Redo] Add Sentence 'Tweety flies'", ""}));
  f.runPopupMenu = [](QMenu&, QPoint) {};
  QTest::mouseClick(f.canvasWidget(), Qt::RightButton, {}, QPoint(50, 50));
  choose(f, "SetStatusUndefeatedMenuItem");
  ASSERT_EQ(f.diagram().sentence(0).Status, Undefeated | SetByUser);
  EXPECT_EQ(control<QAction>(f, "UndoMenuItem")->text(), "&Undo Set Status");
  choose(f, "UndoMenuItem");
  EXPECT_EQ(f.diagram().sentence(0).Status, NotEvaluated);
  EXPECT_EQ(fileLines("log.txt").mid(fileLines("log.txt").size() - 2), QStringList({"[Undo] Set Status 'A'", ""}));

  f.replaceDiagram(DiagramLocation{"."});
  EXPECT_FALSE(control<QAction>(f, "UndoMenuItem")->isEnabled());
  EXPECT_FALSE(control<QAction>(f, "RedoMenuItem")->isEnabled());
  EXPECT_EQ(f.undoHistory().undoCount() + f.undoHistory().redoCount(), 0u);
}

// Shift+Right and Ctrl+Z leave the selection tool on and the sentence
// selected, so the next key moves it again; a paste undone and redone is the
// selection again.
TEST_F(UndoWindowTest, UndoAndRedoKeepTheToolAndSelectWhatTheStepChanged) {
  TArgumentForm& f = startWithTwo();
  f.activateWindow();
  auto* tool = control<QToolButton>(f, "MakeSelectionSpeedButton");
  QTest::mouseClick(tool, Qt::LeftButton);
  QTest::mouseClick(f.canvasWidget(), Qt::LeftButton, {}, QPoint(60, 50));
  const Diagram& d = f.diagram();
  key(f, Qt::Key_Right, Qt::ShiftModifier);
  ASSERT_EQ(d.sentence(0).Left, 50);
  key(f, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(d.sentence(0).Left, 40);
  EXPECT_TRUE(tool->isChecked());
  EXPECT_EQ(f.editor().editMode(), EditMode::MakeSelectionMode);
  EXPECT_TRUE(d.sentence(0).Selected);
  EXPECT_FALSE(d.sentence(1).Selected);
  key(f, Qt::Key_Right, {});
  EXPECT_EQ(d.sentence(0).Left, 41);

  key(f, Qt::Key_C, Qt::ControlModifier);
  QCursor::setPos(f.canvasWidget()->mapToGlobal(QPoint(-50, -50)));
  key(f, Qt::Key_V, Qt::ControlModifier);
  ASSERT_EQ(d.SentenceCount(), 3);
  key(f, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_TRUE(d.sentence(2).Deleted);
  key(f, Qt::Key_Y, Qt::ControlModifier);
  EXPECT_TRUE(d.sentence(2).Selected);
  EXPECT_FALSE(d.sentence(0).Selected);
  key(f, Qt::Key_Down, {});
  EXPECT_EQ((Point{d.sentence(2).Left, d.sentence(2).Top}), (Point{61, 61}));
  EXPECT_EQ((Point{d.sentence(0).Left, d.sentence(0).Top}), (Point{41, 40}));
}

}  // namespace
}  // namespace zorvex::testing
