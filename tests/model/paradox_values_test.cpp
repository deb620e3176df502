// Cell values of every type as a table view shows them and as a user types them.
#include <gtest/gtest.h>

#include "support/TestFiles.h"
#include "model/ZorvexError.h"
#include "model/paradox/ParadoxTable.h"
#include "model/paradox/TableWriter.h"
#include "model/paradox/ValueParse.h"

namespace zorvex::paradox {
namespace {

using zorvex::testing::TempDir;
using zorvex::testing::messageOf;

// Memo fields cannot be created, so a Bytes field of the right size is written
// and its descriptor's type byte changed afterwards; BCD cells go in as their
// raw bytes the same way.
std::unique_ptr<ParadoxTable> withRetypedColumns(const std::vector<Row>& rows) {
  std::vector<uint8_t> f = buildTable({{"Memo", FieldType::Bytes, 11}, {"Amount", FieldType::Bytes, 17},
                                       {"Raw", FieldType::Bytes, 3}},
                                      rows);
  f[0x78] = 0x0C;               // Memo
  f[0x7A] = 0x17, f[0x7B] = 2;  // BCD with two decimals: its size byte counts them
  return ParadoxTable::fromBytes(f, "typed.db");
}

std::string bytes(std::initializer_list<int> b) {
  std::string s;
  for (int v : b) s += static_cast<char>(v);
  return s;
}

TEST(ParadoxValues, MemoBcdAndBytesCells) {
  const std::string bcdPlus = bytes({0xC2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x01, 0x23, 0x45});  // 123.45
  const std::string bcdMinus =
      bytes({0x42, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0xDC, 0xBA});
  auto t = withRetypedColumns({{Bytes{"memo-bytes"}, Bytes{bcdPlus}, Bytes{bytes({0x0A, 0xFF, 0x00})}},
                               {std::monostate{}, Bytes{bcdMinus}, std::monostate{}}});
  EXPECT_EQ(t->fields()[0].type, FieldType::Memo);
  EXPECT_EQ(t->displayText(0, 0), "(Memo)");
  EXPECT_EQ(t->displayText(0, 1), "123.45");
  EXPECT_EQ(t->displayText(1, 1), "-123.45");
  EXPECT_EQ(t->displayText(0, 2), "0AFF00");
  EXPECT_EQ(t->displayText(1, 0), "");
  t->first();
  EXPECT_EQ(messageOf([&] { t->textAt(0); }), "Field 'Memo' is a memo or binary field and cannot be read as text");
  EXPECT_EQ(messageOf([&] { t->textAt(2); }), "Field 'Raw' is a memo or binary field and cannot be read as text");
  EXPECT_EQ(t->integerAt(1), 123);
  EXPECT_EQ(t->textAt(1), "123.45");
  EXPECT_EQ(messageOf([&] { t->integerAt(0); }), "Field 'Memo' is a Memo field and cannot be read as an integer");
  t->next();
  EXPECT_EQ(t->integerAt(1), -123);
}

TEST(ParadoxValues, DatesUseTheFormatsDayNumbers) {
  // Day numbers as pxlib and Paradox count them: 1 Jan 0001 is day 1.
  EXPECT_EQ(dayNumber(Date{1, 1, 1}), 1);
  EXPECT_EQ(dayNumber(Date{2001, 1, 1}), 730486);
  EXPECT_EQ(dateFromDayNumber(730486 + 59), (Date{2001, 3, 1}));
  EXPECT_TRUE(isValidDate(Date{2000, 2, 29}));
  EXPECT_FALSE(isValidDate(Date{1900, 2, 29}));
  EXPECT_FALSE(isValidDate(Date{0, 12, 31}));
  EXPECT_EQ(displayText(Value{Date{987, 6, 5}}), "0987-06-05");
  EXPECT_EQ(displayText(Value{TimeOfDay{45296789}}), "12:34:56.789");
  EXPECT_EQ(displayText(Value{Timestamp{Date{2024, 12, 31}, 0}}), "2024-12-31 00:00:00");
  EXPECT_EQ(displayText(Value{false}), "False");
  EXPECT_EQ(displayText(Value{-0.25}), "-0.25");
  EXPECT_EQ(displayText(Value{1e100}), "1e+100");
  EXPECT_EQ(displayText(Value{BlobPlaceholder{0x10, ""}}), "(Graphic)");
}

TEST(ParadoxValues, TypedTextBecomesTheFieldsValue) {
  const Field lng{"N", FieldType::Long}, num{"X", FieldType::Number}, log{"B", FieldType::Logical},
      day{"D", FieldType::Date}, tim{"T", FieldType::Time}, ts{"S", FieldType::Timestamp}, txt{"A", FieldType::Alpha, 5};
  EXPECT_EQ(valueFromText(lng, " -42 "), Value(int32_t{-42}));
  EXPECT_EQ(valueFromText(lng, ""), Value());
  EXPECT_EQ(messageOf([&] { valueFromText(lng, "4x"); }), "'4x' is not a valid integer value");
  EXPECT_EQ(messageOf([&] { valueFromText(lng, "3000000000"); }), "Integer overflow");
  EXPECT_EQ(valueFromText(num, "2.5e3"), Value(2500.0));
  EXPECT_EQ(messageOf([&] { valueFromText(num, "two"); }), "'two' is not a valid floating point value");
  EXPECT_EQ(valueFromText(log, "TRUE"), Value(true));
  EXPECT_EQ(messageOf([&] { valueFromText(log, "yes"); }), "'yes' is not a valid boolean value");
  EXPECT_EQ(valueFromText(day, "2024-02-29"), Value(Date{2024, 2, 29}));
  EXPECT_EQ(messageOf([&] { valueFromText(day, "2023-02-29"); }), "'2023-02-29' is not a valid date");
  EXPECT_EQ(valueFromText(tim, "07:05"), Value(TimeOfDay{25500000}));
  EXPECT_EQ(valueFromText(ts, "2024-01-02 03:04:05"), Value(Timestamp{Date{2024, 1, 2}, 11045000}));
  EXPECT_EQ(messageOf([&] { valueFromText(ts, "2024-01-02x"); }), "'2024-01-02x' is not a valid date and time");
  EXPECT_EQ(valueFromText(txt, "  a "), Value(std::string("  a ")));
}

}  // namespace
}  // namespace zorvex::paradox
