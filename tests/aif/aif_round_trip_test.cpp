// A diagram written as AIF and read back keeps its sentences, arrows and
// what each defeater relates.
#include <nlohmann/json.hpp>

#include "edit/DefeaterHolds.h"
#include "edit/DiagramEdit.h"
#include "tests/aif/AifTesting.h"

namespace zorvex::testing {
namespace {

struct Meaning {
  std::vector<std::string> texts;
  std::vector<std::pair<std::string, std::string>> arrows;
  std::vector<std::pair<std::vector<std::string>, std::string>> defeaters;  // attackers; target text or arrow
  bool operator==(const Meaning&) const = default;
};

std::string arrowText(const Diagram& d, int32_t a) {
  return d.sentence(d.arrow(a).Sentence1).Text + " -> " + d.sentence(d.arrow(a).Sentence2).Text;
}

// What the diagram says, by texts, from its live elements and the inside rules.
Meaning meaningOf(const Diagram& d) {
  Meaning m;
  for (const TSentence& s : d.sentences())
    if (!s.Deleted) m.texts.push_back(s.Text);
  for (int32_t a = 0; a < d.ArrowCount(); ++a)
    if (!d.arrow(a).Deleted)
      m.arrows.push_back({d.sentence(d.arrow(a).Sentence1).Text, d.sentence(d.arrow(a).Sentence2).Text});
  for (int32_t n = 0; n < d.DefeaterCount(); ++n) {
    if (d.defeater(n).Deleted) continue;
    const DefeaterHolding h = defeaterHolds(d, n);
    std::vector<std::string> attackers;
    for (int32_t s : h.challenging.sentences) attackers.push_back(d.sentence(s).Text);
    std::string target;
    for (int32_t s : h.challenged.sentences) target += d.sentence(s).Text + ";";
    for (int32_t a : h.challenged.arrows) target += arrowText(d, a) + ";";
    m.defeaters.push_back({attackers, target});
  }
  return m;
}

TEST(AifRoundTrip, WrittenAndReadBackMeansTheSame) {
  Diagram first;
  readAifText(first,
              aifDb({"1:I:Claim", "2:I:Reason", "3:I:Other reason", "4:RA:x", "5:RA:x", "6:I:Objection", "7:CA:x",
                     "8:I:Undercutter", "9:CA:x", "10:I:Gone", "11:RA:x", "12:I:Claim"},
                    {"2>4", "4>1", "3>5", "5>1", "6>7", "7>1", "8>9", "9>5", "10>11", "11>2"}),
              fakeMeasure);
  DiagramEdit(first).deleteElements({{ElementKind::Sentence, 5}});  // "Gone" and its arrow
  const std::string aif = aifOfDiagram(first);
  const nlohmann::json doc = nlohmann::json::parse(aif);
  EXPECT_EQ(doc["nodes"][0]["nodeID"], "0");
  EXPECT_EQ(doc["nodes"][5]["nodeID"], "18");  // Sentence6: the deleted Sentence5 leaves a gap, no renumbering
  EXPECT_EQ(doc["nodes"][6]["nodeID"], "1");   // Arrow0's inference: IDs follow element numbers
  EXPECT_EQ(doc["nodes"][6]["type"], "RA");
  EXPECT_EQ(aif.find("Gone"), std::string::npos);

  Diagram second;
  const AifReading reading = readAifText(second, aif, fakeMeasure);
  EXPECT_TRUE(reading.drawn.inexact.empty());
  const Meaning before = meaningOf(first), after = meaningOf(second);
  EXPECT_EQ(after.texts,
            (std::vector<std::string>{"Claim", "Reason", "Other reason", "Objection", "Undercutter", "Claim"}));
  EXPECT_EQ(after, before);
  EXPECT_EQ(before.defeaters.size(), 2u);
}

// An undercut of an inference with two premises: the defeater holds both
// arrows, which are written as that one inference again, so the conflict
// keeps its one target and reading gives the undercut back.
TEST(AifRoundTrip, AnUndercutOfAJointInferenceComesBack) {
  Diagram first;
  const AifReading read =
      readAifText(first,
                  aifDb({"1:I:Claim", "2:I:First premise", "3:I:Second premise", "4:RA:x", "5:I:Undercutter",
                         "6:CA:x", "7:I:Reason", "8:RA:x", "9:I:Objection", "10:CA:x"},
                        {"2>4", "3>4", "4>1", "5>6", "6>4", "7>8", "8>1", "9>10", "10>1"}),
                  fakeMeasure);
  ASSERT_TRUE(read.drawn.inexact.empty());
  ASSERT_EQ(first.DefeaterCount(), 2);
  const std::string aif = aifOfDiagram(first);
  const nlohmann::json doc = nlohmann::json::parse(aif);
  int inferences = 0;
  for (const auto& node : doc["nodes"]) inferences += node["type"] == "RA";
  EXPECT_EQ(inferences, 2);  // three arrows, two inferences

  Diagram second;
  const AifReading again = readAifText(second, aif, fakeMeasure);
  EXPECT_EQ(again.report[1], "Left out: nothing");
  EXPECT_EQ(meaningOf(second), meaningOf(first));
  EXPECT_EQ(aifOfDiagram(second), aif);
}

}  // namespace
}  // namespace zorvex::testing
