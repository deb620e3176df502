#pragma once
// An in-memory table for loading tests: named columns, rows of cells that are
// either integers or texts, and an opener serving a set of such tables by file name.
#include <map>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "model/TableCursor.h"
#include "model/ZorvexError.h"

namespace zorvex::testing {

using Cell = std::variant<int32_t, std::string>;

struct FakeTableData {
  std::vector<std::string> columns;
  std::vector<std::vector<Cell>> rows;
  bool closed = false;
};

class FakeTable : public TableCursor {
 public:
  explicit FakeTable(FakeTableData& data) : data_(data) {}
  void first() override { row_ = 0; }
  bool eof() const override { return row_ >= data_.rows.size(); }
  void next() override { ++row_; }
  int columnIndex(std::string_view name) const override {
    for (size_t i = 0; i < data_.columns.size(); ++i)
      if (data_.columns[i] == name) return static_cast<int>(i);
    return -1;
  }
  int32_t integerAt(int column) const override {
    const Cell& c = data_.rows.at(row_).at(static_cast<size_t>(column));
    if (const auto* v = std::get_if<int32_t>(&c)) return *v;
    throw ZorvexError("'" + std::get<std::string>(c) + "' is not a valid integer value");
  }
  std::string textAt(int column) const override {
    const Cell& c = data_.rows.at(row_).at(static_cast<size_t>(column));
    if (const auto* v = std::get_if<std::string>(&c)) return *v;
    return std::to_string(std::get<int32_t>(c));
  }
  void close() override { data_.closed = true; }

 private:
  FakeTableData& data_;
  size_t row_ = 0;
};

struct FakeTables {
  std::map<std::string, FakeTableData> files;
  TableOpener opener() {
    return [this](const std::string& path) -> std::unique_ptr<TableCursor> {
      auto it = files.find(path);
      if (it == files.end()) throw ZorvexError("Cannot open file " + path);
      return std::make_unique<FakeTable>(it->second);
    };
  }
};

}  // namespace zorvex::testing
