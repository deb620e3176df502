#include "aif/ArgumentMap.h"

namespace zorvex {
namespace {

// The length of the white-space character at `i`, or 0: ASCII's, the next
// line and no-break spaces, and the separators of the Unicode space class.
size_t spaceAt(const std::string& s, size_t i) {
  const auto byte = [&](size_t k) { return k < s.size() ? static_cast<unsigned char>(s[k]) : 0u; };
  const unsigned c = byte(i);
  if (c == ' ' || (c >= 0x09 && c <= 0x0D)) return 1;
  if (c == 0xC2 && (byte(i + 1) == 0x85 || byte(i + 1) == 0xA0)) return 2;
  if (c == 0xE1 && byte(i + 1) == 0x9A && byte(i + 2) == 0x80) return 3;  // U+1680
  if (c == 0xE2 && byte(i + 1) == 0x80) {
    const unsigned d = byte(i + 2);
    if ((d >= 0x80 && d <= 0x8A) || d == 0xA8 || d == 0xA9 || d == 0xAF) return 3;  // U+2000-200A, 2028, 2029, 202F
  }
  if (c == 0xE2 && byte(i + 1) == 0x81 && byte(i + 2) == 0x9F) return 3;  // U+205F
  if (c == 0xE3 && byte(i + 1) == 0x80 && byte(i + 2) == 0x80) return 3;  // U+3000
  return 0;
}

}  // namespace

std::string collapseWhiteSpace(const std::string& utf8) {
  std::string out;
  out.reserve(utf8.size());
  bool pending = false;
  for (size_t i = 0; i < utf8.size();) {
    if (const size_t n = spaceAt(utf8, i)) {
      pending = !out.empty();
      i += n;
      continue;
    }
    if (pending) out.push_back(' ');
    pending = false;
    out.push_back(utf8[i++]);
  }
  return out;
}

}  // namespace zorvex
