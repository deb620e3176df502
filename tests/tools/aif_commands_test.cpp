// The companion's commands take AIF argument maps: the report on standard
// error, export --aif, import to tables, and damaged maps.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "tests/tools/CliRun.h"

namespace zorvex::tools::testing {
namespace {

std::string sample(const std::string& name) { return std::string(ZORVEX_SOURCE_DIR) + "/tests/aif/data/" + name; }

const char* const Report =
    "Read an AIF map (AIFdb JSON): 6 sentences, 3 arrows, 1 rebuttal and 0 undercutters; 1 inference with several "
    "premises made 2 separate arrows\nLeft out: 1 conflict on a conflict, 10 timestamps\n";

TEST(AifCommands, EveryDiagramCommandTakesAMapAndReportsOnStandardError) {
  const std::string map = sample("nodeset6463.json");
  const CliRun evaluated = runTool({"evaluate", map, "--steps", "jump"});
  EXPECT_EQ(evaluated.code, 0);
  EXPECT_EQ(evaluated.err, Report);
  EXPECT_NE(evaluated.out.find("everyone should chip in."), std::string::npos);
  // Known by its content, whatever it is called.
  ScratchDir dir;
  writeFile(dir.file("map.txt"), readFile(map));
  const CliRun shown = runTool({"show", dir.file("map.txt"), "defeater", "0"});
  EXPECT_EQ(shown.code, 0);
  EXPECT_EQ(shown.err, Report);

  const CliRun exported = runTool({"export", map, "--aif"});
  ASSERT_EQ(exported.code, 0);
  EXPECT_EQ(exported.err, Report);
  const nlohmann::json aif = nlohmann::json::parse(exported.out);
  EXPECT_EQ(aif["nodes"].size(), 6u + 3u + 1u);  // sentences, inferences, the one conflict
  EXPECT_EQ(aif["nodes"][9]["type"], "CA");
  EXPECT_EQ(aif["edges"].size(), 3u * 2u + 2u);
}

TEST(AifCommands, ImportWritesTablesAndRefusesTextsTheyCannotHold) {
  ScratchDir dir;
  const CliRun imported = runTool({"import", sample("ova2-nodeset6470.json"), dir.str()});
  EXPECT_EQ(imported.code, 0) << imported.err;
  EXPECT_EQ(imported.err.substr(0, 32), "Read an AIF map (OVA2): 4 senten");
  const CliRun back = runTool({"export", dir.str()});
  EXPECT_EQ(nlohmann::json::parse(back.out)["defeaters"].size(), 1u);

  const std::string longText(256, 'x');
  writeFile(dir.file("long.json"),
            R"({"nodes": [{"nodeID": "1", "type": "I", "text": ")" + longText + R"("}], "edges": []})");
  ScratchDir tables;
  const CliRun refused = runTool({"import", dir.file("long.json"), tables.str()});
  EXPECT_EQ(refused.code, 1);
  EXPECT_NE(refused.err.find("is longer than the 255 characters of field 'Text'"), std::string::npos) << refused.err;

  writeFile(dir.file("cut.json"), R"({"nodes": [{"nodeID": "1", "type": "I"}], "edges": []})");
  const CliRun damaged = runTool({"render", dir.file("cut.json"), "-o", dir.file("p.png")});
  EXPECT_EQ(damaged.code, 1);
  EXPECT_NE(damaged.err.find("Cannot read AIF map " + dir.file("cut.json") + ": nodes[0]: missing 'text'"),
            std::string::npos)
      << damaged.err;
}

}  // namespace
}  // namespace zorvex::tools::testing
