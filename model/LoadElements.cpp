#include "model/LoadElements.h"

#include <array>
#include <thread>
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
  void textInto(size_t i, std::string& out) { table_.textInto(column(i), out); }
  // Once a row has been read cell by cell every column is known (a missing
  // one has failed where the row reached it), and the integer columns
  // `which` of later rows may be asked for at once; false: read them singly.
  template <size_t K>
  bool integers(const std::array<size_t, K>& which, std::array<int32_t, K>& out) {
    std::array<int, K> columns;
    for (size_t k = 0; k < K; ++k) {
      columns[k] = columns_[which[k]];
      if (columns[k] < 0) return false;
    }
    return table_.integersAt(columns.data(), K, out.data());
  }

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
  // The table is far larger than the caches: each slot is asked for well
  // before it is needed (Ahead places on), so that waiting for memory overlaps.
  static constexpr size_t Ahead = 16;

  explicit SentenceFinder(const Diagram& d) : diagram_(d) {
    size_t size = 16;
    while (size < static_cast<size_t>(d.SentenceCount()) * 2) size *= 2;
    mask_ = size - 1;
    slots_.assign(size, Slot{});
    const auto& sentences = d.sentences();
    std::vector<uint64_t> hashes(sentences.size());
    for (size_t n = 0; n < sentences.size(); ++n)
      hashes[n] = hash(sentences[n].Left, sentences[n].Top, sentences[n].Text);
    for (size_t n = 0; n < sentences.size(); ++n) {
      if (n + Ahead < hashes.size()) prefetch(hashes[n + Ahead]);
      const TSentence& s = sentences[n];
      const uint64_t h = hashes[n];
      size_t i = h & mask_;
      while (slots_[i].number >= 0 && !(slots_[i].hash == h && same(slots_[i].number, s.Left, s.Top, s.Text)))
        i = (i + 1) & mask_;
      if (slots_[i].number < 0) slots_[i] = Slot{h, static_cast<int32_t>(n)};  // an earlier duplicate keeps its place
    }
  }
  static uint64_t hash(int32_t left, int32_t top, std::string_view text) {
    uint64_t h = std::hash<std::string_view>{}(text);
    h ^=
        (static_cast<uint64_t>(static_cast<uint32_t>(left)) << 32 | static_cast<uint32_t>(top)) * 0x9E3779B97F4A7C15ull;
    h ^= h >> 29;
    return h * 0xBF58476D1CE4E5B9ull ^ (h >> 32);
  }
  void prefetch(uint64_t h) const { __builtin_prefetch(&slots_[h & mask_]); }
  // `h` is hash(left, top, text).
  int32_t find(uint64_t h, int32_t left, int32_t top, std::string_view text) const {
    for (size_t i = h & mask_; slots_[i].number >= 0; i = (i + 1) & mask_)
      if (slots_[i].hash == h && same(slots_[i].number, left, top, text)) return slots_[i].number;
    return NoSentence;
  }

 private:
  struct Slot {
    uint64_t hash = 0;
    int32_t number = -1;
  };
  bool same(int32_t n, int32_t left, int32_t top, std::string_view text) const {
    const TSentence& s = diagram_.sentences()[static_cast<size_t>(n)];
    return s.Left == left && s.Top == top && s.Text == text;
  }
  const Diagram& diagram_;
  std::vector<Slot> slots_;
  size_t mask_ = 0;
};

// An arrow row read, its sides not yet looked up; their texts lie in one string.
struct ElementLoader::PendingArrow {
  TArrow arrow;
  int32_t left1, top1, left2, top2;
  size_t text1, length1, text2, length2;
};

namespace {

// Enough arrows to be worth two threads, few enough to keep little memory.
constexpr size_t ArrowBatch = size_t{1} << 16;

}  // namespace

ElementLoader::ElementLoader(Diagram& diagram) : diagram_(diagram) {}

ElementLoader::~ElementLoader() {
  if (finding_.valid()) finding_.wait();  // the thread reads the diagram
}

void ElementLoader::sentence(TSentence s) {
  if (!pending_.empty() || finder_ || finding_.valid()) {
    // Sentences after arrows: later arrows look them up too.
    finish();
    finder_.reset();
  }
  sizeLoadedSentence(s);
  diagram_.addSentence(std::move(s));
}

void ElementLoader::sentencesDone() {
  if (finder_ || finding_.valid()) return;
  const Diagram& d = diagram_;
  finding_ = std::async(std::launch::async, [&d] { return std::make_unique<SentenceFinder>(d); });
}

void ElementLoader::arrow(TArrow a, int32_t left1, int32_t top1, std::string_view text1, int32_t left2, int32_t top2,
                          std::string_view text2) {
  setArrowBounds(a);  // may refuse the row: the rows before it are made into elements all the same
  sentencesDone();
  const size_t at1 = pendingTexts_.size();
  pendingTexts_.append(text1);
  const size_t at2 = pendingTexts_.size();
  pendingTexts_.append(text2);
  pending_.push_back({a, left1, top1, left2, top2, at1, text1.size(), at2, text2.size()});
  if (pending_.size() >= ArrowBatch) addPendingArrows();
}

