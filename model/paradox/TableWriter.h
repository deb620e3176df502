#pragma once
// Creating version 7 tables (non-indexed, 2048-byte header, code page 1252 by
// default) from a field list and rows, and rebuilding a table's blocks after
// an edit.
//
// Quick use, e.g. for the three diagram tables:
//
//   using namespace zorvex::paradox;
//   writeTable("SentencesDb.db",
//              {{"Left", FieldType::Long}, {"Top", FieldType::Long}, {"Right", FieldType::Long},
//               {"Bottom", FieldType::Long}, {"Text", FieldType::Alpha, 60}},
//              {{10, 20, 60, 35, std::string("Tweety flies")}});
//
// Each row holds one Value per field, in field order: int32_t for Short, Long
// and Autoincrement, double (or int32_t) for Number and Currency, Decimal (or
// int32_t) for BCD, UTF-8 std::string for Alpha, bool for Logical, Date,
// TimeOfDay, Timestamp, Bytes; std::monostate{} for an empty cell. An empty
// Autoincrement cell gets the next number. A field's size may be left 0 for
// the types of fixed size; a BCD field gives its decimals, as in
// {"Amount", FieldType::Bcd, 0, 2}.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "model/paradox/Header.h"
#include "model/paradox/Value.h"

namespace zorvex::paradox {

using Row = std::vector<Value>;

struct WriteOptions {
  int codePage = 1252;
  int blockSizeKiB = 0;   // 0: the smallest of 2, 4, 8, 16, 32 KiB that holds the rows
  std::string tableName;  // "" : the file name without its folder and extension
};

// The whole file in memory. Throws ZorvexError for a field list or a value
// the format cannot hold ("The value -2147483648 cannot be stored in the Long
// field 'Left'", "The text '…' cannot be stored in code page 1252", ...).
std::vector<uint8_t> buildTable(const std::vector<Field>& fields, const std::vector<Row>& rows,
                                const WriteOptions& options = {});
// The same with the rows handed over one at a time: `rowAt(r, row)` sets
// `row` to the values of row r (it may be called twice per row).
std::vector<uint8_t> buildTableByRows(const std::vector<Field>& fields, size_t rowCount,
                                      const std::function<void(size_t, Row&)>& rowAt, const WriteOptions& options = {});

// Builds the file, then replaces `path` atomically (temporary file in the same
// folder, fsync, rename). Refused with "Table <path> is busy: another program
// has it open" while someone holds the table open; on any failure the old
// file stays byte-identical and ZorvexError tells why.
void writeTable(const std::string& path, const std::vector<Field>& fields, const std::vector<Row>& rows,
                const WriteOptions& options = {});

// A table file from header bytes (copied, with counts and block fields
// patched) and records of `recordSize` bytes each, in table order.
std::vector<uint8_t> assembleTable(const uint8_t* header, size_t headerSize, size_t recordSize, size_t blockSizeKiB,
                                   const std::vector<const uint8_t*>& records);

// The block size assembleTable needs at least (2 KiB upwards), 0 when none does.
int chooseBlockSizeKiB(size_t recordSize, size_t recordCount, int minimumKiB = 2);

}  // namespace zorvex::paradox
