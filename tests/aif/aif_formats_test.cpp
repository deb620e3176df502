// The three JSON forms of AIF, told apart by content, and damaged files.
#include "aif/AifGraph.h"
#include "model/ZorvexError.h"
#include "tests/aif/AifTesting.h"

namespace zorvex::testing {
namespace {

std::string errorOf(const std::string& json) {
  try {
    readAifGraph(json);
  } catch (const ZorvexError& e) {
    return e.message();
  }
  return "no error";
}

TEST(AifFormats, ReadsAifDbXAifAndOva2) {
  const AifGraph db = readAifGraph(aifDataFile("nodeset6463.json"));
  EXPECT_EQ(db.format, AifFormat::AifDb);
  EXPECT_EQ(db.nodes.size(), 10u);
  EXPECT_EQ(db.edges.size(), 9u);
  EXPECT_EQ(db.edges[0].from, "120845");

  const AifGraph ova = readAifGraph(aifDataFile("ova2-nodeset6470.json"));
  EXPECT_EQ(ova.format, AifFormat::Ova2);
  EXPECT_EQ(ova.nodes.size(), 7u);
  EXPECT_EQ(ova.nodes[0].id, "120915");  // a number ID
  EXPECT_EQ(ova.edges[0].to, "120919");

  const AifGraph x = readAifGraph(
      R"({"AIF": {"nodes": [{"nodeID": "1", "text": "a", "type": "I"}, {"nodeID": 2, "text": "b", "type": "I"},
                            {"nodeID": "3", "text": "Default Conflict", "type": "CA"}],
                  "edges": [{"edgeID": 1, "fromID": "1", "toID": "3"}, {"edgeID": 2, "fromID": 3, "toID": 2}],
                  "locutions": [], "participants": [{"participantID": 1}, {"participantID": 2}]},
          "OVA": {"nodes": [{"nodeID": "1", "x": "10", "y": "20", "visible": true}]}, "text": "a b"})");
  EXPECT_EQ(x.format, AifFormat::XAif);
  EXPECT_EQ(x.speakers, 2u);
  ASSERT_EQ(x.edges.size(), 2u);
  EXPECT_EQ(x.edges[1].from, "3");
  EXPECT_EQ(mapArguments(x).defeaters.size(), 1u);
}

TEST(AifFormats, ToldFromOurOwnDiagramFilesByContent) {
  EXPECT_TRUE(beginsLikeAif(aifDataFile("nodeset6460.json")));
  EXPECT_TRUE(beginsLikeAif(aifDataFile("ova2-nodeset6470.json")));
  EXPECT_TRUE(beginsLikeAif("\xEF\xBB\xBF {\n \"AIF\": {}}"));
  EXPECT_FALSE(beginsLikeAif("{\"sentences\": [], \"arrows\": [], \"defeaters\": []}"));
  EXPECT_FALSE(beginsLikeAif("[1, 2]"));
  EXPECT_FALSE(beginsLikeAif(""));
}

TEST(AifFormats, DamagedMapsGiveAClearError) {
  const std::string sample = aifDataFile("nodeset6463.json");
  EXPECT_EQ(errorOf(sample.substr(0, 700)), "not complete JSON (at byte 701)");
  EXPECT_EQ(errorOf("[]"), "not an AIF map: the file holds no JSON object");
  EXPECT_EQ(errorOf(R"({"nodes": 5, "edges": []})"), "the map: 'nodes' is not a list");
  EXPECT_EQ(errorOf(R"({"nodes": []})"), "the map: missing 'edges'");
  EXPECT_EQ(errorOf(R"({"nodes": [{"nodeID": "1", "text": "a"}], "edges": []})"), "nodes[0]: missing 'type'");
  EXPECT_EQ(errorOf(R"({"nodes": [{"nodeID": 1.5, "text": "a", "type": "I"}], "edges": []})"),
            "nodes[0]: 'nodeID' is neither text nor a whole number");
  EXPECT_EQ(errorOf(R"({"nodes": [{"nodeID": "1", "type": "I"}], "edges": []})"), "nodes[0]: missing 'text'");
  EXPECT_EQ(errorOf(R"({"nodes": [{"nodeID": "1", "type": "I", "text": ["a"]}], "edges": []})"),
            "nodes[0]: 'text' is not text");
  EXPECT_EQ(errorOf(R"({"nodes": [], "edges": [{"fromID": "1"}]})"), "edges[0]: missing 'toID'");
  EXPECT_EQ(errorOf(R"({"nodes": [{"id": 1, "type": "I", "text": "a"}], "edges": [{"from": 1, "to": {"id": 1}}]})"),
            "edges[0]: 'from' or 'to' is not an object");
  EXPECT_EQ(errorOf(R"({"AIF": {"nodes": []}})"), "AIF: missing 'edges'");
  const std::string huge(AifTextLimit + 1, 'x');
  EXPECT_EQ(errorOf(R"({"nodes": [{"nodeID": "1", "type": "I", "text": ")" + huge + R"("}], "edges": []})"),
            "nodes[0]: a text of 10001 bytes, more than the 10000 a sentence may take");
}

}  // namespace
}  // namespace zorvex::testing
