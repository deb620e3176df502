#pragma once
// Tables the program holds open outside the table views. Loading leaves a
// table open when it fails part-way through it; the view of that file then
// takes this very table over instead of opening the file a second time, which
// the table's own lock would refuse as busy.
#include <memory>
#include <string>

#include "model/TableCursor.h"
#include "model/paradox/ParadoxTable.h"

namespace zorvex {

// A table listed as held from its opening until it is closed or destroyed.
class HeldTable : public TableCursor {
 public:
  explicit HeldTable(std::shared_ptr<paradox::ParadoxTable> table);
  ~HeldTable() override;
  HeldTable(const HeldTable&) = delete;
  HeldTable& operator=(const HeldTable&) = delete;

  void first() override { table_->first(); }
  bool eof() const override { return table_->eof(); }
  void next() override { table_->next(); }
  int columnIndex(std::string_view name) const override { return table_->columnIndex(name); }
  int32_t integerAt(int column) const override { return table_->integerAt(column); }
  std::string textAt(int column) const override { return table_->textAt(column); }
  void close() override;
  int64_t rowCountHint() const override { return table_->rowCountHint(); }

 private:
  std::shared_ptr<paradox::ParadoxTable> table_;
};

// Opens and locks the table file at `path` as a HeldTable; throws as
// ParadoxTable::open does.
std::unique_ptr<TableCursor> openHeldTable(const std::string& path);

// The open held table of the file at `path` (however the path is spelt), or
// nullptr. The caller takes it over: it is no longer listed, and closing it
// releases the file for good.
std::shared_ptr<paradox::ParadoxTable> takeHeldTable(const std::string& path);

}  // namespace zorvex
