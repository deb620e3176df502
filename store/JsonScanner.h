#pragma once
// A quick reader for well-formed JSON that hands the same events to a SAX
// handler as nlohmann's parser does (null, boolean, number_integer for
// negative integers, number_unsigned for the others, number_float, string,
// key, start/end of objects and arrays), reading plain text a block at a
// time instead of a character at a time.
//
// It knows only what well-formed input looks like: at anything else (a
// syntax error, a byte-order mark, a NUL, a stray control character,
// malformed UTF-8, a lone surrogate) it stops and returns false, and the
// caller reads the input again with nlohmann's parser, whose messages say
// what was wrong and where. So it must never accept what nlohmann refuses.
#include <charconv>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace zorvex {

// For readers that have a whole string at hand: decodes the string whose
// opening quote is at q, ending before `end`, into `out` and moves q past its
// closing quote; false wherever the scanner would stop.
bool decodeJsonString(const char*& q, const char* end, std::string& out);
// The escape at q (its backslash), `left` bytes at hand: appended to `out`, q moved past it.
bool appendJsonEscape(const char*& q, size_t left, std::string& out);

// The bytes to read: [p, end) is what is at hand; more() keeps those bytes,
// appends the next piece after them and points p and end at the result, or
// returns false at the end of the input.
struct JsonBytes {
  const char* p = nullptr;
  const char* end = nullptr;
  virtual bool more() = 0;

 protected:
  ~JsonBytes() = default;
};

// The input at once.
class MemoryBytes : public JsonBytes {
 public:
  explicit MemoryBytes(std::string_view text) { p = text.data(), end = text.data() + text.size(); }
  bool more() override { return false; }
};

class FilePieces;

// A file a piece at a time.
class FileJsonBytes : public JsonBytes {
 public:
  explicit FileJsonBytes(FilePieces& file) : file_(file) { p = end = buffer_.data(); }
  bool more() override;

 private:
  FilePieces& file_;
  std::string buffer_;
};

class JsonScanner {
 public:
  explicit JsonScanner(JsonBytes& in) : in_(in) {}

  // Reads one whole document; false where nlohmann's parser must take over.
  template <class Handler>
  bool read(Handler& h);

 private:
  enum class Step { Ok, Stop };
  // Skips white space; false at the end of the input.
  bool skipSpace() {
    if (in_.p != in_.end && static_cast<unsigned char>(*in_.p) > ' ') return true;
    if (in_.end - in_.p >= 2 && *in_.p == ' ' && static_cast<unsigned char>(in_.p[1]) > ' ') return ++in_.p, true;
    return skipSpaceSlowly();
  }
  bool skipSpaceSlowly();
  // A short integer with enough bytes at hand, read in place; false if the number is anything else.
  template <class Handler>
  bool shortInteger(Handler& h);
  // Reads the string whose opening quote is at p into text_; false if it is not well-formed.
  bool string();
  bool escape(const char*& q, size_t left);
  template <class Handler>
  bool number(Handler& h);
  template <class Handler>
  bool literal(Handler& h);
  // Makes sure `count` bytes from p are at hand.
  bool have(size_t count) {
    while (static_cast<size_t>(in_.end - in_.p) < count)
      if (!in_.more()) return false;
    return true;
  }

  JsonBytes& in_;
  std::string text_;
  std::string token_;
  std::vector<char> open_;  // '{' or '[' per level
};

template <class Handler>
bool JsonScanner::shortInteger(Handler& h) {
  if (in_.end - in_.p < 24) return false;
  const char* q = in_.p;
  const bool negative = *q == '-';
  q += negative;
  if (*q < '1' || *q > '9') return false;
  uint64_t v = 0;
  const char* first = q;
  while (*q >= '0' && *q <= '9' && q - first < 18) v = v * 10 + static_cast<uint64_t>(*q++ - '0');
  if ((*q >= '0' && *q <= '9') || *q == '.' || *q == 'e' || *q == 'E') return false;
  in_.p = q;
  if (negative)
    h.number_integer(-static_cast<int64_t>(v));
  else
    h.number_unsigned(v);
  return true;
}

