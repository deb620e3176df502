// Reading and writing diagram files: the full form round trip, the short
// forms, and the error messages that name the offending row.
#include <gtest/gtest.h>

#include <fstream>

#include "elements/Geometry.h"
#include "model/ZorvexError.h"
#include "store/DiagramJson.h"
#include "store/RowsLoading.h"
#include "tests/support/TestFiles.h"

namespace zorvex::tools {
namespace {

// Text 6 pixels per byte wide and 13 high, so sizes can be checked by hand.
Geometry fixedGeometry() {
  Geometry g;
  g.textSize = [](const std::string& t) { return TextSize{static_cast<int32_t>(6 * t.size()), 13}; };
  g.startEnd = [](const Rect& a, const Rect& b) {
    const StartEnd se = ComputeStartEndPoints(a, b);
    return std::pair{se.start, se.end};
  };
  return g;
}

void writeFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// The message from the text in memory, checked to be the one the same text
// gives when read from a file piece by piece (up to a megabyte: the inputs of
// ten megabytes that check quoting would only repeat the same lexer's work).
std::string errorOf(const std::string& json) {
  const std::string fromMemory = testing::messageOf([&] { diagramFromJson(json, fixedGeometry()); });
  if (json.size() > (1u << 20)) return fromMemory;
  const testing::TempDir dir;
  writeFile(dir.file("d.json"), json);
  EXPECT_EQ(testing::messageOf([&] { diagramFromJsonFile(dir.file("d.json"), fixedGeometry()); }), fromMemory)
      << fromMemory;
  return fromMemory;
}

TEST(DiagramJson, FullFormRoundTripKeepsEveryColumn) {
  DiagramRows rows;
  rows.sentences.push_back({-40, -3, 0, 2147483647, "Straße \"quoted\" \\ é"});
  rows.sentences.push_back({10, 20, 60, 35, ""});
  ArrowRow a;
  a.Center1X = -20, a.Center1Y = -1, a.Center2X = 35, a.Center2Y = 27, a.StartX = -2147483647, a.StartY = 5;
  a.EndX = 7, a.EndY = 8, a.Left1 = -40, a.Top1 = -3, a.Text1 = "Straße \"quoted\" \\ é";
  a.Left2 = 999, a.Top2 = 998, a.Text2 = "nobody";
  rows.arrows.push_back(a);
  DefeaterRow d{1, 2, 3, 4, -5, -6, -7, -8, 9, 10, 11, 12, 13, 14, 15, 16};
  rows.defeaters.push_back(d);

  const std::string json = diagramToJson(rows);
  EXPECT_EQ(diagramFromJson(json, fixedGeometry()), rows);
  EXPECT_NE(json.find("\"Left\": -40, \"Top\": -3, \"Right\": 0, \"Bottom\": 2147483647"), std::string::npos);
  EXPECT_NE(json.find("Straße"), std::string::npos);  // written as UTF-8, not escaped
  EXPECT_EQ(diagramToJson(DiagramRows{}), "{\n  \"sentences\": [],\n  \"arrows\": [],\n  \"defeaters\": []\n}\n");
}

TEST(DiagramJson, StatusesAreWrittenOnlyWhereARowHasOne) {
  DiagramRows rows;
  rows.sentences = {{1, 2, 3, 4, "a"}, {5, 6, 7, 8, "b"}};
  rows.sentenceStatus = {std::nullopt, Status{0x1A}};
  rows.arrows = {{1, 2, 3, 4, 5, 6, 7, 8, 1, 2, "a", 5, 6, "b"}};
  rows.arrowStatus = {Status{0x09}};
  rows.defeaters = {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}};
  rows.defeaterState = {DefeaterState::Inactive};

  const std::string json = diagramToJson(rows);
  EXPECT_NE(json.find("\"Text\": \"a\"}"), std::string::npos);
  EXPECT_NE(json.find("\"Text\": \"b\", \"Status\": 26}"), std::string::npos);
  EXPECT_NE(json.find("\"Text2\": \"b\", \"Status\": 9}"), std::string::npos);
  EXPECT_NE(json.find("\"EndY\": 16, \"DefeaterState\": 2}"), std::string::npos);
  EXPECT_EQ(diagramFromJson(json, fixedGeometry()), rows);

