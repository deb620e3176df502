// Copy, Cut, Paste and Duplicate through the editor: what goes on the
// clipboard, where pasted elements land and what they are called, the
// refusal of a text that is no diagram, and the undo steps.
#include "EditCommandsTesting.h"
#include "edit/DefeaterHolds.h"

namespace zorvex::testing {
namespace {

struct ClipboardTest : CommandsFixture {
  void SetUp() override {
    CommandsFixture::SetUp();
    // A challenges B, with room for a longer text: copied with them.
    ed.edit().addDefeater({90, 90, 180, 130}, {290, 90, 380, 130});
    ed.edit().addDefeater({90, 290, 130, 330}, {290, 90, 330, 130});  // C challenges B: C is not copied
  }
  void selectAAndB() { ptr.drag({95, 95}, {320, 125}); }
};

TEST_F(ClipboardTest, CopyAndPasteRoundTripRenamesTextsAndKeepsTheLinks) {
  selectAAndB();
  const std::optional<std::string> text = ed.Copy();
  ASSERT_TRUE(text);
  EXPECT_NE(text->find("\"sentences\""), std::string::npos);
  const Diagram before = diagram;

  ed.Paste(*text, std::nullopt);
  ASSERT_EQ(diagram.SentenceCount(), 5);
  EXPECT_EQ(diagram.sentence(3).Text, "A (2)");
  EXPECT_EQ(diagram.sentence(3).box(), (Rect{120, 120, 162, 140}));  // resized for its new text
  EXPECT_EQ(diagram.sentence(4).Text, "B (2)");
  EXPECT_EQ((Point{diagram.sentence(4).Left, diagram.sentence(4).Top}), (Point{320, 120}));
  ASSERT_EQ(diagram.ArrowCount(), 3);  // only the arrow between A and B
  EXPECT_EQ(std::pair(diagram.arrow(2).Sentence1, diagram.arrow(2).Sentence2), std::pair(3, 4));
  ASSERT_EQ(diagram.DefeaterCount(), 3);
  EXPECT_EQ(diagram.defeater(2).ChallengingRect, (Rect{110, 110, 200, 150}));
  EXPECT_EQ(defeaterHolds(diagram, 2), (DefeaterHolding{{{3}, {}}, {{4}, {}}}));
  // What was pasted is the selection now.
  for (int32_t n : {3, 4}) EXPECT_TRUE(diagram.sentence(n).Selected);
  EXPECT_TRUE(diagram.arrow(2).Selected);
  EXPECT_TRUE(diagram.defeater(2).Selected);
  EXPECT_FALSE(diagram.sentence(a).Selected);
  backAndForth(before, "Paste");

  // At the pointer: the top left of the copy (a defeater's corner) goes there.
  selectionMode();
  ed.Paste(*text, Point{500, 400});
  EXPECT_EQ(diagram.sentence(5).Text, "A (3)");
  EXPECT_EQ((Point{diagram.sentence(5).Left, diagram.sentence(5).Top}), (Point{510, 410}));
  EXPECT_EQ(diagram.defeater(3).ChallengingRect, (Rect{500, 400, 590, 440}));
  EXPECT_EQ(history.undoCount(), 2u);
}

TEST_F(ClipboardTest, CutAsksOnceAndItsTextPastesBackAndDuplicateCopiesInPlace) {
  ptr.click({105, 310});  // C, whose arrow to A is not selected
  host.answers = {true};
  const std::optional<std::string> text = ed.Cut();
  ASSERT_TRUE(text);
  EXPECT_EQ(host.questions.size(), 1u);
  EXPECT_NE(host.questions[0].find("unselected arrows"), std::string::npos);
  EXPECT_TRUE(diagram.sentence(c).Deleted);
  EXPECT_TRUE(diagram.arrow(ca).Deleted);
  EXPECT_EQ(history.undoName(), "Cut");

  ed.Paste(*text, std::nullopt);  // no defeater holds C alone: none comes along
  ASSERT_EQ(diagram.SentenceCount(), 4);
  EXPECT_EQ(diagram.sentence(3).Text, "C");  // free again
  EXPECT_EQ(diagram.DefeaterCount(), 2);
  EXPECT_EQ(diagram.ArrowCount(), 2);

  selectAAndB();
  ed.Duplicate();
  EXPECT_EQ(diagram.sentence(4).Text, "A (2)");
  EXPECT_EQ(diagram.sentence(5).Text, "B (2)");
  // The second defeater now holds B alone (C is gone from its rectangle):
  // it comes along too.
  EXPECT_EQ(diagram.DefeaterCount(), 4);
  EXPECT_EQ(history.undoName(), "Duplicate");
  EXPECT_EQ(history.undoCount(), 3u);
  ed.Undo();
  ed.Undo();
  ed.Undo();
  EXPECT_FALSE(diagram.sentence(c).Deleted);
  EXPECT_TRUE(diagram.sentence(3).Deleted);
}

TEST_F(ClipboardTest, TextThatIsNoDiagramGivesAWarningAndChangesNothing) {
  const Diagram before = diagram;
  for (const char* text : {"Tweety flies", "{\"sentences\": [{\"Left\": 1}]}", "{\"sentences\": []}"}) {
    host.warnings.clear();
    ed.Paste(text, Point{10, 10});
    ASSERT_EQ(host.warnings.size(), 1u) << text;
    EXPECT_EQ(host.warnings[0].rfind("The clipboard holds no diagram that can be pasted:\r\n", 0), 0u) << text;
    EXPECT_EQ(diagramDiff(unmarked(diagram), unmarked(before)), "");
  }
  EXPECT_EQ(history.undoCount(), 0u);
  EXPECT_FALSE(ed.Copy());  // nothing selected: nothing to copy
}

}  // namespace
}  // namespace zorvex::testing
