// Moving sentences, changing a text, deleting and setting a status: what
// follows along, what is refused, and the steps that take it back.
#include <algorithm>

#include "EditTesting.h"

namespace zorvex::testing {
namespace {

int countOf(const UndoStep& step, ElementRef ref) {
  return static_cast<int>(std::count_if(step.elements.begin(), step.elements.end(),
                                        [&](const ElementChange& c) { return c.ref == ref; }));
}

struct Boxes : ::testing::Test {
  Diagram d;
  DiagramEdit edit{d};
  int32_t a = -1, b = -1, c = -1;
  int32_t add(Point at, const char* text) { return edit.addSentence(at, text, {53, 13}).added->index; }
  void SetUp() override {
    a = add({100, 100}, "A");  // (100, 100, 160, 120)
    b = add({300, 200}, "B");  // (300, 200, 360, 220)
    c = add({110, 300}, "C");  // (110, 300, 170, 320)
  }
  Rect extent(ElementKind kind, int32_t n) const { return d.drawnExtent({kind, n}); }
};

TEST_F(Boxes, MovedSentencesTakeTheirArrowsAndAnArrowBetweenTwoOfThemMovesOnce) {
  const int32_t ab = edit.addArrow(a, b).added->index;
  const int32_t ca = edit.addArrow(c, a).added->index;
  d.arrow(ca).Center1X = 7;  // a stored centre of the side that stays
  TArrow loose;
  loose.Sentence1 = a;
  loose.StartX = 1, loose.StartY = 2, loose.EndX = 3, loose.EndY = 4;
  const int32_t unresolved = d.addArrow(loose);
  const Diagram before = d;
  const Rect was[] = {extent(ElementKind::Sentence, a), extent(ElementKind::Sentence, b),
                      extent(ElementKind::Arrow, ab), extent(ElementKind::Arrow, ca)};

  const EditOutcome moved = edit.moveSentences({b, a, b}, 10, -5);
  EXPECT_EQ(d.sentence(a).box(), (Rect{110, 95, 170, 115}));
  EXPECT_EQ(std::pair(d.sentence(a).Width, d.sentence(a).Height), std::pair(60, 20));
  EXPECT_EQ(d.sentence(b).box(), (Rect{310, 195, 370, 215}));
  const TArrow& r = d.arrow(ab);  // both ends moved: the arrow shifts as a whole
  EXPECT_EQ((Rect{r.Center1X, r.Center1Y, r.Center2X, r.Center2Y}), (Rect{140, 105, 340, 205}));
  EXPECT_EQ((Rect{r.StartX, r.StartY, r.EndX, r.EndY}), (Rect{160, 115, 321, 195}));
  EXPECT_EQ((Rect{r.Left, r.Top, r.Width, r.Height}), (Rect{160, 115, 162, 81}));
  const TArrow& up = d.arrow(ca);  // C (centre 140, 310) straight below A's new centre (140, 105)
  EXPECT_EQ((Rect{up.Center1X, up.Center1Y, up.Center2X, up.Center2Y}), (Rect{7, 310, 140, 105}));
  EXPECT_EQ((Rect{up.StartX, up.StartY, up.EndX, up.EndY}), (Rect{140, 300, 140, 115}));
  EXPECT_EQ((Rect{up.Left, up.Top, up.Width, up.Height}), (Rect{140, 115, 1, 186}));
  EXPECT_EQ(d.arrow(unresolved).StartX, 1);

  EXPECT_EQ(moved.step.name, "Move 2 Sentences");
  EXPECT_EQ(moved.step.elements.size(), 4u);
  EXPECT_EQ(countOf(moved.step, {ElementKind::Arrow, ab}), 1);
  ASSERT_TRUE(moved.changed);
  for (const Rect& r : was) EXPECT_TRUE(covers(*moved.changed, r));
  for (ElementRef ref : {ElementRef{ElementKind::Sentence, a}, ElementRef{ElementKind::Sentence, b},
                         ElementRef{ElementKind::Arrow, ab}, ElementRef{ElementKind::Arrow, ca}})
    EXPECT_TRUE(covers(*moved.changed, d.drawnExtent(ref)));
  EXPECT_FALSE(covers(*moved.changed, extent(ElementKind::Sentence, c)));
  expectStepUndoesExactly(d, before, moved);

  // The spatial index follows: the old place is empty, the new one is found.
  std::vector<ElementRef> found;
  d.query({100, 96, 100, 96}, found);
  EXPECT_TRUE(found.empty());
  d.query({112, 96, 112, 96}, found);
  EXPECT_EQ(found, (std::vector<ElementRef>{{ElementKind::Sentence, a}}));
}

TEST_F(Boxes, AMoveThatWouldLeave32BitsChangesNothing) {
  // A box whose centre sum only just fits, level with A so the line is flat.
  const int32_t far = edit.addSentence({1073741700, 100}, "far", {53, 13}).added->index;
  edit.addArrow(a, far);
  const Diagram before = d;
  // The box would fit after the move; its arrow's centre would not.
  EXPECT_EQ(messageOf([&] { edit.moveSentences({a, far}, 200, 0); }), "Integer overflow");
  EXPECT_EQ(diagramDiff(d, before), "");
  EXPECT_EQ(messageOf([&] { edit.moveSentences({b}, 0, INT32_MAX); }), "Integer overflow");
  EXPECT_EQ(diagramDiff(d, before), "");
  std::vector<ElementRef> found;
  d.query({1073741750, 115, 1073741750, 115}, found);
  EXPECT_EQ(found, (std::vector<ElementRef>{{ElementKind::Sentence, far}}));  // still indexed where it is
}

TEST_F(Boxes, ANewTextResizesTheBoxAndItsArrowsFollowItsBorder) {
  const int32_t side = add({300, 100}, "D");  // (300, 100, 360, 120), level with A
  const int32_t ad = edit.addArrow(a, side).added->index;
  const Diagram before = d;
  const EditOutcome retyped = edit.setSentenceText(a, "Longer A", {113, 13});
  EXPECT_EQ(d.sentence(a).Text, "Longer A");
  EXPECT_EQ(d.sentence(a).box(), (Rect{100, 100, 220, 120}));
  EXPECT_EQ(std::pair(d.sentence(a).Width, d.sentence(a).Height), std::pair(120, 20));
  const TArrow& r = d.arrow(ad);
  EXPECT_EQ((Rect{r.Center1X, r.Center1Y, r.Center2X, r.Center2Y}), (Rect{160, 110, 330, 110}));
  EXPECT_EQ((Rect{r.StartX, r.StartY, r.EndX, r.EndY}), (Rect{220, 110, 300, 110}));
  EXPECT_EQ((Rect{r.Left, r.Top, r.Width, r.Height}), (Rect{220, 110, 81, 1}));
  ASSERT_TRUE(retyped.changed);
  EXPECT_TRUE(covers(*retyped.changed, before.drawnExtent({ElementKind::Arrow, ad})));
  EXPECT_TRUE(covers(*retyped.changed, d.drawnExtent({ElementKind::Sentence, a})));

  EXPECT_EQ(messageOf([&] { edit.setSentenceText(a, "", {0, 13}); }), "A sentence cannot be empty.");
  EXPECT_THROW(edit.setSentenceText(a, "B", {6, 13}), EditRefused);
  EXPECT_EQ(messageOf([&] { edit.setSentenceText(a, "B", {6, 13}); }), "The sentence\r\n    'B'\r\nalready exists.");
  EXPECT_EQ(edit.setSentenceText(a, "Longer A", {113, 13}).changed, std::nullopt);  // its own text is no duplicate
  expectStepUndoesExactly(d, before, retyped);
  EXPECT_THROW(edit.addSentence({0, 0}, "Longer A", {6, 13}), EditRefused);

  // Undone, the old text is taken again and the new one is free.
  retyped.step.apply(d, true);
  EXPECT_THROW(edit.addSentence({0, 0}, "A", {6, 13}), EditRefused);
  EXPECT_NO_THROW(edit.addSentence({0, 0}, "Longer A", {6, 13}));
}

TEST_F(Boxes, ADeletedSentenceTakesItsLiveArrowsAlong) {
  const int32_t ab = edit.addArrow(a, b).added->index;
  const int32_t ca = edit.addArrow(c, a).added->index;
  const int32_t bc = edit.addArrow(b, c).added->index;
  const int32_t gone = edit.addArrow(a, c).added->index;
  d.arrow(gone).Deleted = true;
  TArrow loose;
  loose.Sentence2 = a;
  const int32_t unresolved = d.addArrow(loose);
  const Diagram before = d;

  const EditOutcome deleted = edit.deleteElements({{ElementKind::Sentence, a}});
  for (int32_t k : {ab, ca, unresolved}) EXPECT_TRUE(d.arrow(k).Deleted && !d.arrow(k).Enabled) << k;
  EXPECT_TRUE(d.sentence(a).Deleted);
  EXPECT_FALSE(d.sentence(a).Enabled);
  EXPECT_FALSE(d.arrow(bc).Deleted);
  EXPECT_EQ(deleted.step.elements.size(), 4u);  // the arrow deleted before is not in it
  EXPECT_EQ(deleted.step.name, "Delete");
  ASSERT_TRUE(deleted.changed);
  for (ElementRef ref : {ElementRef{ElementKind::Sentence, a}, ElementRef{ElementKind::Arrow, ab},
                         ElementRef{ElementKind::Arrow, ca}})
    EXPECT_TRUE(covers(*deleted.changed, d.drawnExtent(ref)));
  expectStepUndoesExactly(d, before, deleted);

  const EditOutcome again = edit.deleteElements({{ElementKind::Sentence, a}, {ElementKind::Arrow, gone}});
  EXPECT_TRUE(again.step.elements.empty());
  EXPECT_EQ(again.changed, std::nullopt);
}

TEST_F(Boxes, AStatusSetByHandIsOneStepAndWritesItsLines) {
  EvaluationLog log;
  const EditOutcome set = edit.setUserStatus(b, UserStatus::Justified, log);
  EXPECT_EQ(d.sentence(b).Status, Undefeated | SetByUser);
  EXPECT_EQ(log.lines(), (std::vector<std::string>{"[User]", "'B' is justified (set by user).", ""}));
  EXPECT_EQ(set.step.name, "Set Status");
  EXPECT_EQ(set.changed, d.drawnExtent({ElementKind::Sentence, b}));
  set.step.apply(d, true);
  EXPECT_EQ(d.sentence(b).Status, NotEvaluated);
  set.step.apply(d, false);
  EXPECT_EQ(d.sentence(b).Status, Undefeated | SetByUser);
  EXPECT_EQ(messageOf([&] { edit.setUserStatus(9, UserStatus::Unjustified, log); }), "Sentence9 not found");
}

}  // namespace
}  // namespace zorvex::testing
