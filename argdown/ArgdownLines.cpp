// The text cut into lines with comments and blank lines taken out: // to the end of the
// line and /* ... */ over any number of lines, each only where it begins a
// word, so that a link's "http://" stays text; YAML front matter between
// === lines at the start.
#include "argdown/ArgdownDocument.h"

namespace zorvex::argdown {
namespace {

struct RawLine {
  int number;
  size_t offset;  // in the whole text
  std::string_view text;
};

std::vector<RawLine> splitLines(std::string_view text) {
  std::vector<RawLine> lines;
  size_t start = 0;
  for (int number = 1;; ++number) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    lines.push_back({number, start, text.substr(start, end - start)});
    if (end == text.size()) break;
    start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
  }
  return lines;
}

bool fence(std::string_view line) {
  const std::string_view t = trimmed(line);
  return t.size() >= 3 && t.find_first_not_of('=') == std::string_view::npos;
}

// Past the front matter, if the first line that is not blank opens one.
size_t frontMatterEnd(const std::vector<RawLine>& lines, PreparedText& out) {
  size_t first = 0;
  while (first < lines.size() && trimmed(lines[first].text).empty()) ++first;
  if (first == lines.size() || !fence(lines[first].text)) return 0;
  for (size_t k = first + 1; k < lines.size(); ++k)
    if (fence(lines[k].text)) {
      ++out.frontMatter;
      return k + 1;
    }
  out.unreadable.push_back(lines[first].number);
  return first + 1;
}

class CommentStripper {
 public:
  CommentStripper(std::string_view text, PreparedText& out) : lastClose_(text.rfind("*/")), out_(out) {}

  void line(const RawLine& raw) {
    std::string kept;
    size_t i = 0;
    const std::string_view s = raw.text;
    if (inBlock_) {
      const size_t close = s.find("*/");
      if (close == std::string_view::npos) return;
      inBlock_ = false;
      i = close + 2;
      kept += ' ';
    }
    bool boundary = true;
    while (i < s.size()) {
      const char c = s[i];
      const char next = i + 1 < s.size() ? s[i + 1] : '\0';
      if (boundary && c == '/' && next == '/') break;
      if (boundary && c == '/' && next == '*') {
        if (lastClose_ == std::string_view::npos || raw.offset + i + 2 > lastClose_) {
          out_.unreadable.push_back(raw.number);  // never closed: not a comment, and not readable
          return;
        }
        const size_t close = s.find("*/", i + 2);
        kept += ' ';
        if (close == std::string_view::npos) {
          inBlock_ = true;
          break;
        }
        i = close + 2;
        continue;
      }
      const size_t n = c == '\\' && i + 1 < s.size() ? 1 + characterAt(s, i + 1) : characterAt(s, i);
      kept.append(s.substr(i, n));
      boundary = spaceAt(s, i) > 0;
      i += n;
    }
    if (!trimmed(kept).empty()) out_.lines.push_back({raw.number, std::move(kept)});
  }

 private:
  size_t lastClose_;
  PreparedText& out_;
  bool inBlock_ = false;
};

}  // namespace

PreparedText prepareLines(std::string_view text) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  PreparedText out;
  const std::vector<RawLine> lines = splitLines(text);
  CommentStripper comments(text, out);
  for (size_t k = frontMatterEnd(lines, out); k < lines.size(); ++k) comments.line(lines[k]);
  return out;
}

}  // namespace zorvex::argdown
