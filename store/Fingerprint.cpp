// The fingerprint of what a saved diagram file would hold: the rows a JSON
// save writes, hashed one by one without building them all.
#include <functional>
#include <string_view>

#include "store/DiagramFiles.h"
#include "store/DiagramToRows.h"

namespace zorvex {
namespace {

class Hasher {
 public:
  void add(uint64_t v) {
    h_ ^= v * 0x9E3779B97F4A7C15ull;
    h_ = (h_ << 31 | h_ >> 33) * 0xC2B2AE3D27D4EB4Full;
  }
  void add(int32_t a, int32_t b) { add(uint64_t{static_cast<uint32_t>(a)} << 32 | static_cast<uint32_t>(b)); }
  void add(const std::string& text) {
    add(std::hash<std::string_view>{}(text));
    add(text.size());
  }
  template <class Row, size_t N>
  void add(const Row& row, const std::array<Column<Row>, N>& columns) {
    for (const Column<Row>& c : columns) {
      if (c.integer)
        add(uint64_t{static_cast<uint32_t>(row.*c.integer)});
      else
        add(row.*c.text);
    }
  }
  // A row of integers only.
  template <class Row, size_t N>
  void addIntegers(const Row& row, const std::array<Column<Row>, N>& columns) {
    for (const Column<Row>& c : columns) add(uint64_t{static_cast<uint32_t>(row.*c.integer)});
  }
  uint64_t value() const {
    uint64_t h = h_;
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDull;
    return h ^ (h >> 33);
  }

 private:
  uint64_t h_ = 0x5A6F72766578ull;
};

}  // namespace

// Deleted elements and a defeater still being drawn are not written, so they
// do not count at all: an addition undone (its element marked deleted) is no
// change. Arrows count by the row they are saved as, which names their
// sentences by Left, Top and Text. The selection, the enabled state and the
// drawing order are never saved and do not count.
uint64_t diagramFingerprint(const Diagram& d) {
  Hasher h;
  enum : uint64_t { Sentences = 0x5E, Arrows = 0xA2, Defeaters = 0xDE };  // keep the three lists apart
  uint64_t rows = 0;
  h.add(Sentences);
  for (const TSentence& s : d.sentences()) {
    if (s.Deleted) continue;
    h.add(s.Left, s.Top);  // the row's columns, without copying the text
    h.add(s.Right, s.Bottom);
    h.add(s.Text);
    h.add(s.Status);
    ++rows;
  }
  h.add(rows);
  rows = 0;
  h.add(Arrows);
  for (int32_t n = 0; n < d.ArrowCount(); ++n) {
    if (d.arrow(n).Deleted) continue;
    h.add(arrowRowOf(d, n), arrowColumns());
    h.add(d.arrow(n).Status);
    ++rows;
  }
  h.add(rows);
  rows = 0;
  h.add(Defeaters);
  for (const TDefeater& f : d.defeaters()) {
    if (f.Deleted || f.Incomplete) continue;
    h.addIntegers(defeaterRowOf(f), defeaterColumns());
    h.add(static_cast<uint64_t>(f.DefeaterState));
    ++rows;
  }
  h.add(rows);
  return h.value();
}

}  // namespace zorvex
