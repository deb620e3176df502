// The companion on diagram files: statuses read and written where a file
// keeps them and ignored by the tables, every command taking a .json
// diagram, and pictures as PDF.
#include <gtest/gtest.h>

#include <QImage>
#include <nlohmann/json.hpp>
#include <regex>

#include "tests/tools/CliRun.h"

namespace zorvex::tools::testing {
namespace {

using nlohmann::json;

const char* const WithStatuses = R"({
  "sentences": [{"Left": 40, "Top": 30, "Right": 140, "Bottom": 50, "Text": "Tweety has feathers", "Status": 34},
                {"Left": 300, "Top": 30, "Right": 380, "Bottom": 50, "Text": "Tweety flies", "Status": 26}],
  "arrows": [{"From": 0, "To": 1, "Status": 10}],
  "defeaters": [{"ChallengingRect": [0, 100, 50, 150], "ChallengedRect": [200, 100, 250, 150], "DefeaterState": 1}]})";

bool hasKey(const json& rows, const char* key) {
  for (const json& row : rows)
    if (row.contains(key)) return true;
  return false;
}

TEST(DiagramFiles, ImportReadsStatusesButTheTablesKeepNone) {
  ScratchDir dir;
  writeFile(dir.file("d.json"), WithStatuses);
  const CliRun imported = runTool({"import", dir.file("d.json"), dir.str()});
  ASSERT_EQ(imported.code, 0) << imported.err;
  const json exported = json::parse(runTool({"export", dir.str()}).out);
  EXPECT_EQ(exported["sentences"].size(), 2u);
  EXPECT_FALSE(hasKey(exported["sentences"], "Status"));
  EXPECT_FALSE(hasKey(exported["arrows"], "Status"));
  EXPECT_FALSE(hasKey(exported["defeaters"], "DefeaterState"));

  writeFile(dir.file("bad.json"), R"({"arrows": [{"From": 0, "To": 1, "Status": 64}]})");
  const CliRun bad = runTool({"import", dir.file("bad.json"), dir.str(), "--force"});
  EXPECT_EQ(bad.code, 1);
  EXPECT_EQ(bad.err, "Cannot read diagram file " + dir.file("bad.json") +
                         ": arrows[0]: 'Status' must be one of 1, 2, 4, 9, 10, 12, 25, 26, 33 and 34.\n");
}

TEST(DiagramFiles, EveryCommandTakesADiagramFileWithItsStatuses) {
  ScratchDir dir;
  writeFile(dir.file("d.json"), WithStatuses);
  const CliRun exported = runTool({"export", dir.file("d.json")});
  ASSERT_EQ(exported.code, 0) << exported.err;
  const json rows = json::parse(exported.out);
  EXPECT_EQ(rows["sentences"][0]["Status"], 34);
  EXPECT_EQ(rows["sentences"][1]["Status"], 26);
  EXPECT_EQ(rows["arrows"][0]["Status"], 10);
  EXPECT_EQ(rows["arrows"][0]["EndX"], 300);  // the short form, completed
  EXPECT_EQ(rows["defeaters"][0]["DefeaterState"], 1);

  const CliRun shown = runTool({"show", dir.file("d.json"), "sentence", "0"});
  EXPECT_NE(shown.out.find("Status: justified (set by user)"), std::string::npos) << shown.out;

  ASSERT_EQ(runTool({"render", dir.file("d.json"), "-o", dir.file("d.png")}).code, 0);
  const QImage image(QString::fromStdString(dir.file("d.png")));
  EXPECT_EQ(image.pixelColor(40, 30), QColor(0x00, 0x00, 0xFF));  // justified: blue frame on white
  EXPECT_EQ(image.pixelColor(41, 31), QColor(0xFF, 0xFF, 0xFF));

  EXPECT_EQ(runTool({"export", dir.file("none.json")}).err,
            "Cannot open file " + dir.file("none.json") + ": No such file or directory.\n");
}

TEST(DiagramFiles, RenderWritesAVectorPdfPageOfThePicturesSize) {
  ScratchDir dir;
  writeFile(dir.file("d.json"), R"({"sentences": [
    {"Left": 10, "Top": 10, "Right": 80, "Bottom": 30, "Text": "near"},
    {"Left": 900, "Top": 700, "Right": 1000, "Bottom": 730, "Text": "far"}]})");
  const CliRun run = runTool({"render", dir.file("d.json"), "-o", dir.file("d.PDF")});
  ASSERT_EQ(run.code, 0) << run.err;
  const std::string pdf = readFile(dir.file("d.PDF"));
  EXPECT_EQ(pdf.rfind("%PDF-", 0), 0u);
  // One page, as big in points as the picture is in pixels: the far
  // sentence's box ends at (1000, 730).
  std::smatch box;
  ASSERT_TRUE(std::regex_search(pdf, box, std::regex(R"(/MediaBox \[\s*0 0 ([0-9.]+) ([0-9.]+)\s*\])")));
  EXPECT_DOUBLE_EQ(std::stod(box[1]), 1001.0);
  EXPECT_DOUBLE_EQ(std::stod(box[2]), 731.0);
  EXPECT_EQ(pdf.find("/MediaBox", static_cast<size_t>(box.position(0)) + 1), std::string::npos);
  // Drawn in vectors and text, not as a pixel image.
  EXPECT_FALSE(std::regex_search(pdf, std::regex(R"(/Subtype\s*/Image\b)")));
  EXPECT_NE(pdf.find("/FontFile2"), std::string::npos);

  const CliRun nowhere = runTool({"render", dir.file("d.json"), "-o", dir.file("no/such/d.pdf")});
  EXPECT_EQ(nowhere.code, 1);
  EXPECT_EQ(nowhere.err, "Cannot create file " + dir.file("no/such/d.pdf") + ": No such file or directory.\n");
}

}  // namespace
}  // namespace zorvex::tools::testing
