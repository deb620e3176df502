// evaluate and render on the example diagram. The bird example: Sentence0
// "Tweety is a bird" -> Sentence1 "Tweety flies"; Sentence3 "The zoo keeper
// says so" -> Sentence2 "Tweety is a penguin"; Sentence4 "Tweety has
// feathers" -> Sentence0. Defeater0: the penguin challenges the bird-flies
// arrow and "Tweety flies"; Defeater1: "Tweety flies" challenges Sentence5
// "Tweety stays in the garden".
#include <gtest/gtest.h>

#include <QImage>
#include <nlohmann/json.hpp>

#include "tests/tools/CliRun.h"

namespace zorvex::tools::testing {
namespace {

using Lines = std::vector<std::string>;

Lines splitLines(const std::string& text, const std::string& end = "\n") {
  Lines lines;
  size_t from = 0;
  for (size_t at; (at = text.find(end, from)) != std::string::npos; from = at + end.size())
    lines.push_back(text.substr(from, at - from));
  EXPECT_EQ(from, text.size()) << "text does not end with a line end";
  return lines;
}

class BirdDiagram : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(runTool({"import", birdExample(), dir.str()}).code, 0); }
  CliRun evaluate(std::vector<std::string> more) {
    more.insert(more.begin(), {"evaluate", dir.str()});
    return runTool(more);
  }
  ScratchDir dir;
};

TEST_F(BirdDiagram, EvaluationFromTwoPremises) {
  const CliRun run = evaluate({"--steps", "justified:3,justified:4,evaluate,evaluate,evaluate"});
  ASSERT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(splitLines(run.out),
            (Lines{"[User]", "'The zoo keeper says so' is justified (set by user).", "",
                   "[User]", "'Tweety has feathers' is justified (set by user).", "",
                   "[Evaluate (one round)]",
                   "'Tweety is a bird' is justified since it has justified support.",
                   "'Tweety is a penguin' is justified since it has justified support.", "",
                   "[Evaluate (one round)]",
                   "'Tweety flies' is unjustified since it has no justified support and is attacked by (justified) "
                   "challenges.",
                   "",
                   "[Evaluate (one round)]", "No new evaluations", ""}));
}

TEST_F(BirdDiagram, JumpRoundsAsJson) {
  const CliRun run = evaluate({"--steps", "jump,jump,jump", "--json"});
  ASSERT_EQ(run.code, 0) << run.err;
  const auto state = nlohmann::ordered_json::parse(run.out);
  ASSERT_EQ(state.size(), 4u);
  EXPECT_EQ(state.begin().key(), "log");
  EXPECT_EQ(state["log"][0], "[Jump (one round)]");
  EXPECT_EQ(state["log"][1], "'Tweety is a bird' is justified since it has no justified support and is not attacked.");
  EXPECT_EQ(state["log"].back(), "");
  EXPECT_EQ(state["sentences"][1],
            (nlohmann::ordered_json{{"name", "Sentence1"}, {"text", "Tweety flies"}, {"status", 1}}));
  // Attacked in round 2 while "Tweety flies" was still justified, freed in round 3: flipped back.
  EXPECT_EQ(state["sentences"][5]["status"], 26);
  EXPECT_EQ(state["sentences"][0]["status"], 2);
  EXPECT_EQ(state["arrows"][0], (nlohmann::ordered_json{{"name", "Arrow0"}, {"status", 1}}));
  EXPECT_EQ(state["arrows"][1]["status"], 2);
  EXPECT_EQ(state["defeaters"][0], (nlohmann::ordered_json{{"name", "Defeater0"}, {"state", 1}}));
  EXPECT_EQ(state["defeaters"][1]["state"], 2);
}

