// zorvex-cli why and the until-stable step on the bird example: the text
// tree, its JSON form, and the command line's refusals.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "tests/tools/CliRun.h"

namespace zorvex::tools::testing {
namespace {

const std::string Premises = "justified:3,justified:4";

TEST(WhyCommand, BirdTreeAsTextAndJson) {
  const CliRun text = runTool({"why", birdExample(), "sentence", "1", "--steps", Premises + ",evaluate,evaluate"});
  ASSERT_EQ(text.code, 0) << text.err;
  EXPECT_EQ(text.out.substr(0, text.out.find('\n')),
            "'Tweety flies' is unjustified since it has no justified support and is attacked by (justified) "
            "challenges. [evaluate, step 3]");
  EXPECT_NE(text.out.find("\n                  'The zoo keeper says so' is justified (set by user). [user, step 0]\n"),
            std::string::npos);

  const CliRun run =
      runTool({"why", birdExample(), "sentence", "1", "--steps", Premises + ",evaluate,evaluate", "--json"});
  ASSERT_EQ(run.code, 0) << run.err;
  const auto root = nlohmann::json::parse(run.out);
  EXPECT_EQ(root["kind"], "sentence");
  EXPECT_EQ(root["number"], 1);
  EXPECT_EQ(root["status"], "unjustified");
  EXPECT_EQ(root["step"], 3);
  EXPECT_EQ(root["rule"], "rule 2");
  ASSERT_EQ(root["grounds"].size(), 2u);
  const auto& arrow = root["grounds"][0];
  EXPECT_EQ(arrow["kind"], "arrow");
  EXPECT_EQ(arrow["status"], "not supporting");
  EXPECT_EQ(arrow["start"]["status"], "justified");
  EXPECT_EQ(arrow["why"]["rule"], "attacked");
  EXPECT_EQ(arrow["why"]["grounds"][0]["why"]["step"], 2);  // the bird became justified in the first round
  const auto& defeater = root["grounds"][1];
  EXPECT_EQ(defeater["kind"], "defeater");
  EXPECT_EQ(defeater["challengeJustified"], true);
  EXPECT_EQ(defeater["challenge"][0]["number"], 2);
  // Explained under the arrow already: a reference to that node.
  EXPECT_TRUE(defeater["challenge"][0]["why"].contains("see"));

  const auto premise = nlohmann::json::parse(
      runTool({"why", birdExample(), "sentence", "3", "--steps", Premises, "--json"}).out);
  EXPECT_EQ(premise["step"], "user");
  EXPECT_EQ(premise["stepIndex"], 0);
  EXPECT_TRUE(premise["rule"].is_null());
  EXPECT_EQ(nlohmann::json::parse(runTool({"why", birdExample(), "defeater", "1", "--json"}).out)["step"], "start");
}

TEST(WhyCommand, UntilStableStepAndRefusals) {
  const CliRun run = runTool({"evaluate", birdExample(), "--steps", Premises + ",until-stable"});
  ASSERT_EQ(run.code, 0) << run.err;
  EXPECT_NE(run.out.find("[Evaluate (one round)]\nNo new evaluations\n\nStable after 3 rounds\n\n"), std::string::npos)
      << run.out;
  const auto root = nlohmann::json::parse(
      runTool({"why", birdExample(), "arrow", "0", "--steps", Premises + ",until-stable", "--json"}).out);
  EXPECT_EQ(root["setBy"], "until-stable");
  EXPECT_EQ(root["step"], 2);
  EXPECT_EQ(root["round"], 2);

  EXPECT_EQ(runTool({"why", birdExample(), "sentence", "6"}).code, 2);
  EXPECT_EQ(runTool({"why", birdExample(), "box", "0"}).code, 2);
  EXPECT_EQ(runTool({"why", birdExample(), "sentence", "0", "--steps", "until-settled"}).code, 2);
}

}  // namespace
}  // namespace zorvex::tools::testing
