// Tables written by our writer read back by our reader, cell by cell.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>

#include "support/TestFiles.h"
#include "model/ZorvexError.h"
#include "model/paradox/ParadoxTable.h"
#include "model/paradox/TableWriter.h"

namespace zorvex::paradox {
namespace {

using zorvex::testing::TempDir;
using zorvex::testing::messageOf;

const std::vector<Field> AllWritable{{"Name", FieldType::Alpha, 20}, {"Small", FieldType::Short},
                                     {"Big", FieldType::Long},       {"Amount", FieldType::Number},
                                     {"Done", FieldType::Logical},   {"Day", FieldType::Date},
                                     {"Id", FieldType::AutoInc},     {"At", FieldType::Time},
                                     {"Stamp", FieldType::Timestamp}, {"Price", FieldType::Currency}};

TEST(ParadoxRoundTrip, EveryWritableTypeEmptyCellsAndNegativeNumbers) {
  TempDir dir;
  const std::string path = dir.file("all.db");
  writeTable(path, AllWritable,
             {{std::string("first"), 12, 100000, 2.25, true, Date{2001, 1, 1}, 7, TimeOfDay{3723000},
               Timestamp{Date{1999, 12, 31}, 86399999}, 19.99},
              {std::monostate{}, -32767, -2147483647, -1e300, false, Date{1, 1, 1}, std::monostate{}, TimeOfDay{0},
               Timestamp{Date{1, 1, 1}, 0}, -0.5},
              {std::monostate{}, std::monostate{}, std::monostate{}, std::monostate{}, std::monostate{},
               std::monostate{}, std::monostate{}, std::monostate{}, std::monostate{}, std::monostate{}}});
  auto t = ParadoxTable::open(path);
  ASSERT_EQ(t->rowCount(), 3u);
  ASSERT_EQ(t->fields().size(), AllWritable.size());
  EXPECT_EQ(t->fields()[0].size, 20);
  EXPECT_EQ(t->fields()[5].type, FieldType::Date);
  EXPECT_EQ(t->codePage(), 1252);

  EXPECT_EQ(t->value(0, 0), Value(std::string("first")));
  EXPECT_EQ(t->value(0, 1), Value(int32_t{12}));
  EXPECT_EQ(t->value(0, 2), Value(int32_t{100000}));
  EXPECT_EQ(t->value(0, 3), Value(2.25));
  EXPECT_EQ(t->value(0, 4), Value(true));
  EXPECT_EQ(t->value(0, 5), Value(Date{2001, 1, 1}));
  EXPECT_EQ(t->value(0, 6), Value(int32_t{7}));
  EXPECT_EQ(t->value(0, 7), Value(TimeOfDay{3723000}));
  EXPECT_EQ(t->value(0, 8), Value(Timestamp{Date{1999, 12, 31}, 86399999}));
  EXPECT_EQ(t->value(0, 9), Value(19.99));

  EXPECT_EQ(t->value(1, 1), Value(int32_t{-32767}));
  EXPECT_EQ(t->value(1, 2), Value(int32_t{-2147483647}));
  EXPECT_EQ(t->value(1, 3), Value(-1e300));
  EXPECT_EQ(t->value(1, 4), Value(false));
  EXPECT_EQ(t->value(1, 5), Value(Date{1, 1, 1}));
  EXPECT_EQ(t->value(1, 6), Value(int32_t{8})) << "an empty Autoincrement cell gets the next number";
  EXPECT_EQ(t->value(1, 7), Value(TimeOfDay{0})) << "midnight is a time, not an empty cell";
  EXPECT_EQ(t->value(1, 9), Value(-0.5));

  for (int c = 0; c < 10; ++c)
    if (c != 6) {
      EXPECT_TRUE(isEmpty(t->value(2, c))) << "column " << c;
    }

  // The cursor view of the same rows.
  t->first();
  EXPECT_EQ(t->textAt(0), "first");
  EXPECT_EQ(t->integerAt(2), 100000);
  EXPECT_EQ(t->textAt(4), "True");
  EXPECT_EQ(t->textAt(5), "2001-01-01");
  EXPECT_EQ(t->textAt(7), "01:02:03");
  EXPECT_EQ(t->textAt(8), "1999-12-31 23:59:59.999");
  t->next();
  EXPECT_EQ(t->textAt(0), "");
  EXPECT_EQ(t->integerAt(0), 0);
  EXPECT_EQ(t->textAt(3), "-1e+300");
  EXPECT_EQ(t->textAt(4), "False");
  t->next();
  EXPECT_EQ(t->integerAt(1), 0);
  EXPECT_EQ(t->integerAt(2), 0);
  EXPECT_EQ(t->integerAt(3), 0);
  EXPECT_EQ(t->textAt(2), "");
  t->next();
  EXPECT_TRUE(t->eof());
}

TEST(ParadoxRoundTrip, IntegerReadingOfNumbersAndText) {
  TempDir dir;
  const std::string path = dir.file("n.db");
  const std::vector<Field> fields{{"N", FieldType::Number}, {"A", FieldType::Alpha, 20}, {"L", FieldType::Logical},
                                  {"D", FieldType::Date}};
  const std::vector<double> numbers{2.5, 3.5, -2.5, 0.5, -0.5, 1.4999, 2147483647.4, -2147483648.5, 2147483647.5,
                                    -2147483648.6, 1e10};
  const std::vector<std::string> texts{"12", " -7 ", "+3", "abc", "99999999999", "1.5", "", "-2147483648",
                                       "2147483648", "  ", "12x"};
  std::vector<Row> rows;
  for (size_t i = 0; i < numbers.size(); ++i)
    rows.push_back({numbers[i], texts[i].empty() ? Value{} : Value{texts[i]}, true, Date{2020, 2, 29}});
  writeTable(path, fields, rows);
  auto t = ParadoxTable::open(path);
  std::vector<std::string> got;
  for (t->first(); !t->eof(); t->next()) {
    for (int c : {0, 1}) got.push_back(messageOf([&] { got.push_back(std::to_string(t->integerAt(c))); }));
  }
  // Each cell gives its integer followed by "(no error)", or only its error text.
  const std::vector<std::string> expected{
      "2", "(no error)", "12", "(no error)",                                    // 2.5 -> 2 (halves to even)
      "4", "(no error)", "-7", "(no error)",                                    // 3.5 -> 4
      "-2", "(no error)", "3", "(no error)",                                    // -2.5 -> -2
      "0", "(no error)", "'abc' is not a valid integer value",                  // 0.5 -> 0
      "0", "(no error)", "Integer overflow",                                    // -0.5 -> 0
      "1", "(no error)", "'1.5' is not a valid integer value",                  // 1.4999 -> 1
      "2147483647", "(no error)", "0", "(no error)",                            // empty Alpha -> 0
      "-2147483648", "(no error)", "-2147483648", "(no error)",                 // -2147483648.5 -> even
      "Integer overflow", "Integer overflow",                                   // 2147483647.5 -> 2147483648
      "Integer overflow", "'  ' is not a valid integer value",
      "Integer overflow", "'12x' is not a valid integer value"};
  EXPECT_EQ(got, expected);
  t->first();
  EXPECT_EQ(messageOf([&] { t->integerAt(2); }), "Field 'L' is a Logical field and cannot be read as an integer");
  EXPECT_EQ(messageOf([&] { t->integerAt(3); }), "Field 'D' is a Date field and cannot be read as an integer");
  EXPECT_EQ(t->columnIndex("n"), 0);
  EXPECT_EQ(t->columnIndex("Missing"), -1);
}

TEST(ParadoxRoundTrip, NumbersAsTextUseTheShortestForm) {
  TempDir dir;
  const std::string path = dir.file("t.db");
  writeTable(path, {{"N", FieldType::Number}, {"S", FieldType::Short}},
             {{3.0, -5}, {0.1, 32767}, {-1234.5, 0}, {1e21, 1}});
  auto t = ParadoxTable::open(path);
  std::vector<std::string> texts;
  for (t->first(); !t->eof(); t->next()) texts.push_back(t->textAt(0) + " " + t->textAt(1));
  EXPECT_EQ(texts, (std::vector<std::string>{"3 -5", "0.1 32767", "-1234.5 0", "1e+21 1"}));
}

}  // namespace
}  // namespace zorvex::paradox
