// Saving to and opening a diagram file: statuses kept, the same loading and
// messages as the tables, and an old file replaced only by a complete one.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/resource.h>

#include <csignal>
#include <nlohmann/json.hpp>

#include "store/RowsLoading.h"
#include "tests/store/StoreTesting.h"

namespace zorvex::testing {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

std::string writeFile(const TempDir& dir, const std::string& name, const std::string& text) {
  std::ofstream(dir.file(name), std::ios::binary) << text;
  return dir.file(name);
}

Reopened openText(const TempDir& dir, const std::string& text) {
  return reopen(locationFor(writeFile(dir, "d.json", text)));
}

// What is wrong inside the file openText wrote, as the failure tells it.
std::string inFile(const TempDir& dir, const std::string& detail) {
  return "Cannot read diagram file " + dir.file("d.json") + ": " + detail;
}

TEST(SaveJson, OpeningGivesBackEverythingWithStatuses) {
  TempDir dir;
  Diagram d = sampleDiagram();
  d.sentence(1).Deleted = true;
  d.arrow(0).Deleted = true;
  const DiagramLocation where = locationFor(dir.file("saved.JSON"));
  ASSERT_EQ(where.format, DiagramFormat::Json);
  saveDiagram(d, where);

  const Reopened again = reopen(where);
  ASSERT_EQ(again.error, "");
  EXPECT_EQ(savedFields(again.diagram, Statuses::Kept), savedFields(d, Statuses::Kept));
  const json saved = json::parse(bytesOf(where.path));
  EXPECT_EQ(saved["sentences"][0]["Status"], 0x0A);
  EXPECT_EQ(saved["sentences"][1]["Status"], 0x22);  // Sentence2, now the second
  EXPECT_EQ(saved["arrows"][0]["Status"], 0x02);
  EXPECT_EQ(saved["defeaters"][1]["DefeaterState"], 2);
  EXPECT_EQ(saved["sentences"][2]["Text"], "Ärger über Straße – café");
}

TEST(SaveJson, TheSelectionAndPointerInputWriteNothing) {
  TempDir dir;
  const Diagram plain = sampleDiagram();
  Diagram marked = plain;
  marked.sentence(1).Selected = marked.arrow(2).Selected = marked.defeater(0).Selected = true;
  marked.sentence(0).Enabled = false;
  marked.arrow(1).Enabled = marked.defeater(1).Enabled = true;
  saveDiagram(plain, locationFor(dir.file("plain.json")));
  saveDiagram(marked, locationFor(dir.file("marked.json")));
  EXPECT_EQ(bytesOf(dir.file("marked.json")), bytesOf(dir.file("plain.json")));
}

TEST(SaveJson, StatusesMustBeValuesThatOccur) {
  TempDir dir;
  const std::string sentence = R"({"Left": 1, "Top": 2, "Right": 30, "Bottom": 20, "Text": "a")";
  EXPECT_EQ(openText(dir, R"({"sentences": [)" + sentence + R"(, "Status": 8}]})").error,
            inFile(dir, "sentences[0]: 'Status' must be one of 1, 2, 4, 9, 10, 12, 25, 26, 33 and 34"));
  EXPECT_EQ(openText(dir, R"({"sentences": [)" + sentence + "}, " + sentence + R"(, "Status": "x"}]})").error,
            inFile(dir, "sentences[1]: 'Status' must be an integer"));
  EXPECT_EQ(openText(dir, R"({"defeaters": [{"ChallengingRect": [0, 0, 1, 1], "ChallengedRect": [2, 2, 3, 3],
                                             "DefeaterState": 3}]})")
                .error,
            inFile(dir, "defeaters[0]: 'DefeaterState' must be 0, 1 or 2"));
  EXPECT_EQ(openText(dir, R"({"sentences": [{"Left": 1, "Top": 2, "Text": "a", "DefeaterState": 1}]})").error,
            inFile(dir, "sentences[0]: unknown key 'DefeaterState'"));
  // Rows without a status keep the loaded default.
  const Reopened some = openText(dir, R"({"sentences": [)" + sentence + "}, " + sentence + R"(, "Status": 33}],
                                          "arrows": [{"From": 0, "To": 1, "Status": 9}]})");
  ASSERT_EQ(some.error, "");
  EXPECT_EQ(some.diagram.sentence(0).Status, NotEvaluated);
  EXPECT_EQ(some.diagram.sentence(1).Status, SetByUser | Defeated);
  EXPECT_EQ(some.diagram.arrow(0).Status, JustEvaluated | Defeated);
}

TEST(SaveJson, OpeningFailuresAreReportedAsLoadingReportsThem) {
  TempDir dir;
  auto openError = [&](const std::string& name) { return reopen(locationFor(dir.file(name))).error; };
  EXPECT_EQ(openError("none.json"), "Cannot open file " + dir.file("none.json") + ": No such file or directory");
  fs::create_directory(dir.file("folder.json"));
  EXPECT_EQ(openError("folder.json"), "Cannot open file " + dir.file("folder.json") + ": Is a directory");
  ASSERT_EQ(mkfifo(dir.file("pipe.json").c_str(), 0644), 0);
  EXPECT_EQ(openError("pipe.json"), "Cannot open file " + dir.file("pipe.json") + ": it is a FIFO, not a file");
  fs::create_symlink("/dev/zero", dir.file("zero.json"));
  EXPECT_EQ(openError("zero.json"), "Cannot open file " + dir.file("zero.json") + ": it is a device, not a file");
  const std::string broken = openText(dir, R"({"sentences": [{"Left": 1,}]})").error;
  EXPECT_EQ(broken.rfind(inFile(dir, "Invalid JSON: parse error at line 1"), 0), 0u) << broken;
  EXPECT_EQ(openText(dir, R"({"arrows": [{"StartX": 3}]})").error, inFile(dir, "arrows[0]: missing 'Center1X'"));

  // A row loading cannot take ends loading there; the rows before it stay.
  const Reopened wide = openText(dir, R"({"sentences": [{"Left": 0, "Top": 0, "Right": 1, "Bottom": 1, "Text": "a",
      "Status": 2}, {"Left": -2147483647, "Top": 0, "Right": 1, "Bottom": 1, "Text": "b"}]})");
  EXPECT_EQ(wide.error, inFile(dir, "sentences[1]: Right - Left = 2147483648 is outside the 32-bit range"));
  ASSERT_EQ(wide.diagram.SentenceCount(), 1);
  EXPECT_EQ(wide.diagram.sentence(0).Status, Undefeated);
}

