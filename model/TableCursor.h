#pragma once
// What loading needs of a table: walk the rows in table order and read a
// column of the current row by name, as a 32-bit integer or as text.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace zorvex {

class TableCursor {
 public:
  virtual ~TableCursor() = default;
  virtual void first() = 0;
  virtual bool eof() const = 0;
  virtual void next() = 0;
  // Column number for a name (exact match first, then ignoring letter case); -1 when absent.
  virtual int columnIndex(std::string_view name) const = 0;
  // Failures throw ZorvexError with the user's message.
  virtual int32_t integerAt(int column) const = 0;
  virtual std::string textAt(int column) const = 0;  // UTF-8
  // The same into `out`, whose room a cursor may reuse from row to row.
  virtual void textInto(int column, std::string& out) const { out = textAt(column); }
  // Several integer cells of the current row at once, as integerAt reads
  // them; false (nothing read) where a cursor has no quicker way, or a
  // column needs more than a plain integer's decoding; the caller then reads
  // them one by one, which also gives the messages.
  virtual bool integersAt(const int* columns, size_t count, int32_t* out) const {
    (void)columns, (void)count, (void)out;
    return false;
  }
  virtual void close() = 0;
  // How many rows the table holds, when known cheaply (-1 otherwise); lets
  // loading reserve room once instead of growing row by row.
  virtual int64_t rowCountHint() const { return -1; }
};

// Opens a table file by name (a path), exclusively, or throws ZorvexError.
using TableOpener = std::function<std::unique_ptr<TableCursor>(const std::string& path)>;

}  // namespace zorvex
