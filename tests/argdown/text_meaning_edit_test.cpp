// An edited Argdown text taken into the diagram: what stays keeps its place
// and status, the rest follows the text in one undo step, a text that means
// the diagram changes nothing, and what cannot be read or drawn is told.
#include <algorithm>

#include "argdown/ArgdownFiles.h"
#include "argdown/TextMeaningEdit.h"
#include "edit/DefeaterHolds.h"
#include "tests/aif/AifTesting.h"

namespace zorvex::testing {
namespace {

const char* const PlacedFruit =
    "[A]: Apples fall {x: 20, y: 300}\n"
    "  +> [C]\n"
    "[B]: Bananas fall {x: 420, y: 300}\n"
    "  +> [C]\n"
    "[C]: Fruit falls {x: 220, y: 20}\n"
    "[D]: Dust floats {x: 220, y: 160}\n"
    "[E]: Wind blows {x: 700, y: 20}\n";

int32_t sentenceWithText(const Diagram& d, const std::string& text) {
  for (int32_t n = 0; n < d.SentenceCount(); ++n)
    if (!d.sentence(n).Deleted && d.sentence(n).Text == text) return n;
  return -1;
}

bool liveArrowBetween(const Diagram& d, const std::string& from, const std::string& to) {
  return std::any_of(d.arrows().begin(), d.arrows().end(), [&](const TArrow& a) {
    return !a.Deleted && d.sentence(a.Sentence1).Text == from && d.sentence(a.Sentence2).Text == to;
  });
}

// The title the written text gives the sentence of this text.
std::string writtenTitle(const Diagram& d, const std::string& text) {
  const std::string written = writeArgdown(d).text;
  const size_t at = written.find("]: " + text);
  const size_t open = written.rfind('[', at);
  return written.substr(open + 1, at - open - 1);
}

TEST(TextMeaningEdit, KeepsWhatStaysAndTakesTheRestInOneStep) {
  Diagram d;
  readArgdownText(d, PlacedFruit, fakeMeasure);
  d.sentencesForStatus()[0].Status = Undefeated | SetByUser;
  DiagramEdit edit(d);
  const Diagram before = d;
  // Bananas are gone, the fruit's text is retyped under its title, and grass is new.
  const std::string text = "[A]: Apples fall\n  +> [" + writtenTitle(d, "Fruit falls") +
                           "]: Fruit always falls\n[Dust floats]\n[E]: Wind blows\n  <+ Storms come\n";
  const TextMeaningChange change = takeTextMeaning(edit, text, fakeMeasure);
  ASSERT_TRUE(change.step);
  EXPECT_EQ(change.step->name, "Edit as Text");
  EXPECT_TRUE(change.unreadableLines.empty());
  const TSentence& apples = d.sentence(sentenceWithText(d, "Apples fall"));
  EXPECT_EQ((Point{apples.Left, apples.Top}), (Point{20, 300}));
  EXPECT_EQ(apples.Status, Undefeated | SetByUser);
  ASSERT_GE(sentenceWithText(d, "Fruit always falls"), 0);
  EXPECT_EQ(d.sentence(sentenceWithText(d, "Fruit always falls")).Left, 220);
  EXPECT_EQ(sentenceWithText(d, "Fruit falls"), -1);
  EXPECT_EQ(sentenceWithText(d, "Bananas fall"), -1);
  EXPECT_TRUE(liveArrowBetween(d, "Apples fall", "Fruit always falls"));
  EXPECT_FALSE(liveArrowBetween(d, "Bananas fall", "Fruit always falls"));
  EXPECT_TRUE(liveArrowBetween(d, "Storms come", "Wind blows"));
  // The new sentence is drawn below what it supports, clear of every box.
  const TSentence& storms = d.sentence(sentenceWithText(d, "Storms come"));
  const TSentence& wind = d.sentence(sentenceWithText(d, "Wind blows"));
  EXPECT_GT(storms.Top, wind.Bottom);
  EXPECT_LT(std::abs(storms.Left - wind.Left), 200);
  for (const TSentence& s : d.sentences()) {
    if (s.Deleted || &s == &storms) continue;
    EXPECT_TRUE(s.Right < storms.Left || storms.Right < s.Left || s.Bottom < storms.Top || storms.Bottom < s.Top)
        << s.Text;
  }
  // Taken back as one step: the diagram as it was.
  change.step->apply(d, true);
  EXPECT_GE(sentenceWithText(d, "Bananas fall"), 0);
  EXPECT_GE(sentenceWithText(d, "Fruit falls"), 0);
  EXPECT_EQ(sentenceWithText(d, "Storms come"), -1);
  EXPECT_TRUE(liveArrowBetween(d, "Bananas fall", "Fruit falls"));
  EXPECT_EQ(writeArgdown(d).text, writeArgdown(before).text);
}

TEST(TextMeaningEdit, TheDiagramsOwnTextChangesNothing) {
  Diagram d;
  const ArgdownReading read = readArgdownText(d,
                                              "[A]: Apples fall\n  +> [C]\n[B]: Bananas fall\n  +> [C]\n"
                                              "[C]: Fruit falls\n  - [D]: Dust floats\n[E]: Wind blows\n"
                                              "[G]: Grass grows\n[H]: Hail falls\n  _> <Fall>\n\n"
                                              "<Fall>\n\n(1) [A]\n(2) [B]\n----\n(3) [C]\n\n"
                                              "<Joint>\n\n(1) [E]\n(2) [G]\n----\n(3) -> [A]\n",
                                              fakeMeasure);
  ASSERT_EQ(d.DefeaterCount(), 3);
  ASSERT_TRUE(read.drawn.inexact.empty());
  DiagramEdit edit(d);
  const std::string written = writeArgdown(d).text;
  const TextMeaningChange change = takeTextMeaning(edit, written + "// a comment\n", fakeMeasure);
  EXPECT_FALSE(change.step);
  EXPECT_EQ(change.summary, "");
  EXPECT_EQ(writeArgdown(d).text, written);
}

TEST(TextMeaningEdit, WhatCannotBeReadOrDrawnChangesNothingAndIsTold) {
  Diagram d;
  readArgdownText(d, PlacedFruit, fakeMeasure);
  DiagramEdit edit(d);
  const std::string written = writeArgdown(d).text;
  // Half typed: the apples' line cannot be read; they keep their sentence and arrow.
  std::string broken = written;
  broken.replace(broken.find("]: Apples fall"), 14, "]: Apples fall {x: ");
  const size_t applesLine = std::count(broken.begin(), broken.begin() + broken.find("Apples fall"), '\n') + 1;
  TextMeaningChange change = takeTextMeaning(edit, broken, fakeMeasure);
  EXPECT_FALSE(change.step);
  EXPECT_EQ(change.unreadableLines, std::vector<int>{static_cast<int>(applesLine)});
  EXPECT_NE(change.summary.find("line " + std::to_string(applesLine) + " could not be read"), std::string::npos);
  EXPECT_TRUE(liveArrowBetween(d, "Apples fall", "Fruit falls"));
  // The wind undercutting both arrows into the fruit: the dust lies between them.
  const std::string undercut = written + "\n<Fall>\n\n(1) [" + writtenTitle(d, "Apples fall") + "]\n(2) [" +
                               writtenTitle(d, "Bananas fall") + "]\n----\n(3) [" + writtenTitle(d, "Fruit falls") +
                               "]\n\n[" + writtenTitle(d, "Wind blows") + "]\n  _> <Fall>\n";
  change = takeTextMeaning(edit, undercut, fakeMeasure);
  EXPECT_FALSE(change.step);
  EXPECT_EQ(d.DefeaterCount(), 0);
  ASSERT_EQ(change.inexactLines.size(), 1u);
  EXPECT_NE(change.summary.find("cannot be drawn exactly"), std::string::npos) << change.summary;
}

}  // namespace
}  // namespace zorvex::testing
