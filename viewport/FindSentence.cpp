#include "viewport/FindSentence.h"

#include <locale.h>
#include <wctype.h>

#include <algorithm>
#include <string>

namespace zorvex {
namespace {

// Code points past Unicode's last stand for bytes that are not valid UTF-8,
// so such a byte matches only itself and never a real character.
constexpr char32_t BadByte = 0x110000;

unsigned char asciiLower(unsigned char c) { return static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c + 32 : c); }

// Letter case of the whole of Unicode from the C library's UTF-8 character
// tables, in a locale object of our own: the program's global locale stays
// as it is.
class CaseFolder {
 public:
  static const CaseFolder& instance() {
    static const CaseFolder folder;
    return folder;
  }
  CaseFolder(const CaseFolder&) = delete;
  CaseFolder& operator=(const CaseFolder&) = delete;

  // One representative of every set of letters that are each other's upper
  // or lower case: the lower case of the upper case, so that final sigma,
  // long s or the Kelvin sign meet their ordinary letters.
  char32_t fold(char32_t c) const {
    if (c < Tabled) return table_[c];
    if (c >= BadByte) return c;
    return library(c);
  }

 private:
  // Latin, Greek, Cyrillic and the other two-byte scripts are looked up.
  static constexpr char32_t Tabled = 0x800;

  CaseFolder() : locale_(newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{})) {
    for (char32_t c = 0; c < Tabled; ++c) table_[c] = c < 0x80 ? asciiLower(static_cast<unsigned char>(c)) : library(c);
  }
  ~CaseFolder() {
    if (locale_ != locale_t{}) freelocale(locale_);
  }
  char32_t library(char32_t c) const {
    if (locale_ == locale_t{}) return c;
    return static_cast<char32_t>(towlower_l(towupper_l(static_cast<wint_t>(c), locale_), locale_));
  }

  locale_t locale_;
  char32_t table_[Tabled];
};

bool isContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// The character starting at s[i]; i moves past it. A byte that does not
// start a well-formed sequence (overlong forms, surrogates and code points
// past U+10FFFF included) is taken alone.
char32_t decode(std::string_view s, size_t& i) {
  const auto lead = static_cast<unsigned char>(s[i]);
  const size_t length = lead < 0x80 ? 1 : lead < 0xC2 ? 0 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF5 ? 4 : 0;
  if (length == 1) {
    ++i;
    return lead;
  }
  // Which second bytes keep the sequence short, below the surrogates and
  // within Unicode.
  const unsigned char low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
  const unsigned char high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
  bool valid = length != 0 && i + length <= s.size();
  if (valid) {
    const auto second = static_cast<unsigned char>(s[i + 1]);
    valid = second >= low && second <= high;
  }
  char32_t value = lead & (0x7F >> length);
  for (size_t k = 1; valid && k < length; ++k) {
    const auto c = static_cast<unsigned char>(s[i + k]);
    valid = isContinuation(c);
    value = (value << 6) | (c & 0x3F);
  }
  if (!valid) {
    ++i;
    return BadByte + lead;
  }
  i += length;
  return value;
}

void foldInto(std::string_view s, std::u32string& out) {
  const CaseFolder& folder = CaseFolder::instance();
  out.resize(s.size());  // never more characters than bytes
  size_t n = 0;
  for (size_t i = 0; i < s.size();) out[n++] = folder.fold(decode(s, i));
  out.resize(n);
}

bool isAscii(std::string_view s) {
  unsigned char any = 0;
  for (char c : s) any |= static_cast<unsigned char>(c);
  return any < 0x80;
}

// `part` is already in lower case.
bool asciiContains(std::string_view text, std::string_view part) {
  if (part.size() > text.size()) return false;
  const auto first = static_cast<unsigned char>(part[0]);
  const size_t last = text.size() - part.size();
  for (size_t i = 0; i <= last; ++i) {
    if (asciiLower(static_cast<unsigned char>(text[i])) != first) continue;
    size_t k = 1;
    while (k < part.size() && asciiLower(static_cast<unsigned char>(text[i + k])) == part[k]) ++k;
    if (k == part.size()) return true;
  }
  return false;
}

// The searched text, folded once. Most sentence texts are plain ASCII: those
// are compared byte by byte without decoding.
class Needle {
 public:
  explicit Needle(std::string_view text) {
    foldInto(text, folded_);
    ascii_ = std::all_of(folded_.begin(), folded_.end(), [](char32_t c) { return c < 0x80; });
    if (ascii_)
      for (char32_t c : folded_) asciiFolded_.push_back(static_cast<char>(c));
  }
  bool empty() const { return folded_.empty(); }

  bool foundIn(std::string_view text, std::u32string& scratch) const {
    if (isAscii(text)) return ascii_ && asciiContains(text, asciiFolded_);
    foldInto(text, scratch);
    return scratch.find(folded_) != std::u32string::npos;
  }

 private:
  std::u32string folded_;
  bool ascii_ = false;
  std::string asciiFolded_;
};

}  // namespace

std::optional<int32_t> findSentence(const Diagram& d, std::string_view text, int32_t after) {
  const Needle needle(text);
  if (needle.empty()) return std::nullopt;
  const std::vector<TSentence>& sentences = d.sentences();
  const auto count = static_cast<int64_t>(sentences.size());
  const int64_t start = std::clamp<int64_t>(int64_t{after} + 1, 0, count);
  std::u32string scratch;
  auto scan = [&](int64_t from, int64_t to) -> std::optional<int32_t> {
    for (int64_t n = from; n < to; ++n) {
      const TSentence& s = sentences[static_cast<size_t>(n)];
      if (!s.Deleted && needle.foundIn(s.Text, scratch)) return static_cast<int32_t>(n);
    }
    return std::nullopt;
  };
  if (auto found = scan(start, count)) return found;
  return scan(0, start);
}

}  // namespace zorvex