TEST(SaveJson, ShortFormsGetTheirBorderPointsButASentenceNeedsItsSize) {
  TempDir dir;
  const Reopened shortForms = openText(dir, R"({
    "sentences": [{"Left": 100, "Top": 100, "Right": 160, "Bottom": 120, "Text": "A"},
                  {"Left": 300, "Top": 200, "Right": 360, "Bottom": 220, "Text": "B"}],
    "arrows": [{"From": 0, "To": 1}],
    "defeaters": [{"ChallengingRect": [100, 100, 160, 120], "ChallengedRect": [300, 100, 360, 120]}]})");
  ASSERT_EQ(shortForms.error, "");
  const TArrow& a = shortForms.diagram.arrow(0);
  EXPECT_EQ(std::tuple(a.Sentence1, a.Sentence2, a.StartX, a.StartY, a.EndX, a.EndY),
            std::tuple(0, 1, 150, 120, 311, 200));
  EXPECT_EQ(shortForms.diagram.defeater(0).EndX, 300);

  EXPECT_EQ(openText(dir, R"({"sentences": [{"Left": 1, "Top": 2, "Text": "a"}]})").error,
            inFile(dir, "sentences[0]: missing 'Right' and 'Bottom'"));
  Geometry measured;
  measured.textSize = [](const std::string& t) { return TextSize{static_cast<int32_t>(5 * t.size()), 11}; };
  Diagram d;
  const OpenResult sized = openDiagram(d, locationFor(writeFile(dir, "s.json", R"({"sentences": [{"Left": 1,
      "Top": 2, "Text": "abc"}]})")), paradox::tableOpener(), measured);
  ASSERT_FALSE(sized.error);
  EXPECT_EQ(std::tuple(d.sentence(0).Right, d.sentence(0).Bottom), std::tuple(1 + 15 + 7, 2 + 11 + 7));
}

TEST(SaveJson, AFailedSaveLeavesTheOldFileAsItWas) {
  TempDir dir;
  const DiagramLocation where = locationFor(dir.file("d.json"));
  saveDiagram(sampleDiagram(), where);
  const auto before = folderContents(dir.path);
  Diagram big;
  for (int32_t n = 0; n < 100; ++n) big.addSentence(sentenceAt(n, n, "Sentence " + std::to_string(n)));

  ASSERT_EQ(chmod(dir.path.c_str(), 0555), 0);
  EXPECT_EQ(messageOf([&] { saveDiagram(big, where); }),
            "Cannot create file " + dir.file("d.json") + ": the folder is read-only");
  chmod(dir.path.c_str(), 0755);

  rlimit old{};
  getrlimit(RLIMIT_FSIZE, &old);
  rlimit limited = old;
  limited.rlim_cur = bytesOf(where.path).size();
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
  const std::string message = messageOf([&] { saveDiagram(big, where); });
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(message, "Cannot create file " + dir.file("d.json") + ": File too large");
  EXPECT_EQ(folderContents(dir.path), before);

  EXPECT_EQ(messageOf([&] { saveDiagram(big, locationFor(dir.file("d.json/inside.json"))); }),
            "Cannot create file " + dir.file("d.json/inside.json") + ": " + dir.file("d.json") + " is not a folder");
}

TEST(RecoveryCopy, ReplacesTheOldCopyWholeAndMakesItsFolder) {
  TempDir dir;
  const fs::path file = fs::path(dir.path) / "data" / "Zorvex" / "Recovered diagram - work.json";
  Diagram first;
  first.addSentence(sentenceAt(1, 2, "first"));
  writeRecoveryCopy(first, file);
  EXPECT_EQ(savedFields(reopen(locationFor(file)).diagram, Statuses::Kept), savedFields(first, Statuses::Kept));

  // A reader of the old copy goes on reading it whole: the new copy is a
  // new file put in its place, never the old one rewritten.
  const std::string oldText = bytesOf(file);
  std::ifstream reader(file, std::ios::binary);
  const Diagram second = sampleDiagram();
  writeRecoveryCopy(second, file);
  std::ostringstream seen;
  seen << reader.rdbuf();
  EXPECT_EQ(seen.str(), oldText);
  EXPECT_EQ(savedFields(reopen(locationFor(file)).diagram, Statuses::Kept), savedFields(second, Statuses::Kept));
  EXPECT_EQ(folderContents(file.parent_path()).size(), 1u);

  std::ofstream(dir.file("plain")) << "x";
  EXPECT_NE(messageOf([&] { writeRecoveryCopy(second, fs::path(dir.file("plain")) / "Zorvex" / "r.json"); }),
            "(no error)");
}

}  // namespace
}  // namespace zorvex::testing
