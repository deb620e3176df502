#include "model/paradox/TableReader.h"

#include <strings.h>

#include "model/paradox/Bytes.h"
#include "model/paradox/FieldCodec.h"
#include "model/paradox/SortOrder.h"

namespace zorvex::paradox {

TableData::TableData(std::vector<uint8_t> bytes, const std::string& fileName)
    : fileName_(fileName), bytes_(std::move(bytes)), header_(parseHeader(bytes_, fileName)) {
  // 3.x tables carry no code page (the header gives 437). A field of 0 names
  // none: then the sort order may name the character set, else 1252.
  int cp = header_.codePage;
  if (cp == 0) cp = codePageOfSortOrder(header_.sortOrder);
  codePage_ = std::make_unique<CodePage>(cp == 0 ? 1252 : cp);
  for (size_t i = 0; i < header_.fields.size(); ++i) header_.fields[i].name = codePage_->toUtf8(header_.rawNames[i]);
  indexRecords();
}

void TableData::indexRecords() {
  const TableHeader& h = header_;
  const size_t fileSize = bytes_.size(), blockSize = h.blockSize(), recSize = h.recordSize;
  if (fileSize > UINT32_MAX) throwInvalid(fileName_, "the file is too large");
  const size_t dataSize = fileSize - h.headerSize;
  // A 3.x file need not end on a block boundary: a block may be cut short.
  const size_t blocksInFile = (dataSize + blockSize - 1) / blockSize;
  if (h.recordCount > dataSize / recSize)
    throwInvalid(fileName_, "the record count " + std::to_string(h.recordCount) + " does not fit in the file");
  records_.reserve(h.recordCount);
  std::vector<bool> seen(blocksInFile + 1, false);
  size_t visited = 0;
  for (size_t block = h.firstBlock; block != 0;) {
    if (block > blocksInFile) throwInvalid(fileName_, "block " + std::to_string(block) + " lies outside the file");
    if (seen[block]) throwInvalid(fileName_, "block " + std::to_string(block) + " is linked twice");
    if (++visited > h.blocksInUse) throwInvalid(fileName_, "the block chain is longer than the block count");
    seen[block] = true;
    const size_t start = h.headerSize + (block - 1) * blockSize;
    if (start + 6 > fileSize) throwInvalid(fileName_, "block " + std::to_string(block) + " is cut short");
    const uint8_t* p = bytes_.data() + start;
    const auto addDataSize = static_cast<int16_t>(readLe16(p + 4));
    if (addDataSize >= 0) {
      if (static_cast<size_t>(addDataSize) % recSize != 0)
        throwInvalid(fileName_, "block " + std::to_string(block) + " holds a partial record");
      const size_t count = static_cast<size_t>(addDataSize) / recSize + 1;
      if (6 + count * recSize > blockSize || start + 6 + count * recSize > fileSize)
        throwInvalid(fileName_, "the records of block " + std::to_string(block) + " do not fit in it");
      if (records_.size() + count > h.recordCount)
        throwInvalid(fileName_, "the blocks hold more records than the header's " + std::to_string(h.recordCount));
      for (size_t i = 0; i < count; ++i) records_.push_back(static_cast<uint32_t>(start + 6 + i * recSize));
    }
    block = readLe16(p);
  }
  if (records_.size() != h.recordCount)
    throwInvalid(fileName_, "the blocks hold " + std::to_string(records_.size()) + " records, the header says " +
                                std::to_string(h.recordCount));
}

int TableData::columnIndex(std::string_view name) const {
  const auto& f = header_.fields;
  for (size_t i = 0; i < f.size(); ++i)
    if (f[i].name == name) return static_cast<int>(i);
  for (size_t i = 0; i < f.size(); ++i)
    if (f[i].name.size() == name.size() && strncasecmp(f[i].name.data(), name.data(), name.size()) == 0)
      return static_cast<int>(i);
  return -1;
}

Value TableData::value(size_t row, int column) const {
  return decodeField(header_.fields[static_cast<size_t>(column)], cell(row, column), *codePage_);
}

}  // namespace zorvex::paradox
