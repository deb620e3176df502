#include "model/paradox/TableWriter.h"

#include <strings.h>

#include <algorithm>
#include <cstring>

#include "model/ZorvexError.h"
#include "model/paradox/Bytes.h"
#include "model/paradox/CodePage.h"
#include "model/paradox/FieldCodec.h"
#include "model/paradox/FileIo.h"

namespace zorvex::paradox {
namespace {

constexpr size_t HeaderSize = 2048;
constexpr size_t TableNameLength = 261;
constexpr size_t MaxFieldNameLength = 25;
constexpr size_t MaxBlocks = 65535;

std::string defaultTableName(const std::string& path) {
  std::string base = path.substr(path.rfind('/') == std::string::npos ? 0 : path.rfind('/') + 1);
  const size_t dot = base.rfind('.');
  return dot == std::string::npos || dot == 0 ? base : base.substr(0, dot);
}

std::vector<Field> checkedFields(const std::vector<Field>& in) {
  if (in.empty() || in.size() > 255) throw ZorvexError("A table needs between 1 and 255 fields");
  std::vector<Field> fields = in;
  size_t recordSize = 0;
  for (size_t i = 0; i < fields.size(); ++i) {
    Field& f = fields[i];
    if (!isKnownType(static_cast<uint8_t>(f.type)) || isBlobType(f.type))
      throw ZorvexError(std::string("Fields of type ") + typeName(f.type) + " cannot be created");
    if (f.size == 0) f.size = fixedSize(f.type);
    if (!isValidFieldSize(f.type, f.size))
      throw ZorvexError("The size " + std::to_string(f.size) + " is not valid for the " + typeName(f.type) +
                        " field '" + f.name + "'");
    if (f.type != FieldType::Bcd) f.decimals = 0;
    if (f.decimals < 0 || f.decimals > MaxBcdDecimals)
      throw ZorvexError("The BCD field '" + f.name + "' cannot have " + std::to_string(f.decimals) + " decimals");
    if (f.name.empty()) throw ZorvexError("Field " + std::to_string(i + 1) + " has no name");
    for (size_t j = 0; j < i; ++j)
      if (strcasecmp(fields[j].name.c_str(), f.name.c_str()) == 0)
        throw ZorvexError("The field name '" + f.name + "' is used twice");
    recordSize += static_cast<size_t>(f.size);
  }
  if (recordSize > 4000) throw ZorvexError("The record of " + std::to_string(recordSize) + " bytes is too long");
  return fields;
}

// The fixed part as pxlib writes it for a version 7 table.
void writeFixedPart(uint8_t* p, const std::vector<Field>& fields, const CodePage& cp, int blockSizeKiB,
                    uint32_t autoInc) {
  size_t recordSize = 0;
  for (const Field& f : fields) recordSize += static_cast<size_t>(f.size);
  writeLe16(p + offsets::RecordSize, static_cast<uint32_t>(recordSize));
  writeLe16(p + offsets::HeaderSize, HeaderSize);
  p[offsets::FileType] = 2;
  p[offsets::BlockSize] = static_cast<uint8_t>(blockSizeKiB);
  writeLe16(p + offsets::FieldCount, static_cast<uint32_t>(fields.size()));
  writeLe32(p + offsets::Encryption1, 0xFF00FF00u);
  p[0x29] = 0x62;  // sort order
  p[0x2D] = 0x02;
  p[0x2E] = 0x01;
  p[offsets::Version] = 12;
  p[0x3E] = 0x1F;
  p[0x3F] = 0x0F;
  writeLe32(p + offsets::AutoInc, autoInc);
  const uint8_t engineInfo[] = {0xDD, 0x01, 0x00, 0x00, 0xF0, 0x20, 0x00, 0x0C, 0x01, 0x0C, 0x01};
  std::memcpy(p + 0x51, engineInfo, sizeof engineInfo);
  writeLe16(p + 0x64, static_cast<uint32_t>(fields.size() + 1));
  p[0x66] = 0x6E;
  p[0x67] = 0x01;
  writeLe16(p + offsets::CodePage, static_cast<uint32_t>(cp.number()));
  const uint8_t tail[] = {0x01, 0x01, 0x7C, 0x01};
  std::memcpy(p + 0x6C, tail, sizeof tail);
}

// After the fixed part, as in tables pxlib writes: the descriptors, zero name
// pointers (engines keep memory addresses there), the table name, the field
// names, the field numbers and the sort order's name.
std::vector<uint8_t> buildHeader(const std::vector<Field>& fields, const CodePage& cp, const std::string& tableName,
                                 int blockSizeKiB, uint32_t autoInc) {
  std::vector<uint8_t> h(HeaderSize, 0);
  writeFixedPart(h.data(), fields, cp, blockSizeKiB, autoInc);
  const size_t n = fields.size();
  std::string rest;
  for (const Field& f : fields) {
    rest += static_cast<char>(f.type);
    rest += static_cast<char>(f.type == FieldType::Bcd ? f.decimals : f.size);  // BCD: its decimals
  }
  rest.append(4 + 4 * n, '\0');
  std::string name = cp.fromUtf8(tableName);
  name = name.substr(0, std::min(name.find('\0'), TableNameLength - 1));
  rest += name;
  rest.append(TableNameLength - name.size(), '\0');
  for (const Field& f : fields) {
    const std::string raw = cp.fromUtf8(f.name);
    if (raw.size() > MaxFieldNameLength || raw.find('\0') != std::string::npos)
      throw ZorvexError("The field name '" + f.name + "' is longer than 25 characters");
    rest += raw;
    rest += '\0';
  }
  for (size_t i = 1; i <= n; ++i) {
    rest += static_cast<char>(i & 0xFF);
    rest += static_cast<char>(i >> 8);
  }
  rest += std::string("ANSIINTL") + '\0';
  if (offsets::FieldsV4 + rest.size() > HeaderSize) throw ZorvexError("The field names do not fit in the table header");
  std::memcpy(h.data() + offsets::FieldsV4, rest.data(), rest.size());
  return h;
}

// Empty Autoincrement cells get the next number after the largest so far:
// `last` starts at the largest number the rows hold.
std::vector<size_t> autoincrementColumns(const std::vector<Field>& fields) {
  std::vector<size_t> columns;
  for (size_t c = 0; c < fields.size(); ++c)
    if (fields[c].type == FieldType::AutoInc) columns.push_back(c);
  return columns;
}

void noteLargest(const Row& r, const std::vector<size_t>& autoCols, uint32_t& last) {
  for (size_t c : autoCols)
    if (c < r.size())
      if (const auto* v = std::get_if<int32_t>(&r[c]); v != nullptr && *v > 0)
        last = std::max(last, static_cast<uint32_t>(*v));
}

void number(Row& r, const std::vector<size_t>& autoCols, uint32_t& last) {
  for (size_t c : autoCols)
    if (c < r.size() && isEmpty(r[c])) {
      if (last >= 2147483647u) throw ZorvexError("Integer overflow");
      r[c] = static_cast<int32_t>(++last);
    }
}

// Where each record goes in a table file: blocks of `blockSizeKiB`, each
// with its 6-byte header and as many records as fit.
struct BlockLayout {
  size_t headerSize, recordSize, block, perBlock, blocks, count;

