// A diagram written as Argdown and read back has the same sentences, arrows,
// defeater meanings, places and statuses, whether it was drawn by hand or
// read from an AIF map; and what is written is the text the user is told of.
#include <set>

#include "aif/AifFiles.h"
#include "aif/DefeaterRectangles.h"
#include "argdown/ArgdownFiles.h"
#include "edit/DefeaterHolds.h"
#include "edit/DerivedGeometry.h"
#include "edit/DiagramEdit.h"
#include "tests/aif/AifTesting.h"
#include "tests/argdown/ArgdownTesting.h"

namespace zorvex::testing {
namespace {

struct Picture {
  std::vector<std::string> texts;
  std::vector<Point> corners;
  std::vector<Status> statuses;
  std::set<std::pair<std::string, std::string>> arrows;
  std::set<std::pair<std::set<std::string>, std::set<std::string>>> defeaters;  // by texts; an arrow as "P > C"
  bool operator==(const Picture&) const = default;
};

// What the diagram shows, by texts, from the inside rules.
Picture pictureOf(const Diagram& d) {
  Picture p;
  const auto text = [&](int32_t s) { return d.sentence(s).Text; };
  const auto arrow = [&](int32_t a) { return text(d.arrow(a).Sentence1) + " > " + text(d.arrow(a).Sentence2); };
  for (const TSentence& s : d.sentences()) {
    if (s.Deleted) continue;
    p.texts.push_back(s.Text);
    p.corners.push_back({s.Left, s.Top});
    p.statuses.push_back(s.Status);
  }
  for (int32_t a = 0; a < d.ArrowCount(); ++a)
    if (!d.arrow(a).Deleted) p.arrows.insert({text(d.arrow(a).Sentence1), text(d.arrow(a).Sentence2)});
  for (int32_t n = 0; n < d.DefeaterCount(); ++n) {
    const DefeaterHolding h = defeaterHolds(d, n);
    std::set<std::string> from, to;
    for (int32_t s : h.challenging.sentences) from.insert(text(s));
    for (int32_t s : h.challenged.sentences) to.insert(text(s));
    for (int32_t a : h.challenged.arrows) to.insert(arrow(a));
    p.defeaters.insert({from, to});
  }
  return p;
}

const auto Measure = fakeMeasure;

// Sentences in a row and a column, far enough apart for rectangles round one or two.
Diagram handDrawn() {
  Diagram d;
  DiagramEdit e(d);
  const char* texts[] = {"Claim", "First reason", "Second  reason ", "Doubt #1 {about} @[x] // not a comment",
                         "Together\twith\nthis", "Claim"};
  for (int i = 0; i < 6; ++i) {
    const Point corner{40 + 200 * (i % 3), 40 + 150 * (i / 3)};
    try {
      e.addSentence(corner, texts[i], Measure(texts[i]));
    } catch (const EditRefused&) {  // a second "Claim", as an AIF map may have
      TSentence s;
      s.Text = texts[i];
      placeAddedSentence(s, corner, Measure(texts[i]));
      d.addSentence(std::move(s));
    }
  }
  e.addArrow(1, 0);
  e.addArrow(2, 0);
  e.addDefeater(rectangleAround(d, {3}), rectangleAround(d, {1}));                 // a rebuttal
  e.addDefeater(rectangleAround(d, {3, 4}), rectangleAround(d, {5}));              // a joint one
  e.addDefeater(rectangleAround(d, {5}), rectangleSpanning(d, {0, 1}));            // undercut of both arrows
  e.addDefeater(rectangleAround(d, {4}), rectangleSpanning(d, {0}));               // of one
  d.sentence(0).Status = Undefeated | SetByUser;
  d.sentence(3).Status = Defeated | JustEvaluated | StatusFlipped;
  return d;
}

TEST(ArgdownRoundTrip, AHandDrawnDiagramComesBackWithPlacesAndStatuses) {
  const Diagram first = handDrawn();
  const ArgdownWriting written = writeArgdown(first);
  Diagram second;
  const ArgdownReading read = readArgdownText(second, written.text, Measure);
  EXPECT_FALSE(read.laidOut);
  EXPECT_TRUE(read.drawn.inexact.empty());
  EXPECT_EQ(read.report.back(), "Left out: nothing") << written.text;
  EXPECT_EQ(pictureOf(second), pictureOf(first)) << written.text;
  EXPECT_EQ(pictureOf(second).defeaters.size(), 4u);
  ASSERT_EQ(written.statements.size(), 6u);
  EXPECT_EQ(written.statements[3].sentence, 3);
  EXPECT_NE(written.text.find("\n[Doubt #1 about @x]: Doubt \\#1 \\{about\\} \\@[x] \\// not a comment {"),
            std::string::npos)
      << written.text;
}

// What the user reads: titles from first words, made unique; +> for arrows;
// -> from one challenger; an argument for an undercut arrow; a joint attack.
TEST(ArgdownRoundTrip, TheWrittenTextReadsAsItShould) {
  Diagram d;
  DiagramEdit e(d);
  for (const char* t : {"Birds fly, as a rule of thumb.", "Tweety is a bird.", "Tweety is a penguin.", "Birds fly"})
    e.addSentence({40 + 250 * static_cast<int32_t>(d.SentenceCount()), 40}, t, Measure(t));
  e.addArrow(1, 0);
  e.addDefeater(rectangleAround(d, {2}), rectangleSpanning(d, {0}));
  e.addDefeater(rectangleAround(d, {2}), rectangleAround(d, {3}));
  e.addDefeater(rectangleAround(d, {2, 3}), rectangleAround(d, {1}));
  const ArgdownWriting w = writeArgdown(d);
  EXPECT_EQ(w.text,
            "[Birds fly, as a]: Birds fly, as a rule of thumb. {x: 40, y: 40, status: \"not evaluated\"}\n"
            "[Tweety is a bird]: Tweety is a bird. {x: 290, y: 40, status: \"not evaluated\"}\n"
            "[Tweety is a penguin]: Tweety is a penguin. {x: 540, y: 40, status: \"not evaluated\"}\n"
            "  _> <Inference from Tweety is a bird to Birds fly, as a>\n"
            "  -> [Birds fly]\n"
            "[Birds fly]: Birds fly {x: 790, y: 40, status: \"not evaluated\"}\n"
            "\n<Inference from Tweety is a bird to Birds fly, as a>\n\n(1) [Tweety is a bird]\n----\n(2) [Birds fly, as a]\n"
            "\n<Joint challenge to Tweety is a bird>\n\n(1) [Tweety is a penguin]\n(2) [Birds fly]\n----\n(3) -> [Tweety is a bird]\n");
  ASSERT_EQ(w.statements.size(), 4u);
  EXPECT_EQ(w.statements[3].line, 6);
}

TEST(ArgdownRoundTrip, AnAifMapComesBackThroughArgdown) {
  Diagram first;
  readAifText(first, aifDataFile("nodeset6463.json"), Measure);
  Diagram second;
  const ArgdownReading read = readArgdownText(second, writeArgdown(first).text, Measure);
  EXPECT_FALSE(read.laidOut);
  EXPECT_EQ(pictureOf(second), pictureOf(first));
  EXPECT_EQ(second.DefeaterCount(), first.DefeaterCount());
}

}  // namespace
}  // namespace zorvex::testing
