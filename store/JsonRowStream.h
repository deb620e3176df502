#pragma once
// Reads a diagram file in one pass, without building a document tree: each
// row of "sentences", "arrows" and "defeaters" is handed on as it completes.
// Throws ZorvexError for broken JSON and for a document of the wrong shape.
#include <functional>
#include <string>
#include <string_view>

#include "store/JsonRow.h"

namespace zorvex {

struct RowList {
  const char* name;  // the top-level key
  const KeySet* keys;
  std::function<void(const JsonRow&)> onRow;
};

void streamRows(std::string_view json, const RowList (&lists)[3]);
// The same straight from a file, never held whole; a file that cannot be
// opened or read gives "Cannot open file <path>: <reason>".
void streamFileRows(const std::string& path, const RowList (&lists)[3]);

}  // namespace zorvex