  // Tables hold none: rows read from them have no status lists at all.
  rows.sentenceStatus.clear(), rows.arrowStatus.clear(), rows.defeaterState.clear();
  EXPECT_EQ(diagramToJson(rows).find("Status"), std::string::npos);
}

TEST(DiagramJson, ShortFormsAreComputedAsTheProgramWould) {
  const DiagramRows rows = diagramFromJson(R"({
    "sentences": [{"Left": 100, "Top": 100, "Right": 160, "Bottom": 120, "Text": "A"},
                  {"Left": 300, "Top": 200, "Right": 360, "Bottom": 220, "Text": "B"},
                  {"Left": 10, "Top": 20, "Text": "abcd"}],
    "arrows": [{"From": 0, "To": 1}],
    "defeaters": [{"ChallengingRect": [100, 100, 160, 120], "ChallengedRect": [300, 100, 360, 120]},
                  {"ChallengingRectLeft": 100, "ChallengingRectTop": 100, "ChallengingRectRight": 160,
                   "ChallengingRectBottom": 120, "ChallengedRect": [100, 200, 160, 220]}]})",
                                           fixedGeometry());
  // "abcd": 24 pixels wide, 13 high; the box is 7 larger each way.
  EXPECT_EQ(rows.sentences[2], (SentenceRow{10, 20, 10 + 31, 20 + 20, "abcd"}));

  const ArrowRow& a = rows.arrows.at(0);
  EXPECT_EQ(std::tuple(a.Center1X, a.Center1Y, a.Center2X, a.Center2Y), std::tuple(130, 110, 330, 210));
  EXPECT_EQ(std::tuple(a.StartX, a.StartY, a.EndX, a.EndY), std::tuple(150, 120, 311, 200));
  EXPECT_EQ(std::tuple(a.Left1, a.Top1, a.Text1, a.Left2, a.Top2, a.Text2),
            std::tuple(100, 100, std::string("A"), 300, 200, std::string("B")));

  const DefeaterRow& side = rows.defeaters.at(0);
  EXPECT_EQ(std::tuple(side.Center1X, side.Center1Y, side.Center2X, side.Center2Y), std::tuple(130, 110, 330, 110));
  EXPECT_EQ(std::tuple(side.StartX, side.StartY, side.EndX, side.EndY), std::tuple(160, 110, 300, 110));
  const DefeaterRow& below = rows.defeaters.at(1);
  EXPECT_EQ(std::tuple(below.ChallengedRectLeft, below.ChallengedRectBottom), std::tuple(100, 220));
  EXPECT_EQ(std::tuple(below.StartX, below.StartY, below.EndX, below.EndY), std::tuple(130, 120, 130, 200));
}

