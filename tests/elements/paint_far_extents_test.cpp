// Elements that reach the edge of the 32-bit plane, as a diagram file may
// hold them (a Right or Bottom of 2147483647): the edges that are on screen
// are drawn where they are, at 100 % and at every zoom, without overflow.
#include <gtest/gtest.h>

#include <climits>

#include "ViewTestSupport.h"
#include "elements/ui/DiagramPainter.h"

namespace zorvex {
namespace {

using test::rgb;

constexpr unsigned Black = 0x000000, White = 0xFFFFFF, Grey = 0x808080, Silver = 0xC0C0C0, Green = 0x22B91E;
constexpr unsigned Red = 0xFF0000, Bg = test::Background;

TSentence box(int32_t l, int32_t t, int32_t r, int32_t b, Status status, std::string text = {}) {
  TSentence s;
  s.Left = l, s.Top = t, s.Right = r, s.Bottom = b;
  s.Width = r - l + 1, s.Height = b - t + 1;
  s.Status = status;
  s.Text = std::move(text);
  return s;
}

TArrow shaft(int32_t sx, int32_t sy, int32_t ex, int32_t ey, Status status) {
  TArrow a;
  a.StartX = sx, a.StartY = sy, a.EndX = ex, a.EndY = ey;
  a.Status = status;
  setArrowBounds(a);
  return a;
}

// Boxes, a shaft and a defeater rectangle running from the picture to the
// far edges, a defeated box whose cross runs to its corner at 2147483647,
// and boxes at both far corners.
Diagram farDiagram() {
  Diagram d;
  TDefeater f;
  f.ChallengingRect = {1, 30, INT_MAX, 110};
  f.ChallengedRect = {INT_MAX - 647, INT_MAX - 647, INT_MAX, INT_MAX};
  f.StartX = 210, f.StartY = 110, f.EndX = INT_MAX - 647, f.EndY = INT_MAX - 647;
  f.DefeaterState = DefeaterState::Active;
  setDefeaterExtent(f);
  d.addDefeater(f);
  d.addSentence(box(1, 40, INT_MAX, 100, Status(Undefeated | JustEvaluated), "Wide to the far right"));
  d.addSentence(box(10, 120, 30, INT_MAX, NotEvaluated, "Tall"));
  d.addSentence(box(-INT_MAX + 10, 120, 5, 130, NotEvaluated, "From far left"));
  d.addSentence(box(200, 150, INT_MAX, INT_MAX, Defeated, "Defeated to the far corner"));
  d.addSentence(box(-INT_MAX, -INT_MAX, -INT_MAX + 99, -INT_MAX + 19, Defeated, "Far negative"));
  d.addArrow(shaft(150, 110, 150, INT_MAX, Undefeated));
  d.addArrow(shaft(-INT_MAX + 200, 115, 180, 115, Defeated));
  return d;
}

TEST(FarExtents, EdgesOnScreenAreDrawnAtEveryZoom) {
  const Diagram d = farDiagram();
  QImage img = test::canvasImage(400, 300);
  {
    QPainter p(&img);
    paintDiagram(p, d, img.rect(), sentenceFont());
  }
  EXPECT_EQ(rgb(img, 1, 40), Green);  // the wide box's frame, to the picture's edge
  EXPECT_EQ(rgb(img, 399, 40), Green);
  EXPECT_EQ(rgb(img, 399, 100), Green);
  EXPECT_EQ(rgb(img, 399, 70), White);
  EXPECT_EQ(rgb(img, 399, 30), Red);  // the defeater's rectangle
  EXPECT_EQ(rgb(img, 399, 110), Red);
  EXPECT_EQ(rgb(img, 10, 299), Grey);  // the tall box
  EXPECT_EQ(rgb(img, 30, 299), Grey);
  EXPECT_EQ(rgb(img, 20, 299), Silver);
  EXPECT_EQ(rgb(img, 5, 125), Grey);  // the box from the far left
  EXPECT_EQ(rgb(img, 0, 125), Silver);
  EXPECT_EQ(rgb(img, 150, 299), Black);  // the shaft
  EXPECT_EQ(rgb(img, 1, 115), Black);    // the dotted shaft
  EXPECT_EQ(rgb(img, 2, 115), Bg);
  EXPECT_EQ(rgb(img, 300, 250), Black);  // the cross, towards the far corner
  EXPECT_EQ(rgb(img, 300, 251), White);
  EXPECT_EQ(rgb(img, 399, 150), Black);

  // Either far corner shows from pixel (200, 150), at every zoom.
  for (int step = 0; step < ViewTransform::StepCount; ++step) {
    ViewTransform v = test::viewAt(step);
    v.placeAt({INT_MAX, INT_MAX}, {200, 150});
    const int last = 199 + std::max(1, 1 << std::max(0, step - ViewTransform::ActualSizeStep));
    for (ViewPictureCache* cache : {static_cast<ViewPictureCache*>(nullptr), new ViewPictureCache}) {
      const QImage far = test::viewImage(d, v, 400, 300, cache);
      EXPECT_EQ(rgb(far, last, last - 50), Black) << "step " << step;
      EXPECT_EQ(rgb(far, last + 1, last - 50), Bg) << "step " << step;
      EXPECT_EQ(rgb(far, last, last - 49), Bg) << "step " << step;
      delete cache;
    }
    v.placeAt({-INT_MAX, -INT_MAX}, {200, 150});
    const QImage negative = test::viewImage(d, v, 400, 300);
    EXPECT_EQ(rgb(negative, 200, 150), Black) << "step " << step;
    EXPECT_EQ(rgb(negative, 199, 149), Bg) << "step " << step;
  }
}

}  // namespace
}  // namespace zorvex
