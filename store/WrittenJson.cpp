#include "store/WrittenJson.h"

#include <cstring>
#include <exception>
#include <functional>
#include <thread>
#include <utility>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "model/LoadElements.h"
#include "model/ZorvexError.h"
#include "store/DiagramRows.h"
#include "store/FilePieces.h"
#include "store/JsonRow.h"
#include "store/JsonScanner.h"
#include "store/PlainJsonRows.h"
#include "store/RowBatches.h"
#include "store/ShortForms.h"

namespace zorvex {
namespace {

// The file a line at a time, without the line ends. A line lies in the
// piece just read unless it runs over into the next; only then is it copied.
class Lines {
 public:
  // `nextPiece` gives the input a piece at a time, an empty one at its end.
  explicit Lines(std::function<std::string_view()> nextPiece) : nextPiece_(std::move(nextPiece)) {}

  // False at the end of the file, or when the file ends within a line.
  bool next(std::string_view& line) {
    carry_.clear();
    for (;;) {
      const char* nl = p_ == end_ ? nullptr : static_cast<const char*>(std::memchr(p_, '\n', end_ - p_));
      if (nl && carry_.empty()) {
        line = {p_, static_cast<size_t>(nl - p_)};
        p_ = nl + 1;
        return true;
      }
      if (nl) {
        carry_.append(p_, nl);
        p_ = nl + 1;
        line = carry_;
        return true;
      }
      carry_.append(p_, end_);
      const std::string_view piece = nextPiece_();
      if (piece.empty()) {
        p_ = end_ = nullptr;
        return false;
      }
      p_ = piece.data(), end_ = p_ + piece.size();
    }
  }
  // After next() returned false: nothing followed the last line end.
  bool endedCleanly() const { return carry_.empty(); }

 private:
  std::function<std::string_view()> nextPiece_;
  const char* p_ = nullptr;
  const char* end_ = nullptr;
  std::string carry_;
};

// Reads what the line holds at q, moving q past it; false at anything else.
bool literal(const char*& q, const char* e, std::string_view text) {
  if (static_cast<size_t>(e - q) < text.size() || !sameShortText({q, text.size()}, text)) return false;
  q += text.size();
  return true;
}

// Up to seven digits at q, with eight bytes at hand, read at once: the
// number of digits (0 when eight or more follow) and their value.
int shortDigits(const char* q, uint64_t& value) {
  uint64_t chunk = 0;
  std::memcpy(&chunk, q, 8);
  const uint64_t t = chunk - 0x3030303030303030ull;  // a digit's byte becomes 0..9
  // The first byte that is no digit has its high bit set; bytes after it may be anything.
  const uint64_t other = (t | (t + 0x7676767676767676ull)) & 0x8080808080808080ull;
  if (other == 0) return 0;
  const int count = __builtin_ctzll(other) / 8;
  if (count == 0) return 0;
  uint64_t x = t << (64 - 8 * count);  // the digits in the high bytes, zeros before them
  x = ((x & 0x0F0F0F0F0F0F0F0Full) * 2561) >> 8;
  x = ((x & 0x00FF00FF00FF00FFull) * 6553601) >> 16;
  value = ((x & 0x0000FFFF0000FFFFull) * 42949672960001ull) >> 32;
  return count;
}

// An integer as the writer writes an int32: no leading zeros, no "-0", and
// not the one value the plain reader declines (-2^31).
bool integer(const char*& q, const char* e, int64_t& out) {
  const bool negative = q != e && *q == '-';
  q += negative;
  if (q == e || *q < '0' || *q > '9') return false;
  if (*q == '0') {
    ++q;
    out = 0;
    return !negative;
  }
  uint64_t quick = 0;
  if (e - q >= 8) {
    if (const int count = shortDigits(q, quick)) {
      q += count;
      out = negative ? -static_cast<int64_t>(quick) : static_cast<int64_t>(quick);
      return true;
    }
  }
  int64_t v = 0;
  for (int digits = 0; q != e && *q >= '0' && *q <= '9'; ++digits) {
    if (digits == 10) return false;
    v = v * 10 + (*q++ - '0');
  }
  if (v > std::numeric_limits<int32_t>::max()) return false;
  out = negative ? -v : v;
  return true;
}

// A row that gives no status.
constexpr int64_t NoStatus = std::numeric_limits<int64_t>::min();

// One list's rows: each key's text as it must stand before its value.
template <class Row, size_t N>
class RowLayout {
 public:
  RowLayout(const std::array<Column<Row>, N>& columns, const char* statusKey) : columns_(columns) {
    for (size_t i = 0; i < N; ++i) before_[i] = std::string(i ? ", \"" : "{\"") + columns[i].name + "\": ";
    status_ = std::string(", \"") + statusKey + "\": ";
  }

