// Argdown and GraphML files: the companion's commands, GraphML read back with
// Qt's XML reader, a generated text of 1,000 statements, and hostile input.
#include <QXmlStreamReader>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <map>

#include "argdown/ArgdownFiles.h"
#include "tests/argdown/ArgdownTesting.h"
#include "tests/fuzz/ArgdownInput.h"
#include "tests/tools/CliRun.h"

namespace zorvex::testing {
namespace {

using tools::testing::CliRun;
using tools::testing::runTool;
using tools::testing::ScratchDir;

std::string sampleFile(const char* name) { return std::string(ZORVEX_SOURCE_DIR) + "/tests/argdown/data/" + name; }

TEST(ArgdownFiles, EveryCommandTakesAnArgdownTextAndExportWritesArgdownAndGraphMl) {
  const std::string text = sampleFile("joint.argdown");
  const std::string report =
      "Read an Argdown text: 5 sentences, 1 arrow, 1 rebuttal and 1 undercutter\nLeft out: nothing\n";
  const CliRun evaluated = runTool({"evaluate", text, "--steps", "jump"});
  EXPECT_EQ(evaluated.code, 0) << evaluated.err;
  EXPECT_EQ(evaluated.err, report);
  ScratchDir dir;
  EXPECT_EQ(runTool({"render", text, "-o", dir.file("p.png")}).code, 0);
  EXPECT_GT(std::filesystem::file_size(dir.file("p.png")), 1000u);
  ScratchDir tables;
  const CliRun imported = runTool({"import", text, tables.str()});
  EXPECT_EQ(imported.code, 0) << imported.err;
  EXPECT_EQ(imported.err, report);
  EXPECT_NE(runTool({"export", tables.str()}).out.find("The report mentions rust."), std::string::npos);

  const CliRun argdown = runTool({"export", text, "--argdown"});
  ASSERT_EQ(argdown.code, 0);
  EXPECT_EQ(argdown.out.substr(0, argdown.out.find(" {")), "[The bridge is safe]: The bridge is safe.");
  tools::testing::writeFile(dir.file("again.argdown"), argdown.out);
  const CliRun again = runTool({"export", dir.file("again.argdown"), "--argdown"});
  EXPECT_EQ(again.out, argdown.out);  // placed as written: nothing moves
  EXPECT_NE(runTool({"export", text, "--graphml"}).out.find("<graphml"), std::string::npos);
  EXPECT_NE(runTool({"export", text, "--aif", "--argdown"}).code, 0);
}

struct Node {
  std::map<QString, QString> data, geometry;
  QString label, fill;
};

// Sentences as shape nodes with their box, text and status colour; arrows
// as edges; the defeater a node with dashed edges from what challenges to
// what is challenged, the undercut arrow named.
TEST(ArgdownFiles, GraphMlReadsBackAsTheDiagram) {
  Diagram d;
  const auto measure = [](const std::string& t) { return TextSize{static_cast<int32_t>(6 * t.size()), 13}; };
  readArgdownText(d, "[A]: Tweety <flies> & sings {x: 40, y: 30, status: \"justified, just flipped\"}\n"
                     "  +> [B]: Tweety is a bird {x: 40, y: 130, status: \"unjustified\"}\n"
                     "[C]: It is a penguin {x: 300, y: 130, status: \"not evaluated\"}\n  _> <I>\n"
                     "<I>\n\n(1) [A]\n----\n(2) [B]\n",
                  measure);
  ASSERT_EQ(d.DefeaterCount(), 1);
  QXmlStreamReader xml(QByteArray::fromStdString(graphMlOfDiagram(d)));
  std::map<QString, Node> nodes;
  std::vector<std::pair<QString, QString>> edges;
  std::vector<QString> edgeStyles, challenged;
  QString node, key;
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    const QXmlStreamAttributes a = xml.attributes();
    if (xml.name() == u"node") node = a.value("id").toString();
    if (xml.name() == u"edge") {
      node.clear();
      edges.push_back({a.value("source").toString(), a.value("target").toString()});
    }
    if (xml.name() == u"data") key = a.value("key").toString();
    if (xml.name() == u"data" && key == u"challenges")
      challenged.push_back(xml.readElementText());
    else if (xml.name() == u"data" && key != u"ng" && key != u"eg" && !node.isEmpty())
      nodes[node].data[key] = xml.readElementText();
    if (xml.name() == u"Geometry")
      for (const char* k : {"x", "y", "width", "height"}) nodes[node].geometry[k] = a.value(k).toString();
    if (xml.name() == u"Fill") nodes[node].fill = a.value("color").toString();
    if (xml.name() == u"NodeLabel") nodes[node].label = xml.readElementText();
    if (xml.name() == u"LineStyle") edgeStyles.push_back(a.value("type").toString());
  }
  ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  ASSERT_EQ(nodes.size(), 4u);
  EXPECT_EQ(nodes["s0"].label, "Tweety <flies> & sings");
  EXPECT_EQ(nodes["s0"].fill, "#00FF00");
  EXPECT_EQ(nodes["s0"].data["status"], "justified");
  EXPECT_EQ(nodes["s1"].geometry["y"], "130");
  EXPECT_EQ(nodes["s1"].geometry["width"], QString::number(d.sentence(1).Right - d.sentence(1).Left));
  EXPECT_EQ(nodes["s2"].fill, "#C0C0C0");
  EXPECT_EQ(nodes["d0"].data["kind"], "defeater");
  EXPECT_EQ(edges, (std::vector<std::pair<QString, QString>>{{"s0", "s1"}, {"s2", "d0"}, {"d0", "s1"}}));
  EXPECT_EQ(edgeStyles, (std::vector<QString>{"line", "dashed", "dashed"}));
  EXPECT_EQ(challenged, std::vector<QString>{"Arrow0"});
}

// 1,000 statements in a tree of reasons, every tenth an objection.
std::string generated(int n) {
  std::string text = "[S0]: Statement 0 of the debate.\n";
  for (int k = 1; k < n; ++k)
    text += "[S" + std::to_string((k - 1) / 3) + "]\n  " + (k % 10 == 0 ? "- " : "+ ") + "[S" + std::to_string(k) +
            "]: Statement " + std::to_string(k) + " of the debate.\n";
  return text;
}

TEST(ArgdownFiles, AGeneratedThousandStatementsAndHostileTextsAreRead) {
  const ArgdownMeaning m = readArgdown(generated(1000));
  EXPECT_EQ(m.map.texts.size(), 1000u);
  EXPECT_EQ(m.map.arrows.size(), 900u);
  EXPECT_EQ(m.map.defeaters.size(), 99u);
  EXPECT_EQ(m.map.texts[999], "Statement 999 of the debate.");
  EXPECT_TRUE(m.unreadableLines.empty());

  // Every corpus text is read, drawn and written back the same, and in time.
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(std::string(ZORVEX_SOURCE_DIR) +
                                                                 "/tests/fuzz/corpus/fuzz_argdown")) {
    if (entry.path().extension() != ".argdown") continue;
    SCOPED_TRACE(entry.path().filename().string());
    ++files;
    const auto start = std::chrono::steady_clock::now();
    fuzzing::readArgdownInput(tools::testing::readFile(entry.path().string()));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  }
  EXPECT_GE(files, 17);

  // A file too long is refused before it is read.
  ScratchDir dir;
  const std::string huge = dir.file("huge.argdown");
  tools::testing::writeFile(huge, "");
  std::filesystem::resize_file(huge, ArgdownSizeLimit + 1);
  const CliRun refused = runTool({"evaluate", huge});
  EXPECT_EQ(refused.code, 1);
  EXPECT_NE(refused.err.find("Cannot read Argdown text " + huge + ": the text is longer than 256 MiB"),
            std::string::npos)
      << refused.err;
}

}  // namespace
}  // namespace zorvex::testing
