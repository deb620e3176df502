#pragma once
// One row object of a diagram file as the streaming reader collects it: a
// cell per known key of its list, plus what is needed to report mistakes.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zorvex {

struct JsonCell {
  enum Kind : uint8_t { Absent, Integer, Unsigned, Float, String, Bool, Null, Array, Object } kind = Absent;
  int64_t integer = 0;
  uint64_t unsignedValue = 0;
  double real = 0;
  std::string text;
  std::vector<JsonCell> items;  // of an Array; nested arrays and objects keep only their kind
};

// The keys a list's rows may have; a cell's number is its key's position.
class KeySet {
 public:
  explicit KeySet(std::vector<std::string> keys) : keys_(std::move(keys)) {}
  int find(std::string_view key) const {
    for (size_t i = 0; i < keys_.size(); ++i)
      if (keys_[i] == key) return static_cast<int>(i);
    return -1;
  }
  const std::string& name(int i) const { return keys_[static_cast<size_t>(i)]; }
  size_t size() const { return keys_.size(); }

 private:
  std::vector<std::string> keys_;
};

struct JsonRow {
  const KeySet* keys = nullptr;
  const char* list = "";  // "sentences", "arrows" or "defeaters"
  size_t index = 0;       // position in its list
  bool isObject = true;
  std::string unknownKey;  // the first key outside `keys`, if any
  std::vector<JsonCell> cells;

  void reset(const KeySet& k, const char* listName, size_t i) {
    keys = &k, list = listName, index = i, isObject = true;
    unknownKey.clear();
    cells.resize(k.size());
    for (JsonCell& c : cells) c.kind = JsonCell::Absent, c.items.clear();
  }
  const JsonCell& cell(std::string_view key) const;
  bool has(std::string_view key) const { return cell(key).kind != JsonCell::Absent; }
};

}  // namespace zorvex
