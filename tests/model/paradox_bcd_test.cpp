// BCD columns: the descriptor's size byte holds the decimals while the record
// holds 17 bytes; cells read, show and store as exact decimal numbers.
#include <gtest/gtest.h>

#include "support/TestFiles.h"
#include "model/LoadElements.h"
#include "model/ZorvexError.h"
#include "model/paradox/ParadoxTable.h"
#include "model/paradox/TableWriter.h"
#include "model/paradox/ValueParse.h"

namespace zorvex::paradox {
namespace {

using zorvex::testing::TempDir;
using zorvex::testing::messageOf;

// 17 BCD bytes: `first`, then 32 digits given as 16 bytes, inverted for a negative number.
std::string bcd(int first, const std::string& digits, bool invert = false) {
  std::string s(1, static_cast<char>(first));
  const std::string padded = std::string(32 - digits.size(), '0') + digits;
  for (size_t i = 0; i < 32; i += 2) {
    const int b = (padded[i] - '0') << 4 | (padded[i + 1] - '0');
    s += static_cast<char>(invert ? ~b : b);
  }
  return s;
}

// A table as engines write it, made by hand: Bytes columns of 17 bytes whose
// descriptors are then turned into BCD with 2 and 0 decimals.
std::unique_ptr<ParadoxTable> bcdTable(const std::vector<Row>& rows) {
  std::vector<uint8_t> f =
      buildTable({{"Amount", FieldType::Bytes, 17}, {"N", FieldType::Long}, {"Whole", FieldType::Bytes, 17}}, rows);
  f[0x78] = 0x17, f[0x79] = 2;
  f[0x7C] = 0x17, f[0x7D] = 0;
  return ParadoxTable::fromBytes(f, "amounts.db");
}

TEST(ParadoxBcd, BcdColumnsOpenAndShowExactDecimals) {
  const std::string thirty = "12345678901234567890123456789012";  // 30 digits before the point, 2 after
  std::string damaged = bcd(0xC2, "1");
  damaged[16] = 0x0A;
  auto t = bcdTable({{Bytes{bcd(0xC2, "12345")}, 1, Bytes{bcd(0xC0, "7")}},
                     {Bytes{bcd(0x42, "1250", true)}, 2, Bytes{bcd(0x40, "7", true)}},
                     {Bytes{bcd(0x3D, "1250", true)}, 3, Bytes{bcd(0xC0, "0")}},  // byte 0 inverted as well
                     {Bytes{bcd(0xC2, "0")}, 4, std::monostate{}},
                     {Bytes{bcd(0xC2, thirty)}, 5, Bytes{bcd(0xC0, "250")}},
                     {Bytes{damaged}, 6, Bytes{bcd(0xC0, "3")}}});
  ASSERT_EQ(t->fields().size(), 3u);
  EXPECT_EQ(t->fields()[0].type, FieldType::Bcd);
  EXPECT_EQ(t->fields()[0].size, 17);
  EXPECT_EQ(t->fields()[0].decimals, 2);
  const std::vector<std::string> amounts{"123.45",
                                         "-12.50",
                                         "-12.50",
                                         "0.00",
                                         "123456789012345678901234567890.12",
                                         "C20000000000000000000000000000000A"};
  const std::vector<std::string> wholes{"7", "-7", "0", "", "250", "3"};
  for (size_t r = 0; r < amounts.size(); ++r) {
    EXPECT_EQ(t->displayText(r, 0), amounts[r]) << r;
    EXPECT_EQ(t->displayText(r, 2), wholes[r]) << r;
    EXPECT_EQ(t->integerAt(1), static_cast<int>(r) + 1) << "the column after a BCD one lies 17 bytes on";
    t->next();
  }
  t->first();
  EXPECT_EQ(t->textAt(0), "123.45");
  EXPECT_EQ(t->integerAt(0), 123);
  t->next();
  EXPECT_EQ(t->integerAt(0), -12) << "halves go to the even neighbour";
  EXPECT_EQ(t->integerAt(2), -7);
  t->moveTo(3);
  EXPECT_EQ(t->integerAt(2), 0) << "an empty cell reads as 0";
  t->moveTo(4);
  EXPECT_EQ(messageOf([&] { t->integerAt(0); }), "Integer overflow");
  t->moveTo(5);
  EXPECT_EQ(messageOf([&] { t->integerAt(0); }), "'C20000000000000000000000000000000A' is not a valid integer value");
}

TEST(ParadoxBcd, DescriptorsBeyond32DecimalsAreRefused) {
  std::vector<uint8_t> f = buildTable({{"Amount", FieldType::Bytes, 17}}, {});
  f[0x78] = 0x17, f[0x79] = 33;
  EXPECT_EQ(messageOf([&] { ParadoxTable::fromBytes(f, "bad.db"); }),
            "bad.db is not a valid Paradox table: field 1 has 33 decimals");
  f[0x79] = 17;  // 17 decimals still take 17 bytes
  EXPECT_EQ(ParadoxTable::fromBytes(f, "ok.db")->fields()[0].decimals, 17);
}

TEST(ParadoxBcd, LoadingReadsABcdColumnAsTheNearestInteger) {
  TempDir dir;
  const Field left{"Left", FieldType::Bcd, 0, 10};
  const std::vector<Field> sentence{left, {"Top", FieldType::Long}, {"Right", FieldType::Long},
                                    {"Bottom", FieldType::Long}, {"Text", FieldType::Alpha, 20}};
  writeTable(dir.file("ArrowsDb.DB"), {{"Center1X", FieldType::Long}}, {});
  writeTable(dir.file("DefeatersDb.DB"), {{"StartX", FieldType::Long}}, {});
  const auto sentences = [&](const std::string& lastLeft) {
    writeTable(dir.file("SentencesDb.db"), sentence,
               {{Decimal{"10.5"}, 0, 50, 9, std::string("a")},
                {Decimal{"11.5000000001"}, 0, 50, 9, std::string("b")},
                {Decimal{"-11.5"}, 0, 50, 9, std::string("c")},
                {Decimal{lastLeft}, 0, 2147483647, 9, std::string("d")}});
  };
  // A double would take 2147483647.4999999999 for 2147483647.5 and round it up.
  sentences("2147483647.4999999999");
  Diagram d;
  LoadResult r = LoadElements(d, dir.path, tableOpener());
  ASSERT_FALSE(r.error) << r.error->message();
  ASSERT_EQ(d.SentenceCount(), 4);
  EXPECT_EQ(d.sentence(0).Left, 10);
  EXPECT_EQ(d.sentence(1).Left, 12);
  EXPECT_EQ(d.sentence(2).Left, -12);
  EXPECT_EQ(d.sentence(3).Left, 2147483647);

  sentences("2147483647.5");
  Diagram e;
  r = LoadElements(e, dir.path, tableOpener());
  ASSERT_TRUE(r.error);
  EXPECT_EQ(errorBoxText(r.error->message()), "Integer overflow.");
  EXPECT_EQ(e.SentenceCount(), 3);
}

TEST(ParadoxBcd, BcdCellsAreWrittenTypedAndEdited) {
  const Field amount{"Amount", FieldType::Bcd, 0, 2};
  EXPECT_EQ(valueFromText(amount, " -12.5 "), Value(Decimal{"-12.50"}));
  EXPECT_EQ(valueFromText(amount, "+0.500"), Value(Decimal{"0.50"}));
  EXPECT_EQ(valueFromText(amount, "-0"), Value(Decimal{"0.00"}));
  EXPECT_EQ(valueFromText(amount, ""), Value());
  EXPECT_EQ(messageOf([&] { valueFromText(amount, "1e3"); }), "'1e3' is not a valid BCD value");

  const std::vector<uint8_t> file =
      buildTable({amount, {"N", FieldType::Long}},
                 {{Decimal{"-12.50"}, 1}, {7, 2}, {valueFromText(amount, "3.1"), 3}, {std::monostate{}, 4}});
  EXPECT_EQ(file[0x78], 0x17);
  EXPECT_EQ(file[0x79], 2) << "the descriptor holds the decimals";
  EXPECT_EQ(file[0] | file[1] << 8, 21) << "17 + 4 bytes to a record";
  const std::string first(file.begin() + 2048 + 6, file.begin() + 2048 + 6 + 17);
  EXPECT_EQ(first, bcd(0x42, "1250", true));
  auto t = ParadoxTable::fromBytes(file, "written.db");
  EXPECT_EQ(t->displayText(0, 0), "-12.50");
  EXPECT_EQ(t->displayText(1, 0), "7.00");
  EXPECT_EQ(t->displayText(2, 0), "3.10");
  EXPECT_EQ(t->displayText(3, 0), "");

  const auto build = [&](const Value& v) { buildTable({amount}, {{v}}); };
  EXPECT_EQ(messageOf([&] { build(Decimal{"12.345"}); }),
            "The value 12.345 cannot be stored in the BCD field 'Amount'");
  EXPECT_EQ(messageOf([&] { build(Decimal{std::string(31, '9')}); }),
            "The value " + std::string(31, '9') + " cannot be stored in the BCD field 'Amount'");
  EXPECT_EQ(messageOf([&] { build(Decimal{std::string(30, '9') + ".99"}); }), "(no error)");
  EXPECT_EQ(messageOf([&] { build(2.5); }), "The value 2.5 cannot be stored in the BCD field 'Amount'");
  EXPECT_EQ(messageOf([&] { buildTable({{"A", FieldType::Bcd, 0, 33}}, {}); }),
            "The BCD field 'A' cannot have 33 decimals");

  // Editing another column keeps the BCD cell; a typed amount replaces it.
  TempDir dir;
  writeTable(dir.file("t.db"), {amount, {"N", FieldType::Long}}, {{Decimal{"-12.50"}, 1}, {Decimal{"1.25"}, 2}});
  auto open = ParadoxTable::open(dir.file("t.db"));
  open->updateRow(0, {open->value(0, 0), 9});
  open->updateRow(1, {valueFromText(amount, "99.99"), 2});
  open->close();
  auto reread = ParadoxTable::open(dir.file("t.db"));
  EXPECT_EQ(reread->displayText(0, 0), "-12.50");
  EXPECT_EQ(reread->displayText(0, 1), "9");
  EXPECT_EQ(reread->displayText(1, 0), "99.99");
}

}  // namespace
}  // namespace zorvex::paradox
