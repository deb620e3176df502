#pragma once
// Reads the cells of one row of a diagram file, with errors that name the
// row ("arrows[2]: missing 'EndX'").
#include <array>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "model/ZorvexError.h"
#include "store/DiagramRows.h"
#include "store/JsonRow.h"

namespace zorvex {

class JsonRowReader {
 public:
  // Refuses a row that is not an object or has a key its list does not know.
  explicit JsonRowReader(const JsonRow& row);

  bool has(std::string_view key) const { return row_.has(key); }
  // Required values; a missing key, a wrong type or a value a Long column
  // cannot hold is an error.
  int32_t integer(std::string_view key) const;
  std::string text(std::string_view key) const;
  std::vector<int32_t> integerArray(std::string_view key, size_t count) const;

  template <class Row, size_t N>
  void readAll(Row& out, const std::array<Column<Row>, N>& columns) const {
    for (const auto& c : columns) {
      if (c.integer)
        out.*c.integer = integer(c.name);
      else
        out.*c.text = text(c.name);
    }
  }
  // Refuses every key outside `allowed` that the row has.
  void onlyKeys(std::initializer_list<std::string_view> allowed) const;

  [[noreturn]] void fail(const std::string& what) const;
  // The same for one value of the row: "sentences[3].Right: <what>".
  [[noreturn]] void failAt(std::string_view key, const std::string& what) const;
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
  // `key` and `item` name the value in a message: "'Left'", "'ChallengingRect'[1]".
  int32_t toInteger(const JsonCell& v, std::string_view key, int item = -1) const;
  const JsonCell& value(std::string_view key) const;

  const JsonRow& row_;
};

}  // namespace zorvex
