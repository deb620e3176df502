// The main window's frame: caption, size, the place of every control, the
// menus, and what is hidden.
#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolButton>
#include <gtest/gtest.h>

#include "AppTestSupport.h"
#include "app/ui/ArgumentFormStatusBar.h"

namespace zorvex::testing {
namespace {

QStringList itemTexts(const QMenu* menu) {
  QStringList out;
  for (const QAction* a : menu->actions()) out << (a->isSeparator() ? QStringLiteral("-") : a->text());
  return out;
}

TEST_F(AppTest, MainWindowFrameHasTheOldFormsLayout) {
  TArgumentForm& f = start();
  EXPECT_EQ(f.windowTitle(), "Zorvex!");
  EXPECT_EQ(f.size(), QSize(640, 480));
  EXPECT_EQ(f.palette().color(QPalette::Window), QColor(0xD4, 0xD4, 0xD4));

  const int w = control<QWidget>(f, "ClientArea")->width();
  const int h = control<QWidget>(f, "ClientArea")->height();
  EXPECT_EQ(w, 640);
  EXPECT_EQ(control<QWidget>(f, "ClientArea")->geometry().bottom(), 479);
  EXPECT_EQ(control<QFrame>(f, "SeparationBevel")->geometry(), QRect(0, 0, w, 2));
  EXPECT_EQ(control<TArgumentFormStatusBar>(f, "ArgumentFormStatusBar")->geometry(), QRect(0, h - 18, w, 18));
  EXPECT_EQ(control<QFrame>(f, "EvaluationButtonPanel")->geometry(), QRect(0, h - 18 - 44, w, 44));
  EXPECT_EQ(control<QFrame>(f, "EditButtonPanel")->geometry(), QRect(w - 33, 2, 33, h - 2 - 44 - 18));
  EXPECT_EQ(control<QWidget>(f, "ArgumentPaintBox")->geometry(), QRect(0, 2, w - 33, h - 2 - 44 - 18));
  // The canvas holds bevel and surface, so its pixels are window client points.
  EXPECT_EQ(f.canvasWidget()->geometry(), QRect(0, 0, w - 33, h - 44 - 18));
  EXPECT_EQ(f.surfaceSize(), QSize(w - 33, h - 2 - 44 - 18));
  EXPECT_EQ(control<TArgumentFormStatusBar>(f, "ArgumentFormStatusBar")->panelRect(0).right(), 72);
  EXPECT_EQ(control<TArgumentFormStatusBar>(f, "ArgumentFormStatusBar")->panelRect(1).left(), 75);
  EXPECT_EQ(control<TArgumentFormStatusBar>(f, "ArgumentFormStatusBar")->panelRect(1).right(), w - 1);

  const struct {
    QToolButton* button;
    int top;
    const char* hint;
  } tools[] = {{control<QToolButton>(f, "AddSentenceSpeedButton"), 7, "Add Sentence"},
               {control<QToolButton>(f, "AddArrowSpeedButton"), 27, "Add Arrow"},
               {control<QToolButton>(f, "AddDefeaterSpeedButton"), 47, "Add Defeater"},
               {control<QToolButton>(f, "MakeSelectionSpeedButton"), 74, "Make a Selection"}};
  for (const auto& t : tools) {
    EXPECT_EQ(t.button->parentWidget(), control<QFrame>(f, "EditButtonPanel"));
    EXPECT_EQ(t.button->geometry(), QRect(7, t.top, 20, 20)) << t.hint;
    EXPECT_EQ(t.button->toolTip(), t.hint);
    EXPECT_TRUE(t.button->isCheckable());
    EXPECT_FALSE(t.button->isChecked());
    EXPECT_FALSE(t.button->icon().isNull());
  }

  const struct {
    QAbstractButton* control;
    QRect geometry;
    const char* caption;
    bool visible;
  } controls[] = {{control<QPushButton>(f, "EvaluateOneRoundButton"), {10, 10, 115, 24}, "&Evaluate (one round)", true},
                  {control<QPushButton>(f, "JumpOneRoundButton"), {135, 10, 95, 24}, "&Jump (one round)", true},
                  {control<QPushButton>(f, "ResetButton"), {240, 10, 50, 24}, "&Reset", true},
                  {control<QCheckBox>(f, "ViewLogMemoCheckBox"), {300, 12, 110, 20}, "&View Logs", true},
                  {control<QPushButton>(f, "ImplicitMeaningButton"), {536, 10, 113, 24}, "Implicit &meaning", false}};
  for (const auto& c : controls) {
    EXPECT_EQ(c.control->parentWidget(), control<QFrame>(f, "EvaluationButtonPanel"));
    EXPECT_EQ(c.control->geometry(), c.geometry) << c.caption;
    EXPECT_EQ(c.control->text(), c.caption);
    EXPECT_EQ(c.control->isVisible(), c.visible) << c.caption;
  }
  EXPECT_FALSE(control<QCheckBox>(f, "ViewLogMemoCheckBox")->isChecked());

  EXPECT_EQ(control<QLineEdit>(f, "SentenceEdit")->parentWidget(), control<QWidget>(f, "ClientArea"));
  EXPECT_EQ(control<QLineEdit>(f, "SentenceEdit")->geometry(), QRect(429, 240, 161, 21));
  EXPECT_EQ(control<QLineEdit>(f, "SentenceEdit")->text(), "<Sentence>");
  EXPECT_FALSE(control<QLineEdit>(f, "SentenceEdit")->isVisible());

  EXPECT_FALSE(control<QFrame>(f, "ViewCheckBoxesPanel")->isVisible());
  EXPECT_EQ(control<QFrame>(f, "ViewCheckBoxesPanel")->geometry(), QRect(416, 42, 169, 74));
  const struct {
    QCheckBox* box;
    int top;
    const char* caption;
  } views[] = {{control<QCheckBox>(f, "ViewSentencesTableCheckBox"), 7, "View Sentences Table"},
               {control<QCheckBox>(f, "ViewArrowsTableCheckBox"), 27, "View Arrows Table"},
               {control<QCheckBox>(f, "ViewDefeatersTableCheckBox"), 47, "View Defeaters Table"}};
  for (const auto& v : views) {
    EXPECT_EQ(v.box->geometry(), QRect(7, v.top, 156, 13));
    EXPECT_EQ(v.box->text(), v.caption);
    EXPECT_FALSE(v.box->isChecked());
  }
}

TEST_F(AppTest, MenusCarryTheirCaptionsAndNames) {
  TArgumentForm& f = start();
  QStringList titles;
  for (const QAction* a : f.menuBar()->actions()) titles << a->text();
  EXPECT_EQ(titles, QStringList({"&File", "E&dit", "Vie&w", "&Zorvex", "&Help"}));
  // The diagram commands come before the specified "E&xit".
  EXPECT_EQ(itemTexts(control<QMenu>(f, "FileMenuItem")),
            QStringList({"&New", "&Open...", "&Save", "Save &As...", "&Export Picture...", "-", "&Print...",
                         "Print Pre&view...", "-", "E&xit"}));
  // Nothing done yet: nothing to undo or redo.
  // Below them the commands on the selection, with letters of their own.
  EXPECT_EQ(itemTexts(control<QMenu>(f, "EditMenuItem")),
            QStringList({"&Undo", "&Redo", "-", "Edit &Text", "Select &All", "&Cut", "C&opy", "&Paste", "&Duplicate"}));
  const std::pair<const char*, QKeySequence> editKeys[] = {
      {"EditTextMenuItem", QKeySequence(Qt::Key_F2)},        {"SelectAllMenuItem", QKeySequence(Qt::CTRL | Qt::Key_A)},
      {"CutMenuItem", QKeySequence(Qt::CTRL | Qt::Key_X)},   {"CopyMenuItem", QKeySequence(Qt::CTRL | Qt::Key_C)},
      {"PasteMenuItem", QKeySequence(Qt::CTRL | Qt::Key_V)}, {"DuplicateMenuItem", QKeySequence(Qt::CTRL | Qt::Key_D)}};
  for (const auto& [name, keys] : editKeys) EXPECT_EQ(control<QAction>(f, name)->shortcut(), keys) << name;
  EXPECT_FALSE(control<QAction>(f, "UndoMenuItem")->isEnabled());
  EXPECT_FALSE(control<QAction>(f, "RedoMenuItem")->isEnabled());
  EXPECT_EQ(
      itemTexts(control<QMenu>(f, "ViewMenuItem")),
      QStringList({"Zoom &In", "Zoom &Out", "&Actual Size", "&Fit Diagram", "-", "Fin&d Sentence...", "Find &Next",
                   "-", "Arran&ge Diagram", "Arrange &Selection", "-", "Argdown &Text", "-",
                   "&Colour-Blind Safe Colours"}));
  EXPECT_TRUE(control<QAction>(f, "ArgdownTextMenuItem")->isCheckable());
  EXPECT_FALSE(control<QAction>(f, "ArgdownTextMenuItem")->isChecked());
  EXPECT_TRUE(control<QAction>(f, "SafeColoursMenuItem")->isCheckable());
  EXPECT_FALSE(control<QAction>(f, "SafeColoursMenuItem")->isChecked());
  EXPECT_EQ(control<QAction>(f, "ZoomInMenuItem")->shortcuts(),
            QList<QKeySequence>({QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)}));
  EXPECT_EQ(control<QAction>(f, "ZoomOutMenuItem")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Minus));
  EXPECT_EQ(control<QAction>(f, "ActualSizeMenuItem")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_0));
  EXPECT_EQ(control<QAction>(f, "FitDiagramMenuItem")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_9));
  EXPECT_EQ(control<QAction>(f, "FindSentenceMenuItem")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F));
  EXPECT_EQ(control<QAction>(f, "FindNextMenuItem")->shortcut(), QKeySequence(Qt::Key_F3));
  EXPECT_EQ(itemTexts(control<QMenu>(f, "ZorvexMenuItem")), QStringList({"&Options", "Evaluate until &stable"}));
  EXPECT_EQ(control<QAction>(f, "EvaluateUntilStableMenuItem")->shortcut(),
            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E));
  EXPECT_EQ(itemTexts(control<QMenu>(f, "HelpMenuItem")),
            QStringList({"&Contents", "&Key to symbols and colors", "-", "&About..."}));
  EXPECT_EQ(control<QAction>(f, "ContentsMenuItem")->shortcut(), QKeySequence(Qt::Key_F1));
  EXPECT_EQ(itemTexts(control<QMenu>(f, "SentencePopupMenu")),
            QStringList({"Set Status: &Justified", "Set Status: &Unjustified", "Set Status: &Not Evaluated", "-",
                         "&Show Sentence Data", "&Why?"}));
  EXPECT_EQ(itemTexts(control<QMenu>(f, "ArrowPopupMenu")),
            QStringList({"Make &rule explicit", "-", "&Show Arrow &Data", "&Why?"}));
  EXPECT_FALSE(control<QAction>(f, "AddRuleMenuItem")->isVisible());
  EXPECT_FALSE(control<QAction>(f, "AddRuleSeparator")->isVisible());
  EXPECT_TRUE(control<QAction>(f, "ShowArrowDataMenuItem")->isVisible());
  EXPECT_EQ(itemTexts(control<QMenu>(f, "DefeaterPopupMenu")), QStringList({"&Show Defeater Data", "&Why?"}));

  // Found by name, as the other windows' tests and tools find them.
  for (const char* name : {"ExitMenuItem", "UndoMenuItem", "RedoMenuItem", "OptionsMenuItem", "ContentsMenuItem", "KeyToSymbolsAndColorsMenuItem",
                           "AboutMenuItem", "SetStatusUndefeatedMenuItem", "SetStatusDefeatedMenuItem",
                           "SetStatusNotEvaluatedMenuItem", "ShowSentenceDataMenuItem", "AddRuleMenuItem",
                           "ShowArrowDataMenuItem", "ShowDefeaterDataMenuItem"})
    EXPECT_NE(f.findChild<QAction*>(name), nullptr) << name;
  for (const char* name : {"FileMenuItem", "EditMenuItem", "ZorvexMenuItem", "HelpMenuItem", "SentencePopupMenu", "ArrowPopupMenu",
                           "DefeaterPopupMenu"})
    EXPECT_NE(f.findChild<QMenu*>(name), nullptr) << name;
  for (const char* name : {"SeparationBevel", "EditButtonPanel", "EvaluationButtonPanel", "ArgumentFormStatusBar",
                           "ArgumentPaintBox", "SentenceEdit", "ViewCheckBoxesPanel", "AddSentenceSpeedButton",
                           "AddArrowSpeedButton", "AddDefeaterSpeedButton", "MakeSelectionSpeedButton",
                           "EvaluateOneRoundButton", "JumpOneRoundButton", "ResetButton", "ViewLogMemoCheckBox",
                           "ImplicitMeaningButton", "ViewSentencesTableCheckBox", "ViewArrowsTableCheckBox",
                           "ViewDefeatersTableCheckBox"})
    EXPECT_NE(f.findChild<QWidget*>(name), nullptr) << name;
}

}  // namespace
}  // namespace zorvex::testing
