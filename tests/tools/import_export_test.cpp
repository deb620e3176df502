// import and export: the tables they write and read, both round trips, and
// the failures they report.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "elements/ui/SentenceFont.h"
#include "model/paradox/ParadoxTable.h"
#include "tests/tools/CliRun.h"

namespace zorvex::tools::testing {
namespace {

using nlohmann::json;

const char* const FullForm = R"({
  "sentences": [
    {"Left": -40, "Top": -30, "Right": 10, "Bottom": -5, "Text": "Ärger über Straße – café"},
    {"Left": 2147483647, "Top": -2147483647, "Right": 2147483647, "Bottom": -2147483647, "Text": ""},
    {"Left": 100, "Top": 100, "Right": 160, "Bottom": 120, "Text": "B"}
  ],
  "arrows": [
    {"Center1X": -15, "Center1Y": -17, "Center2X": 130, "Center2Y": 110, "StartX": -1, "StartY": -5, "EndX": 100,
     "EndY": 101, "Left1": -40, "Top1": -30, "Text1": "Ärger über Straße – café", "Left2": 100, "Top2": 100, "Text2": "B"},
    {"Center1X": 1, "Center1Y": 2, "Center2X": 3, "Center2Y": 4, "StartX": 5, "StartY": 6, "EndX": 7,
     "EndY": 8, "Left1": -40, "Top1": -30, "Text1": "ärger über straße – café", "Left2": 9, "Top2": 9, "Text2": "nobody"}
  ],
  "defeaters": [
    {"ChallengingRectLeft": -1, "ChallengingRectTop": -2, "ChallengingRectRight": -3, "ChallengingRectBottom": -4,
     "ChallengedRectLeft": 5, "ChallengedRectTop": 6, "ChallengedRectRight": 7, "ChallengedRectBottom": 8,
     "Center1X": 9, "Center1Y": 10, "Center2X": 11, "Center2Y": 12, "StartX": 13, "StartY": 14, "EndX": 15, "EndY": -16}
  ]
})";

// Each row's cells by column name, read straight from the table file.
std::vector<std::vector<std::string>> cells(const std::string& path, const std::vector<std::string>& columns) {
  auto table = paradox::ParadoxTable::open(path);
  std::vector<std::vector<std::string>> out;
  for (size_t r = 0; r < table->rowCount(); ++r) {
    auto& row = out.emplace_back();
    for (const auto& c : columns) row.push_back(table->displayText(r, table->columnIndex(c)));
  }
  return out;
}

TEST(ImportExport, ImportThenExportGivesBackEveryRow) {
  ScratchDir dir;
  writeFile(dir.file("d.json"), FullForm);
  const CliRun imported = runTool({"import", dir.file("d.json"), dir.str()});
  ASSERT_EQ(imported.code, 0) << imported.err;
  EXPECT_EQ(imported.out + imported.err, "");

  // Exactly the stored columns, integers as Long and texts as Alpha.
  auto sentences = paradox::ParadoxTable::open(dir.file("SentencesDb.db"));
  ASSERT_EQ(sentences->fields().size(), 5u);
  EXPECT_EQ(sentences->fields()[0].name, "Left");
  EXPECT_EQ(sentences->fields()[0].type, paradox::FieldType::Long);
  EXPECT_EQ(sentences->fields()[4].name, "Text");
  EXPECT_EQ(sentences->fields()[4].type, paradox::FieldType::Alpha);
  sentences->close();
  EXPECT_EQ(paradox::ParadoxTable::open(dir.file("ArrowsDb.DB"))->fields().size(), 14u);
  EXPECT_EQ(paradox::ParadoxTable::open(dir.file("DefeatersDb.DB"))->fields().size(), 16u);

  const CliRun exported = runTool({"export", dir.str()});
  ASSERT_EQ(exported.code, 0) << exported.err;
  // The second arrow resolves neither side (its Text1 differs in letter case):
  // it comes back as stored.
  EXPECT_EQ(json::parse(exported.out), json::parse(FullForm));

  const CliRun toFile = runTool({"export", dir.str(), "-o", dir.file("out.json")});
  ASSERT_EQ(toFile.code, 0) << toFile.err;
  EXPECT_EQ(toFile.out, "");
  EXPECT_EQ(readFile(dir.file("out.json")), exported.out);
}

