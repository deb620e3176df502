#include "model/LoadElements.h"

#include <array>
#include <cstdlib>
#include <string_view>
#include <unordered_map>

#include "model/Checked.h"

namespace zorvex {
namespace {

std::string joinPath(const std::string& dir, const char* file) {
  if (dir.empty() || dir == ".") return file;
  return dir.back() == '/' ? dir + file : dir + "/" + file;
}

// Reads named columns of the current row; each name is looked up once, when
// first read, so a missing column fails exactly where the row reaches it.
template <size_t N>
class RowReader {
 public:
  RowReader(TableCursor& t, const std::array<const char*, N>& names) : table_(t), names_(names) { columns_.fill(-2); }
  int32_t integer(size_t i) { return table_.integerAt(column(i)); }
  std::string text(size_t i) { return table_.textAt(column(i)); }

 private:
  int column(size_t i) {
    if (columns_[i] == -2) {
      columns_[i] = table_.columnIndex(names_[i]);
      if (columns_[i] < 0) {
        columns_[i] = -2;
        throw ZorvexError(std::string("Field '") + names_[i] + "' not found");
      }
    }
    return columns_[i];
  }
  TableCursor& table_;
  const std::array<const char*, N>& names_;
  std::array<int, N> columns_;
};

// First sentence with the given Left, Top and Text (exact, case-sensitive):
// the lowest number wins, as a scan from Sentence0 would find it.
class SentenceFinder {
 public:
  explicit SentenceFinder(const Diagram& d) {
    map_.reserve(static_cast<size_t>(d.SentenceCount()));
    for (int32_t n = 0; n < d.SentenceCount(); ++n) {
      const TSentence& s = d.sentence(n);
      map_.try_emplace(Key{s.Left, s.Top, s.Text}, n);
    }
  }
  int32_t find(int32_t left, int32_t top, const std::string& text) const {
    auto it = map_.find(Key{left, top, text});
    return it == map_.end() ? NoSentence : it->second;
  }

 private:
  struct Key {
    int32_t left, top;
    std::string text;
    bool operator==(const Key&) const = default;
  };
  struct Hash {
    size_t operator()(const Key& k) const {
      size_t h = std::hash<std::string>{}(k.text);
      h ^= (static_cast<size_t>(static_cast<uint32_t>(k.left)) * 0x9E3779B97F4A7C15ull) + (h << 6) + (h >> 2);
      h ^= (static_cast<size_t>(static_cast<uint32_t>(k.top)) * 0xC2B2AE3D27D4EB4Full) + (h << 6) + (h >> 2);
      return h;
    }
  };
  std::unordered_map<Key, int32_t, Hash> map_;
};

const std::array<const char*, 5> SentenceColumns{"Left", "Top", "Right", "Bottom", "Text"};
const std::array<const char*, 14> ArrowColumns{"Center1X", "Center1Y", "Center2X", "Center2Y", "StartX",
                                               "StartY",   "EndX",     "EndY",     "Left1",    "Top1",
                                               "Text1",    "Left2",    "Top2",     "Text2"};
const std::array<const char*, 16> DefeaterColumns{
    "ChallengingRectLeft", "ChallengingRectTop", "ChallengingRectRight", "ChallengingRectBottom",
    "ChallengedRectLeft",  "ChallengedRectTop",  "ChallengedRectRight",  "ChallengedRectBottom",
    "Center1X",            "Center1Y",           "Center2X",             "Center2Y",
    "StartX",              "StartY",             "EndX",                 "EndY"};

// A row's element is created only once all of its columns have been read, so a
// failure part-way through a row leaves no half-filled element behind.
void loadSentences(Diagram& d, TableCursor& t) {
  RowReader r(t, SentenceColumns);
  for (t.first(); !t.eof(); t.next()) {
    TSentence s;
    s.Left = r.integer(0);
    s.Top = r.integer(1);
    s.Right = r.integer(2);
    s.Bottom = r.integer(3);
    s.Text = r.text(4);
    s.Width = addChecked(subChecked(s.Right, s.Left), 1);
    s.Height = addChecked(subChecked(s.Bottom, s.Top), 1);
    d.addSentence(std::move(s));
  }
}

void loadArrows(Diagram& d, TableCursor& t) {
  RowReader r(t, ArrowColumns);
  const SentenceFinder finder(d);
  for (t.first(); !t.eof(); t.next()) {
    TArrow a;
    a.Center1X = r.integer(0);
    a.Center1Y = r.integer(1);
    a.Center2X = r.integer(2);
    a.Center2Y = r.integer(3);
    a.StartX = r.integer(4);
    a.StartY = r.integer(5);
    a.EndX = r.integer(6);
    a.EndY = r.integer(7);
    const int32_t left1 = r.integer(8), top1 = r.integer(9);
    a.Sentence1 = finder.find(left1, top1, r.text(10));
    const int32_t left2 = r.integer(11), top2 = r.integer(12);
    a.Sentence2 = finder.find(left2, top2, r.text(13));
    a.Left = std::min(a.StartX, a.EndX);
    a.Top = std::min(a.StartY, a.EndY);
    a.Width = addChecked(narrowChecked(std::llabs(int64_t{a.StartX} - a.EndX)), 1);
    a.Height = addChecked(narrowChecked(std::llabs(int64_t{a.StartY} - a.EndY)), 1);
    d.addArrow(std::move(a));
  }
}

void loadDefeaters(Diagram& d, TableCursor& t) {
  RowReader r(t, DefeaterColumns);
  for (t.first(); !t.eof(); t.next()) {
    TDefeater f;
    f.ChallengingRect = {r.integer(0), r.integer(1), r.integer(2), r.integer(3)};
    f.ChallengedRect = {r.integer(4), r.integer(5), r.integer(6), r.integer(7)};
    f.Center1X = r.integer(8);
    f.Center1Y = r.integer(9);
    f.Center2X = r.integer(10);
    f.Center2Y = r.integer(11);
    f.StartX = r.integer(12);
    f.StartY = r.integer(13);
    f.EndX = r.integer(14);
    f.EndY = r.integer(15);
    const Rect& a = f.ChallengingRect;
    const Rect& b = f.ChallengedRect;
    f.Width = addChecked(subChecked(std::max(a.Right, b.Right), std::min(a.Left, b.Left)), 1);
    f.Height = addChecked(subChecked(std::max(a.Bottom, b.Bottom), std::min(a.Top, b.Top)), 1);
    d.addDefeater(std::move(f));
  }
}

}  // namespace

LoadResult LoadElements(Diagram& diagram, const std::string& directory, const TableOpener& open) {
  LoadResult result;
  using Step = void (*)(Diagram&, TableCursor&);
  const std::pair<const char*, Step> steps[] = {
      {SentencesTableFile, loadSentences}, {ArrowsTableFile, loadArrows}, {DefeatersTableFile, loadDefeaters}};
  for (const auto& [file, step] : steps) {
    std::unique_ptr<TableCursor> table;
    try {
      table = open(joinPath(directory, file));
      step(diagram, *table);
      table->close();
    } catch (const ZorvexError& e) {
      result.error = e;
      result.leftOpen = std::move(table);
      return result;
    }
  }
  return result;
}

}  // namespace zorvex
