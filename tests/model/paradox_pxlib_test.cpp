// Second opinion from pxlib: tables we write as pxlib reads them, and tables
// pxlib writes as we read them. Only valid tables go to pxlib (it hangs on
// damaged ones).
#ifdef ZORVEX_HAVE_PXLIB
#include <gtest/gtest.h>
extern "C" {
#include <paradox.h>
}
#include <stdlib.h>

#include <cstring>
#include <filesystem>

#include "support/TestFiles.h"
#include "model/paradox/ParadoxTable.h"
#include "model/paradox/TableWriter.h"
#include "model/paradox/ValueParse.h"

namespace zorvex::paradox {
namespace {

using zorvex::testing::TempDir;
using zorvex::testing::messageOf;

// Independent decoding of the raw record bytes, straight from the format notes.
uint64_t be(const unsigned char* p, int n) {
  uint64_t v = 0;
  for (int i = 0; i < n; ++i) v = v << 8 | p[i];
  return v;
}
int64_t rawLong(const unsigned char* p) { return static_cast<int64_t>(be(p, 4)) - 0x80000000LL; }
int64_t rawShort(const unsigned char* p) { return static_cast<int64_t>(be(p, 2)) - 0x8000; }
double rawNumber(const unsigned char* p) {
  uint64_t bits = be(p, 8);
  bits = (bits & 0x8000000000000000ull) ? bits ^ 0x8000000000000000ull : ~bits;
  double d;
  std::memcpy(&d, &bits, 8);
  return d;
}

struct PxDoc {
  pxdoc_t* doc = PX_new();
  ~PxDoc() {
    PX_close(doc);
    PX_delete(doc);
  }
};

TEST(ParadoxPxlib, PxlibReadsTheTablesWeWrite) {
  PX_boot();
  TempDir dir;
  const std::string path = dir.path + "/SentencesDb.db";
  std::vector<Row> rows;
  for (int i = 0; i < 300; ++i)  // several blocks
    rows.push_back({i * 10 - 1000, -i, i == 7 ? Value{} : Value{int32_t{i * 3}}, 1.5 * i,
                    std::string("Sentence caf\xC3\xA9 ") + std::to_string(i), i % 2 == 0, Date{2001, 1, 1 + i % 28},
                    i % 2 ? Value{int32_t{-i}} : Value{int32_t{i}}});
  writeTable(path,
             {{"Left", FieldType::Long}, {"Top", FieldType::Long}, {"Right", FieldType::Long},
              {"Weight", FieldType::Number}, {"Text", FieldType::Alpha, 60}, {"Done", FieldType::Logical},
              {"Day", FieldType::Date}, {"Small", FieldType::Short}},
             rows);
  PxDoc px;
  ASSERT_EQ(PX_open_file(px.doc, path.c_str()), 0);
  ASSERT_EQ(PX_get_num_records(px.doc), 300);
  ASSERT_EQ(PX_get_num_fields(px.doc), 8);
  EXPECT_EQ(px.doc->px_head->px_fileversion, 70);
  EXPECT_EQ(px.doc->px_head->px_doscodepage, 1252);
  EXPECT_EQ(px.doc->px_head->px_filetype, pxfFileTypNonIndexDB);
  EXPECT_STREQ(px.doc->px_head->px_tablename, "SentencesDb");
  pxfield_t* f = PX_get_fields(px.doc);
  EXPECT_STREQ(f[4].px_fname, "Text");
  EXPECT_EQ(f[4].px_ftype, pxfAlpha);
  EXPECT_EQ(f[4].px_flen, 60);
  EXPECT_EQ(f[7].px_ftype, pxfShort);
  std::vector<unsigned char> rec(static_cast<size_t>(PX_get_recordsize(px.doc)));
  for (int i = 0; i < 300; ++i) {
    ASSERT_NE(PX_get_record(px.doc, i, reinterpret_cast<char*>(rec.data())), nullptr) << i;
    const unsigned char* p = rec.data();
    EXPECT_EQ(rawLong(p), i * 10 - 1000);
    EXPECT_EQ(rawLong(p + 4), -i);
    if (i == 7)
      EXPECT_EQ(be(p + 8, 4), 0u) << "an empty cell is all zero bytes";
    else
      EXPECT_EQ(rawLong(p + 8), i * 3);
    EXPECT_EQ(rawNumber(p + 12), 1.5 * i);
    const std::string text(reinterpret_cast<const char*>(p + 20));
    EXPECT_EQ(text, std::string("Sentence caf\xE9 ") + std::to_string(i)) << "Alpha is stored in code page 1252";
    EXPECT_EQ(p[80], i % 2 == 0 ? 0x81 : 0x80);
    EXPECT_EQ(rawLong(p + 81), PX_GregorianToSdn(2001, 1, 1 + i % 28) - 1721425);
    EXPECT_EQ(rawShort(p + 85), i % 2 ? -i : i);
  }
}

TEST(ParadoxPxlib, WeReadTheTablesPxlibWrites) {
  PX_boot();
  TempDir dir;
  const std::string path = dir.path + "/px.db";
  {
    PxDoc px;
    // pxlib takes the field array over and frees it with the document.
    auto* fields = static_cast<pxfield_t*>(malloc(6 * sizeof(pxfield_t)));
    const char* names[] = {"Name", "Count", "Amount", "Flag", "Day", "Small"};
    const char types[] = {pxfAlpha, pxfLong, pxfNumber, pxfLogical, pxfDate, pxfShort};
    const int sizes[] = {30, 4, 8, 1, 4, 2};
    for (int i = 0; i < 6; ++i) fields[i] = pxfield_t{PX_strdup(px.doc, names[i]), types[i], sizes[i], 0};
    ASSERT_EQ(PX_create_file(px.doc, fields, 6, path.c_str(), pxfFileTypNonIndexDB), 0);
    PX_set_parameter(px.doc, "codepage", "1252");
    std::vector<char> rec(49);
    for (int i = 0; i < 150; ++i) {
      std::fill(rec.begin(), rec.end(), 0);
      std::string name = i == 3 ? "" : "Stra\xDF" "e " + std::to_string(i);
      PX_put_data_alpha(px.doc, rec.data(), 30, name.data());
      if (i != 3) PX_put_data_long(px.doc, rec.data() + 30, 4, -i * 1000);
      PX_put_data_double(px.doc, rec.data() + 34, 8, i / 4.0 - 10);
      PX_put_data_byte(px.doc, rec.data() + 42, 1, static_cast<char>(i % 3 == 0 ? 1 : 0));
      PX_put_data_long(px.doc, rec.data() + 43, 4, static_cast<int>(PX_GregorianToSdn(1990 + i % 20, 3, 15) - 1721425));
      PX_put_data_short(px.doc, rec.data() + 47, 2, static_cast<short>(i - 75));
      ASSERT_GE(PX_put_record(px.doc, rec.data()), 0);
    }
  }
  auto t = ParadoxTable::open(path);
  ASSERT_EQ(t->rowCount(), 150u);
  EXPECT_EQ(t->fields()[1].name, "Count");
  EXPECT_EQ(t->fields()[3].type, FieldType::Logical);
  size_t i = 0;
  for (t->first(); !t->eof(); t->next(), ++i) {
    EXPECT_EQ(t->textAt(0), i == 3 ? "" : "Stra\xC3\x9F" "e " + std::to_string(i));
    EXPECT_EQ(t->integerAt(1), i == 3 ? 0 : -static_cast<int>(i) * 1000);
    EXPECT_EQ(t->value(i, 2), Value(static_cast<double>(i) / 4.0 - 10));
    EXPECT_EQ(t->textAt(3), i % 3 == 0 ? "True" : "False");
    EXPECT_EQ(t->value(i, 4), Value(Date{1990 + static_cast<int32_t>(i % 20), 3, 15}));
    EXPECT_EQ(t->integerAt(5), static_cast<int>(i) - 75);
  }
  EXPECT_EQ(i, 150u);
}

// BCD fields as pxlib writes them (descriptor size byte = decimals, 17 record
// bytes) and as pxlib reads the cells we write.
TEST(ParadoxPxlib, PxlibAndWeAgreeOnBcdCells) {
  PX_boot();
  TempDir dir;
  const std::vector<std::string> typed{"-12.5", "123.45", "0", ""};
  const std::vector<std::string> shown{"-12.50", "123.45", "0.00", ""};
  const std::string theirs = dir.file("theirs.db");
  {
    PxDoc px;
    auto* fields = static_cast<pxfield_t*>(malloc(2 * sizeof(pxfield_t)));
    fields[0] = pxfield_t{PX_strdup(px.doc, "Amount"), pxfBCD, 17, 2};
    fields[1] = pxfield_t{PX_strdup(px.doc, "N"), pxfLong, 4, 0};
    ASSERT_EQ(PX_create_file(px.doc, fields, 2, theirs.c_str(), pxfFileTypNonIndexDB), 0);
    for (size_t i = 0; i < typed.size(); ++i) {
      std::vector<char> rec(21, 0);
      if (!typed[i].empty()) PX_put_data_bcd(px.doc, rec.data(), 2, const_cast<char*>(typed[i].c_str()));
      PX_put_data_long(px.doc, rec.data() + 17, 4, static_cast<int>(i));
      ASSERT_GE(PX_put_record(px.doc, rec.data()), 0);
    }
  }
  auto t = ParadoxTable::open(theirs);
  ASSERT_EQ(t->rowCount(), typed.size());
  EXPECT_EQ(t->fields()[0].decimals, 2);
  for (size_t i = 0; i < typed.size(); ++i) {
    EXPECT_EQ(t->displayText(i, 0), shown[i]);
    EXPECT_EQ(t->displayText(i, 1), std::to_string(i));
  }
  t->close();

  const std::string ours = dir.file("ours.db");
  const Field amount{"Amount", FieldType::Bcd, 0, 2};
  std::vector<Row> rows;
  for (const std::string& text : typed) rows.push_back({valueFromText(amount, text)});
  writeTable(ours, {amount}, rows);
  PxDoc px;
  ASSERT_EQ(PX_open_file(px.doc, ours.c_str()), 0);
  EXPECT_EQ(PX_get_fields(px.doc)[0].px_ftype, pxfBCD);
  EXPECT_EQ(PX_get_recordsize(px.doc), 17);
  std::vector<unsigned char> rec(17);
  for (int i = 0; i < 3; ++i) {
    ASSERT_NE(PX_get_record(px.doc, i, reinterpret_cast<char*>(rec.data())), nullptr);
    char* value = nullptr;
    ASSERT_GT(PX_get_data_bcd(px.doc, rec.data(), 2, &value), 0) << i;
    EXPECT_EQ(std::string(value), shown[static_cast<size_t>(i)]);
    px.doc->free(px.doc, value);
  }
}

TEST(ParadoxPxlib, PxlibReadsTablesAfterRowEdits) {
  PX_boot();
  TempDir dir;
  const std::string path = dir.path + "/edited.db";
  std::vector<Row> rows;
  for (int i = 0; i < 100; ++i) rows.push_back({i, std::string("r") + std::to_string(i)});
  writeTable(path, {{"N", FieldType::Long}, {"T", FieldType::Alpha, 30}}, rows);
  {
    auto t = ParadoxTable::open(path);
    for (int i = 0; i < 5; ++i) t->deleteRow(0);  // 60 records to a block: two blocks
    t->insertRow(10, {-1, std::string("inserted")});
    t->updateRow(0, {-2, std::string("updated")});
  }
  std::vector<std::string> expected{"-2 updated"};
  for (int i = 6; i < 15; ++i) expected.push_back(std::to_string(i) + " r" + std::to_string(i));
  expected.push_back("-1 inserted");
  for (int i = 15; i < 100; ++i) expected.push_back(std::to_string(i) + " r" + std::to_string(i));
  PxDoc px;
  ASSERT_EQ(PX_open_file(px.doc, path.c_str()), 0);
  ASSERT_EQ(PX_get_num_records(px.doc), 96);
  std::vector<std::string> got;
  std::vector<unsigned char> rec(34);
  for (int i = 0; i < 96; ++i) {
    ASSERT_NE(PX_get_record(px.doc, i, reinterpret_cast<char*>(rec.data())), nullptr);
    got.push_back(std::to_string(rawLong(rec.data())) + " " + std::string(reinterpret_cast<const char*>(rec.data() + 4)));
  }
  EXPECT_EQ(got, expected);
}

}  // namespace
}  // namespace zorvex::paradox
#endif
