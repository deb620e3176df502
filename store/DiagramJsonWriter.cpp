#include <nlohmann/json.hpp>

#include "tools/DiagramJson.h"

namespace zorvex::tools {
namespace {

// Texts come from tables in UTF-8; a stray invalid byte becomes U+FFFD rather
// than aborting the whole export.
void appendString(std::string& out, const std::string& text) {
  out += nlohmann::json(text).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

template <class Row, size_t N>
void appendRow(std::string& out, const Row& row, const std::array<Column<Row>, N>& columns) {
  out += '{';
  for (size_t i = 0; i < N; ++i) {
    if (i) out += ", ";
    out += '"';
    out += columns[i].name;
    out += "\": ";
    if (columns[i].integer)
      out += std::to_string(row.*columns[i].integer);
    else
      appendString(out, row.*columns[i].text);
  }
  out += '}';
}

template <class Row, size_t N>
void appendList(std::string& out, const char* key, const std::vector<Row>& rows,
                const std::array<Column<Row>, N>& columns, bool last) {
  out += "  \"";
  out += key;
  out += "\": [";
  for (size_t i = 0; i < rows.size(); ++i) {
    out += i ? ",\n    " : "\n    ";
    appendRow(out, rows[i], columns);
  }
  out += rows.empty() ? "]" : "\n  ]";
  out += last ? "\n" : ",\n";
}

}  // namespace

std::string diagramToJson(const DiagramRows& rows) {
  std::string out = "{\n";
  appendList(out, "sentences", rows.sentences, sentenceColumns(), false);
  appendList(out, "arrows", rows.arrows, arrowColumns(), false);
  appendList(out, "defeaters", rows.defeaters, defeaterColumns(), true);
  out += "}\n";
  return out;
}

}  // namespace zorvex::tools
