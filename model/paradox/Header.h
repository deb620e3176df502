#pragma once
// The table header: counts, block layout, code page and the field list, read
// from a whole file image and checked before anything trusts it.
#include <cstdint>
#include <string>
#include <vector>

namespace zorvex::paradox {

enum class FieldType : uint8_t {
  Alpha = 0x01,
  Date = 0x02,
  Short = 0x03,
  Long = 0x04,
  Currency = 0x05,
  Number = 0x06,
  Logical = 0x09,
  Memo = 0x0C,
  Blob = 0x0D,
  FormattedMemo = 0x0E,
  Ole = 0x0F,
  Graphic = 0x10,
  Time = 0x14,
  Timestamp = 0x15,
  AutoInc = 0x16,
  Bcd = 0x17,
  Bytes = 0x18,
};

struct Field {
  std::string name;  // UTF-8
  FieldType type = FieldType::Alpha;
  int size = 0;      // bytes in the record
  int decimals = 0;  // BCD only: digits after the point, 0 to 32 (its descriptor's size byte)
};

// Type name as a user reads it ("Alpha", "Long", ...); "Unknown" for others.
const char* typeName(FieldType t);
bool isKnownType(uint8_t t);
bool isBlobType(FieldType t);
// Size check for a field's record bytes; the fixed-size types have one size only.
bool isValidFieldSize(FieldType t, int size);
// A BCD field's descriptor holds its number of decimals; its record width is always 17.
inline constexpr int MaxBcdDecimals = 32;
// The record size of a type with a fixed size, 0 for Alpha, Bytes and blobs.
int fixedSize(FieldType t);

struct TableHeader {
  uint16_t recordSize = 0;
  uint16_t headerSize = 0;
  uint8_t fileType = 0;
  uint8_t blockSizeKiB = 0;
  uint32_t recordCount = 0;
  uint16_t blocksInUse = 0;
  uint16_t firstBlock = 0;
  uint16_t lastBlock = 0;
  uint8_t version = 0;  // 3 = 3.0, 4 = 3.5, 5-9 = 4.x, 10-11 = 5.x, 12 = 7.x
  uint16_t codePage = 437;  // 0 when the header names none
  std::string sortOrder;    // the sort order's name after the field names, "" when absent
  uint32_t autoIncrement = 0;
  std::string tableName;  // as stored, in the table's code page
  std::vector<Field> fields;
  std::vector<int> offsets;  // byte offset of each field in a record
  std::vector<std::string> rawNames;  // field names as stored

  size_t blockSize() const { return size_t{blockSizeKiB} * 1024; }
};

// Offsets the writer and the editor patch.
namespace offsets {
inline constexpr size_t RecordSize = 0x00, HeaderSize = 0x02, FileType = 0x04, BlockSize = 0x05,
                        RecordCount = 0x06, NextBlock = 0x0A, BlocksInUse = 0x0C, FirstBlock = 0x0E,
                        LastBlock = 0x10, FieldCount = 0x21, Encryption1 = 0x25, MaxBlocks = 0x3A, Version = 0x39,
                        AutoInc = 0x49, Encryption2 = 0x5C, CodePage = 0x6A, FieldsV4 = 0x78, FieldsV3 = 0x58;
}

// Parses and checks the header; field names stay in the code page (the
// caller converts them). Throws ZorvexError "<file> is not a valid Paradox
// table: ..." or "<file> is encrypted".
TableHeader parseHeader(const std::vector<uint8_t>& file, const std::string& fileName);

[[noreturn]] void throwInvalid(const std::string& fileName, const std::string& what);

}  // namespace zorvex::paradox
