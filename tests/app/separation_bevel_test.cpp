// The bevel under the menu bar is one lowered line across the whole window.
#include <gtest/gtest.h>

#include <QFrame>
#include <QImage>

#include "AppTestSupport.h"

namespace zorvex::testing {
namespace {

TEST_F(AppTest, SeparationBevelIsOneLineAcrossTheWindow) {
  TArgumentForm& f = start();
  const QImage img = control<QWidget>(f, "ClientArea")->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const int w = img.width();
  ASSERT_EQ(w, 640);
  // Shadow above, highlight below, the same over the drawing surface and
  // over the tool button panel at the right edge.
  for (int x = 0; x < w; ++x) {
    ASSERT_EQ(QColor(img.pixel(x, 0)), QColor(0x80, 0x80, 0x80)) << "row 0, x " << x;
    ASSERT_EQ(QColor(img.pixel(x, 1)), QColor(0xFF, 0xFF, 0xFF)) << "row 1, x " << x;
  }
  // The tool panel starts below the bevel.
  EXPECT_EQ(control<QFrame>(f, "EditButtonPanel")->y(), 2);
  EXPECT_EQ(QColor(img.pixel(w - 10, 0)), QColor(img.pixel(10, 0)));
}

}  // namespace
}  // namespace zorvex::testing
