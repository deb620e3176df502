// Damaged and unusual table files: each reads as valid rows or gives a
// ZorvexError naming the file, never a crash, hang or over-read (this test
// also runs under AddressSanitizer).
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>

#include "model/ZorvexError.h"
#include "model/paradox/ParadoxTable.h"
#include "model/paradox/TableWriter.h"

namespace zorvex::paradox {
namespace {

void put16(std::vector<uint8_t>& f, size_t at, unsigned v) {
  f[at] = static_cast<uint8_t>(v);
  f[at + 1] = static_cast<uint8_t>(v >> 8);
}
void put32(std::vector<uint8_t>& f, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) f[at + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> (8 * i));
}

// Reads every cell every way; returns "" when it read, else the error text.
std::string probe(const std::vector<uint8_t>& bytes) {
  try {
    auto t = ParadoxTable::fromBytes(bytes, "bad.db");
    const int columns = static_cast<int>(t->fields().size());
    for (t->first(); !t->eof(); t->next())
      for (int c = 0; c < columns; ++c) {
        (void)t->displayText(t->currentRow(), c);
        // Text read as an integer throws on every row; once is enough here.
        const bool alpha = t->fields()[static_cast<size_t>(c)].type == FieldType::Alpha;
        try {
          if (!alpha || t->currentRow() == 0) (void)t->integerAt(c);
        } catch (const ZorvexError&) {
        }
        try {
          (void)t->textAt(c);
        } catch (const ZorvexError&) {
        }
      }
    return "";
  } catch (const ZorvexError& e) {
    return e.message();
  }
}

std::vector<uint8_t> sampleTable() {
  std::vector<Row> rows;
  for (int i = 0; i < 120; ++i) rows.push_back({i, -i, 3 * i, i + 5, std::string("Sentence ") + std::to_string(i)});
  return buildTable({{"Left", FieldType::Long}, {"Top", FieldType::Long}, {"Right", FieldType::Long},
                     {"Bottom", FieldType::Long}, {"Text", FieldType::Alpha, 60}},
                    rows);  // 76-byte records, 26 to a 2 KiB block: 5 blocks
}

// A 3.x table by hand: descriptors at 0x58, a 79-byte table name, no code
// page (437), 1 KiB blocks, chained 2 -> 3 -> 1 with 3 empty, and a file that
// ends right after the last record instead of on a block boundary.
std::vector<uint8_t> legacyTable() {
  const size_t header = 0x100, block = 1024, rec = 14;
  std::vector<uint8_t> f(header + 2 * block + 6 + 2 * rec, 0);
  put16(f, 0x00, rec);
  put16(f, 0x02, header);
  f[0x04] = 0;  // indexed
  f[0x05] = 1;
  put32(f, 0x06, 5);
  put16(f, 0x0C, 3);
  put16(f, 0x0E, 2);
  put16(f, 0x10, 1);
  put16(f, 0x21, 2);
  f[0x39] = 3;
  f[0x58] = 0x01, f[0x59] = 12, f[0x5A] = 0x03, f[0x5B] = 2;
  const size_t names = 0x58 + 4 + 4 + 8 + 79;
  std::memcpy(&f[names - 79], "old", 3);
  std::memcpy(&f[names], "Name\0Qty\0", 9);
  auto record = [&](size_t at, const char* name, int qty) {
    std::memcpy(&f[at], name, std::strlen(name));
    put16(f, at + 12, 0);
    f[at + 12] = static_cast<uint8_t>((qty + 0x8000) >> 8), f[at + 13] = static_cast<uint8_t>(qty + 0x8000);
  };
  const size_t b1 = header, b2 = header + block, b3 = header + 2 * block;
  put16(f, b1, 0), put16(f, b1 + 4, 2 * rec);  // last block, three records
  record(b1 + 6, "d", 4), record(b1 + 6 + rec, "e", 5), record(b1 + 6 + 2 * rec, "f", -6);
  put16(f, b2, 3), put16(f, b2 + 4, static_cast<unsigned>(-static_cast<int>(rec)));  // empty, then block 3
  put16(f, b3, 1), put16(f, b3 + 4, rec);
  record(b3 + 6, "caf\x82", 1), record(b3 + 6 + rec, "b", -2);
  put16(f, 0x0E, 2);
  return f;
}

TEST(ParadoxDamaged, A3xTableReadsAlongItsChain) {
  auto t = ParadoxTable::fromBytes(legacyTable(), "old.db");
  ASSERT_EQ(t->rowCount(), 5u);
  std::vector<std::string> rows;
  for (t->first(); !t->eof(); t->next()) rows.push_back(t->textAt(0) + "=" + std::to_string(t->integerAt(1)));
  EXPECT_EQ(rows, (std::vector<std::string>{"caf\xC3\xA9=1", "b=-2", "d=4", "e=5", "f=-6"}));
  EXPECT_EQ(t->codePage(), 437);
  // Its primary index would go stale, so its rows are not edited.
  const std::string path = testing::TempDir() + "zorvex-indexed-" + std::to_string(getpid()) + ".db";
  {
    std::ofstream out(path, std::ios::binary);
    const auto bytes = legacyTable();
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
  }
  auto onDisk = ParadoxTable::open(path);
  try {
    onDisk->deleteRow(0);
    ADD_FAILURE() << "an indexed table was edited";
  } catch (const ZorvexError& e) {
    EXPECT_EQ(e.message(), "Table " + path + " has a primary index and cannot be edited");
  }
  EXPECT_EQ(onDisk->rowCount(), 5u);
  onDisk->close();
  std::remove(path.c_str());
}

TEST(ParadoxDamaged, ClearMessagesForTypicalDamage) {
  const std::vector<uint8_t> good = sampleTable();
  ASSERT_EQ(probe(good), "");
  auto damaged = [&](auto change) {
    std::vector<uint8_t> f = good;
    change(f);
    return probe(f);
  };
  const std::string prefix = "bad.db is not a valid Paradox table: ";
  EXPECT_EQ(probe({}), prefix + "the file is empty");
  EXPECT_EQ(probe(std::vector<uint8_t>(good.begin(), good.begin() + 40)), prefix + "the file is too short");
  EXPECT_EQ(damaged([](auto& f) { put16(f, 2048, 1); }), prefix + "block 1 is linked twice");
  EXPECT_EQ(damaged([](auto& f) { put16(f, 2048 + 2 * 2048, 1); }), prefix + "block 1 is linked twice");
  EXPECT_EQ(damaged([](auto& f) { put16(f, 0x0E, 999); }), prefix + "block 999 lies outside the file");
  EXPECT_EQ(damaged([](auto& f) { put32(f, 0x06, 121); }), prefix + "the blocks hold 120 records, the header says 121");
  EXPECT_EQ(damaged([](auto& f) { put32(f, 0x06, 0xFFFFFFFF); }),
            prefix + "the record count 4294967295 does not fit in the file");
  EXPECT_EQ(damaged([](auto& f) { put32(f, 0x06, 119); }), prefix + "the blocks hold more records than the header's 119");
  EXPECT_EQ(damaged([](auto& f) { put16(f, 0x0C, 4); }), prefix + "the block chain is longer than the block count");
  EXPECT_EQ(damaged([](auto& f) { put16(f, 0, 0); }), prefix + "the record size is 0");
  EXPECT_EQ(damaged([](auto& f) { put16(f, 0x21, 0); }), prefix + "the field count 0 is out of range");
  EXPECT_EQ(damaged([](auto& f) { put16(f, 0x21, 60000); }), prefix + "the field count 60000 is out of range");
  EXPECT_EQ(damaged([](auto& f) { put16(f, 0x21, 200); }), prefix + "field 6 has the unknown type 0");
  EXPECT_EQ(damaged([](auto& f) { f[0x78] = 0x30; }), prefix + "field 1 has the unknown type 48");
  EXPECT_EQ(damaged([](auto& f) { f[0x79] = 5; }), prefix + "field 1 has the invalid size 5");
  EXPECT_EQ(damaged([](auto& f) { f[0x81] = 61; }), prefix + "the field sizes add up to 77, not to the record size 76");
  EXPECT_EQ(damaged([](auto& f) { put16(f, 2048 + 4, 75); }), prefix + "block 1 holds a partial record");
  EXPECT_EQ(damaged([](auto& f) { put16(f, 2048 + 4, 76 * 26); }), prefix + "the records of block 1 do not fit in it");
  EXPECT_EQ(damaged([](auto& f) { f[0x04] = 1; }), prefix + "file type 1 is not a data table");
  EXPECT_EQ(damaged([](auto& f) { f[0x39] = 99; }), prefix + "unknown file version 99");
  EXPECT_EQ(damaged([](auto& f) { f[0x05] = 3; }), prefix + "block size 3 KiB is not supported");
  EXPECT_EQ(damaged([](auto& f) { put16(f, 0x02, 0x90); }), prefix + "the field names do not fit in the header");
  EXPECT_EQ(damaged([](auto& f) { put16(f, 0x02, 60000); }), prefix + "the file is shorter than its header");
  EXPECT_EQ(damaged([](auto& f) { put32(f, 0x5C, 0x12345678); }), "bad.db is encrypted");
  std::vector<uint8_t> old = legacyTable();
  put32(old, 0x25, 0xABCD);
  EXPECT_EQ(probe(old), "bad.db is encrypted");
  // An empty block in the middle of the chain is skipped, not an error.
  EXPECT_EQ(damaged([](auto& f) { put16(f, 2048 + 4, static_cast<unsigned>(-76)), put32(f, 0x06, 94); }), "");
}

TEST(ParadoxDamaged, CorpusOfTruncatedFlippedAndForeignFiles) {
  const std::vector<std::vector<uint8_t>> bases{sampleTable(), legacyTable()};
  int cases = 0, readable = 0;
  auto run = [&](const std::vector<uint8_t>& f) {
    ++cases;
    const std::string m = probe(f);
    if (m.empty())
      ++readable;
    else
      EXPECT_EQ(m.rfind("bad.db ", 0), 0u) << m;
  };
  for (const auto& base : bases) {
    const size_t header = base[2] | base[3] << 8;
    for (size_t len = 0; len <= header + 8 && len < base.size(); ++len)
      run(std::vector<uint8_t>(base.begin(), base.begin() + static_cast<long>(len)));
    for (size_t len = header + 8; len < base.size(); len += 61)
      run(std::vector<uint8_t>(base.begin(), base.begin() + static_cast<long>(len)));
    for (size_t at = 0; at < std::min<size_t>(header, 0x1C0); ++at)
      for (uint8_t mask : {0x01, 0x80, 0xFF, 0x7F}) {
        std::vector<uint8_t> f = base;
        f[at] ^= mask;
        run(f);
      }
    // Every block header byte, set to a few telling values.
    for (size_t start = header; start + 6 <= base.size(); start += base[5] * 1024u)
      for (size_t at = start; at < start + 6; ++at)
        for (uint8_t v : {0x00, 0x01, 0x02, 0x05, 0x7F, 0x80, 0xFF}) {
          std::vector<uint8_t> f = base;
          f[at] = v;
          run(f);
        }
  }
  run(std::vector<uint8_t>(4096, 0));
  run(std::vector<uint8_t>(4096, 0xFF));
  const std::string text = "This is a plain text file, not a table at all.\n";
  run(std::vector<uint8_t>(text.begin(), text.end()));
  const uint8_t png[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
  std::vector<uint8_t> image(png, png + sizeof png);
  image.resize(3000, 0x42);
  run(image);
  EXPECT_GT(cases, 5000);
  EXPECT_GT(readable, 0);
  EXPECT_LT(readable, cases);
}

}  // namespace
}  // namespace zorvex::paradox
