#include "store/JsonScanner.h"

#include "store/FilePieces.h"

namespace zorvex {
namespace {

bool isSpace(char c) { return c == ' ' || c == '\n' || c == '\r' || c == '\t'; }

// Bytes a string's plain run may hold: not the quote, the backslash, a
// control character or the start of a multi-byte character.
struct PlainBytes {
  bool table[256];
  constexpr PlainBytes() : table() {
    for (int c = 0; c < 256; ++c) table[c] = c >= 0x20 && c < 0x80 && c != '"' && c != '\\';
  }
};
constexpr PlainBytes Plain;

bool continuation(unsigned char c, unsigned char lo = 0x80, unsigned char hi = 0xBF) { return c >= lo && c <= hi; }

// The length of the well-formed UTF-8 character at q (at most `left` bytes
// at hand), or 0 for a malformed one: overlong forms, surrogates and code
// points beyond U+10FFFF are malformed.
size_t characterLength(const unsigned char* q, size_t left) {
  const unsigned char c = q[0];
  size_t n = 0;
  unsigned char lo = 0x80, hi = 0xBF;
  if (c >= 0xC2 && c <= 0xDF)
    n = 2;
  else if (c == 0xE0)
    n = 3, lo = 0xA0;
  else if ((c >= 0xE1 && c <= 0xEC) || c == 0xEE || c == 0xEF)
    n = 3;
  else if (c == 0xED)
    n = 3, hi = 0x9F;
  else if (c == 0xF0)
    n = 4, lo = 0x90;
  else if (c >= 0xF1 && c <= 0xF3)
    n = 4;
  else if (c == 0xF4)
    n = 4, hi = 0x8F;
  if (n == 0 || left < n || !continuation(q[1], lo, hi)) return 0;
  for (size_t i = 2; i < n; ++i)
    if (!continuation(q[i])) return 0;
  return n;
}

void appendUtf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Four hex digits at q, or -1.
int32_t hex4(const char* q) {
  int32_t v = 0;
  for (int i = 0; i < 4; ++i) {
    const char c = q[i];
    const int d = c >= '0' && c <= '9'   ? c - '0'
                  : c >= 'a' && c <= 'f' ? c - 'a' + 10
                  : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                         : -1;
    if (d < 0) return -1;
    v = v * 16 + d;
  }
  return v;
}

}  // namespace

// The escape at q (at its backslash), with `left` bytes at hand from q; q moves past it.
bool appendJsonEscape(const char*& q, size_t left, std::string& out) {
  if (left < 2) return false;
  const char c = q[1];
  const char* simple = "\"\\/bfnrt";
  const char* meaning = "\"\\/\b\f\n\r\t";
  if (const char* at = c ? std::strchr(simple, c) : nullptr) {
    out += meaning[at - simple];
    q += 2;
    return true;
  }
  if (c != 'u' || left < 6) return false;
  int32_t cp = hex4(q + 2);
  if (cp < 0 || (cp >= 0xDC00 && cp <= 0xDFFF)) return false;
  if (cp >= 0xD800 && cp <= 0xDBFF) {
    // A high surrogate must be followed at once by a low one.
    if (left < 12 || q[6] != '\\' || q[7] != 'u') return false;
    const int32_t low = hex4(q + 8);
    if (low < 0xDC00 || low > 0xDFFF) return false;
    cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
    q += 12;
  } else {
    q += 6;
  }
  appendUtf8(out, static_cast<uint32_t>(cp));
  return true;
}

bool decodeJsonString(const char*& q, const char* end, std::string& out) {
  out.clear();
  const char* at = q + 1;
  for (;;) {
    const char* run = at;
    while (at != end && Plain.table[static_cast<unsigned char>(*at)]) ++at;
    out.append(run, at);
    if (at == end) return false;
    const unsigned char c = static_cast<unsigned char>(*at);
    if (c == '"') {
      q = at + 1;
      return true;
    }
    if (c == '\\') {
      if (!appendJsonEscape(at, static_cast<size_t>(end - at), out)) return false;
      continue;
    }
    if (c < 0x80) return false;  // a control character
    const size_t n = characterLength(reinterpret_cast<const unsigned char*>(at), static_cast<size_t>(end - at));
    if (n == 0) return false;
    out.append(at, n);
    at += n;
  }
}

bool FileJsonBytes::more() {
  const size_t keep = static_cast<size_t>(end - p);
  std::memmove(buffer_.data(), p, keep);
  buffer_.resize(keep);
  p = buffer_.data(), end = p + keep;
  char* data = nullptr;
  const std::string_view piece = file_.next(data);
  if (piece.empty()) return false;
  buffer_.append(piece);
  p = buffer_.data(), end = p + buffer_.size();
  return true;
}

bool JsonScanner::skipSpaceSlowly() {
  for (;;) {
    while (in_.p != in_.end && isSpace(*in_.p)) ++in_.p;
    if (in_.p != in_.end) return true;
    if (!in_.more()) return false;
  }
}

bool JsonScanner::escape(const char*& q, size_t left) { return appendJsonEscape(q, left, text_); }

bool JsonScanner::string() {
  text_.clear();
  const char* q = in_.p + 1;
  for (;;) {
    const char* run = q;
    while (q != in_.end && Plain.table[static_cast<unsigned char>(*q)]) ++q;
    text_.append(run, q);
    // Whatever stops the run needs up to 12 bytes at hand (a surrogate pair).
    if (static_cast<size_t>(in_.end - q) < 12) {
      const size_t done = static_cast<size_t>(q - in_.p);
      while (static_cast<size_t>(in_.end - in_.p) < done + 12)
        if (!in_.more()) break;
      q = in_.p + done;
      if (q == in_.end) return false;
      if (Plain.table[static_cast<unsigned char>(*q)]) continue;  // the run goes on in the new piece
    }
    const unsigned char c = static_cast<unsigned char>(*q);
    if (c == '"') {
      in_.p = q + 1;
      return true;
    }
    if (c == '\\') {
      if (!escape(q, static_cast<size_t>(in_.end - q))) return false;
      continue;
    }
    if (c < 0x80) return false;  // a control character
    const size_t n = characterLength(reinterpret_cast<const unsigned char*>(q), static_cast<size_t>(in_.end - q));
    if (n == 0) return false;
    text_.append(q, n);
    q += n;
  }
}

}  // namespace zorvex
