// Copy, Cut, Paste and Duplicate through the editor: what goes on the
// clipboard, where pasted elements land and what they are called, the
// refusal of a text that is no diagram, and the undo steps.
#include "EditCommandsTesting.h"
#include "edit/DefeaterHolds.h"
#include "editor/DiagramClipboard.h"

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
  for (const char* text : {"{\"sentences\": [{\"Left\": 1}]}", "{\"sentences\": []}", "{\"nodes\": 1}", " \r\n\t"}) {
    host.warnings.clear();
    ed.Paste(text, Point{10, 10});
    ASSERT_EQ(host.warnings.size(), 1u) << text;
    const bool blank = text[0] == ' ';
    EXPECT_EQ(host.warnings[0].rfind(blank ? "The clipboard holds no text that can be pasted."
                                           : "The clipboard holds no diagram that can be pasted:\r\n",
                                     0),
              0u)
        << text;
    EXPECT_EQ(diagramDiff(unmarked(diagram), unmarked(before)), "");
  }
  EXPECT_EQ(history.undoCount(), 0u);
  EXPECT_FALSE(ed.Copy());  // nothing selected: nothing to copy
}

// Plain text is one sentence a line, an AIF map what opening it makes, and
// every pasted text is drawn on one line: its white space single spaces.
TEST_F(ClipboardTest, PlainTextAndAifMapsPasteAsSentencesWithTheirWhiteSpaceMadeSingle) {
  ed.Paste("line one\nline two\ttab\r\n\n   \n  A \r\n", Point{500, 400});
  ASSERT_EQ(diagram.SentenceCount(), 6);
  EXPECT_EQ(diagram.sentence(3).Text, "line one");
  EXPECT_EQ(diagram.sentence(4).Text, "line two tab");
  EXPECT_EQ(diagram.sentence(5).Text, "A (2)");
  EXPECT_EQ(diagram.sentence(3).box(), (Rect{500, 400, 563, 420}));
  EXPECT_EQ((Point{diagram.sentence(4).Left, diagram.sentence(4).Top}), (Point{500, 430}));
  EXPECT_EQ((Point{diagram.sentence(5).Left, diagram.sentence(5).Top}), (Point{500, 460}));
  for (int32_t n : {3, 4, 5}) EXPECT_TRUE(diagram.sentence(n).Selected);
  EXPECT_EQ(history.undoCount(), 1u);
  EXPECT_EQ(history.undoName(), "Paste");

  // Without a point: near the top left of what the view shows.
  ed.Paste("Tweety flies", std::nullopt);
  EXPECT_EQ((Point{diagram.sentence(6).Left, diagram.sentence(6).Top}), (Point{20, 22}));

  ed.Paste(R"({"sentences": [{"Left": 0, "Top": 0, "Right": 10, "Bottom": 10, "Text": "one\ntwo\tthree"}]})",
           Point{600, 100});
  EXPECT_EQ(diagram.sentence(7).Text, "one two three");

  ed.Paste(R"({"nodes": [{"nodeID": "1", "text": "Tweety\nflies", "type": "I"},
                         {"nodeID": "2", "text": "Tweety is a bird", "type": "I"},
                         {"nodeID": "3", "text": "Default Inference", "type": "RA"}],
              "edges": [{"fromID": "2", "toID": "3"}, {"fromID": "3", "toID": "1"}]})",
           Point{100, 600});
  ASSERT_EQ(diagram.SentenceCount(), 10);
  EXPECT_EQ(diagram.sentence(8).Text, "Tweety flies (2)");
  EXPECT_EQ(diagram.sentence(9).Text, "Tweety is a bird");
  const TArrow& made = diagram.arrow(diagram.ArrowCount() - 1);
  EXPECT_EQ(std::pair(made.Sentence1, made.Sentence2), std::pair(9, 8));
  EXPECT_EQ(history.undoCount(), 4u);
}

TEST_F(ClipboardTest, ADuplicateOfADuplicateTakesTheNextNumberOfTheOriginal) {
  selectAAndB();
  ed.Duplicate();
  ASSERT_EQ(diagram.sentence(3).Text, "A (2)");
  ed.Duplicate();  // the copies are the selection now
  EXPECT_EQ(diagram.sentence(5).Text, "A (3)");
  EXPECT_EQ(diagram.sentence(6).Text, "B (3)");
  // Only a number in brackets at the end counts.
  for (const char* text : {"A (0)", "A (x)", "A(2)"}) ed.edit().addSentence({600, 10}, text, host.measureText(text));
  EXPECT_EQ(freeSentenceText(ed.edit().lookup(), "A (3)"), "A (4)");
  EXPECT_EQ(freeSentenceText(ed.edit().lookup(), "A (0)"), "A (0) (2)");
  EXPECT_EQ(freeSentenceText(ed.edit().lookup(), "A(2)"), "A(2) (2)");
}

}  // namespace
}  // namespace zorvex::testing
