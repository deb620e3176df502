#include "store/WrittenJson.h"

#include <cstring>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "model/LoadElements.h"
#include "model/ZorvexError.h"
#include "store/DiagramRows.h"
#include "store/FilePieces.h"
#include "store/JsonScanner.h"
#include "store/PlainJsonRows.h"

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
  if (static_cast<size_t>(e - q) < text.size() || std::memcmp(q, text.data(), text.size()) != 0) return false;
  q += text.size();
  return true;
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

// One list from its opening line to its closing one, each row handed to
// `take`, which returns false to decline it.
template <class Row, size_t N, class Take>
bool readList(Lines& lines, const char* name, bool last, RowLayout<Row, N>& layout, Take take) {
  const std::string open = std::string("  \"") + name + "\": [";
  std::string_view line;
  if (!lines.next(line)) return false;
  if (line == open + (last ? "]" : "],")) return true;
  if (line != open) return false;
  Row row;
  int64_t status = NoStatus;
  for (bool more = true; more;) {
    if (!lines.next(line) || line.substr(0, 4) != "    ") return false;
    if (!layout.read(line.data() + 4, line.data() + line.size(), row, status, more) || !take(row, status)) return false;
  }
  return lines.next(line) && line == (last ? "  ]" : "  ],");
}

template <class State>
std::optional<State> statusOf(int64_t s) {
  if (s == NoStatus) return std::nullopt;
  return static_cast<State>(s);
}

bool readDocument(Lines& lines, ElementLoader& load) {
  static RowLayout sentences(sentenceColumns(), "Status");
  static RowLayout arrows(arrowColumns(), "Status");
  static RowLayout defeaters(defeaterColumns(), "DefeaterState");
  std::string_view line;
  if (!lines.next(line) || line != "{") return false;
  const bool ok = readList(lines, "sentences", false, sentences,
                           [&load](const SentenceRow& r, int64_t s) {
                             if (s != NoStatus && !isStoredStatus(s)) return false;
                             loadSentenceRow(load, r, statusOf<Status>(s));
                             return true;
                           }) &&
                  readList(lines, "arrows", false, arrows,
                           [&load](const ArrowRow& r, int64_t s) {
                             if (s != NoStatus && !isStoredStatus(s)) return false;
                             loadArrowRow(load, r, statusOf<Status>(s));
                             return true;
                           }) &&
                  readList(lines, "defeaters", true, defeaters, [&load](const DefeaterRow& r, int64_t s) {
                    if (s != NoStatus && !isStoredDefeaterState(s)) return false;
                    loadDefeaterRow(load, r, statusOf<DefeaterState>(s));
                    return true;
                  });
  if (!ok || !lines.next(line) || line != "}") return false;
  return !lines.next(line) && lines.endedCleanly();
}

bool loadWrittenLines(Diagram& into, Lines& lines) {
  ElementLoader load(into);
  try {
    if (!readDocument(lines, load)) return false;
    load.finish();
    return true;
  } catch (const ZorvexError&) {
    return false;  // an element loading refuses, or the file cannot be read: the other readers say why
  }
}

}  // namespace

bool loadWrittenJson(Diagram& into, FilePieces& file) {
  Lines lines([&file] {
    char* data = nullptr;
    return file.next(data);
  });
  return loadWrittenLines(into, lines);
}

bool loadWrittenJson(Diagram& into, std::string_view text, size_t piece) {
  Lines lines([&text, piece] {
    const std::string_view next = text.substr(0, piece);
    text.remove_prefix(next.size());
    return next;
  });
  return loadWrittenLines(into, lines);
}

}  // namespace zorvex
