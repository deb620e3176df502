// A .json file holding an AIF map opens as a laid-out diagram with a
// report; one of our own opens as before; a diagram saves as AIF.
#include <gtest/gtest.h>

#include <fstream>

#include "model/paradox/ParadoxTable.h"
#include "store/DiagramFiles.h"
#include "tests/store/StoreTesting.h"

namespace zorvex::testing {
namespace {

const char* const Map =
    R"({"nodes": [{"nodeID": "1", "type": "I", "text": "Claim"}, {"nodeID": "2", "type": "I", "text": "Reason"},
                  {"nodeID": "3", "type": "RA", "text": "Default Inference"}, {"nodeID": 4, "type": "L", "text": "x"}],
        "edges": [{"fromID": "2", "toID": "3"}, {"fromID": "3", "toID": "1"}], "locutions": []})";

TEST(AifFiles, OpenByContentReportAndSaveAsAif) {
  TempDir dir;
  const DiagramLocation where = locationFor(dir.file("map.json"));
  std::ofstream(where.path) << Map;
  Diagram d;
  const OpenResult opened = openDiagram(d, where, paradox::tableOpener());
  ASSERT_FALSE(opened.error);
  EXPECT_TRUE(opened.fromAif);
  EXPECT_EQ(opened.report, (std::vector<std::string>{
                               "Read an AIF map (AIFdb JSON): 2 sentences, 1 arrow, 0 rebuttals and 0 undercutters",
                               "Left out: 1 dialogue node (L, TA, YA)"}));
  ASSERT_EQ(d.ArrowCount(), 1);
  EXPECT_EQ(d.sentence(d.arrow(0).Sentence2).Text, "Claim");

  // Our own form is told apart by content too, and a map saved as AIF opens again as one.
  const DiagramLocation own = locationFor(dir.file("own.json"));
  saveDiagram(d, own);
  const DiagramLocation written{dir.file("written.json"), DiagramFormat::Aif};
  saveDiagram(d, written);
  Diagram again, fromOwn;
  EXPECT_FALSE(openDiagram(fromOwn, own, paradox::tableOpener()).fromAif);
  EXPECT_EQ(fromOwn.SentenceCount(), 2);
  EXPECT_TRUE(openDiagram(again, written, paradox::tableOpener()).fromAif);
  EXPECT_EQ(again.ArrowCount(), 1);

  std::ofstream(where.path, std::ios::trunc) << std::string(Map).substr(0, 60);
  Diagram damaged;
  const OpenResult failed = openDiagram(damaged, where, paradox::tableOpener());
  ASSERT_TRUE(failed.error);
  EXPECT_EQ(failed.error->message(), "Cannot read AIF map " + where.path.string() + ": not complete JSON (at byte 61)");
  EXPECT_EQ(damaged.SentenceCount(), 0);
}

}  // namespace
}  // namespace zorvex::testing
