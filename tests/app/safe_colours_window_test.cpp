// "&Colour-Blind Safe Colours" through the real window: the surface and the
// key change palette together, and back.
#include <QAction>
#include <QLabel>
#include <gtest/gtest.h>

#include "elements/StatusPalette.h"
#include "elements/ui/KeyToSymbolsAndColorsFormUnit.h"
#include "tests/app/AppTestSupport.h"

namespace zorvex::testing {
namespace {

QImage grabbed(QWidget* w) {
  QApplication::processEvents();
  return w->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

class SafeColoursWindowTest : public AppTest {
 protected:
  // The palette is the process's: a failed test must not leave it to the next.
  void TearDown() override {
    setPaletteInUse(Palette::Standard);
    AppTest::TearDown();
  }
};

TEST_F(SafeColoursWindowTest, TheItemSwitchesSurfaceAndKeyAndBack) {
  writeSentences({{40, 40, 100, 60, "Alpha"}});
  writeArrowsAndDefeaters();
  TArgumentForm& f = start();
  const TSentence& s = f.diagram().sentence(0);
  const QPoint inside(s.Left + 1, s.Top + 1), corner(s.Left + s.Width - 1, s.Top + s.Height - 1);
  TKeyToSymbolsAndColorsForm& key = app_->KeyToSymbolsAndColorsForm();
  control<QAction>(f, "KeyToSymbolsAndColorsMenuItem")->trigger();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&key));
  const TSentence& sample = key.sentenceSamples()[0].element;  // not evaluated
  const QPoint sampleCorner(sample.Left + sample.Width - 1, sample.Top + sample.Height - 1);
  auto pixel = [](QWidget* w, QPoint at) { return grabbed(w).pixel(at) & 0xFFFFFF; };

  EXPECT_EQ(pixel(f.canvasWidget(), inside), 0xC0C0C0u);  // silver
  EXPECT_EQ(pixel(f.canvasWidget(), corner), 0x808080u);  // the grey frame, no mark
  EXPECT_EQ(pixel(&key, QPoint(sample.Left + 1, sample.Top + 1)), 0xC0C0C0u);
  EXPECT_FALSE(key.PaletteLabel->isVisible());

  QAction* safe = control<QAction>(f, "SafeColoursMenuItem");
  safe->trigger();
  EXPECT_TRUE(safe->isChecked());
  EXPECT_EQ(pixel(f.canvasWidget(), inside), sentenceFillRgb(Palette::Safe, NotEvaluated));
  EXPECT_EQ(pixel(f.canvasWidget(), corner), MarkBadgeRgb);
  EXPECT_EQ(pixel(&key, QPoint(sample.Left + 1, sample.Top + 1)), sentenceFillRgb(Palette::Safe, NotEvaluated));
  EXPECT_EQ(pixel(&key, sampleCorner), MarkBadgeRgb);
  EXPECT_TRUE(key.PaletteLabel->isVisible());
  EXPECT_TRUE(key.PaletteLabel->text().contains(QString::fromUtf8("\u2713 justified")));

  safe->trigger();
  EXPECT_EQ(paletteInUse(), Palette::Standard);
  EXPECT_EQ(pixel(f.canvasWidget(), inside), 0xC0C0C0u);
  EXPECT_EQ(pixel(&key, sampleCorner), 0x808080u);
  EXPECT_FALSE(key.PaletteLabel->isVisible());
}

}  // namespace
}  // namespace zorvex::testing
