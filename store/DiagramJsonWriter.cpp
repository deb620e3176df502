#include <charconv>

#include <nlohmann/json.hpp>

#include "store/DiagramJson.h"

namespace zorvex {
namespace {

// Texts come from tables in UTF-8; a stray invalid byte becomes U+FFFD rather
// than aborting the whole export. Plain ASCII, by far the common case, is
// copied as it is.
void appendString(std::string& out, const std::string& text) {
  bool plain = true;
  for (const char c : text) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x20 || b >= 0x80 || b == '"' || b == '\\') {
      plain = false;
      break;
    }
  }
  if (!plain) {
    out += nlohmann::json(text).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    return;
  }
  out += '"';
  out += text;
  out += '"';
}

void appendInteger(std::string& out, int32_t v) {
  char digits[12];
  const auto end = std::to_chars(digits, digits + sizeof digits, v).ptr;
  out.append(digits, end);
}

void appendKey(std::string& out, const char* key) {
  out += '"';
  out += key;
  out += "\": ";
}

template <class Row, size_t N>
void appendRow(std::string& out, const Row& row, const std::array<Column<Row>, N>& columns) {
  for (size_t i = 0; i < N; ++i) {
    if (i) out += ", ";
    appendKey(out, columns[i].name);
    if (columns[i].integer)
      appendInteger(out, row.*columns[i].integer);
    else
      appendString(out, row.*columns[i].text);
  }
}

// The status key of row i, when the list gives one.
template <class T>
void appendStatus(std::string& out, const char* key, const std::vector<std::optional<T>>& list, size_t i) {
  if (i >= list.size() || !list[i]) return;
  out += ", ";
  appendKey(out, key);
  appendInteger(out, static_cast<int32_t>(*list[i]));
}

template <class Row, size_t N, class T>
void appendList(std::string& out, const char* key, const std::vector<Row>& rows,
                const std::array<Column<Row>, N>& columns, const char* statusKey,
                const std::vector<std::optional<T>>& statuses, bool last) {
  out += "  ";
  appendKey(out, key);
  out += '[';
  for (size_t i = 0; i < rows.size(); ++i) {
    out += i ? ",\n    {" : "\n    {";
    appendRow(out, rows[i], columns);
    appendStatus(out, statusKey, statuses, i);
    out += '}';
  }
  out += rows.empty() ? "]" : "\n  ]";
  out += last ? "\n" : ",\n";
}

}  // namespace

std::string diagramToJson(const DiagramRows& rows) {
  std::string out = "{\n";
  // About 80 bytes a sentence, 250 an arrow and 400 a defeater.
  out.reserve(128 + rows.sentences.size() * 96 + rows.arrows.size() * 288 + rows.defeaters.size() * 448);
  appendList(out, "sentences", rows.sentences, sentenceColumns(), "Status", rows.sentenceStatus, false);
  appendList(out, "arrows", rows.arrows, arrowColumns(), "Status", rows.arrowStatus, false);
  appendList(out, "defeaters", rows.defeaters, defeaterColumns(), "DefeaterState", rows.defeaterState, true);
  out += "}\n";
  return out;
}

}  // namespace zorvex
