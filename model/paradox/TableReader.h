#pragma once
// A whole table file in memory: its checked header, its field list and the
// offset of every record along the block chain, found once when it is loaded.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/paradox/CodePage.h"
#include "model/paradox/Header.h"
#include "model/paradox/Value.h"

namespace zorvex::paradox {

class TableData {
 public:
  // Checks the header and walks the block chain: every block number against
  // the file size, no block twice, at most the header's block count, each
  // block's record count within the block, and the total equal to the
  // header's. Throws ZorvexError naming `fileName` when anything is wrong.
  TableData(std::vector<uint8_t> bytes, const std::string& fileName);

  const std::string& fileName() const { return fileName_; }
  const TableHeader& header() const { return header_; }
  const std::vector<Field>& fields() const { return header_.fields; }
  size_t rowCount() const { return records_.size(); }
  const CodePage& codePage() const { return *codePage_; }
  const std::vector<uint8_t>& bytes() const { return bytes_; }

  // Column number for a name (exact match first, then ignoring ASCII letter case); -1 when absent.
  int columnIndex(std::string_view name) const;
  const uint8_t* record(size_t row) const { return bytes_.data() + records_[row]; }
  const uint8_t* cell(size_t row, int column) const { return record(row) + header_.offsets[static_cast<size_t>(column)]; }
  Value value(size_t row, int column) const;

 private:
  void indexRecords();

  std::string fileName_;
  std::vector<uint8_t> bytes_;
  TableHeader header_;
  std::unique_ptr<CodePage> codePage_;
  std::vector<uint32_t> records_;
};

}  // namespace zorvex::paradox
