#pragma once
// Reads one row object of a diagram file, with errors that name the row.
#include <array>
#include <initializer_list>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "model/ZorvexError.h"
#include "tools/DiagramRows.h"

namespace zorvex::tools {

class JsonRowReader {
 public:
  // Refuses a row that is not an object or has a key outside `allowed`.
  JsonRowReader(const nlohmann::json& row, std::string where, std::vector<std::string> allowed);
  JsonRowReader(const nlohmann::json& row, std::string where, std::initializer_list<const char*> allowed)
      : JsonRowReader(row, std::move(where), std::vector<std::string>(allowed.begin(), allowed.end())) {}
  template <class Row, size_t N>
  JsonRowReader(const nlohmann::json& row, std::string where, const std::array<Column<Row>, N>& columns)
      : JsonRowReader(row, std::move(where), names(columns)) {}

  bool has(const std::string& key) const { return row_.contains(key); }
  // Required values; a missing key, a wrong type or a value a Long column
  // cannot hold is an error.
  int32_t integer(const std::string& key) const;
  std::string text(const std::string& key) const;
  std::vector<int32_t> integerArray(const std::string& key, size_t count) const;

  template <class Row, size_t N>
  void readAll(Row& out, const std::array<Column<Row>, N>& columns) const {
    for (const auto& c : columns) {
      if (c.integer)
        out.*c.integer = integer(c.name);
      else
        out.*c.text = text(c.name);
    }
  }

  [[noreturn]] void fail(const std::string& what) const;
  // Runs a computation on the row, prefixing its failure with the row's name.
  template <class F>
  void guard(F f) const {
    try {
      f();
    } catch (const ZorvexError& e) {
      fail(e.message());
    }
  }

 private:
  template <class Row, size_t N>
  static std::vector<std::string> names(const std::array<Column<Row>, N>& columns) {
    std::vector<std::string> out;
    for (const auto& c : columns) out.emplace_back(c.name);
    return out;
  }
  int32_t toInteger(const nlohmann::json& v, const std::string& what) const;
  const nlohmann::json& value(const std::string& key) const;

  const nlohmann::json& row_;
  std::string where_;
};

}  // namespace zorvex::tools
