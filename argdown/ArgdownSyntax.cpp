#include "argdown/ArgdownSyntax.h"

namespace zorvex::argdown {
namespace {

unsigned byteAt(std::string_view s, size_t k) { return k < s.size() ? static_cast<unsigned char>(s[k]) : 0u; }

// An escaped character stands for itself; \n, \t and \r for what C means by them.
std::string_view escaped(std::string_view c) {
  if (c == "n") return "\n";
  if (c == "t") return "\t";
  if (c == "r") return "\r";
  return c;
}

class TextCleaner {
 public:
  explicit TextCleaner(std::string_view raw) : raw_(raw) {}

  CleanText run() {
    while (i_ < raw_.size()) step();
    if (out_.text.size() > TextLimit) throw UnreadableLine{};
    return std::move(out_);
  }

 private:
  void put(std::string_view chars) {
    if (pendingSpace_ && !out_.text.empty()) out_.text += ' ';
    pendingSpace_ = false;
    out_.text += chars;
    boundary_ = false;
  }
  void gap() {
    pendingSpace_ = true;
    boundary_ = true;
  }

  void step() {
    const char c = raw_[i_];
    if (c == '\\' && i_ + 1 < raw_.size()) {
      const size_t n = characterAt(raw_, i_ + 1);
      put(escaped(raw_.substr(i_ + 1, n)));
      i_ += 1 + n;
    } else if (const size_t n = spaceAt(raw_, i_)) {
      gap();
      i_ += n;
    } else if (c == '{') {
      readData(raw_, i_, out_.data);
      gap();
    } else if (c == '#' && boundary_ && i_ + 1 < raw_.size() && !spaceAt(raw_, i_ + 1)) {
      tag();
    } else if (c == '@' && (byteAt(raw_, i_ + 1) == '[' || byteAt(raw_, i_ + 1) == '<')) {
      size_t end = 0;
      Mention m{titleAt(raw_.substr(i_ + 1), end), raw_[i_ + 1] == '<'};
      put(m.title);
      out_.mentions.push_back(std::move(m));
      i_ += 1 + end;
    } else {
      const size_t n = characterAt(raw_, i_);
      put(raw_.substr(i_, n));
      i_ += n;
    }
  }

  // #word, or #(words in brackets).
  void tag() {
    ++out_.tags;
    if (raw_[i_ + 1] == '(') {
      const size_t close = raw_.find(')', i_ + 2);
      if (close == std::string_view::npos) throw UnreadableLine{};
      i_ = close + 1;
    } else {
      while (i_ < raw_.size() && !spaceAt(raw_, i_)) ++i_;
    }
    gap();
  }

  std::string_view raw_;
  size_t i_ = 0;
  CleanText out_;
  bool pendingSpace_ = false;
  bool boundary_ = true;
};

}  // namespace

size_t spaceAt(std::string_view s, size_t i) {
  const unsigned c = byteAt(s, i);
  if (c == ' ' || (c >= 0x09 && c <= 0x0D)) return 1;
  if (c == 0xC2 && (byteAt(s, i + 1) == 0x85 || byteAt(s, i + 1) == 0xA0)) return 2;
  if (c == 0xE1 && byteAt(s, i + 1) == 0x9A && byteAt(s, i + 2) == 0x80) return 3;  // U+1680
  if (c == 0xE2 && byteAt(s, i + 1) == 0x80) {
    const unsigned d = byteAt(s, i + 2);
    if ((d >= 0x80 && d <= 0x8A) || d == 0xA8 || d == 0xA9 || d == 0xAF) return 3;  // U+2000-200A, 2028, 2029, 202F
  }
  if (c == 0xE2 && byteAt(s, i + 1) == 0x81 && byteAt(s, i + 2) == 0x9F) return 3;  // U+205F
  if (c == 0xE3 && byteAt(s, i + 1) == 0x80 && byteAt(s, i + 2) == 0x80) return 3;  // U+3000
  return 0;
}

size_t characterAt(std::string_view s, size_t i) {
  const unsigned c = byteAt(s, i);
  const size_t n = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
  for (size_t k = 1; k < n; ++k)
    if (i + k >= s.size() || (byteAt(s, i + k) & 0xC0) != 0x80) return 1;
  return n;
}

CleanText cleanText(std::string_view raw) { return TextCleaner(raw).run(); }

std::string titleAt(std::string_view s, size_t& end) {
  const char close = s[0] == '[' ? ']' : '>';
  std::string title;
  bool pendingSpace = false;
  for (size_t i = 1; i < s.size();) {
    if (s[i] == close) {
      if (title.empty() || title.size() > TitleLimit) throw UnreadableLine{};
      end = i + 1;
      return title;
    }
    if (const size_t n = spaceAt(s, i)) {
      pendingSpace = !title.empty();
      i += n;
      continue;
    }
    if (s[i] == '\\' && i + 1 < s.size()) ++i;
    const size_t n = characterAt(s, i);
    if (pendingSpace) title += ' ';
    pendingSpace = false;
    title += s.substr(i, n);
    i += n;
  }
  throw UnreadableLine{};
}

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

}  // namespace zorvex::argdown
