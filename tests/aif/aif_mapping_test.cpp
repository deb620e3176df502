// What each kind of AIF node becomes, and what is left out and counted.
#include "aif/ArgumentMap.h"
#include "tests/aif/AifTesting.h"

namespace zorvex::testing {
namespace {

ArgumentMap mapOf(const std::string& json) { return mapArguments(readAifGraph(json)); }

TEST(AifMapping, RebuttalUndercutterAndJointPremises) {
  const ArgumentMap m = mapOf(aifDb(
      {"1:I:claim", "2:I:reason a", "3:I:reason b", "4:RA:Default Inference", "5:I:objection", "6:CA:Default Conflict",
       "7:I:undercutter", "8:CA:Default Conflict", "9:I:second objection", "10:RA:Default Inference", "11:I:backing"},
      {"2>4", "3>4", "4>1", "5>6", "9>6", "6>1", "7>8", "8>10", "11>10", "10>2"}));
  EXPECT_EQ(m.texts.size(), 7u);
  ASSERT_EQ(m.arrows.size(), 3u);  // reason a -> claim, reason b -> claim, backing -> reason a
  EXPECT_EQ(m.arrows[0].from, 1);
  EXPECT_EQ(m.arrows[1].from, 2);
  EXPECT_EQ(m.arrows[0].to, 0);
  EXPECT_EQ(m.jointInferences, 1u);
  EXPECT_EQ(m.jointArrows, 2u);
  ASSERT_EQ(m.defeaters.size(), 2u);
  EXPECT_EQ(m.defeaters[0].attackers, (std::vector<int32_t>{3, 5}));  // joint attackers
  EXPECT_EQ(m.defeaters[0].targetSentence, 0);
  EXPECT_EQ(m.defeaters[1].attackers, (std::vector<int32_t>{4}));
  EXPECT_TRUE(m.defeaters[1].undercuts());
  EXPECT_EQ(m.defeaters[1].targetArrows, (std::vector<int32_t>{2}));
}

TEST(AifMapping, LeavesOutAndCountsWhatTheDiagramCannotHold) {
  const ArgumentMap m = mapOf(
      aifDb({"1:I:a", "2:I:b", "3:CA:Default Conflict", "4:CA:Default Conflict", "5:I:c", "6:RA:Expert Opinion",
             "7:MA:Default Rephrase", "8:PA:Default Preference", "9:L:Bob: a", "10:TA:Default Transition",
             "11:YA:Asserting", "12:CA:Default Conflict", "13:RA:Default Inference"},
            {"1>3", "3>2", "5>4", "4>3", "2>6", "6>1", "6>5", "9>11", "11>1", "12>1", "1>13", "13>1", "1>99", "98>2"}));
  EXPECT_EQ(m.texts.size(), 3u);
  EXPECT_TRUE(m.arrows.empty());  // 6 has two conclusions, 13 supports its own premise
  ASSERT_EQ(m.defeaters.size(), 1u);
  const LeftOutCounts& c = m.leftOut;
  EXPECT_EQ(c.conflictsOnConflicts, 1u);
  EXPECT_EQ(c.conflictsWithoutAttacker, 1u);
  EXPECT_EQ(c.inferencesWithoutArrow, 2u);
  EXPECT_EQ(c.selfSupports, 1u);
  EXPECT_EQ(c.rephrases, 1u);
  EXPECT_EQ(c.preferences, 1u);
  EXPECT_EQ(c.dialogueNodes, 3u);
  EXPECT_EQ(c.schemeNames, 1u);  // "Expert Opinion"; "Asserting" goes with the dialogue
  EXPECT_EQ(c.edgesToMissingNodes, 2u);
}

TEST(AifMapping, TextsIdsAndCycles) {
  const std::string json =
      "{\"nodes\":[{\"nodeID\":1,\"type\":\"I\",\"text\":\"  Same\\t\\n text\\u00a0\\u2003here \"},"
      "{\"nodeID\":\"2\",\"type\":\"I\",\"text\":\"Same text here\"},{\"nodeID\":3,\"type\":\"RA\"},"
      "{\"nodeID\":\"4\",\"type\":\"RA\",\"text\":\"Default Inference\"},{\"nodeID\":5,\"type\":\"I\",\"text\":\"\"}],"
      "\"edges\":[{\"fromID\":1,\"toID\":\"3\"},{\"fromID\":\"3\",\"toID\":2},{\"fromID\":2,\"toID\":4},"
      "{\"fromID\":4,\"toID\":1}]}";
  const ArgumentMap m = mapOf(json);
  EXPECT_EQ(m.texts, (std::vector<std::string>{"Same text here", "Same text here", ""}));
  ASSERT_EQ(m.arrows.size(), 2u);  // a cycle of support stays a cycle
  EXPECT_EQ(m.arrows[0].from, 0);
  EXPECT_EQ(m.arrows[0].to, 1);
  EXPECT_EQ(m.arrows[1].from, 1);
  EXPECT_EQ(m.arrows[1].to, 0);
}

}  // namespace
}  // namespace zorvex::testing
