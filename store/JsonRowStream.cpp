#include "store/JsonRowStream.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include <nlohmann/json.hpp>

#include "model/InputExcerpt.h"
#include "model/ZorvexError.h"
#include "store/FilePieces.h"
#include "store/JsonScanner.h"

namespace zorvex {
namespace {

using nlohmann::json;

// The parser takes a NUL byte for the end of the input and would accept
// whatever follows it. Where the input has one, the parser reads it as 0xFF,
// which is never valid JSON, in a string or out of one: the parser fails
// exactly there, and that failure is reported as the NUL.
class NulAsInvalidByte {
 public:
  using iterator_category = std::forward_iterator_tag;
  using value_type = char;
  using difference_type = std::ptrdiff_t;
  using pointer = const char*;
  using reference = char;

  NulAsInvalidByte() = default;
  explicit NulAsInvalidByte(const char* p) : p_(p) {}
  char operator*() const { return *p_ == '\0' ? '\xFF' : *p_; }
  NulAsInvalidByte& operator++() {
    ++p_;
    return *this;
  }
  NulAsInvalidByte operator++(int) {
    const NulAsInvalidByte before = *this;
    ++p_;
    return before;
  }
  bool operator==(const NulAsInvalidByte& other) const { return p_ == other.p_; }
  bool operator!=(const NulAsInvalidByte& other) const { return p_ != other.p_; }

 private:
  const char* p_ = nullptr;
};

// Line and column of a byte, counted over the bytes before it piece by piece.
struct LineCount {
  size_t newlines = 0, lineStart = 0, counted = 0;
  void add(std::string_view piece) {
    for (size_t at = piece.find('\n'); at != std::string_view::npos; at = piece.find('\n', at + 1))
      ++newlines, lineStart = counted + at + 1;
    counted += piece.size();
  }
};

// Where the first NUL byte is, and the message naming it. Its line and
// column are counted only for the message, over the bytes before it, which
// `reread` hands over again.
struct NulByte {
  using Pieces = std::function<void(std::string_view)>;
  size_t offset = std::string_view::npos;
  std::function<void(size_t bytes, const Pieces&)> reread;

  std::string message(bool inString) const {
    LineCount count;
    reread(offset, [&](std::string_view piece) { count.add(piece); });
    const std::string where = "line " + std::to_string(count.newlines + 1) + ", column " +
                              std::to_string(offset - count.lineStart + 1) + " (byte " + std::to_string(offset + 1) +
                              ")";
    if (inString) return "Invalid JSON: NUL byte in a string at " + where + "; write it as \\u0000";
    return "Invalid JSON: NUL byte at " + where;
  }
};

// A file's bytes one at a time for the parser, read a piece at a time. The
// first NUL byte read is noted and read as 0xFF, as NulAsInvalidByte does.
class FileBytes {
 public:
  using iterator_category = std::input_iterator_tag;
  using value_type = char;
  using difference_type = std::ptrdiff_t;
  using pointer = const char*;
  using reference = char;

  FileBytes() = default;  // the end
  FileBytes(FilePieces& file, NulByte& nul) : file_(&file), nul_(&nul) { load(); }
  char operator*() const { return *p_; }
  FileBytes& operator++() {
    if (++p_ == end_) load();
    return *this;
  }
  FileBytes operator++(int) {
    const FileBytes before = *this;
    ++*this;
    return before;
  }
  // Only ever compared with the end, which a read-out file becomes.
  bool operator==(const FileBytes& other) const { return p_ == other.p_; }

 private:
  void load() {
    char* data = nullptr;
    const std::string_view piece = file_->next(data);
    if (piece.empty()) {
      p_ = end_ = nullptr;
      return;
    }
    p_ = data, end_ = data + piece.size();
    if (nul_->offset != std::string_view::npos) return;
    if (void* zero = std::memchr(data, '\0', piece.size())) {
      *static_cast<char*>(zero) = '\xFF';
      nul_->offset = file_->offset() + static_cast<size_t>(static_cast<char*>(zero) - data);
    }
  }

