#include "argdown/ArgdownLineKinds.h"

#include <cctype>

namespace zorvex::argdown {
namespace {

bool blankAt(std::string_view s, size_t i) { return i >= s.size() || s[i] == ' ' || s[i] == '\t'; }

}  // namespace

SignAt relationSign(std::string_view s) {
  struct Known {
    std::string_view text;
    Sign sign;
  };
  // Two-character signs first: "+>" is not "+" followed by ">".
  static const Known signs[] = {{"<+", Sign::SupportedBy}, {"<-", Sign::AttackedBy}, {"<_", Sign::UndercutBy},
                                {"+>", Sign::Supports},    {"->", Sign::Attacks},    {"_>", Sign::Undercuts},
                                {"><", Sign::Contradicts}, {"+", Sign::SupportedBy}, {"-", Sign::AttackedBy},
                                {"_", Sign::UndercutBy}};
  for (const Known& k : signs)
    if (s.substr(0, k.text.size()) == k.text && blankAt(s, k.text.size())) return {k.sign, k.text.size()};
  return {};
}

bool isHeading(std::string_view s) { return !s.empty() && s[0] == '#' && (blankAt(s, 1) || s[1] == '#'); }

ElementSyntax parseElement(std::string_view s) {
  ElementSyntax e;
  if (s.empty() || (s[0] != '[' && s[0] != '<')) {
    e.clean = cleanText(s);
    return e;
  }
  e.argument = s[0] == '<';
  size_t end = 0;
  e.title = titleAt(s, end);
  std::string_view rest = s.substr(end);
  if (!rest.empty() && rest[0] == ':') {
    e.clean = cleanText(rest.substr(1));
    e.definition = !e.clean.text.empty();
    return e;
  }
  e.clean = cleanText(rest);
  // "[Title] more words": neither a definition nor a reference.
  if (!e.clean.text.empty()) throw UnreadableLine{};
  return e;
}

std::optional<NumberedSyntax> numberedLine(std::string_view s) {
  if (s.size() < 3 || s[0] != '(' || !std::isdigit(static_cast<unsigned char>(s[1]))) return std::nullopt;
  size_t i = 1;
  int64_t n = 0;
  while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) {
    if (i > 9) throw UnreadableLine{};
    n = n * 10 + (s[i++] - '0');
  }
  if (i >= s.size() || s[i] != ')' || !blankAt(s, i + 1)) return std::nullopt;
  const std::string_view rest = trimmed(s.substr(i + 1));
  if (rest.empty()) throw UnreadableLine{};
  return NumberedSyntax{n, rest};
}

std::optional<InferenceSyntax> inferenceLine(std::string_view s) {
  size_t dashes = 0;
  while (dashes < s.size() && s[dashes] == '-') ++dashes;
  if (dashes < 2 || (dashes < s.size() && s[dashes] == '>')) return std::nullopt;
  InferenceSyntax out;
  std::string rest(trimmed(s.substr(dashes)));
  const size_t brace = rest.find('{');
  if (brace != std::string::npos) {
    size_t end = brace;
    readData(rest, end, out.data);
    rest = std::string(trimmed(rest.substr(0, brace))) + " " + std::string(trimmed(rest.substr(end)));
  }
  const std::string_view left = trimmed(rest);
  out.dashesOnly = left.empty() && brace == std::string::npos;
  if (left.empty()) return out;
  // "-- text --": the text between dashes is the inference rule's.
  size_t last = left.size();
  while (last > 0 && left[last - 1] == '-') --last;
  if (left.size() - last < 2) throw UnreadableLine{};
  out.rule = !trimmed(left.substr(0, last)).empty();
  return out;
}

int indentOf(std::string_view line) {
  int columns = 0;
  for (char c : line) {
    if (c == ' ')
      columns += 1;
    else if (c == '\t')
      columns += 4;
    else
      break;
  }
  return columns;
}

}  // namespace zorvex::argdown