  // Reads a row line (without its indentation) into `row` and `status`
  // (NoStatus when it gives none); `more` tells whether a comma follows it.
  bool read(const char* q, const char* e, Row& row, int64_t& status, bool& more) const {
    for (size_t i = 0; i < N; ++i) {
      if (!literal(q, e, before_[i])) return false;
      const Column<Row>& c = columns_[i];
      if (c.integer) {
        int64_t v = 0;
        if (!integer(q, e, v)) return false;
        row.*c.integer = static_cast<int32_t>(v);
      } else if (q == e || *q != '"' || !decodeJsonString(q, e, row.*c.text)) {
        return false;
      }
    }
    status = NoStatus;
    if (literal(q, e, status_) && !integer(q, e, status)) return false;
    if (!literal(q, e, "}")) return false;
    more = q != e && *q == ',';
    return q + more == e;
  }

 private:
  const std::array<Column<Row>, N>& columns_;
  std::array<std::string, N> before_;
  std::string status_;
};

// An arrow by the numbers of the sentences it joins, as generated files give
// it: {"From": 3, "To": 4}, with ", \"Status\": S" before the brace or not.
// Whether the numbers name two sentences is seen when the arrow is made.
bool readByNumbers(const char* q, const char* e, std::array<int32_t, 2>& ends, int64_t& status, bool& more) {
  int64_t from = 0, to = 0;
  if (!literal(q, e, "{\"From\": ") || !integer(q, e, from) || !literal(q, e, ", \"To\": ") || !integer(q, e, to))
    return false;
  if (from < 0 || to < 0 || from == to) return false;
  ends = {static_cast<int32_t>(from), static_cast<int32_t>(to)};
  status = NoStatus;
  if (literal(q, e, ", \"Status\": ") && !integer(q, e, status)) return false;
  if (!literal(q, e, "}")) return false;
  more = q != e && *q == ',';
  return q + more == e;
}

// Whether a list is the document's last: Last, More to follow, or Either
// (a generated file may leave out the defeaters after the arrows).
enum class ListEnd { More, Last, Either };

// The closing text of a list, "]" or "],", as `end` allows it; whether it was the last.
bool closes(std::string_view rest, ListEnd end, bool& last) {
  last = rest == "]";
  return (last && end != ListEnd::More) || (rest == "]," && end != ListEnd::Last);
}

// One list from its opening line to its closing one, its rows handed on in
// batches of their kind; false to decline, also at a status not allowed.
// With `byNumbers`, an arrow may also be given by its sentences' numbers.
template <class Row, size_t N, class Out>
bool readList(Lines& lines, const char* name, ListEnd end, bool& last, const RowLayout<Row, N>& layout,
              RowBatch::Kind kind, bool (*allowed)(int64_t), Out& out, bool byNumbers = false) {
  const std::string open = std::string("  \"") + name + "\": [";
  std::string_view line;
  if (!lines.next(line)) return false;
  if (line.substr(0, open.size()) != open) return false;
  if (line.size() > open.size()) return closes(line.substr(open.size()), end, last);
  RowBatch* batch = nullptr;
  for (bool more = true; more;) {
    if (!lines.next(line) || line.substr(0, 4) != "    ") return false;
    if (!batch) {
      if (!(batch = out.empty())) return false;
      batch->kind = kind;
      batch->rows<Row>().resize(RowBatches::Rows);
      batch->statuses.resize(RowBatches::Rows);
      batch->ends.resize(byNumbers ? RowBatches::Rows : 0);
    }
    int64_t& status = batch->statuses[batch->count];
    const char *q = line.data() + 4, *e = line.data() + line.size();
    if (byNumbers) batch->ends[batch->count] = {-1, -1};
    const bool read = layout.read(q, e, batch->rows<Row>()[batch->count], status, more) ||
                      (byNumbers && readByNumbers(q, e, batch->ends[batch->count], status, more));
    if (!read || (status != NoStatus && !allowed(status))) return false;
    if (++batch->count == RowBatches::Rows || !more) out.filled(std::exchange(batch, nullptr));
  }
  return lines.next(line) && line.substr(0, 2) == "  " && closes(line.substr(2), end, last);
}

// `out` takes the rows: RowBatches, or MadeAtOnce below.
template <class Out>
bool readDocument(Lines& lines, Out& out, bool byNumbers) {
  static const RowLayout sentences(sentenceColumns(), "Status");
  static const RowLayout arrows(arrowColumns(), "Status");
  static const RowLayout defeaters(defeaterColumns(), "DefeaterState");
  using Kind = RowBatch::Kind;
  std::string_view line;
  if (!lines.next(line) || line != "{") return false;
  bool last = false;
  if (!readList(lines, "sentences", ListEnd::More, last, sentences, Kind::Sentences, isStoredStatus, out) ||
      !readList(lines, "arrows", ListEnd::Either, last, arrows, Kind::Arrows, isStoredStatus, out, byNumbers) ||
      (!last &&
       !readList(lines, "defeaters", ListEnd::Last, last, defeaters, Kind::Defeaters, isStoredDefeaterState, out)))
    return false;
  if (!lines.next(line) || line != "}") return false;
  return !lines.next(line) && lines.endedCleanly();
}

template <class State>
std::optional<State> statusOf(int64_t s) {
  if (s == NoStatus) return std::nullopt;
  return static_cast<State>(s);
}

// Where the elements go, and the geometry that completes arrows given by
// numbers (none: such arrows are declined).
struct Making {
  ElementLoader& load;
  const Diagram& diagram;
  const Geometry* geometry;
};

SentenceRow rowOf(const TSentence& s) { return {s.Left, s.Top, s.Right, s.Bottom, s.Text}; }

// The row the general reader completes for an arrow given by numbers; what
// it would refuse is declined (ZorvexError), and it names the mistake.
void completeByNumbers(ArrowRow& row, const std::array<int32_t, 2>& ends, const Making& m) {
  if (!m.geometry) throw ZorvexError("");
  for (const int32_t n : ends) {
    if (n >= m.diagram.SentenceCount()) throw ZorvexError("");
    const TSentence& s = m.diagram.sentence(n);
    for (const int64_t sum : {int64_t{s.Left} + s.Right, int64_t{s.Top} + s.Bottom})
      if (sum < std::numeric_limits<int32_t>::min() || sum > std::numeric_limits<int32_t>::max())
        throw ZorvexError("");
  }
  row = arrowBetween(rowOf(m.diagram.sentence(ends[0])), rowOf(m.diagram.sentence(ends[1])), *m.geometry);
}

void makeElements(RowBatch& b, const Making& m) {
  ElementLoader& load = m.load;
  for (size_t i = 0; i < b.count; ++i) {
    switch (b.kind) {
      case RowBatch::Kind::Sentences: loadSentenceRow(load, b.sentences[i], statusOf<Status>(b.statuses[i])); break;
      case RowBatch::Kind::Arrows:
        if (!b.ends.empty() && b.ends[i][0] >= 0) completeByNumbers(b.arrows[i], b.ends[i], m);
        loadArrowRow(load, b.arrows[i], statusOf<Status>(b.statuses[i]));
        break;
      case RowBatch::Kind::Defeaters:
        loadDefeaterRow(load, b.defeaters[i], statusOf<DefeaterState>(b.statuses[i]));
        break;
    }
  }
}

// Rows made into elements as soon as a batch is read, on the same thread.
class MadeAtOnce {
 public:
  explicit MadeAtOnce(const Making& making) : making_(making) {}
  RowBatch* empty() {
    batch_.count = 0;
    return &batch_;
  }
  void filled(RowBatch* b) { makeElements(*b, making_); }