  FilePieces* file_ = nullptr;
  NulByte* nul_ = nullptr;
  const char* p_ = nullptr;
  const char* end_ = nullptr;
};

// The parser's messages quote the token it read ("...; last read:
// '<token>'", "number overflow parsing '<token>'"), however long it is.
std::string withShortQuote(std::string_view message, const std::string& token) {
  for (const std::string_view lead : {"last read: '", "parsing '"}) {
    const size_t at = message.find(lead);
    if (at == std::string::npos) continue;
    const size_t start = at + lead.size();
    if (message.compare(start, token.size(), token) != 0) continue;
    return std::string(message.substr(0, start)) + inputExcerpt(token) +
           std::string(message.substr(start + token.size()));
  }
  return std::string(message);
}

JsonCell cellOf(JsonCell::Kind kind) {
  JsonCell c;
  c.kind = kind;
  return c;
}

// Lists and objects inside one another, the outermost counted as 1: a
// diagram needs 4, and a file nested thousands deep is damaged or hostile.
constexpr int NestingLimit = 100;

// Depths: 0 outside, 1 in the top object, 2 in a list, 3 in a row, 4 in a
// cell's array. Anything nested deeper is skipped, keeping only its kind.
class RowHandler {
 public:
  RowHandler(const RowList (&lists)[3], const NulByte& nul) : lists_(lists), nul_(nul) {}

  bool null() { return scalar(cellOf(JsonCell::Null)); }
  bool boolean(bool) { return scalar(cellOf(JsonCell::Bool)); }
  // Numbers of a row's cell are written into it in place: one for every cell of every row.
  bool number_integer(int64_t v) {
    if (JsonCell* cell = plainCell()) return cell->kind = JsonCell::Integer, cell->integer = v, true;
    JsonCell c = cellOf(JsonCell::Integer);
    c.integer = v;
    return scalar(std::move(c));
  }
  bool number_unsigned(uint64_t v) {
    if (JsonCell* cell = plainCell()) return cell->kind = JsonCell::Unsigned, cell->unsignedValue = v, true;
    JsonCell c = cellOf(JsonCell::Unsigned);
    c.unsignedValue = v;
    return scalar(std::move(c));
  }
  bool number_float(double v, const std::string&) {
    JsonCell c = cellOf(JsonCell::Float);
    c.real = v;
    return scalar(std::move(c));
  }
  bool string(std::string& s) {
    if (skip_ || depth_ != 3) return scalar(cellOf(JsonCell::String));
    JsonCell* c = currentCell();
    if (c) c->kind = JsonCell::String, c->text.assign(s);  // keeps the cell's buffer from row to row
    return true;
  }
  bool binary(json::binary_t&) { return scalar(cellOf(JsonCell::Null)); }
  bool start_object(size_t) { return open(JsonCell::Object); }
  bool start_array(size_t) { return open(JsonCell::Array); }
  bool end_object() { return close(); }
  bool end_array() { return close(); }
  bool key(std::string& k);
  bool parse_error(size_t position, const std::string& token, const nlohmann::detail::exception& e) {
    std::string_view message = e.what();  // may quote megabytes of input
    if (position > nul_.offset) throw ZorvexError(nul_.message(message.find("invalid string") != std::string::npos));
    if (auto pos = message.find("] "); pos != std::string::npos) message.remove_prefix(pos + 2);
    throw ZorvexError("Invalid JSON: " + withShortQuote(message, token));
  }

 private:
  [[noreturn]] static void notADiagram() {
    throw ZorvexError("The diagram must be a JSON object with \"sentences\", \"arrows\" and \"defeaters\"");
  }
  [[noreturn]] void notAList() const {
    throw ZorvexError(std::string("'") + lists_[list_].name + "' must be a JSON array of rows");
  }
  // Only a row can nest that deep: the row, and its key if it is one we know.
  [[noreturn]] void tooDeep() const {
    std::string where = std::string(row_.list) + "[" + std::to_string(row_.index) + "]";
    if (row_.isObject && depth_ >= 3 && cell_ >= 0) where += "." + row_.keys->name(cell_);
    throw ZorvexError(where + ": lists and objects nested more than " + std::to_string(NestingLimit) + " deep");
  }
  JsonCell* currentCell() { return cell_ < 0 ? nullptr : &row_.cells[static_cast<size_t>(cell_)]; }
  // The cell a scalar value of a row object goes to, if it is a known one.
  JsonCell* plainCell() { return skip_ || depth_ != 3 ? nullptr : currentCell(); }
  void beginRow() { row_.reset(*lists_[list_].keys, lists_[list_].name, rowCount_++); }
  bool scalar(JsonCell c);
  bool open(JsonCell::Kind kind);
  bool close();

