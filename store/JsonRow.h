#pragma once
// One row object of a diagram file as the streaming reader collects it: a
// cell per known key of its list, plus what is needed to report mistakes.
#include <array>
#include <cstdint>
#include <cstring>
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
// Keys are short: compared eight bytes at a time, without a call.
inline bool sameShortText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  size_t i = 0;
  for (; i + 8 <= a.size(); i += 8) {
    uint64_t x = 0, y = 0;
    std::memcpy(&x, a.data() + i, 8);
    std::memcpy(&y, b.data() + i, 8);
    if (x != y) return false;
  }
  for (; i < a.size(); ++i)
    if (a[i] != b[i]) return false;
  return true;
}

class KeySet {
 public:
  explicit KeySet(std::vector<std::string> keys) : keys_(std::move(keys)) {
    slots_.fill(Free);
    for (size_t i = 0; i < keys_.size(); ++i) {
      int8_t& slot = slots_[slotOf(keys_[i])];
      slot = slot == Free ? static_cast<int8_t>(i) : Shared;
    }
  }
  // Asked for every key of every row: a slot by length and letters names
  // the one key it can be, and a single comparison confirms it.
  int find(std::string_view key) const {
    if (key.empty()) return -1;
    const int8_t slot = slots_[slotOf(key)];
    if (slot >= 0) return sameShortText(keys_[static_cast<size_t>(slot)], key) ? slot : -1;
    if (slot == Free) return -1;
    for (size_t i = 0; i < keys_.size(); ++i)
      if (keys_[i] == key) return static_cast<int>(i);
    return -1;
  }
  const std::string& name(int i) const { return keys_[static_cast<size_t>(i)]; }
  size_t size() const { return keys_.size(); }

 private:
  static constexpr int8_t Free = -1, Shared = -2;
  static size_t slotOf(std::string_view k) {
    const auto c = [&k](size_t i) { return static_cast<size_t>(static_cast<unsigned char>(k[i])); };
    return (k.size() * 37 + c(0) * 5 + c(k.size() - 1) * 3 + c(k.size() / 2) * 11 + c(k.size() * 3 / 4)) & 255;
  }
  std::vector<std::string> keys_;
  std::array<int8_t, 256> slots_{};
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
