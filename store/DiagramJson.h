#pragma once
// The diagram as JSON: {"sentences": [...], "arrows": [...], "defeaters": [...]},
// each row an object keyed by the column names. Reading also takes the short
// forms for hand-written diagrams (see ShortForms.h); writing always gives
// every column.
#include <string>
#include <string_view>

#include "store/DiagramRows.h"
#include "store/ShortForms.h"

namespace zorvex {

// Throws ZorvexError naming the offending row ("arrows[2]: ...").
DiagramRows diagramFromJson(std::string_view json, const Geometry& geometry);
// The same read straight from a file, a piece at a time, so that a large
// file is never held whole; "Cannot open file <path>: <reason>" when it
// cannot be read.
DiagramRows diagramFromJsonFile(const std::string& path, const Geometry& geometry);

// One row per line, keys in table column order.
std::string diagramToJson(const DiagramRows& rows);

}  // namespace zorvex