  const RowList (&lists_)[3];
  const NulByte& nul_;
  int depth_ = 0;
  int skip_ = 0;  // levels of ignored nesting
  size_t list_ = 0;
  size_t rowCount_ = 0;
  int cell_ = -1;
  bool seen_[3] = {false, false, false};
  JsonRow row_;
};

bool RowHandler::key(std::string& k) {
  if (skip_) return true;
  if (depth_ == 1) {
    list_ = 3;
    for (size_t i = 0; i < 3; ++i)
      if (k == lists_[i].name) list_ = i;
    if (list_ == 3) throw ZorvexError("Unknown key '" + inputExcerpt(k) + "' at the top level");
    if (seen_[list_]) throw ZorvexError("Key '" + k + "' appears twice at the top level");
    seen_[list_] = true;
    rowCount_ = 0;
  } else if (depth_ == 3) {
    cell_ = row_.keys->find(k);
    if (cell_ < 0 && row_.unknownKey.empty()) row_.unknownKey = k;
  }
  return true;
}

bool RowHandler::scalar(JsonCell c) {
  if (skip_) return true;
  switch (depth_) {
    case 0: notADiagram();
    case 1: notAList();
    case 2:  // a row that is not an object
      beginRow();
      row_.isObject = false;
      lists_[list_].onRow(row_);
      return true;
    case 3:
      if (JsonCell* cell = currentCell()) *cell = std::move(c);
      return true;
    default:
      if (JsonCell* cell = currentCell()) cell->items.push_back(std::move(c));
      return true;
  }
}

bool RowHandler::open(JsonCell::Kind kind) {
  if (depth_ + skip_ >= NestingLimit) tooDeep();
  if (skip_) return ++skip_, true;
  const bool object = kind == JsonCell::Object;
  if (depth_ == 0 && !object) notADiagram();
  if (depth_ == 1 && object) notAList();
  if (depth_ == 2) {
    beginRow();
    if (!object) return row_.isObject = false, ++skip_, true;
  }
  if (depth_ == 3) {
    JsonCell* cell = currentCell();
    if (cell) cell->kind = kind, cell->items.clear();
    if (object || !cell) return ++skip_, true;
  }
  if (depth_ == 4) {
    if (JsonCell* cell = currentCell()) cell->items.push_back(cellOf(kind));
    return ++skip_, true;
  }
  ++depth_;
  return true;
}

bool RowHandler::close() {
  if (skip_) {
    if (--skip_ == 0 && depth_ == 2) lists_[list_].onRow(row_);  // the skipped non-object row
    return true;
  }
  --depth_;
  if (depth_ == 2) lists_[list_].onRow(row_);  // a row object ended
  return true;
}

// The lists with every row counted as it is handed on, or with the first
// `skip` rows left out: those the quick reader handed on already.
struct CountedLists {
  RowList lists[3];
  size_t rows = 0;
  CountedLists(const RowList (&original)[3], size_t skip) {
    for (size_t i = 0; i < 3; ++i) {
      lists[i] = original[i];
      lists[i].onRow = [this, skip, &onRow = original[i].onRow](const JsonRow& row) {
        if (rows++ < skip) return;
        onRow(row);
      };
    }
  }
};

// Reads with the quick reader; where it cannot go on, nlohmann's parser
// reads the input again from the start, for its verdict and its message,
// handing on only the rows the quick reader had not.
template <class Quick, class Slow>
void streamEitherWay(const RowList (&lists)[3], Quick quick, Slow slow) {
  size_t handed = 0;
  {
    CountedLists counted(lists, 0);
    const bool done = quick(counted.lists);
    handed = counted.rows;
    if (done) return;
  }
  CountedLists rest(lists, handed);
  slow(rest.lists);
}

}  // namespace

void streamRows(std::string_view text, const RowList (&lists)[3]) {
  streamEitherWay(
      lists,
      [text](const RowList(&counted)[3]) {
        NulByte none;
        RowHandler handler(counted, none);
        MemoryBytes bytes(text);
        return JsonScanner(bytes).read(handler);
      },
      [text](const RowList(&counted)[3]) {
        NulByte nul;
        nul.offset = text.find('\0');
        nul.reread = [text](size_t bytes, const NulByte::Pieces& piece) { piece(text.substr(0, bytes)); };
        RowHandler handler(counted, nul);
        if (nul.offset == std::string_view::npos) {
          json::sax_parse(text.begin(), text.end(), &handler);
          return;
        }
        json::sax_parse(NulAsInvalidByte(text.data()), NulAsInvalidByte(text.data() + text.size()), &handler);
      });
}

void streamFileRows(const std::string& path, const RowList (&lists)[3]) {
  streamEitherWay(
      lists,
      [&path](const RowList(&counted)[3]) {
        FilePieces file(path);
        NulByte none;
        RowHandler handler(counted, none);
        FileJsonBytes bytes(file);
        return JsonScanner(bytes).read(handler);
      },
      [&path](const RowList(&counted)[3]) {
        FilePieces file(path);
        NulByte nul;
        nul.reread = [&file](size_t bytes, const NulByte::Pieces& piece) { file.reread(bytes, piece); };
        RowHandler handler(counted, nul);
        json::sax_parse(FileBytes(file, nul), FileBytes(), &handler);
      });
}

}  // namespace zorvex
