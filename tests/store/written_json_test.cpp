// The line-by-line reader for files laid out as the program writes them: it
// must take every such file, load exactly what the general reader loads, and
// on any damage either decline or agree with the general reader.
#include <gtest/gtest.h>

#include <random>
#include <regex>

#include <nlohmann/json.hpp>

#include "store/DiagramJson.h"
#include "store/FilePieces.h"
#include "store/RowsLoading.h"
#include "store/WrittenJson.h"
#include "tests/store/StoreTesting.h"

namespace zorvex::testing {
namespace {

// What the line reader loads, or nothing when it declines.
std::optional<std::string> quickly(const std::string& path) {
  Diagram d;
  FilePieces file(path);
  if (!loadWrittenJson(d, file)) return std::nullopt;
  return savedFields(d, Statuses::Kept);
}

// The same with lines running over from one piece into the next, the
// elements made on this thread or beside a reading one.
std::optional<std::string> quickly(const std::string& text, size_t piece, bool twoThreads) {
  Diagram d;
  if (!loadWrittenJson(d, text, piece, twoThreads)) return std::nullopt;
  return savedFields(d, Statuses::Kept);
}

// What the general reader (nlohmann's parser) makes of the same text.
std::string generally(const std::string& text) {
  Diagram d;
  const DiagramRows rows = diagramFromJson(text, borderPointGeometry());
  if (auto error = loadRows(d, rows)) return "error " + error->message();
  applyStatuses(d, rows);
  return savedFields(d, Statuses::Kept);
}

Diagram awkwardTexts() {
  Diagram d = sampleDiagram();
  d.addSentence(sentenceAt(5, 600, "He said \"no\" \\ then left\ta tab"));
  d.addSentence(sentenceAt(-7, 700, std::string("control \x01 and emoji \xF0\x9F\x98\x80")));
  arrowBetween(d, 4, 5);
  d.sentence(5).Status = Defeated | SetByUser;
  return d;
}

TEST(WrittenJson, TakesWhatTheProgramWritesAndLoadsItAsTheGeneralReaderDoes) {
  TempDir dir;
  Diagram noArrows;
  noArrows.addSentence(sentenceAt(1, 2, "alone"));
  for (const Diagram& d : {sampleDiagram(), awkwardTexts(), noArrows, Diagram()}) {
    const DiagramLocation where{dir.file("d.json"), DiagramFormat::Json};
    saveDiagram(d, where);
    const std::optional<std::string> quick = quickly(where.path);
    ASSERT_TRUE(quick.has_value()) << bytesOf(where.path);
    EXPECT_EQ(*quick, savedFields(d, Statuses::Kept));
    EXPECT_EQ(*quick, generally(bytesOf(where.path)));
  }
}

// Enough rows that the reading thread waits for the one making elements,
// and batches go round more than once.
TEST(WrittenJson, ManyRowsReadBesideTheMakingAreReadWholeAndInOrder) {
  TempDir dir;
  Diagram d;
  for (int32_t n = 0; n < 14000; ++n) d.addSentence(sentenceAt(70 * (n % 100), 40 * (n / 100), "s" + std::to_string(n)));
  for (int32_t n = 0; n + 1 < 14000; ++n) arrowBetween(d, n, n + 1);
  d.sentence(13999).Status = Defeated | SetByUser;
  const DiagramLocation where{dir.file("d.json"), DiagramFormat::Json};
  saveDiagram(d, where);
  const std::string text = bytesOf(where.path);
  ASSERT_GT(text.size(), size_t{4} << 20) << "a file this size is read on two threads";
  EXPECT_EQ(quickly(where.path), savedFields(d, Statuses::Kept));

  // A status no round leaves, on the last sentence; an arrow whose extent
  // leaves the 32-bit range, which loading refuses, near the end.
  std::string badStatus = text;
  const size_t lastSentence = badStatus.rfind("\"Status\": ", badStatus.find("\"arrows\""));
  badStatus.replace(lastSentence, badStatus.find('}', lastSentence) - lastSentence, "\"Status\": 3");
  std::string tooFar = text;
  tooFar.replace(tooFar.rfind("\"StartX\": "), 11, "\"StartX\": -2147483647, \"x\": ");
  tooFar = std::regex_replace(tooFar, std::regex(", \"x\": -?[0-9]+"), "");
  for (const std::string& damaged : {badStatus, tooFar}) {
    ASSERT_NE(damaged, text);
    EXPECT_FALSE(quickly(damaged, size_t{1} << 20, true).has_value());
  }
  EXPECT_EQ(generally(tooFar).substr(0, 6), "error ");
}

TEST(WrittenJson, DamagedFilesAreDeclinedOrReadAsTheGeneralReaderReadsThem) {
  TempDir dir;
  const DiagramLocation where{dir.file("d.json"), DiagramFormat::Json};
  saveDiagram(awkwardTexts(), where);
  const std::string base = bytesOf(where.path);
  std::mt19937 rng(20261209);
  const std::string alphabet = "{}[],:\"\\0123456789- \n\tSx\xC3\xA9\x80";
  int taken = 0;
  // Damage where random changes seldom fall: after the end and around the numbers' range.
  std::vector<std::string> picked = {base + "}", base + "x\n", base + "\n", base.substr(0, base.size() - 1)};
  for (const char* big : {"2147483647", "4294967306", "-2147483647", "-2147483648", "99999999999", "-0", "007"})
    picked.push_back(std::regex_replace(base, std::regex("\"Center1X\": -?[0-9]+"), std::string("\"Center1X\": ") + big,
                                        std::regex_constants::format_first_only));
  for (int i = 0; i < 20000 + static_cast<int>(picked.size()); ++i) {
    std::string s = i < static_cast<int>(picked.size()) ? picked[static_cast<size_t>(i)] : base;
    for (int k = 0, n = i < static_cast<int>(picked.size()) ? 0 : 1 + static_cast<int>(rng() % 2); k < n; ++k) {
      const size_t at = rng() % s.size();
      switch (rng() % 3) {
        case 0: s.erase(at, 1); break;
        case 1: s.insert(at, 1, alphabet[rng() % alphabet.size()]); break;
        default: s[at] = alphabet[rng() % alphabet.size()];
      }
    }
    const std::optional<std::string> quick = quickly(s, 1 + rng() % 64, i % 8 == 0);
    if (!quick) continue;
    ++taken;
    ASSERT_TRUE(nlohmann::json::accept(s)) << "took what is no JSON:\n" << s;
    ASSERT_EQ(*quick, generally(s)) << s;
  }
  EXPECT_GT(taken, 200);  // digits changed within the range, and the like
}

}  // namespace
}  // namespace zorvex::testing