void ElementLoader::defeater(TDefeater d) {
  finish();
  setDefeaterExtent(d);
  diagram_.addDefeater(std::move(d));
}

void ElementLoader::finish() {
  if (!pending_.empty()) addPendingArrows();
}

// Looks the sides up, half the arrows on a second thread (the table is only
// read), then adds the arrows in their order.
void ElementLoader::addPendingArrows() {
  if (!finder_) finder_ = finding_.get();
  const SentenceFinder& finder = *finder_;
  const std::string_view texts(pendingTexts_);
  std::vector<uint64_t> hashes(2 * pending_.size());
  auto resolve = [&](size_t begin, size_t end) {
    for (size_t i = begin; i < end; ++i) {
      const PendingArrow& p = pending_[i];
      hashes[2 * i] = SentenceFinder::hash(p.left1, p.top1, texts.substr(p.text1, p.length1));
      hashes[2 * i + 1] = SentenceFinder::hash(p.left2, p.top2, texts.substr(p.text2, p.length2));
    }
    for (size_t i = begin; i < end; ++i) {
      if (i + SentenceFinder::Ahead / 2 < end) {
        finder.prefetch(hashes[2 * i + SentenceFinder::Ahead]);
        finder.prefetch(hashes[2 * i + SentenceFinder::Ahead + 1]);
      }
      PendingArrow& p = pending_[i];
      p.arrow.Sentence1 = finder.find(hashes[2 * i], p.left1, p.top1, texts.substr(p.text1, p.length1));
      p.arrow.Sentence2 = finder.find(hashes[2 * i + 1], p.left2, p.top2, texts.substr(p.text2, p.length2));
    }
  };
  const size_t middle = pending_.size() / 2;
  if (pending_.size() >= 1024) {
    std::thread second(resolve, middle, pending_.size());
    resolve(0, middle);
    second.join();
  } else {
    resolve(0, pending_.size());
  }
  for (const PendingArrow& p : pending_) {
    const int32_t n = diagram_.addArrow(p.arrow);
    // Only an arrow with a side that did not resolve keeps what its row named.
    if (!p.arrow.resolved())
      diagram_.keepLoadedSides(n, {{p.left1, p.top1, pendingTexts_.substr(p.text1, p.length1)},
                                   {p.left2, p.top2, pendingTexts_.substr(p.text2, p.length2)}});
  }
  pending_.clear();
  pendingTexts_.clear();
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
  constexpr std::array<size_t, 4> box{0, 1, 2, 3};
  std::array<int32_t, 4> v;
  for (t.first(); !t.eof(); t.next()) {
    TSentence s;
    if (!r.integers(box, v)) v = {r.integer(0), r.integer(1), r.integer(2), r.integer(3)};
    s.Left = v[0], s.Top = v[1], s.Right = v[2], s.Bottom = v[3];
    s.Text = r.text(4);
    load.sentence(std::move(s));
  }
}

void loadArrows(Diagram& d, TableCursor& t, ElementLoader& load) {
  RowReader r(t, ArrowColumns);
  reserveRows(d, t, ElementKind::Arrow);
  std::string text1, text2;  // the sides' texts are only looked up, so their room is reused
  constexpr std::array<size_t, 12> numbers{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12};
  std::array<int32_t, 12> v;
  for (t.first(); !t.eof(); t.next()) {
    const bool atOnce = r.integers(numbers, v);
    for (size_t k = 0; k < 10 && !atOnce; ++k) v[k] = r.integer(k);
    r.textInto(10, text1);
    for (size_t k = 10; k < 12 && !atOnce; ++k) v[k] = r.integer(numbers[k]);
    r.textInto(13, text2);
    TArrow a;
    a.Center1X = v[0], a.Center1Y = v[1], a.Center2X = v[2], a.Center2Y = v[3];
    a.StartX = v[4], a.StartY = v[5], a.EndX = v[6], a.EndY = v[7];
    load.arrow(a, v[8], v[9], text1, v[10], v[11], text2);
  }
  load.finish();
}

void loadDefeaters(Diagram& d, TableCursor& t, ElementLoader& load) {
  RowReader r(t, DefeaterColumns);
  reserveRows(d, t, ElementKind::Defeater);
  constexpr std::array<size_t, 16> all{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
  std::array<int32_t, 16> v;
  for (t.first(); !t.eof(); t.next()) {
    if (!r.integers(all, v))
      for (size_t k = 0; k < v.size(); ++k) v[k] = r.integer(k);
    TDefeater f;
    f.ChallengingRect = {v[0], v[1], v[2], v[3]};
    f.ChallengedRect = {v[4], v[5], v[6], v[7]};
    f.Center1X = v[8], f.Center1Y = v[9], f.Center2X = v[10], f.Center2Y = v[11];
    f.StartX = v[12], f.StartY = v[13], f.EndX = v[14], f.EndY = v[15];
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
      if (step == loadSentences) load.sentencesDone();
      table->close();
    } catch (const ZorvexError& e) {
      load.finish();
      result.error = e;
      result.leftOpen = std::move(table);
      return result;
    }
  }
  return result;
}

}  // namespace zorvex