TEST(DiagramJson, MistakesNameTheRow) {
  EXPECT_EQ(errorOf(R"({"sentences": [{"Left": 1, "Top": 2, "Text": "a", "Colour": 3}]})"),
            "sentences[0]: unknown key 'Colour'");
  EXPECT_EQ(errorOf(R"({"sentences": [{"Left": 1, "Top": 2, "Text": 5}]})"), "sentences[0]: 'Text' must be a string");
  EXPECT_EQ(errorOf(R"({"sentences": [{"Left": 1.5, "Top": 2, "Text": "a"}]})"),
            "sentences[0]: 'Left' must be an integer");
  EXPECT_EQ(errorOf(R"({"sentences": [{"Left": 1, "Top": 2147483648, "Text": "a"}]})"),
            "sentences[0]: 'Top' is out of range (-2147483647 to 2147483647)");
  EXPECT_EQ(errorOf(R"({"sentences": [{"Left": -2147483648, "Top": 0, "Text": "a"}]})"),
            "sentences[0]: 'Left' is out of range (-2147483647 to 2147483647)");
  EXPECT_EQ(errorOf(R"({"sentences": [{"Left": 1, "Top": 2, "Right": 3, "Text": "a"}]})"),
            "sentences[0]: give both 'Right' and 'Bottom', or neither");
  EXPECT_EQ(errorOf(R"({"sentences": [{"Left": 1, "Top": 2, "Text": "a"}], "arrows": [{"From": 0, "To": 1}]})"),
            "arrows[0]: 'To' is 1, but the sentences are numbered 0 to 0");
  EXPECT_EQ(errorOf(R"({"sentences": [{"Left": 1, "Top": 2, "Text": "a"}], "arrows": [{"From": 0, "To": 0}]})"),
            "arrows[0]: the start and end of the arrow must be different");
  EXPECT_EQ(errorOf(R"({"arrows": [{"From": 0, "To": 1, "StartX": 3}]})"), "arrows[0]: unknown key 'StartX'");
  EXPECT_EQ(errorOf(R"({"arrows": [{"StartX": 3}]})"), "arrows[0]: missing 'Center1X'");
  EXPECT_EQ(errorOf(R"({"defeaters": [[1, 2]]})"), "defeaters[0]: a row must be a JSON object");
  EXPECT_EQ(errorOf(R"({"defeaters": [{"ChallengingRect": [1, 2, 3], "ChallengedRect": [1, 2, 3, 4]}]})"),
            "defeaters[0]: 'ChallengingRect' must be an array of 4 integers");
  EXPECT_EQ(errorOf(R"({"defeaters": [{"ChallengingRect": [1, 2, 3, 4], "ChallengedRect": [5, 6, 7, 8]},
                               {"ChallengingRect": [1, [2], 3, 4], "ChallengedRect": {"a": [1]}}]})"),
            "defeaters[1]: 'ChallengingRect'[1] must be an integer");
  EXPECT_EQ(errorOf(R"({"sentences": [], "arrows": [], "sentences": []})"),
            "Key 'sentences' appears twice at the top level");
  EXPECT_EQ(errorOf(R"({"arrows": [{"From": 0, "To": 1}], "sentences": [{"Left": 1, "Top": 2, "Text": "a"},
                                   {"Left": 1, "Top": 2, "Text": 7}]})"),
            "sentences[1]: 'Text' must be a string");
  EXPECT_EQ(errorOf(R"({"sentences": [{"Left": 1, "Top": 99999999999999999999, "Text": "a"}]})"),
            "sentences[0]: 'Top' is out of range (-2147483647 to 2147483647)");
  EXPECT_EQ(errorOf(R"({"sentence": []})"), "Unknown key 'sentence' at the top level");
  EXPECT_EQ(errorOf(R"([1])"), "The diagram must be a JSON object with \"sentences\", \"arrows\" and \"defeaters\"");
  EXPECT_EQ(errorOf(R"({"sentences": {}})"), "'sentences' must be a JSON array of rows");
  EXPECT_EQ(errorOf(R"({"sentences": [)").rfind("Invalid JSON: parse error at line 1, column 16", 0), 0u)
      << errorOf(R"({"sentences": [)");
}

// Loaded as a diagram file is opened.
std::string loadErrorOf(const std::string& json) {
  try {
    Diagram d;
    if (const auto error = loadRows(d, diagramFromJson(json, fixedGeometry()))) return error->message();
  } catch (const ZorvexError& e) {
    return e.message();
  }
  return "(no error)";
}

