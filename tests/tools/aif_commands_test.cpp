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

std::string hostile(const std::string& name) {
  return std::string(ZORVEX_SOURCE_DIR) + "/tests/fuzz/corpus/fuzz_aif_map/" + name;
}

// Maps that once hung dot, aborted the process or overflowed the stack are
// exported or refused, with the file named and the input quoted short.
TEST(AifCommands, HostileMapsAreExportedOrRefusedNamingTheFile) {
  for (const char* name : {"dot-runs-for-ever.json", "dot-fails-merge-chain.json"}) {
    const CliRun exported = runTool({"export", hostile(name)});
    ASSERT_EQ(exported.code, 0) << name << exported.err;
    EXPECT_EQ(exported.err.rfind("Read an AIF map (AIFdb JSON): 5 sentences", 0), 0u) << exported.err;
    EXPECT_EQ(nlohmann::json::parse(exported.out)["sentences"].size(), 5u);
  }
  const std::string deep = hostile("person-nested-50000-deep.json");
  const CliRun nested = runTool({"export", deep});
  EXPECT_EQ(nested.code, 1);
  EXPECT_EQ(nested.err.rfind("Cannot read AIF map " + deep + ": locutions[0].personID[0][0]", 0), 0u) << nested.err;
  EXPECT_LT(nested.err.size(), deep.size() + 200);
  const std::string nines = hostile("number-400-nines.json");
  EXPECT_EQ(runTool({"render", nines, "-o", "x.png"}).err,
            "Cannot read AIF map " + nines + ": a number too large at byte 456 ('" + std::string(80, '9') + "...').\n");

  ScratchDir dir;
  writeFile(dir.file("d.json"), R"({"sentences": [{"Left": )" + std::string(400, '9') + "}]}");
  EXPECT_EQ(runTool({"import", dir.file("d.json"), dir.str()}).err,
            "Cannot read diagram file " + dir.file("d.json") + ": Invalid JSON: number overflow parsing '" +
                std::string(80, '9') + "...'.\n");
}

}  // namespace
}  // namespace zorvex::tools::testing
