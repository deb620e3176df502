// Selecting by rubber band and by click.
#include "FakeHost.h"

namespace zorvex::testing {
namespace {

struct SelectionTest : EditorFixture {
  int32_t a = -1, b = -1, c = -1, ab = -1, ac = -1;
  void SetUp() override {
    a = addBox(diagram, "A", 100, 100, 60, 20);  // Right 160, Bottom 120
    b = addBox(diagram, "B", 300, 100, 60, 20);
    c = addBox(diagram, "C", 100, 300, 60, 20);
    ab = addLine(diagram, {160, 110}, {300, 110}, a, b);
    ac = addLine(diagram, {130, 120}, {130, 300}, a, c);
    ed.MakeSelectionSpeedButtonClick();
  }
  bool sel(ElementKind k, int32_t n) {
    return k == ElementKind::Sentence ? diagram.sentence(n).Selected
           : k == ElementKind::Arrow  ? diagram.arrow(n).Selected
                                      : diagram.defeater(n).Selected;
  }
};

TEST_F(SelectionTest, BandTouchingBordersSelectsSentencesAndTheirArrows) {
  ptr.press({50, 50});
  ptr.move({200, 90});
  ptr.move({300, 130});
  const OverlayFigure band{OverlayFigure::Shape::Rectangle, {50, 50}, {300, 130}, OverlayBlack, true, true};
  EXPECT_EQ(host.overlay, std::vector<OverlayFigure>{band});
  const int repaints = host.surfaceRepaints;
  ptr.release({300, 130});
  EXPECT_TRUE(host.overlay.empty());
  EXPECT_EQ(host.surfaceRepaints, repaints + 1);
  EXPECT_EQ(ed.SelectionRect(), (Rect{50, 50, 300, 130}));
  EXPECT_TRUE(sel(ElementKind::Sentence, a));
  EXPECT_TRUE(sel(ElementKind::Sentence, b));  // its Left 300 touches the band's right side
  EXPECT_FALSE(sel(ElementKind::Sentence, c));
  EXPECT_TRUE(sel(ElementKind::Arrow, ab));
  EXPECT_FALSE(sel(ElementKind::Arrow, ac));  // only one of its sentences

  // Dragging up-left normalises; a box whose Right is the band's left edge touches.
  ptr.drag({200, 400}, {160, 320});
  EXPECT_EQ(ed.SelectionRect(), (Rect{160, 320, 200, 400}));
  EXPECT_TRUE(sel(ElementKind::Sentence, c));  // Right 160, Bottom 320
  EXPECT_FALSE(sel(ElementKind::Sentence, a));  // replaced
  EXPECT_FALSE(sel(ElementKind::Sentence, b));
  EXPECT_FALSE(sel(ElementKind::Arrow, ab));
  ptr.drag({161, 321}, {200, 400});
  EXPECT_FALSE(sel(ElementKind::Sentence, c));
}

TEST_F(SelectionTest, ClickSelectsAnArrowOnlyWithoutMovement) {
  ptr.click({230, 111});
  EXPECT_TRUE(sel(ElementKind::Arrow, ab));
  EXPECT_FALSE(sel(ElementKind::Sentence, a));
  ptr.drag({230, 140}, {230, 111});
  EXPECT_FALSE(sel(ElementKind::Arrow, ab));
  // A click where the arrow leaves A's bottom border selects both.
  ptr.click({130, 120});
  EXPECT_TRUE(sel(ElementKind::Sentence, a));
  EXPECT_TRUE(sel(ElementKind::Arrow, ac));
  EXPECT_FALSE(sel(ElementKind::Arrow, ab));
}

TEST_F(SelectionTest, DefeaterIsSelectedByTheReleasePointOnly) {
  TDefeater d;
  d.ChallengingRect = {400, 300, 500, 400};
  d.ChallengedRect = {600, 300, 700, 400};
  diagram.addDefeater(d);
  ptr.drag({380, 250}, {450, 350});  // band covers its rectangle's corner, release inside
  EXPECT_FALSE(sel(ElementKind::Defeater, 0));
  ptr.drag({380, 250}, {400, 350});  // release on its left side
  EXPECT_TRUE(sel(ElementKind::Defeater, 0));
  host.elementRepaints.clear();
  ptr.click({750, 450});
  EXPECT_FALSE(sel(ElementKind::Defeater, 0));
  EXPECT_EQ(host.elementRepaints, (std::vector<ElementRef>{{ElementKind::Defeater, 0}}));
}

TEST_F(SelectionTest, DeletedSentencesAreNotSelectedAndOnlyChangesRepaint) {
  diagram.sentence(b).Deleted = true;
  ptr.drag({50, 50}, {400, 130});
  EXPECT_TRUE(sel(ElementKind::Sentence, a));
  EXPECT_FALSE(sel(ElementKind::Sentence, b));
  EXPECT_FALSE(sel(ElementKind::Arrow, ab));
  host.elementRepaints.clear();
  ptr.drag({50, 50}, {200, 330});  // A stays, C joins, A->C joins
  EXPECT_EQ(host.elementRepaints,
            (std::vector<ElementRef>{{ElementKind::Sentence, c}, {ElementKind::Arrow, ac}}));
}

}  // namespace
}  // namespace zorvex::testing
