// Adding sentences, arrows and defeaters: their derived fields, the refusals
// and the steps that take them back.
#include "EditTesting.h"

namespace zorvex::testing {
namespace {

TEST(AddElements, ASentenceIsSizedFromItsTextAndOnlyALiveDuplicateIsRefused) {
  Diagram d;
  DiagramEdit edit(d);
  const Diagram before = d;
  const EditOutcome made = edit.addSentence({100, 100}, "Abc", {30, 13});
  const TSentence& s = d.sentence(0);
  EXPECT_EQ((Rect{s.Left, s.Top, s.Right, s.Bottom}), (Rect{100, 100, 137, 120}));
  EXPECT_EQ(std::pair(s.Width, s.Height), std::pair(37, 20));
  EXPECT_EQ(made.added, (ElementRef{ElementKind::Sentence, 0}));
  EXPECT_EQ(made.changed, (Rect{100, 100, 136, 119}));  // the drawn pixels
  EXPECT_EQ(made.step.name, "Add Sentence");
  expectStepUndoesExactly(d, before, made);

  EXPECT_THROW(edit.addSentence({0, 0}, "Abc", {30, 13}), EditRefused);
  EXPECT_EQ(messageOf([&] { edit.addSentence({0, 0}, "Abc", {30, 13}); }),
            "The sentence\r\n    'Abc'\r\nalready exists. It cannot be added again.");
  EXPECT_EQ(d.SentenceCount(), 1);
  d.sentence(0).Deleted = true;
  edit.addSentence({0, 0}, "Abc", {30, 13});
  edit.addSentence({5, 5}, "", {0, 13});  // taken unchanged
  EXPECT_EQ(d.sentence(2).Text, "");
  EXPECT_EQ((Rect{d.sentence(2).Right, d.sentence(2).Bottom, d.sentence(2).Width, d.sentence(2).Height}),
            (Rect{12, 25, 7, 20}));

  const Diagram full = d;
  EXPECT_EQ(messageOf([&] { edit.addSentence({INT32_MAX - 10, 0}, "x", {6, 13}); }), "Integer overflow");
  EXPECT_EQ(diagramDiff(d, full), "");
}

struct TwoBoxes : ::testing::Test {
  Diagram d;
  DiagramEdit edit{d};
  int32_t a = -1, b = -1;
  void SetUp() override {
    a = edit.addSentence({100, 100}, "A", {53, 13}).added->index;  // (100, 100, 160, 120)
    b = edit.addSentence({300, 200}, "B", {53, 13}).added->index;   // (300, 200, 360, 220)
  }
};

TEST_F(TwoBoxes, AnArrowRunsBetweenTheBordersOfItsBoxes) {
  const Diagram before = d;
  const EditOutcome made = edit.addArrow(a, b);
  const TArrow& r = d.arrow(0);
  EXPECT_EQ(std::pair(r.Sentence1, r.Sentence2), std::pair(a, b));
  EXPECT_EQ((Rect{r.Center1X, r.Center1Y, r.Center2X, r.Center2Y}), (Rect{130, 110, 330, 210}));
  EXPECT_EQ((Rect{r.StartX, r.StartY, r.EndX, r.EndY}), (Rect{150, 120, 311, 200}));
  EXPECT_EQ((Rect{r.Left, r.Top, r.Width, r.Height}), (Rect{150, 120, 162, 81}));
  EXPECT_EQ(made.changed, (Rect{150, 120, 321, 210}));  // the head reaches 10 past the end
  expectStepUndoesExactly(d, before, made);

  EXPECT_EQ(messageOf([&] { edit.addArrow(a, b); }), "The arrow already exists.");
  EXPECT_EQ(messageOf([&] { edit.addArrow(b, b); }), "The start and end of the arrow must be different.");
  // Texts name sentences: a new "A" in place of a deleted one has the arrow already.
  d.sentence(a).Deleted = true;
  const int32_t a2 = edit.addSentence({0, 0}, "A", {6, 13}).added->index;
  EXPECT_EQ(edit.arrowRefusal(a2, b), std::optional<std::string>("The arrow already exists."));
  EXPECT_EQ(edit.arrowRefusal(b, a2), std::nullopt);
  EXPECT_EQ(d.ArrowCount(), 1);
}

TEST_F(TwoBoxes, AnArrowDrawnInTwoClicksKeepsItsStartCentre) {
  edit.startArrow(a);
  ASSERT_TRUE(d.hasPendingArrow());
  EXPECT_EQ((Rect{d.pendingArrow().Center1X, d.pendingArrow().Center1Y, d.pendingArrow().StartX,
                  d.pendingArrow().StartY}),
            (Rect{130, 110, 130, 110}));
  d.pendingArrow().Center1X = 7;  // as a loaded centre may be
  EXPECT_THROW(edit.completeArrow(a), EditRefused);
  EXPECT_TRUE(d.hasPendingArrow());  // still waiting for its end
  edit.completeArrow(b);
  EXPECT_EQ(d.arrow(0).Center1X, 7);
  EXPECT_EQ(d.arrow(0).Center2X, 330);
  EXPECT_EQ((Rect{d.arrow(0).StartX, d.arrow(0).StartY, d.arrow(0).EndX, d.arrow(0).EndY}),
            (Rect{150, 120, 311, 200}));
}

TEST(AddElements, ADefeaterGetsItsLineAndExtentFromItsRectangles) {
  Diagram d;
  DiagramEdit edit(d);
  const Diagram before = d;
  const EditOutcome made = edit.addDefeater({100, 100, 160, 120}, {300, 100, 360, 120});
  const TDefeater& f = d.defeater(0);
  EXPECT_EQ((Rect{f.Center1X, f.Center1Y, f.Center2X, f.Center2Y}), (Rect{130, 110, 330, 110}));
  EXPECT_EQ((Rect{f.StartX, f.StartY, f.EndX, f.EndY}), (Rect{160, 110, 300, 110}));
  EXPECT_EQ((Rect{f.Left, f.Top, f.Width, f.Height}), (Rect{0, 0, 261, 21}));
  EXPECT_EQ(made.changed, (Rect{100, 100, 360, 120}));
  EXPECT_EQ(made.step.name, "Add Defeater");
  expectStepUndoesExactly(d, before, made);
}

}  // namespace
}  // namespace zorvex::testing
