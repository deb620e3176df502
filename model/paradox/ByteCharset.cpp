#include "model/paradox/ByteCharset.h"

namespace zorvex::paradox {
namespace {

UpperHalf roman8Table() {
  UpperHalf t{};
  for (char32_t i = 0; i < 0x20; ++i) t[i] = 0x80 + i;  // C1 controls
  const char32_t from0xA0[96] = {
      0x00A0, 0x00C0, 0x00C2, 0x00C8, 0x00CA, 0x00CB, 0x00CE, 0x00CF,  // A0
      0x00B4, 0x02CB, 0x02C6, 0x00A8, 0x02DC, 0x00D9, 0x00DB, 0x20A4,  // A8
      0x00AF, 0x00DD, 0x00FD, 0x00B0, 0x00C7, 0x00E7, 0x00D1, 0x00F1,  // B0
      0x00A1, 0x00BF, 0x00A4, 0x00A3, 0x00A5, 0x00A7, 0x0192, 0x00A2,  // B8
      0x00E2, 0x00EA, 0x00F4, 0x00FB, 0x00E1, 0x00E9, 0x00F3, 0x00FA,  // C0
      0x00E0, 0x00E8, 0x00F2, 0x00F9, 0x00E4, 0x00EB, 0x00F6, 0x00FC,  // C8
      0x00C5, 0x00EE, 0x00D8, 0x00C6, 0x00E5, 0x00ED, 0x00F8, 0x00E6,  // D0
      0x00C4, 0x00EC, 0x00D6, 0x00DC, 0x00C9, 0x00EF, 0x00DF, 0x00D4,  // D8
      0x00C1, 0x00C3, 0x00E3, 0x00D0, 0x00F0, 0x00CD, 0x00CC, 0x00D3,  // E0
      0x00D2, 0x00D5, 0x00F5, 0x0160, 0x0161, 0x00DA, 0x0178, 0x00FF,  // E8
      0x00DE, 0x00FE, 0x00B7, 0x00B5, 0x00B6, 0x00BE, 0x2014, 0x00BC,  // F0
      0x00BD, 0x00AA, 0x00BA, 0x00AB, 0x25A0, 0x00BB, 0x00B1, 0,       // F8
  };
  for (size_t i = 0; i < 96; ++i) t[0x20 + i] = from0xA0[i];
  return t;
}

void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// The code point starting at `i`, advancing `i`; nothing for a bad sequence.
std::optional<char32_t> nextCodePoint(std::string_view s, size_t& i) {
  const auto lead = static_cast<unsigned char>(s[i++]);
  if (lead < 0x80) return lead;
  const int more = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
  if (more < 0 || lead > 0xF4 || i + static_cast<size_t>(more) > s.size()) return std::nullopt;
  char32_t c = lead & (0x3F >> more);
  for (int k = 0; k < more; ++k) {
    const auto b = static_cast<unsigned char>(s[i++]);
    if ((b & 0xC0) != 0x80) return std::nullopt;
    c = c << 6 | (b & 0x3F);
  }
  return c;
}

}  // namespace

const UpperHalf& hpRoman8() {
  static const UpperHalf table = roman8Table();
  return table;
}

std::string decodeBytes(std::string_view bytes, const UpperHalf& set) {
  std::string out;
  out.reserve(bytes.size() * 2);
  for (unsigned char b : bytes) {
    const char32_t c = b < 0x80 ? b : set[b - 0x80];
    appendUtf8(out, b < 0x80 || c != 0 ? c : U'\uFFFD');
  }
  return out;
}

std::optional<std::string> encodeText(std::string_view utf8, const UpperHalf& set) {
  std::string out;
  for (size_t i = 0; i < utf8.size();) {
    const std::optional<char32_t> c = nextCodePoint(utf8, i);
    if (!c) return std::nullopt;
    if (*c < 0x80) {
      out += static_cast<char>(*c);
      continue;
    }
    size_t k = 0;
    while (k < set.size() && set[k] != *c) ++k;
    if (k == set.size()) return std::nullopt;
    out += static_cast<char>(0x80 + k);
  }
  return out;
}

}  // namespace zorvex::paradox
