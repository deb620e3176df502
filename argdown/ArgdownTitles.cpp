#include "argdown/ArgdownTitles.h"

#include <string_view>

#include "argdown/ArgdownSyntax.h"

namespace zorvex::argdown {
namespace {

constexpr size_t TitleWords = 4;
constexpr size_t TitleBytes = 30;

bool leftOutOfTitles(char c) {
  return c == '[' || c == ']' || c == '<' || c == '>' || c == '\\' || c == '{' || c == '}' ||
         static_cast<unsigned char>(c) < 0x20;
}

std::string words(const std::string& text) {
  std::string title;
  size_t count = 0;
  bool inWord = false;
  for (size_t i = 0; i < text.size() && count <= TitleWords;) {
    if (const size_t n = spaceAt(text, i)) {
      inWord = false;
      i += n;
      continue;
    }
    const size_t n = characterAt(text, i);
    if (leftOutOfTitles(text[i])) {
      i += n;
      continue;
    }
    if (!inWord) {
      if (++count > TitleWords || title.size() >= TitleBytes) break;
      if (!title.empty()) title += ' ';
      inWord = true;
    }
    title.append(text, i, n);
    i += n;
  }
  while (!title.empty() && std::string_view(".,;:!?-").find(title.back()) != std::string_view::npos)
    title.pop_back();
  return title;
}

}  // namespace

std::string Titles::fromText(const std::string& text) {
  const std::string base = words(text);
  return unique(base.empty() ? "Statement" : base);
}

std::string Titles::unique(const std::string& base) {
  std::string title = base;
  for (int k = 2; !taken_.insert(title).second; ++k) title = base + " " + std::to_string(k);
  return title;
}

std::string escapedText(const std::string& text) {
  std::string out;
  bool afterSpace = true;  // at the start, a space would be lost
  for (size_t i = 0; i < text.size();) {
    const char c = text[i];
    if (const size_t n = spaceAt(text, i)) {
      // A single space between two words is what reading makes of any run.
      const bool plain = c == ' ' && !afterSpace && i + 1 < text.size() && !spaceAt(text, i + 1);
      if (plain) out += ' ';
      else if (c == '\n') out += "\\n";
      else if (c == '\t') out += "\\t";
      else if (c == '\r') out += "\\r";
      else out += "\\" + text.substr(i, n);
      afterSpace = true;
      i += n;
      continue;
    }
    afterSpace = false;
    const char next = i + 1 < text.size() ? text[i + 1] : '\0';
    if (c == '\\' || c == '{' || c == '}' || c == '#' || c == '@' || (c == '/' && (next == '/' || next == '*')))
      out += '\\';
    const size_t n = characterAt(text, i);
    out.append(text, i, n);
    i += n;
  }
  return out;
}

}  // namespace zorvex::argdown