// What completing and loading a row compute in 32 bits: the message names
// the row, the value and how it came about, not just an overflow.
TEST(DiagramJson, ValuesOutsideThe32BitRangeNameTheirPlace) {
  const std::string box = R"({"Left": 0, "Top": 0, "Right": 10, "Bottom": 10, "Text": "a"})";
  EXPECT_EQ(errorOf(R"({"sentences": [)" + box + "," + box + "," + box +
                    R"(, {"Left": 2147483640, "Top": 2, "Text": "a"}]})"),
            "sentences[3].Right: 2147483653 is outside the 32-bit range");
  EXPECT_EQ(loadErrorOf(R"({"sentences": [)" + box +
                        R"(, {"Left": -2147483647, "Top": 0, "Right": 1, "Bottom": 1, "Text": "b"}]})"),
            "sentences[1]: Right - Left = 2147483648 is outside the 32-bit range");
  EXPECT_EQ(loadErrorOf(R"({"sentences": [{"Left": 0, "Top": -1, "Right": 1, "Bottom": 2147483646, "Text": "b"}]})"),
            "sentences[0]: Bottom - Top + 1 = 2147483648 is outside the 32-bit range");
  // A sentence far out is fine by itself; the centre an arrow needs is not.
  EXPECT_EQ(errorOf(R"({"sentences": [)" + box + R"(,
      {"Left": 2000000000, "Top": 0, "Right": 2000000010, "Bottom": 10, "Text": "far"}],
      "arrows": [{"From": 0, "To": 1}]})"),
            "arrows[0].Center2X: sentences[1].Left + Right = 4000000010 is outside the 32-bit range");
  EXPECT_EQ(errorOf(R"({"sentences": [)" + box + R"(,
      {"Left": 1000000000, "Top": 1000000000, "Right": 1000000010, "Bottom": 1000000010, "Text": "below"}],
      "arrows": [{"From": 1, "To": 0}]})"),
            "arrows[0]: its end points on sentences[1] and sentences[0] overflow 32-bit arithmetic");
  EXPECT_EQ(loadErrorOf(R"({"arrows": [{"Center1X": 0, "Center1Y": 0, "Center2X": 0, "Center2Y": 0, "StartX": -2000000000,
      "StartY": 0, "EndX": 2000000000, "EndY": 0, "Left1": 0, "Top1": 0, "Text1": "", "Left2": 0, "Top2": 0,
      "Text2": ""}]})"),
            "arrows[0]: |EndX - StartX| + 1 = 4000000001 is outside the 32-bit range");
  EXPECT_EQ(errorOf(R"({"defeaters": [{"ChallengingRect": [2000000000, 0, 2000000010, 10],
                                      "ChallengedRect": [1999999000, 0, 1999999010, 10]}]})"),
            "defeaters[0].Center1X: ChallengingRect Left + Right = 4000000010 is outside the 32-bit range");
  EXPECT_EQ(loadErrorOf(R"({"defeaters": [{"ChallengingRect": [-2000000000, 0, 0, 10],
                                      "ChallengedRect": [0, 0, 2000000000, 10]}]})"),
            "defeaters[0]: greatest Right - least Left = 4000000000 is outside the 32-bit range");
}

// A 10 MB key, number or text is quoted by its first 80 characters; a NUL
// byte is refused where it stands, and a NUL written inside a text or key
// shows as "\0" instead of ending the message there.
TEST(DiagramJson, MessagesStayShortAndShowNulBytes) {
  const std::string huge(10'000'000, 'A');
  const std::string excerpt = std::string(80, 'A') + "...";
  EXPECT_EQ(errorOf(R"({"sentences": [{")" + huge + R"(": 1}]})"), "sentences[0]: unknown key '" + excerpt + "'");
  EXPECT_EQ(errorOf(R"({")" + huge + R"(": []})"), "Unknown key '" + excerpt + "' at the top level");
  EXPECT_EQ(errorOf(R"({"sentences": [{"Left": )" + std::string(10'000'000, '9') + "}]}"),
            "Invalid JSON: number overflow parsing '" + std::string(80, '9') + "...'");
  const std::string badText = errorOf(R"({"sentences": [{"Text": ")" + huge + "\\x\"}]}");
  EXPECT_LT(badText.size(), 300u);
  EXPECT_EQ(badText.substr(badText.size() - 5), "A...'") << badText;
  // Two-byte characters are not cut in half.
  std::string umlauts;
  for (int i = 0; i < 100; ++i) umlauts += "\xC3\xA4";
  EXPECT_EQ(errorOf(R"({"sentences": [{")" + umlauts + R"(": 1}]})"),
            "sentences[0]: unknown key '" + umlauts.substr(0, 160) + "...'");

  using namespace std::string_literals;
  EXPECT_EQ(errorOf("{\"sentences\": []}\0{\"arrows\": 5}"s), "Invalid JSON: NUL byte at line 1, column 18 (byte 18)");
  EXPECT_EQ(errorOf("{\"sentences\": [\n  {\"Left\": 1\0}]}"s),
            "Invalid JSON: NUL byte at line 2, column 13 (byte 29)");
  EXPECT_EQ(errorOf("{\"sentences\": [{\"Text\": \"a\0b\"}]}"s),
            "Invalid JSON: NUL byte in a string at line 1, column 27 (byte 27); write it as \\u0000");
  EXPECT_EQ(errorOf(R"({"sentences": [{"Left": 1, "Top": 2, "Text": "a\u0000b", "Col\u0000our": 1}]})"),
            "sentences[0]: unknown key 'Col\\0our'");
}

