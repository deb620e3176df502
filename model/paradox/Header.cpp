#include "model/paradox/Header.h"

#include <cstring>

#include "model/ZorvexError.h"
#include "model/paradox/Bytes.h"

namespace zorvex::paradox {

void throwInvalid(const std::string& fileName, const std::string& what) {
  throw ZorvexError(fileName + " is not a valid Paradox table: " + what);
}

const char* typeName(FieldType t) {
  switch (t) {
    case FieldType::Alpha: return "Alpha";
    case FieldType::Date: return "Date";
    case FieldType::Short: return "Short";
    case FieldType::Long: return "Long";
    case FieldType::Currency: return "Currency";
    case FieldType::Number: return "Number";
    case FieldType::Logical: return "Logical";
    case FieldType::Memo: return "Memo";
    case FieldType::Blob: return "BLOb";
    case FieldType::FormattedMemo: return "Formatted memo";
    case FieldType::Ole: return "OLE";
    case FieldType::Graphic: return "Graphic";
    case FieldType::Time: return "Time";
    case FieldType::Timestamp: return "Timestamp";
    case FieldType::AutoInc: return "Autoincrement";
    case FieldType::Bcd: return "BCD";
    case FieldType::Bytes: return "Bytes";
  }
  return "Unknown";
}

bool isKnownType(uint8_t t) {
  return (t >= 0x01 && t <= 0x06) || t == 0x09 || (t >= 0x0C && t <= 0x10) || (t >= 0x14 && t <= 0x18);
}

bool isBlobType(FieldType t) { return static_cast<uint8_t>(t) >= 0x0C && static_cast<uint8_t>(t) <= 0x10; }

int fixedSize(FieldType t) {
  switch (t) {
    case FieldType::Logical: return 1;
    case FieldType::Short: return 2;
    case FieldType::Date:
    case FieldType::Long:
    case FieldType::Time:
    case FieldType::AutoInc: return 4;
    case FieldType::Currency:
    case FieldType::Number:
    case FieldType::Timestamp: return 8;
    case FieldType::Bcd: return 17;
    default: return 0;
  }
}

bool isValidFieldSize(FieldType t, int size) {
  if (isBlobType(t)) return size >= 10 && size <= 250;
  if (t == FieldType::Alpha || t == FieldType::Bytes) return size >= 1 && size <= 255;
  return size == fixedSize(t);
}

namespace {

// Reads a NUL-terminated name starting at `pos`, which must end before `end`.
bool readName(const std::vector<uint8_t>& f, size_t& pos, size_t end, std::string& out) {
  const uint8_t* start = f.data() + pos;
  const void* nul = std::memchr(start, 0, end > pos ? end - pos : 0);
  if (nul == nullptr) return false;
  const size_t len = static_cast<size_t>(static_cast<const uint8_t*>(nul) - start);
  out.assign(reinterpret_cast<const char*>(start), len);
  pos += len + 1;
  return true;
}

void checkEncryption(const std::vector<uint8_t>& f, const TableHeader& h, const std::string& name) {
  const size_t at = h.version >= 5 ? offsets::Encryption2 : offsets::Encryption1;
  const uint32_t enc = readLe32(f.data() + at);
  if (enc != 0 && enc != 0xFF00FF00u) throw ZorvexError(name + " is encrypted");
}

void readFixedPart(const std::vector<uint8_t>& f, TableHeader& h, const std::string& name) {
  const uint8_t* p = f.data();
  h.recordSize = readLe16(p + offsets::RecordSize);
  h.headerSize = readLe16(p + offsets::HeaderSize);
  h.fileType = p[offsets::FileType];
  h.blockSizeKiB = p[offsets::BlockSize];
  h.recordCount = readLe32(p + offsets::RecordCount);
  h.blocksInUse = readLe16(p + offsets::BlocksInUse);
  h.firstBlock = readLe16(p + offsets::FirstBlock);
  h.lastBlock = readLe16(p + offsets::LastBlock);
  h.version = p[offsets::Version];
  h.autoIncrement = readLe32(p + offsets::AutoInc);
  if (h.fileType != 0 && h.fileType != 2)
    throwInvalid(name, "file type " + std::to_string(h.fileType) + " is not a data table");
  if (h.version < 3 || h.version > 12) throwInvalid(name, "unknown file version " + std::to_string(h.version));
  const size_t fixedEnd = h.version >= 5 ? offsets::FieldsV4 : offsets::FieldsV3;
  if (f.size() < fixedEnd) throwInvalid(name, "the file is too short");
  if (h.headerSize < fixedEnd) throwInvalid(name, "the header size " + std::to_string(h.headerSize) + " is too small");
  checkEncryption(f, h, name);
  const uint8_t b = h.blockSizeKiB;
  if (b != 1 && b != 2 && b != 4 && b != 8 && b != 16 && b != 32)
    throwInvalid(name, "block size " + std::to_string(b) + " KiB is not supported");
  if (h.recordSize == 0) throwInvalid(name, "the record size is 0");
  if (h.recordSize + 6u > h.blockSize()) throwInvalid(name, "a record does not fit in a block");
  if (h.headerSize > f.size()) throwInvalid(name, "the file is shorter than its header");
  h.codePage = h.version >= 5 ? readLe16(p + offsets::CodePage) : 437;
}

void readFields(const std::vector<uint8_t>& f, TableHeader& h, const std::string& name) {
  const size_t count = readLe16(f.data() + offsets::FieldCount);
  if (count == 0 || count > 255) throwInvalid(name, "the field count " + std::to_string(count) + " is out of range");
  const size_t descStart = h.version >= 5 ? offsets::FieldsV4 : offsets::FieldsV3;
  const size_t end = h.headerSize;
  if (descStart + count * 2 > end) throwInvalid(name, "the field descriptors do not fit in the header");
  int sum = 0;
  for (size_t i = 0; i < count; ++i) {
    const uint8_t type = f[descStart + 2 * i], size = f[descStart + 2 * i + 1];
    if (!isKnownType(type))
      throwInvalid(name, "field " + std::to_string(i + 1) + " has the unknown type " + std::to_string(type));
    Field field;
    field.type = static_cast<FieldType>(type);
    field.size = size;
    if (field.type == FieldType::Bcd) {
      // The size byte counts decimals; the record always holds 17 bytes.
      if (size > MaxBcdDecimals)
        throwInvalid(name, "field " + std::to_string(i + 1) + " has " + std::to_string(size) + " decimals");
      field.decimals = size;
      field.size = fixedSize(FieldType::Bcd);
    } else if (!isValidFieldSize(field.type, size)) {
      throwInvalid(name, "field " + std::to_string(i + 1) + " has the invalid size " + std::to_string(size));
    }
    h.offsets.push_back(sum);
    sum += field.size;
    h.fields.push_back(field);
  }
  if (sum != h.recordSize)
    throwInvalid(name, "the field sizes add up to " + std::to_string(sum) + ", not to the record size " +
                           std::to_string(h.recordSize));
  // The pointers after the descriptors are the engine's memory addresses, not
  // file offsets; the names follow them in order.
  const size_t tableNameLen = h.version >= 12 ? 261 : 79;
  size_t pos = descStart + count * 2 + 4 + count * 4;
  if (pos + tableNameLen > end) throwInvalid(name, "the field names do not fit in the header");
  size_t tpos = pos;
  if (!readName(f, tpos, pos + tableNameLen, h.tableName))
    h.tableName.assign(f.begin() + static_cast<long>(pos), f.begin() + static_cast<long>(pos + tableNameLen));
  pos += tableNameLen;
  for (size_t i = 0; i < count; ++i) {
    std::string raw;
    if (!readName(f, pos, end, raw)) throwInvalid(name, "the field names do not fit in the header");
    h.rawNames.push_back(std::move(raw));
  }
  // Then one field number per field and the sort order's name. Older headers
  // may stop before them, so a missing name is no fault.
  pos += count * 2;
  if (pos < end && !readName(f, pos, end, h.sortOrder)) h.sortOrder.clear();
}

}  // namespace

TableHeader parseHeader(const std::vector<uint8_t>& file, const std::string& fileName) {
  if (file.empty()) throwInvalid(fileName, "the file is empty");
  if (file.size() < offsets::FieldsV3) throwInvalid(fileName, "the file is too short");
  TableHeader h;
  readFixedPart(file, h, fileName);
  readFields(file, h, fileName);
  return h;
}

}  // namespace zorvex::paradox
