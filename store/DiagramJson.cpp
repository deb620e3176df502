#include "store/DiagramJson.h"

#include <limits>

#include "store/FilePieces.h"
#include "store/JsonRowReader.h"
#include "store/JsonRowStream.h"
#include "store/PlainJsonRows.h"

namespace zorvex {
namespace {

template <class Row, size_t N>
std::vector<std::string> columnNames(const std::array<Column<Row>, N>& columns, std::vector<std::string> extra) {
  for (const auto& c : columns) extra.emplace_back(c.name);
  return extra;
}

const KeySet& sentenceKeys() {
  static const KeySet keys(columnNames(sentenceColumns(), {"Status"}));
  return keys;
}
const KeySet& arrowKeys() {
  static const KeySet keys(columnNames(arrowColumns(), {"From", "To", "Status"}));
  return keys;
}
const KeySet& defeaterKeys() {
  static const KeySet keys(columnNames(defeaterColumns(), {"ChallengingRect", "ChallengedRect", "DefeaterState"}));
  return keys;
}

template <class T>
void keepAt(std::vector<std::optional<T>>& list, size_t row, T value) {
  if (list.size() <= row) list.resize(row + 1);
  list[row] = value;
}

void readStatus(const JsonRowReader& r, std::vector<std::optional<Status>>& list, size_t row) {
  if (!r.has("Status")) return;
  const int32_t v = r.integer("Status");
  for (const Status s : StoredStatuses)
    if (v == s) return keepAt(list, row, s);
  r.fail("'Status' must be one of 1, 2, 4, 9, 10, 12, 25, 26, 33 and 34");
}

void readDefeaterState(const JsonRowReader& r, std::vector<std::optional<DefeaterState>>& list, size_t row) {
  if (!r.has("DefeaterState")) return;
  const int32_t v = r.integer("DefeaterState");
  if (v < 0 || v > 2) r.fail("'DefeaterState' must be 0, 1 or 2");
  keepAt(list, row, static_cast<DefeaterState>(v));
}

// Status lists given for some rows cover them all.
void padStatuses(DiagramRows& rows) {
  if (!rows.sentenceStatus.empty()) rows.sentenceStatus.resize(rows.sentences.size());
  if (!rows.arrowStatus.empty()) rows.arrowStatus.resize(rows.arrows.size());
  if (!rows.defeaterState.empty()) rows.defeaterState.resize(rows.defeaters.size());
}

// Short forms are completed in 32 bits, as the program computes a new
// element; a value that does not fit is named with its row and column.
template <class Fail>
int32_t within32Bits(int64_t v, Fail fail) {
  if (v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max())
    fail(std::to_string(v) + " is outside the 32-bit range");
  return static_cast<int32_t>(v);
}

SentenceRow readSentence(const JsonRowReader& r, const Geometry& g) {
  SentenceRow s;
  s.Left = r.integer("Left");
  s.Top = r.integer("Top");
  s.Text = r.text("Text");
  const bool right = r.has("Right"), bottom = r.has("Bottom");
  if (right != bottom) r.fail("give both 'Right' and 'Bottom', or neither");
  if (right) {
    s.Right = r.integer("Right");
    s.Bottom = r.integer("Bottom");
  } else {
    WidePoint corner{};
    r.guard([&] { corner = farCornerForText({s.Left, s.Top}, s.Text, g); });
    s.Right = within32Bits(corner.x, [&](const std::string& m) { r.failAt("Right", m); });
    s.Bottom = within32Bits(corner.y, [&](const std::string& m) { r.failAt("Bottom", m); });
  }
  return s;
}

// An arrow given by sentence numbers, joined once every sentence is known
// (the lists may come in any order).
struct ArrowByNumbers {
  size_t row;
  int32_t from, to;
};

// The arrows as read, each with its place in the list; the list of rows is
// made once the file has been read whole, so a file that fails late has not
// made millions of rows first.
struct ArrowsRead {
  size_t count = 0;
  std::vector<std::pair<size_t, ArrowRow>> rows;
  std::vector<ArrowByNumbers> byNumbers;
};

void readArrow(const JsonRowReader& r, DiagramRows& rows, ArrowsRead& read) {
  readStatus(r, rows.arrowStatus, read.count);
  if (r.has("From") || r.has("To")) {
    r.onlyKeys({"From", "To", "Status"});
    const int32_t from = r.integer("From"), to = r.integer("To");
    if (from == to) r.fail("the start and end of the arrow must be different");
    read.byNumbers.push_back({read.count++, from, to});
    return;
  }
  ArrowRow a;
  r.readAll(a, arrowColumns());
  read.rows.emplace_back(read.count++, std::move(a));
}

std::string arrowName(size_t row) { return "arrows[" + std::to_string(row) + "]"; }

// The centres of the sentences an arrow joins: each coordinate's sum is 32-bit.
void checkCentres(const DiagramRows& rows, const ArrowByNumbers& a) {
  for (const auto& [end, n] : {std::pair{'1', a.from}, std::pair{'2', a.to}}) {
    const SentenceRow& s = rows.sentences[static_cast<size_t>(n)];
    const auto fail = [&, end = end, n = n](char axis, const char* sum, const std::string& m) {
      throw ZorvexError(arrowName(a.row) + ".Center" + end + axis + ": sentences[" + std::to_string(n) + "]." + sum +
                        " = " + m);
    };
    within32Bits(int64_t{s.Left} + s.Right, [&](const std::string& m) { fail('X', "Left + Right", m); });
    within32Bits(int64_t{s.Top} + s.Bottom, [&](const std::string& m) { fail('Y', "Top + Bottom", m); });
  }
}

void joinArrows(DiagramRows& rows, ArrowsRead& read, const Geometry& g) {
  // Every number is checked before any arrow is computed, so that a wrong
  // one at the end of a long list is reported at once.
  const auto count = static_cast<int64_t>(rows.sentences.size());
  for (const ArrowByNumbers& a : read.byNumbers)
    for (const auto& [key, n] : {std::pair{"From", a.from}, std::pair{"To", a.to}})
      if (n < 0 || n >= count)
        throw ZorvexError(arrowName(a.row) + ": '" + key + "' is " + std::to_string(n) +
                          ", but the sentences are numbered 0 to " + std::to_string(count - 1));
  rows.arrows.resize(read.count);
  for (auto& [row, arrow] : read.rows) rows.arrows[row] = std::move(arrow);
  for (const ArrowByNumbers& a : read.byNumbers) {
    checkCentres(rows, a);
    try {
      rows.arrows[a.row] =
          arrowBetween(rows.sentences[static_cast<size_t>(a.from)], rows.sentences[static_cast<size_t>(a.to)], g);
    } catch (const ZorvexError&) {
      throw ZorvexError(arrowName(a.row) + ": its end points on sentences[" + std::to_string(a.from) +
                        "] and sentences[" + std::to_string(a.to) + "] overflow 32-bit arithmetic");
    }
  }
}

// A rectangle given either as [l, t, r, b] under `key` or as four columns `key`+"Left" ...
void readRect(const JsonRowReader& r, const std::string& key, int32_t* const (&out)[4]) {
  static const char* const sides[4] = {"Left", "Top", "Right", "Bottom"};
  if (r.has(key)) {
    for (const char* side : sides)
      if (r.has(key + side)) r.fail("give '" + key + "' either as an array or as four columns, not both");
    const auto values = r.integerArray(key, 4);
    for (size_t i = 0; i < 4; ++i) *out[i] = values[i];
    return;
  }
  for (size_t i = 0; i < 4; ++i) *out[i] = r.integer(key + sides[i]);
}

void checkRectCentre(const JsonRowReader& r, const char* centre, const char* rect, int32_t a, int32_t b,
                     const char* axis) {
  within32Bits(int64_t{a} + b, [&](const std::string& m) {
    r.failAt(std::string(centre) + axis,
             std::string(rect) + (*axis == 'X' ? " Left + Right = " : " Top + Bottom = ") + m);
  });
}

DefeaterRow readDefeater(const JsonRowReader& r, const Geometry& g) {
  DefeaterRow d;
  readRect(r, "ChallengingRect",
           {&d.ChallengingRectLeft, &d.ChallengingRectTop, &d.ChallengingRectRight, &d.ChallengingRectBottom});
  readRect(r, "ChallengedRect",
           {&d.ChallengedRectLeft, &d.ChallengedRectTop, &d.ChallengedRectRight, &d.ChallengedRectBottom});
  const auto& columns = defeaterColumns();
  bool anyComputed = false;
  for (size_t i = 8; i < columns.size(); ++i) anyComputed = anyComputed || r.has(columns[i].name);
  if (!anyComputed) {
    checkRectCentre(r, "Center1", "ChallengingRect", d.ChallengingRectLeft, d.ChallengingRectRight, "X");
    checkRectCentre(r, "Center1", "ChallengingRect", d.ChallengingRectTop, d.ChallengingRectBottom, "Y");
    checkRectCentre(r, "Center2", "ChallengedRect", d.ChallengedRectLeft, d.ChallengedRectRight, "X");
    checkRectCentre(r, "Center2", "ChallengedRect", d.ChallengedRectTop, d.ChallengedRectBottom, "Y");
    try {
      completeDefeater(d, g);
    } catch (const ZorvexError&) {
      r.fail("its end points on the two rectangles overflow 32-bit arithmetic");
    }
  } else {
    // Either all eight stored centre and end point columns, or none of them.
    for (size_t i = 8; i < columns.size(); ++i) d.*columns[i].integer = r.integer(columns[i].name);
  }
  return d;
}

// The rows of a diagram file whose lists `stream` hands over.
template <class Stream>
DiagramRows rowsFrom(Stream stream, const Geometry& geometry) {
  DiagramRows rows;
  ArrowsRead arrows;
  const RowList lists[3] = {
      {"sentences", &sentenceKeys(),
       [&](const JsonRow& row) {
         const JsonRowReader r(row);
         readStatus(r, rows.sentenceStatus, rows.sentences.size());
         rows.sentences.push_back(readSentence(r, geometry));
       }},
      {"arrows", &arrowKeys(), [&](const JsonRow& row) { readArrow(JsonRowReader(row), rows, arrows); }},
      {"defeaters", &defeaterKeys(), [&](const JsonRow& row) {
         const JsonRowReader r(row);
         readDefeaterState(r, rows.defeaterState, rows.defeaters.size());
         rows.defeaters.push_back(readDefeater(r, geometry));
       }}};
  stream(lists);
  joinArrows(rows, arrows, geometry);
  padStatuses(rows);
  return rows;
}

}  // namespace

DiagramRows diagramFromJson(std::string_view text, const Geometry& geometry) {
  MemoryBytes bytes(text);
  if (std::optional<DiagramRows> rows = plainRowsFromJson(bytes)) return std::move(*rows);
  return rowsFrom([text](const RowList(&lists)[3]) { streamRows(text, lists); }, geometry);
}

DiagramRows diagramFromJsonFile(const std::string& path, const Geometry& geometry) {
  {
    FilePieces file(path);
    FileJsonBytes bytes(file);
    if (std::optional<DiagramRows> rows = plainRowsFromJson(bytes)) return std::move(*rows);
  }
  return rowsFrom([&path](const RowList(&lists)[3]) { streamFileRows(path, lists); }, geometry);
}

}  // namespace zorvex
