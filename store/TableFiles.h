#pragma once
// The three diagram tables in a folder, written from rows: by `import`, and
// by saving a diagram.
#include <cstdint>
#include <string>
#include <vector>

#include "store/DiagramRows.h"

namespace zorvex {

// "SentencesDb.db" etc. inside `directory` ("" or "." is the working directory).
std::string tablePath(const std::string& directory, const char* file);

// The three table files in memory, as Paradox 7 tables in code page 1252:
// integers as Long, texts as Alpha as wide as the longest text. Statuses are
// not stored. Throws ZorvexError for a value the format cannot hold.
struct TableImages {
  std::vector<uint8_t> sentences, arrows, defeaters;
};
TableImages buildTableImages(const DiagramRows& rows);

// Writes the three to temporary files in `directory` and renames them into
// place together, so a failure leaves the old tables as they were. A table
// another opener holds is refused as busy.
void replaceTables(const TableImages& images, const std::string& directory);

// Both: nothing is written unless every table could be built.
void writeTables(const DiagramRows& rows, const std::string& directory);

// `import`: writeTables, but without `force` an existing table is refused.
void writeDiagramTables(const DiagramRows& rows, const std::string& directory, bool force);

}  // namespace zorvex
