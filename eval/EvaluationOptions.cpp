#include "eval/EvaluationOptions.h"

#include <cctype>

#include "model/ZorvexError.h"

namespace zorvex {
namespace {

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  return s;
}

std::string lowered(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

[[noreturn]] void unknownItem(std::string_view item, std::string_view text) {
  throw ZorvexError("Unknown rule '" + std::string(item) + "' in option set '" + std::string(text) +
                    "' (use 1, 2, 3a, 3b or none)");
}

}  // namespace

RuleSet parseRuleSet(std::string_view text) {
  const std::string whole = lowered(trimmed(text));
  if (whole.empty()) throw ZorvexError("Empty option set (write none for no rules)");
  if (whole == "none") return {};
  RuleSet rules;
  std::string_view rest = whole;
  while (true) {
    const size_t comma = rest.find(',');
    const std::string_view item = trimmed(rest.substr(0, comma));
    if (item == "1") rules.rule1 = true;
    else if (item == "2") rules.rule2 = true;
    else if (item == "3a") rules.rule3a = true;
    else if (item == "3b") rules.rule3b = true;
    else if (item == "none") throw ZorvexError("Option set '" + std::string(text) + "' mixes none with rules");
    else unknownItem(item, text);
    if (comma == std::string_view::npos) break;
    rest.remove_prefix(comma + 1);
  }
  if (rules.rule3a && rules.rule3b)
    throw ZorvexError("Rules 3a and 3b cannot both be on in option set '" + std::string(text) + "'");
  return rules;
}

std::string formatRuleSet(const RuleSet& rules) {
  std::string out;
  auto add = [&out](bool on, const char* name) {
    if (!on) return;
    if (!out.empty()) out += ',';
    out += name;
  };
  add(rules.rule1, "1");
  add(rules.rule2, "2");
  add(rules.rule3a, "3a");
  add(rules.rule3b, "3b");
  return out.empty() ? "none" : out;
}

}  // namespace zorvex