 private:
  const Making& making_;
  RowBatch batch_;
};

// From this many bytes on, a second thread is worth its start.
constexpr size_t TwoThreadsFrom = size_t{4} << 20;

bool loadOnOneThread(Diagram& into, Lines& lines, const Geometry* geometry) {
  ElementLoader load(into);
  const Making making{load, into, geometry};
  MadeAtOnce out(making);
  try {
    if (!readDocument(lines, out, geometry != nullptr)) return false;
    load.finish();
    return true;
  } catch (const ZorvexError&) {
    return false;  // an element loading refuses, or the file cannot be read: the other readers say why
  }
}

// The lines are read on a second thread while this one makes the elements:
// each costs about as much as the other.
bool loadOnTwoThreads(Diagram& into, Lines& lines, const Geometry* geometry) {
  RowBatches batches;
  bool read = false;
  std::exception_ptr failed;  // anything but a file that cannot be read, handed on to the caller
  std::thread reader([&] {
    try {
      read = readDocument(lines, batches, geometry != nullptr);
    } catch (const ZorvexError&) {
      read = false;  // the file cannot be read further: the other readers say why
    } catch (...) {
      failed = std::current_exception();
    }
    batches.finished();
  });
  // However this function is left, the reader is stopped and waited for.
  struct Stopped {
    RowBatches& batches;
    std::thread& reader;
    ~Stopped() {
      batches.stop();
      if (reader.joinable()) reader.join();
    }
  } const stopped{batches, reader};
  ElementLoader load(into);
  const Making making{load, into, geometry};
  bool made = true;
  while (RowBatch* b = batches.next()) {
    try {
      if (made) makeElements(*b, making);
    } catch (const ZorvexError&) {
      made = false;  // an element loading refuses: the other readers name its row
      batches.stop();
    }
    batches.done(b);
  }
  reader.join();
  if (failed) std::rethrow_exception(failed);
  if (!read || !made) return false;
  try {
    load.finish();
  } catch (const ZorvexError&) {
    return false;
  }
  return true;
}

}  // namespace

bool loadWrittenJson(Diagram& into, FilePieces& file, const Geometry* arrowsByNumbers) {
  Lines lines([&file] {
    char* data = nullptr;
    return file.next(data);
  });
  if (file.sizeWhenOpened() >= TwoThreadsFrom) return loadOnTwoThreads(into, lines, arrowsByNumbers);
  return loadOnOneThread(into, lines, arrowsByNumbers);
}

bool loadWrittenJson(Diagram& into, std::string_view text, size_t piece, bool twoThreads,
                     const Geometry* arrowsByNumbers) {
  Lines lines([&text, piece] {
    const std::string_view next = text.substr(0, piece);
    text.remove_prefix(next.size());
    return next;
  });
  return twoThreads ? loadOnTwoThreads(into, lines, arrowsByNumbers) : loadOnOneThread(into, lines, arrowsByNumbers);
}

}  // namespace zorvex
