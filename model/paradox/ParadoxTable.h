#pragma once
// An open table: the TableCursor loading needs, generic access for table
// views, and row edits written straight to the file. The file stays locked
// (flock LOCK_EX) from open to close, so a second opener, in this process or
// another, is refused as busy.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/TableCursor.h"
#include "model/paradox/FileIo.h"
#include "model/paradox/TableReader.h"
#include "model/paradox/TableWriter.h"
#include "model/paradox/Value.h"

namespace zorvex::paradox {

class ParadoxTable : public TableCursor {
 public:
  // Opens and locks `path`, reads it whole and indexes its records. Throws
  // "Cannot open file <path>", "Table <path> is busy: another program has it
  // open", "<path> is not a valid Paradox table: <why>", "<path> is encrypted".
  static std::unique_ptr<ParadoxTable> open(const std::string& path);
  // A table image with no file behind it (no lock; edits are refused).
  static std::unique_ptr<ParadoxTable> fromBytes(std::vector<uint8_t> bytes, const std::string& name);

  // TableCursor
  void first() override { row_ = 0; }
  bool eof() const override { return !data_ || row_ >= data_->rowCount(); }
  void next() override;
  int columnIndex(std::string_view name) const override;
  int32_t integerAt(int column) const override;
  std::string textAt(int column) const override;
  void textInto(int column, std::string& out) const override;
  bool integersAt(const int* columns, size_t count, int32_t* out) const override;
  void close() override;

  bool isOpen() const { return data_ != nullptr; }
  const std::string& path() const { return path_; }
  const std::vector<Field>& fields() const;
  size_t rowCount() const;
  int64_t rowCountHint() const override { return data_ ? static_cast<int64_t>(rowCount()) : -1; }
  size_t currentRow() const { return row_; }
  void moveTo(size_t row) { row_ = row; }
  int codePage() const;
  Value value(size_t row, int column) const;
  std::string displayText(size_t row, int column) const;
  Row row(size_t row) const;

  // Edits rewrite the file atomically; on failure the file and this table
  // stay as they were. Empty Autoincrement cells get the next number.
  void updateRow(size_t row, const Row& values);
  void insertRow(size_t position, const Row& values);
  void deleteRow(size_t row);
  void appendRow(const Row& values) { insertRow(rowCount(), values); }

 private:
  ParadoxTable(std::unique_ptr<TableData> data, FileLock lock, std::string path);
  const TableData& data() const;
  const Field& field(int column) const;
  std::vector<uint8_t> encodeRow(const Row& values) const;
  void rewrite(std::vector<const uint8_t*> records, uint32_t autoInc);

  std::unique_ptr<TableData> data_;
  FileLock lock_;
  std::string path_;
  size_t row_ = 0;
};

// The opener for LoadElements and the table views.
std::unique_ptr<TableCursor> openTable(const std::string& path);
TableOpener tableOpener();

}  // namespace zorvex::paradox