  BlockLayout(size_t header, size_t record, size_t blockSizeKiB, size_t records)
      : headerSize(header), recordSize(record), block(blockSizeKiB * 1024), count(records) {
    if (headerSize < offsets::FieldsV3 || recordSize == 0 || recordSize + 6 > block)
      throw ZorvexError("The table layout is not valid");
    perBlock = (block - 6) / recordSize;
    blocks = (count + perBlock - 1) / perBlock;
    if (blocks > MaxBlocks) throw ZorvexError("The table is full: " + std::to_string(count) + " rows");
  }
  uint8_t* record(std::vector<uint8_t>& file, size_t r) const {
    return file.data() + headerSize + (r / perBlock) * block + 6 + (r % perBlock) * recordSize;
  }
  // The file with zero records, its blocks chained and counted.
  std::vector<uint8_t> emptyFile() const {
    std::vector<uint8_t> out(headerSize + blocks * block, 0);
    for (size_t b = 0; b < blocks; ++b) {
      uint8_t* bp = out.data() + headerSize + b * block;
      const size_t inBlock = std::min(perBlock, count - b * perBlock);
      writeLe16(bp, b + 1 < blocks ? static_cast<uint32_t>(b + 2) : 0);
      writeLe16(bp + 2, static_cast<uint32_t>(b));
      writeLe16(bp + 4, static_cast<uint32_t>((inBlock - 1) * recordSize));
    }
    return out;
  }
  // Copies the header in and patches its counts and block fields.
  void putHeader(std::vector<uint8_t>& file, const uint8_t* header) const {
    uint8_t* p = file.data();
    std::memcpy(p, header, headerSize);
    writeLe32(p + offsets::RecordCount, static_cast<uint32_t>(count));
    writeLe16(p + offsets::NextBlock, static_cast<uint32_t>(blocks));
    writeLe16(p + offsets::BlocksInUse, static_cast<uint32_t>(blocks));
    writeLe16(p + offsets::FirstBlock, blocks > 0 ? 1 : 0);
    writeLe16(p + offsets::LastBlock, static_cast<uint32_t>(blocks));
    writeLe16(p + offsets::MaxBlocks, static_cast<uint32_t>(blocks));
  }
};

}  // namespace

int chooseBlockSizeKiB(size_t recordSize, size_t recordCount, int minimumKiB) {
  for (int kib = minimumKiB; kib <= 32; kib *= 2) {
    const size_t block = static_cast<size_t>(kib) * 1024;
    if (recordSize == 0 || recordSize + 6 > block) continue;
    const size_t perBlock = (block - 6) / recordSize;
    if ((recordCount + perBlock - 1) / perBlock <= MaxBlocks) return kib;
  }
  return 0;
}

std::vector<uint8_t> assembleTable(const uint8_t* header, size_t headerSize, size_t recordSize, size_t blockSizeKiB,
                                   const std::vector<const uint8_t*>& records) {
  const BlockLayout layout(headerSize, recordSize, blockSizeKiB, records.size());
  std::vector<uint8_t> out = layout.emptyFile();
  layout.putHeader(out, header);
  for (size_t r = 0; r < records.size(); ++r) std::memcpy(layout.record(out, r), records[r], recordSize);
  return out;
}

std::vector<uint8_t> buildTable(const std::vector<Field>& fields, const std::vector<Row>& rows,
                                const WriteOptions& options) {
  return buildTableByRows(
      fields, rows.size(), [&rows](size_t r, Row& row) { row = rows[r]; }, options);
}

// Each record is encoded straight into its place in the file, so a large
// table costs its file and one row, not a Value per cell besides.
std::vector<uint8_t> buildTableByRows(const std::vector<Field>& fieldsIn, size_t rowCount,
                                      const std::function<void(size_t, Row&)>& rowAt, const WriteOptions& options) {
  const std::vector<Field> fields = checkedFields(fieldsIn);
  const CodePage cp(options.codePage);
  const std::vector<size_t> autoCols = autoincrementColumns(fields);
  uint32_t lastAuto = 0;
  Row row;
  if (!autoCols.empty())
    for (size_t r = 0; r < rowCount; ++r) rowAt(r, row), noteLargest(row, autoCols, lastAuto);
  size_t recordSize = 0;
  for (const Field& f : fields) recordSize += static_cast<size_t>(f.size);
  int kib = options.blockSizeKiB;
  if (kib == 0) kib = chooseBlockSizeKiB(recordSize, rowCount);
  if (kib == 0 || chooseBlockSizeKiB(recordSize, rowCount, kib) != kib)
    throw ZorvexError("The table cannot hold " + std::to_string(rowCount) + " rows in blocks of this size");
  const BlockLayout layout(HeaderSize, recordSize, static_cast<size_t>(kib), rowCount);
  std::vector<uint8_t> out = layout.emptyFile();
  for (size_t r = 0; r < rowCount; ++r) {
    rowAt(r, row);
    number(row, autoCols, lastAuto);
    if (row.size() != fields.size())
      throw ZorvexError("Row " + std::to_string(r + 1) + " has " + std::to_string(row.size()) + " values for " +
                        std::to_string(fields.size()) + " fields");
    uint8_t* rec = layout.record(out, r);
    for (size_t c = 0, off = 0; c < fields.size(); off += static_cast<size_t>(fields[c].size), ++c)
      encodeField(fields[c], row[c], rec + off, cp);
  }
  const std::string name = options.tableName.empty() ? "table" : options.tableName;
  layout.putHeader(out, buildHeader(fields, cp, name, kib, lastAuto).data());
  return out;
}

void writeTable(const std::string& path, const std::vector<Field>& fields, const std::vector<Row>& rows,
                const WriteOptions& options) {
  WriteOptions named = options;
  if (named.tableName.empty()) named.tableName = defaultTableName(path);
  const std::vector<uint8_t> bytes = buildTable(fields, rows, named);
  FileLock old = lockIfExists(path);
  FileLock fresh = replaceFile(path, bytes);
}

}  // namespace zorvex::paradox