TEST(ImportExport, ExportThenImportKeepsTablesFromElsewhere) {
  // Columns in another order, an extra column and a wide text field, as a
  // table made by another program might have them.
  ScratchDir first, second;
  using paradox::FieldType;
  paradox::writeTable(first.file("SentencesDb.db"),
                      {{"Text", FieldType::Alpha, 80}, {"Colour", FieldType::Long}, {"Bottom", FieldType::Long},
                       {"Right", FieldType::Long}, {"Top", FieldType::Long}, {"Left", FieldType::Long}},
                      {{std::string("Tweety flies"), 3, 35, 60, 20, 10}, {std::string("Ça va"), 0, -1, -2, -3, -4}});
  std::vector<paradox::Field> arrowFields;
  for (const char* c : {"Center1X", "Center1Y", "Center2X", "Center2Y", "StartX", "StartY", "EndX", "EndY", "Left1",
                        "Top1", "Left2", "Top2"})
    arrowFields.push_back({c, FieldType::Long});
  arrowFields.push_back({"Text1", FieldType::Alpha, 40});
  arrowFields.push_back({"Text2", FieldType::Alpha, 40});
  paradox::writeTable(first.file("ArrowsDb.DB"), arrowFields,
                      {{1, 2, 3, 4, 5, 6, 7, 8, 10, 20, -4, -3, std::string("Tweety flies"), std::string("Ça va")}});
  std::vector<paradox::Field> defeaterFields;
  std::vector<paradox::Value> defeaterRow;
  for (const char* c : {"ChallengingRectLeft", "ChallengingRectTop", "ChallengingRectRight", "ChallengingRectBottom",
                        "ChallengedRectLeft", "ChallengedRectTop", "ChallengedRectRight", "ChallengedRectBottom",
                        "Center1X", "Center1Y", "Center2X", "Center2Y", "StartX", "StartY", "EndX", "EndY"}) {
    defeaterFields.push_back({c, FieldType::Long});
    defeaterRow.emplace_back(static_cast<int32_t>(defeaterRow.size()) - 5);
  }
  paradox::writeTable(first.file("DefeatersDb.DB"), defeaterFields, {defeaterRow});

  const CliRun exported = runTool({"export", first.str()});
  ASSERT_EQ(exported.code, 0) << exported.err;
  writeFile(second.file("d.json"), exported.out);
  ASSERT_EQ(runTool({"import", second.file("d.json"), second.str()}).code, 0);
  EXPECT_EQ(runTool({"export", second.str()}).out, exported.out);

  const std::vector<std::string> sentenceColumns{"Left", "Top", "Right", "Bottom", "Text"};
  EXPECT_EQ(cells(second.file("SentencesDb.db"), sentenceColumns),
            cells(first.file("SentencesDb.db"), sentenceColumns));
  const std::vector<std::string> arrowColumns{"StartX", "Left1", "Top1", "Text1", "Left2", "Top2", "Text2", "EndY"};
  EXPECT_EQ(cells(second.file("ArrowsDb.DB"), arrowColumns), cells(first.file("ArrowsDb.DB"), arrowColumns));
  EXPECT_EQ(cells(second.file("ArrowsDb.DB"), {"Text2"}), (std::vector<std::vector<std::string>>{{"Ça va"}}));
  EXPECT_EQ(cells(second.file("DefeatersDb.DB"), {"ChallengingRectLeft", "EndY"}),
            (std::vector<std::vector<std::string>>{{"-5", "10"}}));
}

