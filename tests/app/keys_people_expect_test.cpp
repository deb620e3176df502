// The keys of every desktop program, through the real windows: F1 and
// Ctrl+Q, Enter and Escape on the About box at start-up and the key after
// it, and the main window's keys from the Why window, which keeps its own.
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include "AppTestSupport.h"
#include "views/ui/AboutUnit.h"
#include "views/ui/HelpFormUnit.h"

namespace zorvex::testing {
namespace {

QWidget* focused(QWidget& otherwise) { return QApplication::focusWidget() ? QApplication::focusWidget() : &otherwise; }

// Keys go to a window once it is active, as a window manager makes it,
// after what showing the windows asked for has happened.
void activate(QWidget& window) {
  QCoreApplication::processEvents();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &window; }));
}

// The letter after "&" ("&&" is an ampersand), lower case; 0 for none.
QChar mnemonic(const QString& text) {
  for (qsizetype i = text.indexOf('&'); i >= 0 && i + 1 < text.size(); i = text.indexOf('&', i + 2))
    if (text[i + 1] != '&') return text[i + 1].toLower();
  return QChar();
}

TEST_F(AppTest, NoTwoMenusButtonsOrItemsShareALetterOrAKey) {
  TArgumentForm& f = start();
  // Alt+letter: the menu bar's titles and the window's buttons and check box.
  QStringList altKeys;
  for (QAction* menu : f.menuBar()->actions()) altKeys << mnemonic(menu->text());
  for (QAbstractButton* b : f.findChildren<QAbstractButton*>())
    if (b->isVisibleTo(&f) && !mnemonic(b->text()).isNull()) altKeys << mnemonic(b->text());
  EXPECT_EQ(altKeys.size(), QSet<QString>(altKeys.begin(), altKeys.end()).size()) << altKeys.join(' ').toStdString();
  // In each menu, every item its own letter; in the whole window, every key its own item.
  QStringList keys;
  for (QAction* menu : f.menuBar()->actions()) {
    QStringList letters;
    for (QAction* a : menu->menu()->actions()) {
      if (a->isSeparator()) continue;
      letters << mnemonic(a->text());
      for (const QKeySequence& k : a->shortcuts()) keys << k.toString();
    }
    EXPECT_EQ(letters.size(), QSet<QString>(letters.begin(), letters.end()).size())
        << menu->text().toStdString() << ": " << letters.join(' ').toStdString();
  }
  EXPECT_EQ(keys.size(), QSet<QString>(keys.begin(), keys.end()).size()) << keys.join(' ').toStdString();
  for (const char* key : {"Ctrl+N", "Ctrl+P", "Ctrl+Q", "F1"}) EXPECT_TRUE(keys.contains(key)) << key;
}

TEST_F(AppTest, EnterAndEscapeCloseTheAboutBoxAndTheNextKeysActAsF1AndCtrlQ) {
  TArgumentForm& f = start();
  TAboutForm& about = app_->AboutForm();
  ASSERT_TRUE(about.isVisible());
  activate(about);
  ASSERT_EQ(QApplication::focusWidget(), about.Button1);
  QTest::keyClick(about.Button1, Qt::Key_Return);
  EXPECT_FALSE(about.isVisible());

  // The key after it: F1 in the main window shows the help window.
  activate(f);
  QTest::keyClick(focused(f), Qt::Key_F1);
  EXPECT_TRUE(app_->HelpForm().isVisible());

  // Shown again from the Help menu, Escape closes it; then Ctrl+Q ends the program.
  control<QAction>(f, "AboutMenuItem")->trigger();
  activate(about);
  QTest::keyClick(focused(about), Qt::Key_Escape);
  EXPECT_FALSE(about.isVisible());
  activate(f);
  bool closed = false;
  QObject::connect(&f, &TArgumentForm::closed, [&] { closed = true; });
  QTest::keyClick(focused(f), Qt::Key_Q, Qt::ControlModifier);
  EXPECT_TRUE(closed);
  EXPECT_FALSE(f.isVisible());
}

TEST_F(AppTest, TheWhyWindowPassesCtrlZAndCtrlYOnAndATextViewKeepsCtrlC) {
  QFile help("help.txt");
  ASSERT_TRUE(help.open(QIODevice::WriteOnly));
  help.write("Some help\n");
  help.close();
  writeSentences({{40, 40, 100, 60, "A"}, {200, 40, 260, 60, "B"}});
  writeArrowsAndDefeaters({{{70, 50, 230, 50, 100, 50, 200, 50, 40, 40, 200, 40}, "A", "B"}});
  TArgumentForm& f = start();
  f.runPopupMenu = [&](QMenu& menu, QPoint) {
    if (&menu == control<QMenu>(f, "SentencePopupMenu")) control<QAction>(f, "SetStatusUndefeatedMenuItem")->trigger();
  };
  sendMouse(f.canvasWidget(), QEvent::MouseButtonPress, QPoint(50, 50), Qt::RightButton, Qt::RightButton);
  QTest::mouseClick(control<QPushButton>(f, "EvaluateOneRoundButton"), Qt::LeftButton);
  ASSERT_TRUE(has(f.diagram().sentence(1).Status, Undefeated));
  f.runPopupMenu = [&](QMenu& menu, QPoint) {
    if (&menu == control<QMenu>(f, "SentencePopupMenu")) control<QAction>(f, "SentenceWhyMenuItem")->trigger();
  };
  sendMouse(f.canvasWidget(), QEvent::MouseButtonPress, QPoint(230, 50), Qt::RightButton, Qt::RightButton);
  auto* tree = control<QTreeWidget>(f, "WhyTree");
  activate(*tree->window());
  tree->setFocus();

  // Ctrl+Z takes the round back, once, and the keys stay in the Why window.
  QTest::keyClick(tree, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_FALSE(has(f.diagram().sentence(1).Status, Undefeated));
  EXPECT_TRUE(has(f.diagram().sentence(0).Status, Undefeated));
  EXPECT_EQ(QApplication::activeWindow(), tree->window());
  QTest::keyClick(tree, Qt::Key_Y, Qt::ControlModifier);
  EXPECT_TRUE(has(f.diagram().sentence(1).Status, Undefeated));

  // The help window's text copies its own selection, not the diagram's.
  f.findChild<QAction*>("ContentsMenuItem")->trigger();
  auto* memo = app_->HelpForm().findChild<QPlainTextEdit*>();
  activate(app_->HelpForm());
  memo->setFocus();
  memo->selectAll();
  QTest::keyClick(memo, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), "Some help");
}

}  // namespace
}  // namespace zorvex::testing
