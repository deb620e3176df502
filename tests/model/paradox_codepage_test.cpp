// Text in the table's code page, and the values the writer must refuse.
#include <gtest/gtest.h>

#include <iconv.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "support/TestFiles.h"
#include "model/ZorvexError.h"
#include "model/paradox/CodePage.h"
#include "model/paradox/ParadoxTable.h"
#include "model/paradox/SortOrder.h"
#include "model/paradox/TableWriter.h"

namespace zorvex::paradox {
namespace {

using zorvex::testing::TempDir;
using zorvex::testing::messageOf;

const std::vector<Field> TextTable{{"Text", FieldType::Alpha, 10}, {"N", FieldType::Long}};

std::vector<std::string> texts(ParadoxTable& t) {
  std::vector<std::string> out;
  for (t.first(); !t.eof(); t.next()) out.push_back(t.textAt(0));
  return out;
}

bool contains(const std::vector<uint8_t>& bytes, const std::string& needle) {
  const std::vector<uint8_t> n(needle.begin(), needle.end());
  return std::search(bytes.begin(), bytes.end(), n.begin(), n.end()) != bytes.end();
}

TEST(ParadoxCodePage, NonAsciiTextRoundTripsThroughCp1252) {
  const std::vector<std::string> words{"caf\xC3\xA9", "Stra\xC3\x9F" "e", "na\xC3\xAFve", "\xE2\x82\xAC 5"};
  std::vector<Row> rows;
  for (const auto& w : words) rows.push_back({w, 1});
  const std::vector<uint8_t> file = buildTable(TextTable, rows);
  // Stored as single CP1252 bytes: é = E9, ß = DF, ï = EF, € = 80.
  EXPECT_TRUE(contains(file, "caf\xE9"));
  EXPECT_TRUE(contains(file, "Stra\xDF" "e"));
  EXPECT_TRUE(contains(file, "na\xEFve"));
  EXPECT_TRUE(contains(file, "\x80 5"));
  EXPECT_EQ(file[0x6A] | file[0x6B] << 8, 1252);
  auto t = ParadoxTable::fromBytes(file, "words.db");
  EXPECT_EQ(texts(*t), words);
}

TEST(ParadoxCodePage, UndefinedBytesAreReplacedAndTheRowStays) {
  std::vector<uint8_t> file = buildTable(TextTable, {{std::string("AxB"), 1}, {std::string("next"), 2}});
  auto at = std::search(file.begin(), file.end(), std::begin("AxB"), std::end("AxB") - 1);
  ASSERT_NE(at, file.end());
  at[1] = 0x81;  // not defined in CP1252
  auto t = ParadoxTable::fromBytes(file, "odd.db");
  ASSERT_EQ(t->rowCount(), 2u);
  EXPECT_EQ(texts(*t), (std::vector<std::string>{"A\xEF\xBF\xBD" "B", "next"}));
  t->first();
  EXPECT_EQ(t->integerAt(1), 1);
}

TEST(ParadoxCodePage, OtherCodePagesAndTheFallback) {
  WriteOptions dos;
  dos.codePage = 437;
  auto t437 = ParadoxTable::fromBytes(buildTable(TextTable, {{std::string("\xC3\xA9t\xC3\xA9"), 1}}, dos), "dos.db");
  EXPECT_EQ(t437->codePage(), 437);
  EXPECT_EQ(texts(*t437), std::vector<std::string>{"\xC3\xA9t\xC3\xA9"});
  const std::vector<uint8_t> dosFile = buildTable(TextTable, {{std::string("\xC3\xA9t\xC3\xA9"), 1}}, dos);
  EXPECT_TRUE(contains(dosFile, "\x82t\x82")) << "é is 0x82 in code page 437";

  WriteOptions chinese;
  chinese.codePage = 936;
  const std::string zh = "\xE4\xB8\xAD\xE6\x96\x87";  // 中文
  auto t936 = ParadoxTable::fromBytes(buildTable(TextTable, {{zh, 1}}, chinese), "zh.db");
  EXPECT_EQ(texts(*t936), std::vector<std::string>{zh});

  WriteOptions unknown;
  unknown.codePage = 12345;
  auto tUnknown = ParadoxTable::fromBytes(buildTable(TextTable, {{std::string("caf\xC3\xA9"), 1}}, unknown), "u.db");
  EXPECT_EQ(texts(*tUnknown), std::vector<std::string>{"caf\xC3\xA9"}) << "an unknown code page reads as 1252";
}

// A table whose header names no code page (0) and the given sort order, with
// one Alpha cell holding `raw` bytes.
std::vector<uint8_t> codePage0Table(const std::string& sortOrder, const std::string& raw, int codePage = 0) {
  std::vector<uint8_t> f = buildTable(TextTable, {{std::string("xxxx"), 1}});
  f[0x6A] = static_cast<uint8_t>(codePage), f[0x6B] = static_cast<uint8_t>(codePage >> 8);
  const std::string written = "ANSIINTL";
  auto name = std::search(f.begin(), f.begin() + 2048, written.begin(), written.end());
  EXPECT_NE(name, f.begin() + 2048);
  std::fill_n(name, written.size(), 0);
  std::copy(sortOrder.begin(), sortOrder.end(), name);
  auto cell = std::search(f.begin() + 2048, f.end(), std::begin("xxxx"), std::end("xxxx") - 1);
  std::fill_n(cell, 4, 0);
  std::copy(raw.begin(), raw.end(), cell);
  return f;
}

TEST(ParadoxCodePage, ACodePage0TableTakesItsCharacterSetFromItsSortOrder) {
  auto roman = ParadoxTable::fromBytes(codePage0Table("BLROM800", "\xEB\xF8\xBE\xF4"), "roman.db");
  EXPECT_EQ(texts(*roman), std::vector<std::string>{"\xC5\xA0\xC2\xBD\xC6\x92\xC2\xB6"}) << "Š½ƒ¶";
  const auto read = [](const std::string& order, int codePage = 0) {
    auto t = ParadoxTable::fromBytes(codePage0Table(order, "\x9B", codePage), "t.db");
    return texts(*t).at(0);
  };
  EXPECT_EQ(read("nordan"), "\xC3\xB8") << "code page 865: ø";
  EXPECT_EQ(read("intl850"), "\xC3\xB8") << "code page 850: ø";
  EXPECT_EQ(read("intl"), "\xC2\xA2") << "code page 437: ¢";
  EXPECT_EQ(read("DB865NO0"), "\xC3\xB8");
  EXPECT_EQ(read("ANSIINTL"), "\xE2\x80\xBA") << "code page 1252: ›";
  EXPECT_EQ(read("zzz"), "\xE2\x80\xBA") << "a name that tells nothing keeps 1252";
  EXPECT_EQ(read("BLROM800", 437), "\xC2\xA2") << "a code page in the header wins";
}

TEST(ParadoxCodePage, HpRoman8AgreesWithIconvAndStoresTypedText) {
  // Second opinion on the whole upper half: glibc's HP-ROMAN8.
  iconv_t cd = iconv_open("UTF-8", "HP-ROMAN8");
  ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1));
  CodePage roman8(HpRoman8CodePage);
  for (int b = 0x80; b <= 0xFE; ++b) {
    char in = static_cast<char>(b), out[8] = {};
    char *inPtr = &in, *outPtr = out;
    size_t inLeft = 1, outLeft = sizeof out;
    ASSERT_NE(iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft), static_cast<size_t>(-1)) << b;
    EXPECT_EQ(roman8.toUtf8(std::string(1, in)), std::string(out)) << b;
    EXPECT_EQ(roman8.fromUtf8(out), std::string(1, in)) << b;
  }
  iconv_close(cd);
  EXPECT_EQ(roman8.toUtf8("a\xFF"), "a\xEF\xBF\xBD") << "0xFF is unassigned";

  TempDir dir;
  const std::string path = dir.file("roman.db");
  const std::vector<uint8_t> file = codePage0Table("BLROM800", "\xEB");
  FILE* out = std::fopen(path.c_str(), "wb");
  ASSERT_NE(out, nullptr);
  std::fwrite(file.data(), 1, file.size(), out);
  std::fclose(out);
  auto t = ParadoxTable::open(path);
  t->updateRow(0, {std::string("\xC5\xA1\xC3\x86"), 2});  // šÆ
  EXPECT_EQ(messageOf([&] { t->updateRow(0, {std::string("\xE2\x82\xAC"), 3}); }),
            "The text '\xE2\x82\xAC' cannot be stored in code page 1051");
  t->close();
  auto again = ParadoxTable::open(path);
  EXPECT_EQ(texts(*again), std::vector<std::string>{"\xC5\xA1\xC3\x86"});
  std::ifstream in(path, std::ios::binary);
  const std::vector<uint8_t> stored((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_TRUE(contains(stored, "\xEC\xD3")) << "š is 0xEC and Æ 0xD3 in HP Roman-8";
}

TEST(ParadoxCodePage, TheWriterRefusesWhatTheFieldCannotHold) {
  auto build = [](const std::vector<Field>& fields, const Row& row) { buildTable(fields, {row}); };
  EXPECT_EQ(messageOf([&] { build(TextTable, {std::string("\xE6\x97\xA5\xE6\x9C\xAC"), 1}); }),
            "The text '\xE6\x97\xA5\xE6\x9C\xAC' cannot be stored in code page 1252");
  EXPECT_EQ(messageOf([&] { build(TextTable, {std::string("eleven char"), 1}); }),
            "The text 'eleven char' is longer than the 10 characters of field 'Text'");
  EXPECT_EQ(messageOf([&] { build(TextTable, {std::string("ten chars!"), 1}); }), "(no error)");
  EXPECT_EQ(messageOf([&] { build(TextTable, {std::string("x"), INT32_MIN}); }),
            "The value -2147483648 cannot be stored in the Long field 'N'");
  EXPECT_EQ(messageOf([&] { build({{"S", FieldType::Short}}, {-32768}); }),
            "The value -32768 cannot be stored in the Short field 'S'");
  EXPECT_EQ(messageOf([&] { build({{"S", FieldType::Short}}, {40000}); }),
            "The value 40000 cannot be stored in the Short field 'S'");
  EXPECT_EQ(messageOf([&] { build(TextTable, {7, 1}); }), "The value 7 cannot be stored in the Alpha field 'Text'");
  EXPECT_EQ(messageOf([&] { build({{"D", FieldType::Date}}, {Date{2021, 2, 29}}); }),
            "The value 2021-02-29 cannot be stored in the Date field 'D'");
  EXPECT_EQ(messageOf([&] { build({{"L", FieldType::Logical}}, {1}); }),
            "The value 1 cannot be stored in the Logical field 'L'");
  EXPECT_EQ(messageOf([&] { build({{"A", FieldType::Alpha, 0}}, {std::monostate{}}); }),
            "The size 0 is not valid for the Alpha field 'A'");
  EXPECT_EQ(messageOf([&] { build({{"A", FieldType::Long}, {"a", FieldType::Long}}, {1, 2}); }),
            "The field name 'a' is used twice");
}

}  // namespace
}  // namespace zorvex::paradox