template <class Handler>
bool JsonScanner::number(Handler& h) {
  if (shortInteger(h)) return true;
  // The token first, by the grammar: -?(0|[1-9][0-9]*)(\.[0-9]+)?([eE][+-]?[0-9]+)?
  token_.clear();
  auto peek = [&]() -> int {
    if (in_.p == in_.end && !in_.more()) return -1;
    return static_cast<unsigned char>(*in_.p);
  };
  auto take = [&] { token_ += *in_.p++; };
  auto digits = [&] {
    size_t n = 0;
    for (int c = peek(); c >= '0' && c <= '9'; c = peek()) take(), ++n;
    return n;
  };
  bool integral = true;
  if (peek() == '-') take();
  const int first = peek();
  if (first == '0') {
    take();
  } else if (first >= '1' && first <= '9') {
    digits();
  } else {
    return false;
  }
  if (peek() == '.') {
    take();
    integral = false;
    if (digits() == 0) return false;
  }
  if (const int e = peek(); e == 'e' || e == 'E') {
    take();
    integral = false;
    if (const int sign = peek(); sign == '+' || sign == '-') take();
    if (digits() == 0) return false;
  }
  const char* b = token_.data();
  const char* e = b + token_.size();
  if (integral && *b == '-') {
    int64_t v = 0;
    if (std::from_chars(b, e, v).ec == std::errc()) return h.number_integer(v), true;
  } else if (integral) {
    uint64_t v = 0;
    if (std::from_chars(b, e, v).ec == std::errc()) return h.number_unsigned(v), true;
  }
  // Fractions, exponents and integers too long for 64 bits, as strtod reads them.
  double v = 0;
  const auto r = std::from_chars(b, e, v);
  if (r.ec != std::errc() || r.ptr != e) return false;  // beyond a double: nlohmann says so
  h.number_float(v, token_);
  return true;
}

template <class Handler>
bool JsonScanner::literal(Handler& h) {
  static constexpr const char* words[] = {"true", "false", "null"};
  for (int i = 0; i < 3; ++i) {
    const size_t n = std::strlen(words[i]);
    if (*in_.p != words[i][0]) continue;
    if (!have(n) || std::memcmp(in_.p, words[i], n) != 0) return false;
    in_.p += n;
    if (i == 2)
      h.null();
    else
      h.boolean(i == 0);
    return true;
  }
  return false;
}

template <class Handler>
bool JsonScanner::read(Handler& h) {
  if (!skipSpace()) return false;
  if (static_cast<unsigned char>(*in_.p) == 0xEF) return false;  // a byte-order mark
  bool wantValue = true;                                         // else: a comma or the end of a container
  for (;;) {
    if (!skipSpace()) return false;
    const char c = *in_.p;
    if (wantValue) {
      if (c == '{' || c == '[') {
        ++in_.p;
        open_.push_back(c);
        c == '{' ? h.start_object(static_cast<size_t>(-1)) : h.start_array(static_cast<size_t>(-1));
        if (!skipSpace()) return false;
        const char next = *in_.p;
        if (next == (c == '{' ? '}' : ']')) {
          ++in_.p;
          open_.pop_back();
          c == '{' ? h.end_object() : h.end_array();
          wantValue = false;
        } else if (c == '{') {
          if (next != '"' || !string()) return false;
          if (!skipSpace() || *in_.p != ':') return false;
          ++in_.p;
          h.key(text_);
        }
        if (open_.empty()) break;
        continue;
      }
      if (c == '"') {
        if (!string()) return false;
        h.string(text_);
      } else if (c == '-' || (c >= '0' && c <= '9')) {
        if (!number(h)) return false;
      } else if (!literal(h)) {
        return false;
      }
      wantValue = false;
      if (open_.empty()) break;
      continue;
    }
    // After a value inside a container.
    const char close = open_.back() == '{' ? '}' : ']';
    ++in_.p;
    if (c == close) {
      open_.pop_back();
      close == '}' ? h.end_object() : h.end_array();
      if (open_.empty()) break;
      continue;
    }
    if (c != ',') return false;
    wantValue = true;
    if (close == '}') {
      if (!skipSpace() || *in_.p != '"' || !string()) return false;
      if (!skipSpace() || *in_.p != ':') return false;
      ++in_.p;
      h.key(text_);
    }
  }
  // Only white space may follow the document.
  return !skipSpace();
}

}  // namespace zorvex
