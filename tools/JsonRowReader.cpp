#include "tools/JsonRowReader.h"

#include <algorithm>
#include <limits>

namespace zorvex::tools {

using nlohmann::json;

JsonRowReader::JsonRowReader(const json& row, std::string where, std::vector<std::string> allowed)
    : row_(row), where_(std::move(where)) {
  if (!row_.is_object()) fail("a row must be a JSON object");
  for (const auto& item : row_.items())
    if (std::find(allowed.begin(), allowed.end(), item.key()) == allowed.end())
      fail("unknown key '" + item.key() + "'");
}

void JsonRowReader::fail(const std::string& what) const { throw ZorvexError(where_ + ": " + what); }

const json& JsonRowReader::value(const std::string& key) const {
  auto it = row_.find(key);
  if (it == row_.end()) fail("missing '" + key + "'");
  return *it;
}

// A Long column holds -2147483647 .. 2147483647: the all-zero encoding of
// -2147483648 reads back as an empty cell, so that value is refused too.
int32_t JsonRowReader::toInteger(const json& v, const std::string& what) const {
  constexpr int64_t limit = std::numeric_limits<int32_t>::max();
  if (!v.is_number_integer()) fail(what + " must be an integer");
  if (v.is_number_unsigned()) {
    if (v.get<uint64_t>() > static_cast<uint64_t>(limit))
      fail(what + " is out of range (-2147483647 to 2147483647)");
    return static_cast<int32_t>(v.get<uint64_t>());
  }
  const int64_t n = v.get<int64_t>();
  if (n < -limit || n > limit) fail(what + " is out of range (-2147483647 to 2147483647)");
  return static_cast<int32_t>(n);
}

int32_t JsonRowReader::integer(const std::string& key) const { return toInteger(value(key), "'" + key + "'"); }

std::string JsonRowReader::text(const std::string& key) const {
  const json& v = value(key);
  if (!v.is_string()) fail("'" + key + "' must be a string");
  return v.get<std::string>();
}

std::vector<int32_t> JsonRowReader::integerArray(const std::string& key, size_t count) const {
  const json& v = value(key);
  if (!v.is_array() || v.size() != count)
    fail("'" + key + "' must be an array of " + std::to_string(count) + " integers");
  std::vector<int32_t> out;
  for (size_t i = 0; i < count; ++i) out.push_back(toInteger(v[i], "'" + key + "'[" + std::to_string(i) + "]"));
  return out;
}

}  // namespace zorvex::tools
