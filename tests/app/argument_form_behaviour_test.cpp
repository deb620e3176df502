// Start-up, tool buttons, the round buttons and closing, driven through the
// window's controls as a user drives them.
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <gtest/gtest.h>

#include "AppTestSupport.h"
#include "app/ui/ArgumentFormStatusBar.h"
#include "editor/ArgumentEditor.h"
#include "eval/ui/LogFormUnit.h"
#include "elements/ui/KeyToSymbolsAndColorsFormUnit.h"
#include "views/ui/AboutUnit.h"
#include "views/ui/HelpFormUnit.h"

namespace zorvex::testing {
namespace {

QString panel(TArgumentForm& f, int n) {
  return control<TArgumentFormStatusBar>(f, "ArgumentFormStatusBar")->panelText(n);
}

int countContaining(const std::vector<std::string>& texts, const std::string& piece) {
  int n = 0;
  for (const std::string& t : texts) n += t.find(piece) != std::string::npos;
  return n;
}

std::vector<bool> downStates(TArgumentForm& f) {
  return {control<QToolButton>(f, "AddSentenceSpeedButton")->isChecked(),
          control<QToolButton>(f, "AddArrowSpeedButton")->isChecked(),
          control<QToolButton>(f, "AddDefeaterSpeedButton")->isChecked(),
          control<QToolButton>(f, "MakeSelectionSpeedButton")->isChecked()};
}

void writeHelp() {
  QFile help("help.txt");
  ASSERT_TRUE(help.open(QIODevice::WriteOnly));
  help.write("Help\r\n");
}

TEST_F(AppTest, EmptyFolderStartsWithOneTableErrorAndAnEmptyDiagram) {
  TArgumentForm& f = start();
  const auto errors = boxes_.textsOf(BoxKind::Error);
  EXPECT_EQ(countContaining(errors, "SentencesDb.db"), 1);
  EXPECT_EQ(errors.front(), "Cannot open file SentencesDb.db.");
  EXPECT_EQ(boxes_.shown.front().caption, "Zorvex!");
  EXPECT_EQ(countContaining(errors, "ArrowsDb.DB") + countContaining(errors, "DefeatersDb.DB"), 0);
  EXPECT_EQ(f.diagram().SentenceCount() + f.diagram().ArrowCount() + f.diagram().DefeaterCount(), 0);
  EXPECT_EQ(f.editor().editMode(), EditMode::NoTool);
  EXPECT_EQ(downStates(f), std::vector<bool>(4, false));
  EXPECT_EQ(panel(f, 0), "");
  EXPECT_EQ(panel(f, 1), "");
  EXPECT_TRUE(app_->AboutForm().isVisible());
  EXPECT_FALSE(app_->LogForm().isVisible());
  // The log window's creation started the log after the main window loaded.
  const QStringList log = fileLines("log.txt");
  ASSERT_EQ(log.size(), 4);
  EXPECT_TRUE(log[1].startsWith("Logs of  "));
  EXPECT_EQ(log[3], "");

  // Still usable: a sentence can be added.
  QTest::mouseClick(control<QToolButton>(f, "AddSentenceSpeedButton"), Qt::LeftButton);
  QTest::mouseClick(f.canvasWidget(), Qt::LeftButton, {}, QPoint(100, 50));
  ASSERT_TRUE(control<QLineEdit>(f, "SentenceEdit")->isVisible());
  EXPECT_EQ(control<QLineEdit>(f, "SentenceEdit")->pos(), QPoint(100, 50));
  EXPECT_EQ(panel(f, 0), "(100,50)");
  control<QLineEdit>(f, "SentenceEdit")->selectAll();
  QTest::keyClicks(control<QLineEdit>(f, "SentenceEdit"), "Tweety flies");
  QTest::keyClick(control<QLineEdit>(f, "SentenceEdit"), Qt::Key_Return);
  ASSERT_EQ(f.diagram().SentenceCount(), 1);
  EXPECT_EQ(f.diagram().sentence(0).Text, "Tweety flies");
  EXPECT_EQ(f.diagram().sentence(0).Left, 100);
  EXPECT_EQ(f.diagram().sentence(0).Top, 50);
  EXPECT_FALSE(control<QLineEdit>(f, "SentenceEdit")->isVisible());
}

TEST_F(AppTest, ToolButtonsSwitchModesAndNameThemInTheStatusBar) {
  writeSentences({});
  writeArrowsAndDefeaters();
  writeHelp();
  TArgumentForm& f = start();
  EXPECT_TRUE(boxes_.shown.empty());

  QTest::mouseClick(control<QToolButton>(f, "AddSentenceSpeedButton"), Qt::LeftButton);
  EXPECT_EQ(panel(f, 1), "Add Sentence");
  EXPECT_EQ(downStates(f), std::vector<bool>({true, false, false, false}));
  QTest::mouseClick(control<QToolButton>(f, "AddArrowSpeedButton"), Qt::LeftButton);
  EXPECT_EQ(panel(f, 1), "Add Start Arrow");
  EXPECT_EQ(downStates(f), std::vector<bool>({false, true, false, false}));
  QTest::mouseClick(control<QToolButton>(f, "AddDefeaterSpeedButton"), Qt::LeftButton);
  EXPECT_EQ(panel(f, 1), "Add Challenging Rect");
  EXPECT_EQ(downStates(f), std::vector<bool>({false, false, true, false}));
  QTest::mouseClick(control<QToolButton>(f, "MakeSelectionSpeedButton"), Qt::LeftButton);
  EXPECT_EQ(panel(f, 1), "Make a selection");
  EXPECT_EQ(downStates(f), std::vector<bool>({false, false, false, true}));
  // The active tool's button turns the tool off.
  QTest::mouseClick(control<QToolButton>(f, "MakeSelectionSpeedButton"), Qt::LeftButton);
  EXPECT_EQ(panel(f, 1), "");
  EXPECT_EQ(downStates(f), std::vector<bool>(4, false));
  EXPECT_EQ(f.editor().editMode(), EditMode::NoTool);

  // A press on empty surface in arrow mode hints in panel 1 and shows the
  // position in panel 0, the canvas pixel being the window client point.
  QTest::mouseClick(control<QToolButton>(f, "AddArrowSpeedButton"), Qt::LeftButton);
  QTest::mouseClick(f.canvasWidget(), Qt::LeftButton, {}, QPoint(10, 22));
  EXPECT_EQ(panel(f, 1), "To add the start of an arrow click on a sentence.");
  EXPECT_EQ(panel(f, 0), "(10,22)");
}

TEST_F(AppTest, RoundButtonsAppendTheirLinesAndSaveTheLog) {
  writeSentences({{40, 40, 100, 60, "A"}});
  writeArrowsAndDefeaters();
  writeHelp();
  TArgumentForm& f = start();
  ASSERT_EQ(f.diagram().SentenceCount(), 1);

  QTest::mouseClick(control<QPushButton>(f, "EvaluateOneRoundButton"), Qt::LeftButton);
  EXPECT_EQ(panel(f, 1), "No new evaluations");
  QStringList log = fileLines("log.txt");
  EXPECT_EQ(log.mid(4), QStringList({"[Evaluate (one round)]", "No new evaluations", ""}));

  QTest::mouseClick(control<QPushButton>(f, "JumpOneRoundButton"), Qt::LeftButton);
  EXPECT_EQ(panel(f, 1), "");
  EXPECT_EQ(f.diagram().sentence(0).Status, Undefeated | JustEvaluated);
  log = fileLines("log.txt");
  EXPECT_EQ(log.mid(7), QStringList({"[Jump (one round)]",
                                     "'A' is justified since it has no justified support and is not attacked.", ""}));

  // A round first leaves the active tool.
  QTest::mouseClick(control<QToolButton>(f, "MakeSelectionSpeedButton"), Qt::LeftButton);
  QTest::mouseClick(control<QPushButton>(f, "ResetButton"), Qt::LeftButton);
  EXPECT_EQ(f.editor().editMode(), EditMode::NoTool);
  EXPECT_FALSE(control<QToolButton>(f, "MakeSelectionSpeedButton")->isChecked());
  EXPECT_EQ(panel(f, 1), "");
  EXPECT_EQ(f.diagram().sentence(0).Status, NotEvaluated);
  log = fileLines("log.txt");
  EXPECT_EQ(log.mid(10), QStringList({"[Reset]", "All sentences are unevaluated.", ""}));
  // The log window shows what was saved.
  EXPECT_EQ(app_->LogForm().LogMemo->toPlainText().split('\n').mid(10, 2),
            QStringList({"[Reset]", "All sentences are unevaluated."}));
  EXPECT_TRUE(boxes_.shown.empty());
}

TEST_F(AppTest, FailedLogSaveIsReportedAndTheRoundStays) {
  writeSentences({{40, 40, 100, 60, "A"}});
  writeArrowsAndDefeaters();
  writeHelp();
  TArgumentForm& f = start();
  // A folder in the log file's place cannot be replaced by a file.
  ASSERT_TRUE(QFile::remove("log.txt"));
  ASSERT_TRUE(QDir().mkdir("log.txt"));
  QTest::mouseClick(control<QPushButton>(f, "JumpOneRoundButton"), Qt::LeftButton);
  EXPECT_EQ(boxes_.textsOf(BoxKind::Error), std::vector<std::string>({"Cannot create file log.txt."}));
  EXPECT_EQ(f.diagram().sentence(0).Status, Undefeated | JustEvaluated);
}

TEST_F(AppTest, SentenceMenuSetsStatusAndClosingSavesTheLogButNoTable) {
  writeSentences({{40, 40, 100, 60, "A"}, {200, 40, 260, 60, "B"}});
  writeArrowsAndDefeaters();
  writeHelp();
  const QByteArray tableBefore = fileBytes("SentencesDb.db");
  TArgumentForm& f = start();

  QStringList offered;
  f.runPopupMenu = [&](QMenu& menu, QPoint) {
    ASSERT_EQ(&menu, control<QMenu>(f, "SentencePopupMenu"));
    for (QAction* a : menu.actions())
      if (!a->isSeparator() && a->isEnabled()) offered << a->text();
    choose(f, "SetStatusUndefeatedMenuItem");
  };
  QTest::mouseClick(f.canvasWidget(), Qt::RightButton, {}, QPoint(210, 50));
  EXPECT_EQ(offered, QStringList({"Set Status: &Justified", "Set Status: &Unjustified", "&Show Sentence Data", "&Why?"}));
  EXPECT_EQ(f.diagram().sentence(1).Status, Undefeated | SetByUser);
  EXPECT_EQ(f.diagram().sentence(0).Status, NotEvaluated);
  // The user-set command does not save; the lines reach the file on closing.
  EXPECT_EQ(fileLines("log.txt").size(), 4);

  // Something added and moved in memory only.
  QTest::mouseClick(control<QToolButton>(f, "AddSentenceSpeedButton"), Qt::LeftButton);
  QTest::mouseClick(f.canvasWidget(), Qt::LeftButton, {}, QPoint(300, 150));
  QTest::keyClick(control<QLineEdit>(f, "SentenceEdit"), Qt::Key_Return);
  ASSERT_EQ(f.diagram().SentenceCount(), 3);

  choose(f, "ExitMenuItem");
  EXPECT_FALSE(f.isVisible());
  EXPECT_EQ(boxes_.textsOf(BoxKind::Confirm).size(), 0u);
  EXPECT_EQ(fileBytes("SentencesDb.db"), tableBefore);
  EXPECT_EQ(fileLines("log.txt").mid(4), QStringList({"[User]", "'B' is justified (set by user).", ""}));
}

TEST_F(AppTest, DeleteKeyDeletesTheSelectionAfterConfirmation) {
  writeSentences({{40, 40, 100, 60, "A"}});
  writeArrowsAndDefeaters();
  writeHelp();
  TArgumentForm& f = start();
  QTest::mouseClick(control<QToolButton>(f, "MakeSelectionSpeedButton"), Qt::LeftButton);
  // The rubber band shows while the left button is held and goes on release.
  QTest::mousePress(f.canvasWidget(), Qt::LeftButton, {}, QPoint(200, 200));
  QTest::mouseMove(f.canvasWidget(), QPoint(250, 230));
  EXPECT_EQ(f.overlayFigureCount(), 1u);
  QTest::mouseRelease(f.canvasWidget(), Qt::LeftButton, {}, QPoint(250, 230));
  EXPECT_EQ(f.overlayFigureCount(), 0u);
  QTest::mouseClick(f.canvasWidget(), Qt::LeftButton, {}, QPoint(50, 50));
  ASSERT_TRUE(f.diagram().sentence(0).Selected);
  // Keys arrive at the focused control; the window sees them first.
  QWidget* focused = QApplication::focusWidget() ? QApplication::focusWidget() : &f;
  // '.' has the code the old Delete key had; it must not delete.
  QTest::keyClick(focused, Qt::Key_Period);
  EXPECT_TRUE(boxes_.shown.empty());
  boxes_.answers = {true};
  QTest::keyClick(focused, Qt::Key_Delete);
  EXPECT_EQ(boxes_.textsOf(BoxKind::Confirm),
            std::vector<std::string>({"Do you want to delete the sentence\r\n    'A' ?"}));
  EXPECT_TRUE(f.diagram().sentence(0).Deleted);
}

TEST_F(AppTest, LogWindowFollowsTheViewLogsBox) {
  writeSentences({});
  writeArrowsAndDefeaters();
  writeHelp();
  TArgumentForm& f = start();
  QTest::mouseClick(control<QCheckBox>(f, "ViewLogMemoCheckBox"), Qt::LeftButton);
  EXPECT_TRUE(app_->LogForm().isVisible());
  app_->LogForm().close();
  EXPECT_FALSE(control<QCheckBox>(f, "ViewLogMemoCheckBox")->isChecked());
  EXPECT_FALSE(app_->LogForm().isVisible());
  QTest::mouseClick(control<QCheckBox>(f, "ViewLogMemoCheckBox"), Qt::LeftButton);
  EXPECT_TRUE(app_->LogForm().isVisible());
  QTest::mouseClick(control<QCheckBox>(f, "ViewLogMemoCheckBox"), Qt::LeftButton);
  EXPECT_FALSE(app_->LogForm().isVisible());

  app_->AboutForm().hide();
  choose(f, "AboutMenuItem");
  EXPECT_TRUE(app_->AboutForm().isVisible());
  choose(f, "ContentsMenuItem");
  choose(f, "ContentsMenuItem");
  EXPECT_TRUE(app_->HelpForm().isVisible());
  EXPECT_FALSE(app_->KeyToSymbolsAndColorsForm().isVisible());
  choose(f, "KeyToSymbolsAndColorsMenuItem");
  EXPECT_TRUE(app_->KeyToSymbolsAndColorsForm().isVisible());
}

}  // namespace
}  // namespace zorvex::testing
