#include "model/LoadElements.h"

#include <array>
#include <string_view>
#include <vector>

#include "model/ElementBounds.h"

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
// the lowest number wins, as a scan from Sentence0 would find it. An open
// addressing table over sentence numbers keeps this to a probe or two per
// arrow end, without copying any text.
}  // namespace

class ElementLoader::SentenceFinder {
 public:
  explicit SentenceFinder(const Diagram& d) : diagram_(d) {
    size_t size = 16;
    while (size < static_cast<size_t>(d.SentenceCount()) * 2) size *= 2;
    mask_ = size - 1;
    slots_.assign(size, Slot{});
    for (int32_t n = 0; n < d.SentenceCount(); ++n) {
      const TSentence& s = d.sentence(n);
      const uint64_t h = hash(s.Left, s.Top, s.Text);
      size_t i = h & mask_;
      while (slots_[i].number >= 0 && !(slots_[i].hash == h && same(slots_[i].number, s.Left, s.Top, s.Text)))
        i = (i + 1) & mask_;
      if (slots_[i].number < 0) slots_[i] = Slot{h, n};  // an earlier duplicate keeps its place
    }
  }
  int32_t find(int32_t left, int32_t top, std::string_view text) const {
    const uint64_t h = hash(left, top, text);
    for (size_t i = h & mask_; slots_[i].number >= 0; i = (i + 1) & mask_)
      if (slots_[i].hash == h && same(slots_[i].number, left, top, text)) return slots_[i].number;
    return NoSentence;
  }

 private:
  struct Slot {
    uint64_t hash = 0;
    int32_t number = -1;
  };
  static uint64_t hash(int32_t left, int32_t top, std::string_view text) {
    uint64_t h = std::hash<std::string_view>{}(text);
    h ^=
        (static_cast<uint64_t>(static_cast<uint32_t>(left)) << 32 | static_cast<uint32_t>(top)) * 0x9E3779B97F4A7C15ull;
    h ^= h >> 29;
    return h * 0xBF58476D1CE4E5B9ull ^ (h >> 32);
  }
  bool same(int32_t n, int32_t left, int32_t top, std::string_view text) const {
    const TSentence& s = diagram_.sentence(n);
    return s.Left == left && s.Top == top && s.Text == text;
  }
  const Diagram& diagram_;
  std::vector<Slot> slots_;
  size_t mask_ = 0;
};

ElementLoader::ElementLoader(Diagram& diagram) : diagram_(diagram) {}
ElementLoader::~ElementLoader() = default;

void ElementLoader::sentence(TSentence s) {
  sizeLoadedSentence(s);
  diagram_.addSentence(std::move(s));
}

void ElementLoader::arrow(TArrow a, int32_t left1, int32_t top1, std::string_view text1, int32_t left2, int32_t top2,
                          std::string_view text2) {
  if (!finder_) finder_ = std::make_unique<SentenceFinder>(diagram_);
  a.Sentence1 = finder_->find(left1, top1, text1);
  a.Sentence2 = finder_->find(left2, top2, text2);
  setArrowBounds(a);
  const bool unresolved = !a.resolved();
  const int32_t n = diagram_.addArrow(std::move(a));
  // Only an arrow with a side that did not resolve keeps what its row named.
  if (unresolved) diagram_.keepLoadedSides(n, {{left1, top1, std::string(text1)}, {left2, top2, std::string(text2)}});
}

void ElementLoader::defeater(TDefeater d) {
  setDefeaterExtent(d);
  diagram_.addDefeater(std::move(d));
}

namespace {

const std::array<const char*, 5> SentenceColumns{"Left", "Top", "Right", "Bottom", "Text"};
const std::array<const char*, 14> ArrowColumns{"Center1X", "Center1Y", "Center2X", "Center2Y", "StartX",
                                               "StartY",   "EndX",     "EndY",     "Left1",    "Top1",
                                               "Text1",    "Left2",    "Top2",     "Text2"};
const std::array<const char*, 16> DefeaterColumns{"ChallengingRectLeft",
                                                  "ChallengingRectTop",
                                                  "ChallengingRectRight",
                                                  "ChallengingRectBottom",
                                                  "ChallengedRectLeft",
                                                  "ChallengedRectTop",
                                                  "ChallengedRectRight",
                                                  "ChallengedRectBottom",
                                                  "Center1X",
                                                  "Center1Y",
                                                  "Center2X",
                                                  "Center2Y",
                                                  "StartX",
                                                  "StartY",
                                                  "EndX",
                                                  "EndY"};

// A row's element is created only once all of its columns have been read, so a
// failure part-way through a row leaves no half-filled element behind.
void reserveRows(Diagram& d, const TableCursor& t, ElementKind kind) {
  const int64_t n = t.rowCountHint();
  if (n <= 0) return;
  const size_t more = static_cast<size_t>(n);
  d.reserve(d.sentences().size() + (kind == ElementKind::Sentence ? more : 0),
            d.arrows().size() + (kind == ElementKind::Arrow ? more : 0),
            d.defeaters().size() + (kind == ElementKind::Defeater ? more : 0));
}

void loadSentences(Diagram& d, TableCursor& t, ElementLoader& load) {
  RowReader r(t, SentenceColumns);
  reserveRows(d, t, ElementKind::Sentence);
  for (t.first(); !t.eof(); t.next()) {
    TSentence s;
    s.Left = r.integer(0);
    s.Top = r.integer(1);
    s.Right = r.integer(2);
    s.Bottom = r.integer(3);
    s.Text = r.text(4);
    load.sentence(std::move(s));
  }
}

void loadArrows(Diagram& d, TableCursor& t, ElementLoader& load) {
  RowReader r(t, ArrowColumns);
  reserveRows(d, t, ElementKind::Arrow);
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
    const std::string text1 = r.text(10);
    const int32_t left2 = r.integer(11), top2 = r.integer(12);
    const std::string text2 = r.text(13);
    load.arrow(a, left1, top1, text1, left2, top2, text2);
  }
}

void loadDefeaters(Diagram& d, TableCursor& t, ElementLoader& load) {
  RowReader r(t, DefeaterColumns);
  reserveRows(d, t, ElementKind::Defeater);
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
    load.defeater(f);
  }
}

}  // namespace

LoadResult LoadElements(Diagram& diagram, const std::string& directory, const TableOpener& open) {
  LoadResult result;
  ElementLoader load(diagram);
  using Step = void (*)(Diagram&, TableCursor&, ElementLoader&);
  const std::pair<const char*, Step> steps[] = {
      {SentencesTableFile, loadSentences}, {ArrowsTableFile, loadArrows}, {DefeatersTableFile, loadDefeaters}};
  for (const auto& [file, step] : steps) {
    std::unique_ptr<TableCursor> table;
    try {
      table = open(joinPath(directory, file));
      step(diagram, *table, load);
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