TEST(ImportExport, ShortFormsGetTheProgramsGeometry) {
  ScratchDir dir;
  writeFile(dir.file("d.json"), R"({
    "sentences": [{"Left": 100, "Top": 100, "Right": 160, "Bottom": 120, "Text": "A"},
                  {"Left": 300, "Top": 200, "Right": 360, "Bottom": 220, "Text": "B"},
                  {"Left": 5, "Top": 7, "Text": "Tweety flies"}],
    "arrows": [{"From": 0, "To": 1}],
    "defeaters": [{"ChallengingRect": [100, 100, 160, 120], "ChallengedRect": [300, 100, 360, 120]}]})");
  ASSERT_EQ(runTool({"import", dir.file("d.json"), dir.str()}).code, 0);
  const json rows = json::parse(runTool({"export", dir.str()}).out);

  const json& arrow = rows["arrows"][0];
  EXPECT_EQ(arrow["StartX"], 150);
  EXPECT_EQ(arrow["StartY"], 120);
  EXPECT_EQ(arrow["EndX"], 311);
  EXPECT_EQ(arrow["EndY"], 200);
  EXPECT_EQ(arrow["Center1X"], 130);
  EXPECT_EQ(arrow["Center2Y"], 210);
  EXPECT_EQ(arrow["Text2"], "B");

  const QSize text = measureText(sentenceFont(), std::string("Tweety flies"));
  EXPECT_EQ(rows["sentences"][2]["Right"], 5 + text.width() + 7);
  EXPECT_EQ(rows["sentences"][2]["Bottom"], 7 + text.height() + 7);

  const json& defeater = rows["defeaters"][0];
  EXPECT_EQ(defeater["StartX"], 160);
  EXPECT_EQ(defeater["StartY"], 110);
  EXPECT_EQ(defeater["EndX"], 300);
  EXPECT_EQ(defeater["EndY"], 110);
}

TEST(ImportExport, RefusesToReplaceTablesWithoutForce) {
  ScratchDir dir;
  writeFile(dir.file("one.json"), R"({"sentences": [{"Left": 1, "Top": 2, "Right": 3, "Bottom": 4, "Text": "one"}]})");
  writeFile(dir.file("two.json"), R"({"sentences": [{"Left": 1, "Top": 2, "Right": 3, "Bottom": 4, "Text": "two"}]})");
  ASSERT_EQ(runTool({"import", dir.file("one.json"), dir.str()}).code, 0);

  const CliRun again = runTool({"import", dir.file("two.json"), dir.str()});
  EXPECT_EQ(again.code, 1);
  EXPECT_EQ(again.err, "Table " + dir.file("SentencesDb.db") + " already exists (use --force to replace it).\n");
  EXPECT_EQ(json::parse(runTool({"export", dir.str()}).out)["sentences"][0]["Text"], "one");

  EXPECT_EQ(runTool({"import", dir.file("two.json"), dir.str(), "--force"}).code, 0);
  EXPECT_EQ(json::parse(runTool({"export", dir.str()}).out)["sentences"][0]["Text"], "two");
}

