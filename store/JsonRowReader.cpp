#include "store/JsonRowReader.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "model/InputExcerpt.h"

namespace zorvex {

const JsonCell& JsonRow::cell(std::string_view key) const {
  static const JsonCell absent;
  const int i = keys ? keys->find(key) : -1;
  return i < 0 ? absent : cells[static_cast<size_t>(i)];
}

JsonRowReader::JsonRowReader(const JsonRow& row) : row_(row) {
  if (!row_.isObject) fail("a row must be a JSON object");
  if (!row_.unknownKey.empty()) fail("unknown key '" + inputExcerpt(row_.unknownKey) + "'");
}

void JsonRowReader::fail(const std::string& what) const {
  throw ZorvexError(std::string(row_.list) + "[" + std::to_string(row_.index) + "]: " + what);
}

void JsonRowReader::failAt(std::string_view key, const std::string& what) const {
  throw ZorvexError(std::string(row_.list) + "[" + std::to_string(row_.index) + "]." + std::string(key) + ": " + what);
}

void JsonRowReader::onlyKeys(std::initializer_list<std::string_view> allowed) const {
  for (size_t i = 0; i < row_.cells.size(); ++i) {
    const std::string& key = row_.keys->name(static_cast<int>(i));
    if (row_.cells[i].kind != JsonCell::Absent && std::find(allowed.begin(), allowed.end(), key) == allowed.end())
      fail("unknown key '" + key + "'");
  }
}

const JsonCell& JsonRowReader::value(std::string_view key) const {
  const JsonCell& c = row_.cell(key);
  if (c.kind == JsonCell::Absent) fail("missing '" + std::string(key) + "'");
  return c;
}

// A Long column holds -2147483647 .. 2147483647: the all-zero encoding of
// -2147483648 reads back as an empty cell, so that value is refused too.
// Messages are built only on failure: this runs for every cell of a file.
int32_t JsonRowReader::toInteger(const JsonCell& v, std::string_view key, int item) const {
  constexpr int64_t limit = std::numeric_limits<int32_t>::max();
  auto failAs = [&](const char* problem) {
    std::string what = "'" + std::string(key) + "'";
    if (item >= 0) what += "[" + std::to_string(item) + "]";
    fail(what + problem);
  };
  const char* const range = " is out of range (-2147483647 to 2147483647)";
  switch (v.kind) {
    case JsonCell::Integer:
      if (v.integer < -limit || v.integer > limit) failAs(range);
      return static_cast<int32_t>(v.integer);
    case JsonCell::Unsigned:
      if (v.unsignedValue > static_cast<uint64_t>(limit)) failAs(range);
      return static_cast<int32_t>(v.unsignedValue);
    case JsonCell::Float:
      // Only numbers too long for 64 bits arrive here as integral floats.
      if (std::isfinite(v.real) && std::trunc(v.real) == v.real && std::fabs(v.real) > double(limit)) failAs(range);
      [[fallthrough]];
    default:
      failAs(" must be an integer");
  }
  return 0;  // not reached: failAs throws
}

int32_t JsonRowReader::integer(std::string_view key) const { return toInteger(value(key), key); }

std::string JsonRowReader::text(std::string_view key) const {
  const JsonCell& v = value(key);
  if (v.kind != JsonCell::String) fail("'" + std::string(key) + "' must be a string");
  return v.text;
}

std::vector<int32_t> JsonRowReader::integerArray(std::string_view key, size_t count) const {
  const JsonCell& v = value(key);
  if (v.kind != JsonCell::Array || v.items.size() != count)
    fail("'" + std::string(key) + "' must be an array of " + std::to_string(count) + " integers");
  std::vector<int32_t> out;
  for (size_t i = 0; i < count; ++i) out.push_back(toInteger(v.items[i], key, static_cast<int>(i)));
  return out;
}

}  // namespace zorvex
