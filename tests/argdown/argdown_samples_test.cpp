// The Argdown we read, one construct a sample (tests/argdown/data), with the
// diagram meaning each must have and what the report says was left out.
#include "argdown/ArgdownFiles.h"
#include "edit/DerivedGeometry.h"
#include "tests/argdown/ArgdownTesting.h"

namespace zorvex::testing {
namespace {

struct Sample {
  const char* file;
  const char* meaning;
  const char* report;  // the first line and the last
};

ArgdownMeaning read(const char* file) { return readArgdown(argdownSample(std::string(file) + ".argdown")); }

TEST(ArgdownSamples, EachConstructMeansWhatItSays) {
  const Sample samples[] = {
      {"statements",
       "sentences: It will rain tomorrow. | Umbrella | The forecast says so, see Forecast. | The forecast of the "
       "weather service.\narrows:\ndefeaters:",
       "Read an Argdown text: 4 sentences, 0 arrows, 0 rebuttals and 0 undercutters\n"
       "Left out: 1 further text of a statement"},
      {"arguments",
       "sentences: Rain is likely. | It will rain. | Picnics need dry weather. | We stay at home. | Named only\n"
       "arrows: It will rain. > We stay at home., Picnics need dry weather. > We stay at home.\ndefeaters:",
       "Read an Argdown text: 5 sentences, 2 arrows, 0 rebuttals and 0 undercutters; 1 inference with several "
       "premises made 2 separate arrows\nLeft out: nothing"},
      {"subconclusions",
       "sentences: Socrates is a man. | All men are mortal. | Socrates is mortal. | Mortals die. | Socrates will die. "
       "| Dying is sad. | It is sad.\narrows: Socrates is a man. > Socrates is mortal., All men are mortal. > "
       "Socrates is mortal., Socrates is mortal. > Socrates will die., Mortals die. > Socrates will die., Socrates "
       "will die. > It is sad.\ndefeaters:",
       "Read an Argdown text: 7 sentences, 5 arrows, 0 rebuttals and 0 undercutters; 2 inferences with several "
       "premises made 4 separate arrows\nLeft out: 2 inference rules, 1 use of a number that is no statement above"},
      {"relations",
       "sentences: We should cycle. | Cycling is healthy. | A study shows it. | The study was small. | It rains a "
       "lot. | Cities should build lanes. | Cars need the room. | Shops need cars.\narrows: Cycling is healthy. > We "
       "should cycle., A study shows it. > Cycling is healthy., We should cycle. > Cities should build lanes., Shops "
       "need cars. > Cars need the room., Cars need the room. > We should cycle.\ndefeaters: The study was small. x "
       "A study shows it.; It rains a lot. x We should cycle.; Cities should build lanes. x Cars need the room.",
       "Read an Argdown text: 8 sentences, 5 arrows, 3 rebuttals and 0 undercutters\nLeft out: nothing"},
      {"undercuts",
       "sentences: Tweety is a bird. | Tweety flies. | Tweety is a penguin. | Tweety lives in a cage. | Its wing is "
       "broken.\narrows: Tweety is a bird. > Tweety flies.\ndefeaters: Tweety is a penguin. x {Tweety is a bird. > "
       "Tweety flies.}; Tweety lives in a cage. x {Tweety is a bird. > Tweety flies.}; Its wing is broken. x "
       "{Tweety is a bird. > Tweety flies.}",
       "Read an Argdown text: 5 sentences, 1 arrow, 0 rebuttals and 3 undercutters; 1 attack on an argument read "
       "as an undercut (line 9)\nLeft out: 1 undercut of an element without an inference"},
      {"contradictions",
       "sentences: The shop is open. | The shop is closed.\narrows:\ndefeaters: The shop is open. x The shop is "
       "closed.; The shop is closed. x The shop is open.",
       "Read an Argdown text: 2 sentences, 0 arrows, 2 rebuttals and 0 undercutters\nLeft out: nothing"},
      {"joint",
       "sentences: The bridge is safe. | It was inspected last year. | The bridge is old. | Trucks are heavy. | The "
       "report mentions rust.\narrows: It was inspected last year. > The bridge is safe.\ndefeaters: The bridge is "
       "old. + Trucks are heavy. x The bridge is safe.; The bridge is old. + The report mentions rust. x {It was "
       "inspected last year. > The bridge is safe.}",
       "Read an Argdown text: 5 sentences, 1 arrow, 1 rebuttal and 1 undercutter\nLeft out: nothing"},
      {"ignored", "sentences: Cycling is good. | See http://example.org for more.\narrows:\ndefeaters:",
       "Read an Argdown text: 2 sentences, 0 arrows, 0 rebuttals and 0 undercutters\n"
       "Left out: 2 headings, 2 tags, 1 front matter, 3 data items"},
  };
  for (const Sample& s : samples) {
    SCOPED_TRACE(s.file);
    const ArgdownMeaning m = read(s.file);
    EXPECT_EQ(meaningOf(m.map), s.meaning);
    const std::vector<std::string> report = argdownReport(m, {});
    EXPECT_EQ(report.front() + "\n" + report.back(), s.report);
  }
}

// Every damaged line is named and changes nothing; the lines around it are read.
TEST(ArgdownSamples, DamagedLinesAreNamedAndReadingGoesOn) {
  const ArgdownMeaning m = read("damaged");
  EXPECT_EQ(meaningOf(m.map),
            "sentences: This line is fine. | Still read after all that. | The last line.\narrows:\ndefeaters:");
  EXPECT_EQ(m.unreadableLines, (std::vector<int>{2, 3, 4, 5, 6, 7, 9}));
  EXPECT_EQ(argdownReport(m, {}).back(),
            "Left out: 1 relation under a line that could not be read, 7 lines that could not be read (lines 2, 3, 4, "
            "5, 6, 7 and 9)");
  EXPECT_EQ(m.sentenceLines, (std::vector<int>{1, 8, 10}));
}

// Our data blocks: with every sentence placed there is no layout, and the
// places and statuses (flags too) are the written ones; with one unplaced,
// everything is laid out and the written statuses stay.
TEST(ArgdownSamples, WrittenPlacesAndStatusesAreKept) {
  const auto measure = [](const std::string& t) { return TextSize{static_cast<int32_t>(6 * t.size()), 13}; };
  Diagram placed;
  const ArgdownReading r = readArgdownText(placed, argdownSample("places.argdown"), measure);
  EXPECT_FALSE(r.laidOut);
  ASSERT_EQ(placed.SentenceCount(), 3);
  EXPECT_EQ(placed.sentence(0).box(), addedSentenceBox({40, 30}, measure("First.")));
  EXPECT_EQ(placed.sentence(2).Left, 300);
  EXPECT_EQ(placed.sentence(0).Status, Undefeated | SetByUser);
  EXPECT_EQ(placed.sentence(1).Status, Defeated | JustEvaluated | StatusFlipped);
  EXPECT_EQ(placed.sentence(2).Status, NotEvaluated);
  EXPECT_TRUE(r.drawn.inexact.empty());

  Diagram partly;
  const ArgdownReading p = readArgdownText(partly, argdownSample("partly-placed.argdown"), measure);
  EXPECT_TRUE(p.laidOut);
  EXPECT_EQ(partly.sentence(0).Status, Undefeated);
  EXPECT_EQ(partly.sentence(1).Status, NotEvaluated);
  EXPECT_NE(partly.sentence(0).box().Left, 40);
  EXPECT_EQ(partly.ArrowCount(), 1);
}

}  // namespace
}  // namespace zorvex::testing