TEST_F(BirdDiagram, OptionSetsReplaceTheDefaults) {
  EXPECT_EQ(splitLines(evaluate({"--steps", "justified:4,evaluate", "--evaluate-options", "none"}).out),
            (Lines{"[User]", "'Tweety has feathers' is justified (set by user).", "", "[Evaluate (one round)]",
                   "No new evaluations", ""}));
  EXPECT_EQ(splitLines(evaluate({"--steps", "jump", "--jump-options", "1,2,3a"}).out),
            (Lines{"[Jump (one round)]", "No new jumps", ""}));
  // Evaluation rounds with rule 3b take unattacked sentences as justified, with the comma of their own text.
  const Lines lines = splitLines(evaluate({"--evaluate-options", "3b"}).out);
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[1], "'Tweety is a bird' is justified since it has no justified support, and is not attacked.");
  EXPECT_EQ(splitLines(evaluate({"--steps", "reset"}).out), (Lines{"[Reset]", "All sentences are unevaluated.", ""}));
}

TEST_F(BirdDiagram, LogFileIsWrittenAsTheProgramWritesIt) {
  ASSERT_EQ(evaluate({"--steps", "evaluate", "--log", dir.file("run.log")}).code, 0);
  const Lines lines = splitLines(readFile(dir.file("run.log")), "\r\n");
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[1].rfind("Logs of  ", 0), 0u) << lines[1];
  EXPECT_EQ(lines[0], std::string(lines[1].size(), '-'));
  EXPECT_EQ(lines[2], lines[0]);
  EXPECT_EQ(Lines(lines.begin() + 3, lines.end()), (Lines{"", "[Evaluate (one round)]", "No new evaluations", ""}));
}

TEST_F(BirdDiagram, BadStepsAndOptionsAreUsageErrors) {
  for (const auto& [args, word] : std::vector<std::pair<std::vector<std::string>, std::string>>{
           {{"--steps", "evaluate,fly"}, "'fly'"},
           {{"--steps", "justified:6"}, "'justified:6'"},
           {{"--steps", "unjustified:-1"}, "'unjustified:-1'"},
           {{"--steps", "not-evaluated:x"}, "'not-evaluated:x'"},
           {{"--evaluate-options", "3a,3b"}, "'3a,3b'"},
           {{"--jump-options", "4"}, "'4'"}}) {
    const CliRun run = evaluate(args);
    EXPECT_EQ(run.code, 2) << word;
    EXPECT_NE(run.err.find(word), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
  }
  ScratchDir empty;
  const CliRun missing = runTool({"evaluate", empty.str()});
  EXPECT_EQ(missing.code, 1);
  EXPECT_EQ(missing.err, "Cannot open file " + empty.file("SentencesDb.db") + ".\n");
}

TEST_F(BirdDiagram, RenderDrawsTheStatuses) {
  ASSERT_EQ(runTool({"render", dir.str(), "-o", dir.file("before.png")}).code, 0);
  const CliRun after = runTool({"render", dir.str(), "-o", dir.file("after.png"), "--after", "justified:4"});
  ASSERT_EQ(after.code, 0) << after.err;
  const QImage before(QString::fromStdString(dir.file("before.png")));
  const QImage image(QString::fromStdString(dir.file("after.png")));
  ASSERT_EQ(image.size(), QSize(640, 480));
  // "Tweety has feathers" at (40, 30): grey frame on silver while not
  // evaluated, blue frame on white once set justified by the user.
  EXPECT_EQ(before.pixelColor(40, 30), QColor(0x80, 0x80, 0x80));
  EXPECT_EQ(before.pixelColor(41, 31), QColor(0xC0, 0xC0, 0xC0));
  EXPECT_EQ(image.pixelColor(40, 30), QColor(0x00, 0x00, 0xFF));
  EXPECT_EQ(image.pixelColor(41, 31), QColor(0xFF, 0xFF, 0xFF));
  // The background of the drawing surface.
  EXPECT_EQ(image.pixelColor(630, 470), QColor(0xD4, 0xD4, 0xD4));

  ASSERT_EQ(runTool({"render", dir.str(), "-o", dir.file("d.svg")}).code, 0);
  const std::string svg = readFile(dir.file("d.svg"));
  EXPECT_NE(svg.find("<svg"), std::string::npos);
  EXPECT_NE(svg.find("Tweety flies"), std::string::npos);

  EXPECT_EQ(runTool({"render", dir.str()}).code, 2);  // no -o
  EXPECT_EQ(runTool({"render", dir.str(), "-o", dir.file("x.png"), "--after", "fly"}).code, 2);
}

}  // namespace
}  // namespace zorvex::tools::testing