TEST(ImportExport, FailuresExitWithTheMessage) {
  ScratchDir dir;
  const CliRun missing = runTool({"export", dir.str()});
  EXPECT_EQ(missing.code, 1);
  EXPECT_EQ(missing.err, "Cannot open file " + dir.file("SentencesDb.db") + ".\n");
  EXPECT_EQ(missing.out, "");

  EXPECT_EQ(runTool({"import", dir.file("none.json"), dir.str()}).err,
            "Cannot open file " + dir.file("none.json") + ": No such file or directory.\n");

  writeFile(dir.file("broken.json"), R"({"sentences": [{"Left": 1,}]})");
  const CliRun broken = runTool({"import", dir.file("broken.json"), dir.str()});
  EXPECT_EQ(broken.code, 1);
  EXPECT_EQ(broken.err.rfind("Cannot read diagram file " + dir.file("broken.json") +
                                 ": Invalid JSON: parse error at line 1, column 27",
                             0),
            0u)
      << broken.err;

  // The arrow table cannot hold this text; no table at all is written.
  writeFile(dir.file("far.json"), R"({"sentences": [{"Left": 1, "Top": 2, "Right": 3, "Bottom": 4, "Text": "a"}],
    "arrows": [{"Center1X": 0, "Center1Y": 0, "Center2X": 0, "Center2Y": 0, "StartX": 0, "StartY": 0, "EndX": 0,
                "EndY": 0, "Left1": 0, "Top1": 0, "Text1": "東京", "Left2": 0, "Top2": 0, "Text2": ""}]})");
  const CliRun far = runTool({"import", dir.file("far.json"), dir.str()});
  EXPECT_EQ(far.code, 1);
  EXPECT_NE(far.err.find("cannot be stored in code page 1252"), std::string::npos) << far.err;
  EXPECT_FALSE(std::filesystem::exists(dir.file("SentencesDb.db")));
  // Such a text is quoted by its first 80 characters, a NUL in it as "\0".
  std::string tokyo;
  for (int i = 0; i < 3'000'000; ++i) tokyo += "東";
  writeFile(dir.file("long.json"), R"({"sentences": [{"Left": 1, "Top": 2, "Right": 3, "Bottom": 4, "Text": ")" + tokyo +
                                       R"("}]})");
  EXPECT_EQ(runTool({"import", dir.file("long.json"), dir.str()}).err,
            "The text '" + tokyo.substr(0, 240) + "...' cannot be stored in code page 1252.\n");
  writeFile(dir.file("nul.json"), R"({"sentences": [{"Left": 1, "Top": 2, "Right": 3, "Bottom": 4, "Text": "a\u0000b"}]})");
  EXPECT_EQ(runTool({"import", dir.file("nul.json"), dir.str()}).err,
            "The text 'a\\0b' cannot be stored in code page 1252.\n");

  // Rows the program could not load (its box is wider than 32 bits) are refused.
  writeFile(dir.file("wide.json"), R"({"sentences": [{"Left": 0, "Top": 0, "Right": 1, "Bottom": 1, "Text": "a"},
    {"Left": -2147483647, "Top": 0, "Right": 1, "Bottom": 1, "Text": "b"}]})");
  const CliRun wide = runTool({"import", dir.file("wide.json"), dir.str()});
  EXPECT_EQ(wide.code, 1);
  EXPECT_EQ(wide.err, "Cannot read diagram file " + dir.file("wide.json") +
                          ": sentences[1]: Right - Left = 2147483648 is outside the 32-bit range.\n");
  EXPECT_FALSE(std::filesystem::exists(dir.file("SentencesDb.db")));

  writeFile(dir.file("row.json"), R"({"sentences": [{"Left": 1, "Top": 2, "Text": "a", "Colour": 1}]})");
  EXPECT_EQ(runTool({"import", dir.file("row.json"), dir.str()}).err,
            "Cannot read diagram file " + dir.file("row.json") + ": sentences[0]: unknown key 'Colour'.\n");
}

TEST(ImportExport, UsageMistakesExitWithTwo) {
  const CliRun unknown = runTool({"inport", "x.json"});
  EXPECT_EQ(unknown.code, 2);
  EXPECT_NE(unknown.err.find("'inport'"), std::string::npos) << unknown.err;

  const CliRun noFile = runTool({"import"});
  EXPECT_EQ(noFile.code, 2);
  EXPECT_NE(noFile.err.find("DIAGRAM"), std::string::npos) << noFile.err;

  const CliRun extra = runTool({"export", ".", "--colour"});
  EXPECT_EQ(extra.code, 2);
  EXPECT_NE(extra.err.find("--colour"), std::string::npos) << extra.err;

  const CliRun help = runTool({"import", "--help"});
  EXPECT_EQ(help.code, 0);
  EXPECT_NE(help.out.find("--force"), std::string::npos);
  EXPECT_NE(runTool({"--help"}).out.find("evaluate"), std::string::npos);
}

}  // namespace
}  // namespace zorvex::tools::testing