// A file is read a megabyte at a time: rows, a NUL byte and broken JSON far
// past the first piece come out as from the whole text in memory.
// A row nests a cell's array at the fourth level: a hundred levels are read
// (and skipped), one more is refused where it is, also by nlohmann's parser
// (which a byte-order mark hands the file to) and also 50,000 deep.
TEST(DiagramJson, NestingIsBoundedAndNamesTheRow) {
  const auto nested = [](int n) { return std::string(n, '[') + std::string(n, ']'); };
  const std::string tooDeep = ": lists and objects nested more than 100 deep";
  const auto sentence = [](const std::string& key, const std::string& value) {
    return R"({"sentences": [{"Left": 1, "Top": 2, "Text": "a", ")" + key + R"(": )" + value + "}]}";
  };
  EXPECT_EQ(errorOf(sentence("Right", nested(97))), "sentences[0]: give both 'Right' and 'Bottom', or neither");
  EXPECT_EQ(errorOf(sentence("Right", nested(98))), "sentences[0].Right" + tooDeep);
  EXPECT_EQ(errorOf("\xEF\xBB\xBF" + sentence("Right", nested(98))), "sentences[0].Right" + tooDeep);
  EXPECT_EQ(errorOf(sentence("Colour", nested(50'000))), "sentences[0]" + tooDeep);
  EXPECT_EQ(errorOf(R"({"sentences": [], "arrows": [{"From": 0, "To": 1}, )" + nested(50'000) + "]}"),
            "arrows[1]" + tooDeep);
}

TEST(DiagramJson, FilesReadPieceByPieceGiveTheSameRowsAndMessages) {
  std::string json = "{\"sentences\": [\n";
  for (int i = 0; i < 20000; ++i)
    json += R"({"Left": )" + std::to_string(i) + R"(, "Top": 2, "Right": 90, "Bottom": 30, "Text": "Sentence )" +
            std::to_string(i) + "\"},\n";
  json += R"({"Left": 1, "Top": 2, "Text": "sized"}], "arrows": [{"From": 0, "To": 19999}], "defeaters": []})";
  ASSERT_GT(json.size(), 1'200'000u);
  const testing::TempDir dir;
  writeFile(dir.file("big.json"), json);
  const DiagramRows rows = diagramFromJsonFile(dir.file("big.json"), fixedGeometry());
  EXPECT_EQ(rows, diagramFromJson(json, fixedGeometry()));
  EXPECT_EQ(rows.sentences.size(), 20001u);
  EXPECT_EQ(rows.arrows.at(0).Text2, "Sentence 19999");

  const size_t late = json.find("\"Sentence 19000\"");
  ASSERT_GT(late, 1u << 20);
  std::string nul = json;
  nul[late + 5] = '\0';
  EXPECT_EQ(errorOf(nul), "Invalid JSON: NUL byte in a string at line 19002, column " +
                              std::to_string(late + 5 - nul.rfind('\n', late)) + " (byte " +
                              std::to_string(late + 6) + "); write it as \\u0000");
  EXPECT_EQ(errorOf(json.substr(0, json.size() - 1)),
            "Invalid JSON: parse error at line 20002, column 95: syntax error while parsing object - unexpected end "
            "of input; expected '}'");
  EXPECT_EQ(testing::messageOf([&] { diagramFromJsonFile(dir.path, fixedGeometry()); }),
            "Cannot open file " + dir.path + ": Is a directory");
}

}  // namespace
}  // namespace zorvex::tools