namespace zorvex::testing {
namespace {

// Generated files give arrows by their sentences' numbers and may leave out
// the defeaters: read a line at a time when a geometry can complete them,
// declined wherever the general reader would refuse or differ.
TEST(WrittenJson, ArrowsByNumbersAreCompletedAsTheGeneralReaderCompletesThem) {
  const std::string head =
      "{\n  \"sentences\": [\n"
      "    {\"Left\": 0, \"Top\": 0, \"Right\": 60, \"Bottom\": 20, \"Text\": \"A\"},\n"
      "    {\"Left\": 200, \"Top\": 90, \"Right\": 260, \"Bottom\": 110, \"Text\": \"B\"},\n"
      "    {\"Left\": 0, \"Top\": 0, \"Right\": 60, \"Bottom\": 20, \"Text\": \"A\", \"Status\": 4}\n"
      "  ],\n  \"arrows\": [\n";
  const std::string good = head + "    {\"From\": 0, \"To\": 1},\n    {\"From\": 1, \"To\": 2, \"Status\": 2}\n  ]\n}\n";
  const std::string withDefeaters = head + "    {\"From\": 2, \"To\": 1}\n  ],\n  \"defeaters\": []\n}\n";
  const Geometry geometry = borderPointGeometry();
  const auto read = [&](const std::string& text, bool twoThreads, const Geometry* g) -> std::optional<std::string> {
    Diagram d;
    if (!loadWrittenJson(d, text, 7, twoThreads, g)) return std::nullopt;
    return savedFields(d, Statuses::Kept);
  };
  for (const std::string& text : {good, withDefeaters})
    for (bool twoThreads : {false, true}) {
      EXPECT_EQ(read(text, twoThreads, &geometry), generally(text)) << text;
      EXPECT_EQ(read(text, twoThreads, nullptr), std::nullopt) << "no geometry to complete them with";
    }
  for (const char* bad : {"{\"From\": 1, \"To\": 1}", "{\"From\": 0, \"To\": 3}", "{\"From\": -1, \"To\": 1}",
                          "{\"To\": 1, \"From\": 0}", "{\"From\": 0, \"To\": 1, \"Status\": 3}",
                          "{\"From\": 0, \"To\": 1, \"x\": 1}"}) {
    const std::string text = head + "    " + bad + "\n  ]\n}\n";
    EXPECT_EQ(read(text, false, &geometry), std::nullopt) << bad;
  }
}

}  // namespace
}  // namespace zorvex::testing
