// The pointer on a zoomed or scrolled view: hits reach 3 screen pixels, the
// edit box stays inside the visible surface, panel 0 shows diagram
// coordinates, and being on the surface is a matter of the pixel.
#include "FakeHost.h"

namespace zorvex::testing {
namespace {

constexpr int Quarter = 4, Four = 8, Eight = 9;
constexpr ShiftState RightAlone{ssRight};

struct ViewPointerTest : EditorFixture {
  void rightPress(Point pixel) {
    ptr.press(pixel, MouseButton::Right, RightAlone);
    ptr.release(pixel, MouseButton::Right);
  }
};

// At 8x a diagram unit is 8 pixels: the line y = 50 shows on pixel row
// 400 - 300 = 100, and rows 97 and 103 lie within the same diagram units as
// rows that hit, 3 screen pixels from the line.
TEST_F(ViewPointerTest, ZoomedInAHitReachesThreeScreenPixels) {
  const int32_t arrow = addLine(diagram, {10, 50}, {60, 50});
  ed.setView(viewAt(Eight, {0, 300}));
  EXPECT_EQ(ed.hitReach(), 3.0 / 8);
  for (int64_t row : {98, 100, 102}) EXPECT_EQ(ed.FindArrowAtPixel({200, row}), arrow) << row;
  for (int64_t row : {96, 97, 103, 104}) EXPECT_FALSE(ed.FindArrowAtPixel({200, row})) << row;
  EXPECT_EQ(ed.FindArrowAtPixel({480, 100}), arrow);  // the end point's pixel
  EXPECT_FALSE(ed.FindArrowAtPixel({481, 100}));      // no cap beyond it

  // A right press opens the menu as the hit decides; both presses lie in
  // diagram unit (25, 50).
  rightPress({200, 102});
  EXPECT_EQ(host.popups, std::vector<std::string>{"arrow"});
  EXPECT_EQ(ed.PopupArrow(), arrow);
  EXPECT_EQ(ed.PopupPoint(), (Point{25, 50}));
  rightPress({200, 103});
  EXPECT_EQ(host.popups.size(), 1u);
  EXPECT_EQ(ed.PopupPoint(), (Point{25, 50}));

  // A selecting click picks the arrow only within reach too.
  ed.MakeSelectionSpeedButtonClick();
  ptr.click({200, 103});
  EXPECT_FALSE(diagram.arrow(arrow).Selected);
  ptr.click({200, 98});
  EXPECT_TRUE(diagram.arrow(arrow).Selected);
}

TEST_F(ViewPointerTest, ZoomedInDefeaterBordersReachThreeScreenPixels) {
  TDefeater d;
  d.ChallengingRect = {10, 10, 30, 20};  // left side on pixel column 80 - 40 = 40
  d.ChallengedRect = {50, 10, 60, 20};
  d.StartX = 30, d.StartY = 15, d.EndX = 50, d.EndY = 15;
  const int32_t defeater = diagram.addDefeater(d);
  ed.setView(viewAt(Eight, {40, 0}));
  EXPECT_EQ(ed.FindDefeaterAtPixel({38, 120}), defeater);
  EXPECT_EQ(ed.FindDefeaterAtPixel({42, 120}), defeater);
  EXPECT_FALSE(ed.FindDefeaterAtPixel({37, 120}));
  EXPECT_FALSE(ed.FindDefeaterAtPixel({43, 120}));
  EXPECT_EQ(ed.FindDefeaterAtPixel({38, 78}), defeater);  // 2 beyond the corner both ways
  EXPECT_FALSE(ed.FindDefeaterAtPixel({38, 77}));
  rightPress({42, 120});
  EXPECT_EQ(host.popups, std::vector<std::string>{"defeater"});
  rightPress({43, 120});
  EXPECT_EQ(host.popups.size(), 1u);
}

// At 1/4 a pixel is 4 diagram units and the reach is 12: the line y = 48
// shows on row 12 + 100, and a press 2 rows off (8 units) still hits it.
TEST_F(ViewPointerTest, ZoomedOutAHitReachesThreeScreenPixels) {
  const int32_t arrow = addLine(diagram, {0, 48}, {400, 48});
  TDefeater d;
  d.ChallengingRect = {600, 0, 800, 96};  // left side on column 150
  d.ChallengedRect = {1000, 0, 1200, 96};
  const int32_t defeater = diagram.addDefeater(d);
  ed.setView(viewAt(Quarter, {0, -100}));
  EXPECT_EQ(ed.hitReach(), 12.0);
  for (int64_t row : {110, 112, 114}) EXPECT_EQ(ed.FindArrowAtPixel({50, row}), arrow) << row;
  for (int64_t row : {109, 115}) EXPECT_FALSE(ed.FindArrowAtPixel({50, row})) << row;
  EXPECT_EQ(ed.FindDefeaterAtPixel({148, 120}), defeater);
  EXPECT_FALSE(ed.FindDefeaterAtPixel({147, 120}));
  EXPECT_EQ(ed.FindDefeaterAtPixel({152, 120}), defeater);
  EXPECT_FALSE(ed.FindDefeaterAtPixel({153, 120}));
  rightPress({50, 110});
  EXPECT_EQ(host.popups, std::vector<std::string>{"arrow"});
  EXPECT_EQ(ed.PopupPoint(), (Point{200, 40}));
  rightPress({50, 109});
  EXPECT_EQ(host.popups.size(), 1u);
}

// At 100 % a scrolled view only shifts the pixel: the reach stays 3.
TEST_F(ViewPointerTest, ActualSizeScrolledKeepsTheReachOfThree) {
  const int32_t arrow = addLine(diagram, {-100, -50}, {0, -50});
  ed.setView(viewAt(6, {-200, -100}));
  EXPECT_EQ(ed.FindArrowAtPixel({150, 52}), arrow);
  EXPECT_FALSE(ed.FindArrowAtPixel({150, 53}));
  EXPECT_EQ(ed.FindArrowAtPixel({150, 48}), arrow);
  EXPECT_FALSE(ed.FindArrowAtPixel({150, 47}));
}

// The box is kept inside in screen pixels, and Left, Top is the diagram point
// the view shows at the box's corner.
TEST_F(ViewPointerTest, EditBoxIsKeptInsideTheVisibleSurfaceAtZoomFour) {
  host.surface = {800, 500};
  const ViewTransform view = viewAt(Four, {1000, -200});
  ed.setView(view);
  ed.AddSentenceSpeedButtonClick();
  ptr.click({101, 50});  // diagram (275, -38): fits, and stays exactly that point
  EXPECT_EQ(ed.sentenceEdit().Left, 275);
  EXPECT_EQ(ed.sentenceEdit().Top, -38);
  EXPECT_EQ(host.panel[0], "(275,-38)");

  ed.SentenceEditKeyPress(EnterKey);
  ptr.click({700, 490});  // diagram (425, 72) shows at (700, 488): too far right and down
  const SentenceEditState& box = ed.sentenceEdit();
  EXPECT_EQ(box.Left, 409);  // (639 + 1000) / 4, shown at 636
  EXPECT_EQ(box.Top, 69);    // (479 - 200) / 4, shown at 476
  const ViewPoint at = view.toView(box.Left, box.Top);
  EXPECT_LE(at.x + box.Width, 800);
  EXPECT_LE(at.y + box.Height, 500);
  EXPECT_GT(at.x + box.Width, 800 - 4);  // moved no further than one diagram unit
  ed.SentenceEditTextChanged("here");
  ed.SentenceEditKeyPress(EnterKey);
  EXPECT_EQ(diagram.sentence(1).box().Left, 409);
  EXPECT_EQ(diagram.sentence(1).box().Top, 69);
}

TEST_F(ViewPointerTest, EditBoxIsKeptInsideTheVisibleSurfaceAtAQuarter) {
  host.surface = {800, 500};
  ed.setView(viewAt(Quarter, {-100, 0}));
  ed.AddSentenceSpeedButtonClick();
  ptr.click({700, 300});  // diagram (2400, 1200)
  EXPECT_EQ(ed.sentenceEdit().Left, (639 - 100) * 4);
  EXPECT_EQ(ed.sentenceEdit().Top, 1200);
  // The rule command's placement takes a diagram point as it is.
  ed.PlaceSentenceEdit(5000, -7);
  EXPECT_EQ(ed.sentenceEdit().Left, 5000);
  EXPECT_EQ(ed.sentenceEdit().Top, -7);
}

TEST_F(ViewPointerTest, PanelZeroShowsDiagramCoordinatesOnTheSurfaceAndOnSentences) {
  const int32_t s = addBox(diagram, "far", -80, -60, 40, 20);
  ed.setView(viewAt(Four, {-400, -300}));
  ptr.press({300, 202}, MouseButton::Middle, ShiftState(ssMiddle));
  EXPECT_EQ(host.panel[0], "(-25,-25)");  // -100 / 4 and -98 / 4 floored
  ptr.release({300, 202}, MouseButton::Middle);
  // Sentence pixels (80..239, 60..139).
  ptr.press({90, 70}, MouseButton::Right, RightAlone);
  EXPECT_EQ(host.panel[0], "(-78,-58)");
  ASSERT_EQ(host.sentencePopups.size(), 1u);
  EXPECT_EQ(host.sentencePopups[0].sentence, s);
}

// Zoomed out, pixel (300, 200) shows diagram point (1200, 800), outside the
// surface's own size: the press is on the surface all the same.
TEST_F(ViewPointerTest, OnTheSurfaceIsDecidedOnThePixel) {
  host.surface = {800, 500};
  ed.setView(viewAt(Quarter, {0, 0}));
  ed.AddSentenceSpeedButtonClick();
  ptr.click({300, 200});
  ASSERT_TRUE(ed.sentenceEdit().visible);
  EXPECT_EQ(ed.sentenceEdit().Left, 1200);
  EXPECT_EQ(ed.sentenceEdit().Top, 800);
  host.panel[0].clear();
  ptr.click({800, 200});  // just right of the visible surface
  EXPECT_EQ(host.panel[0], "");
  ptr.click({10, 1});  // above the surface's top
  EXPECT_EQ(host.panel[0], "");
}

// A sentence under the bevel above the surface keeps a press there to itself
// instead of handing it on to the surface, as at 100 % and the origin.
TEST_F(ViewPointerTest, ASentenceHandsOnlyPressesOnTheSurfaceOnward) {
  addBox(diagram, "top", 100, 100, 40, 20);
  ed.setView(viewAt(Four, {300, 400}));  // the box covers pixel rows 0..79
  ed.AddSentenceSpeedButtonClick();
  ptr.click({120, 1});
  EXPECT_FALSE(ed.sentenceEdit().visible);
  EXPECT_EQ(host.panel[0], "(105,100)");
  ptr.click({120, 2});
  ASSERT_TRUE(ed.sentenceEdit().visible);
  EXPECT_EQ(ed.sentenceEdit().Left, 105);
  EXPECT_EQ(ed.sentenceEdit().Top, 100);
}

}  // namespace
}  // namespace zorvex::testing
