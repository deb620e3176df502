// The Argdown text pane through the real window: a relation typed in the text
// becomes an arrow, Undo on the surface takes it back and the text follows, a
// line that cannot be read is underlined and changes nothing, and the keys
// typed in the pane stay the pane's.
#include <QAction>
#include <QDockWidget>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTimer>
#include <gtest/gtest.h>

#include "AppTestSupport.h"

namespace zorvex::testing {
namespace {

size_t liveArrows(const Diagram& d) {
  return std::count_if(d.arrows().begin(), d.arrows().end(), [](const TArrow& a) { return !a.Deleted; });
}

// The title the pane's text gives the sentence of this text.
QString paneTitle(const QString& text, const QString& sentence) {
  const int at = text.indexOf("]: " + sentence);
  const int open = text.lastIndexOf('[', at);
  return text.mid(open + 1, at - open - 1);
}

TEST_F(AppTest, TheTextPaneTakesTypedRelationsGivesThemBackOnUndoAndMarksWhatCannotBeRead) {
  writeSentences({{40, 200, 140, 220, "Apples fall"}, {40, 40, 140, 60, "Fruit falls"}});
  writeArrowsAndDefeaters();
  TArgumentForm& f = start();
  f.activateWindow();
  // Hidden until asked for: the window is as it always was.
  EXPECT_EQ(f.findChild<QDockWidget*>(), nullptr);
  control<QAction>(f, "ArgdownTextMenuItem")->trigger();
  auto* pane = f.findChild<QDockWidget*>("ArgdownTextPane");
  ASSERT_TRUE(pane && pane->isVisible());
  auto* text = pane->findChild<QPlainTextEdit*>("ArgdownTextEdit");
  auto* pause = pane->findChild<QTimer*>("TypingPause");
  ASSERT_TRUE(text && pause);
  const QString written = text->toPlainText();
  ASSERT_TRUE(written.contains("Apples fall") && written.contains("Fruit falls")) << written.toStdString();

  text->setFocus();
  QTest::keyClick(text, Qt::Key_End, Qt::ControlModifier);
  QTest::keyClick(text, Qt::Key_Return);
  QTest::keyClicks(text, "[" + paneTitle(written, "Apples fall") + "]");
  QTest::keyClick(text, Qt::Key_Return);
  QTest::keyClicks(text, "  +> [" + paneTitle(written, "Fruit falls") + "]");
  // Typing waits for its pause.
  EXPECT_TRUE(pause->isActive());
  EXPECT_EQ(liveArrows(f.diagram()), 0u);
  QTest::keyClick(text, Qt::Key_Return, Qt::ControlModifier);
  ASSERT_EQ(liveArrows(f.diagram()), 1u);
  const TArrow& arrow = f.diagram().arrow(0);
  EXPECT_EQ(f.diagram().sentence(arrow.Sentence1).Text, "Apples fall");
  EXPECT_EQ(f.diagram().sentence(arrow.Sentence2).Text, "Fruit falls");
  EXPECT_EQ(control<QAction>(f, "UndoMenuItem")->text(), "&Undo Edit as Text");
  EXPECT_TRUE(text->toPlainText().endsWith("  +> [" + paneTitle(written, "Fruit falls") + "]"));

  // Undo on the surface: the arrow goes and the text is the diagram's again.
  QTest::mouseClick(f.canvasWidget(), Qt::LeftButton, {}, QPoint(400, 300));
  EXPECT_FALSE(text->hasFocus());
  QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &f, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(liveArrows(f.diagram()), 0u);
  EXPECT_EQ(text->toPlainText(), written);

  // A line half typed: underlined, and nothing is recorded (Redo stays).
  text->setFocus();
  QTest::keyClick(text, Qt::Key_End, Qt::ControlModifier);
  QTest::keyClick(text, Qt::Key_Return);
  QTest::keyClicks(text, "[Storms: come {x: ");
  ASSERT_TRUE(pause->isActive());
  QMetaObject::invokeMethod(pause, "timeout");
  const QList<QTextEdit::ExtraSelection> marks = text->extraSelections();
  ASSERT_EQ(marks.size(), 1);
  EXPECT_EQ(marks[0].cursor.block().text(), "[Storms: come {x: ");
  EXPECT_EQ(marks[0].format.underlineStyle(), QTextCharFormat::WaveUnderline);
  EXPECT_EQ(f.diagram().SentenceCount(), 2);
  EXPECT_TRUE(control<QAction>(f, "RedoMenuItem")->isEnabled());
  // The next key is the text's too, Delete included.
  QTest::keyClick(text, Qt::Key_Home, Qt::ControlModifier);
  QTest::keyClick(text, Qt::Key_Delete);
  EXPECT_EQ(text->toPlainText(), written.mid(1) + "\n[Storms: come {x: ");

  // Closing the pane clears its menu item.
  pane->close();
  EXPECT_FALSE(control<QAction>(f, "ArgdownTextMenuItem")->isChecked());
}

}  // namespace
}  // namespace zorvex::testing
