#pragma once
// Builds the stored diagram from "SentencesDb.db", "ArrowsDb.DB" and "DefeatersDb.DB".
#include <memory>
#include <optional>
#include <string>

#include "model/Diagram.h"
#include "model/TableCursor.h"
#include "model/ZorvexError.h"

namespace zorvex {

inline constexpr const char* SentencesTableFile = "SentencesDb.db";
inline constexpr const char* ArrowsTableFile = "ArrowsDb.DB";
inline constexpr const char* DefeatersTableFile = "DefeatersDb.DB";

struct LoadResult {
  // The failure that ended loading early, if any; the elements read before it stay.
  std::optional<ZorvexError> error;
  // A table that was open when the failure struck stays open (and locked) until
  // the program ends, as the table engine left it.
  std::unique_ptr<TableCursor> leftOpen;
};

// Loads into an empty diagram; the counters start from 0. `directory` is
// prefixed to the file names ("" or "." for the working directory).
LoadResult LoadElements(Diagram& diagram, const std::string& directory, const TableOpener& open);

}  // namespace zorvex
