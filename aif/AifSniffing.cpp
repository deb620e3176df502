#include <cctype>

#include "aif/AifGraph.h"

namespace zorvex {
namespace {

bool space(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

}  // namespace

bool beginsLikeAif(std::string_view head) {
  // A byte order mark, white space, the object's brace, then its first key.
  if (head.substr(0, 3) == "\xEF\xBB\xBF") head.remove_prefix(3);
  size_t i = 0;
  while (i < head.size() && space(head[i])) ++i;
  if (i >= head.size() || head[i] != '{') return false;
  ++i;
  while (i < head.size() && space(head[i])) ++i;
  if (i >= head.size() || head[i] != '"') return false;
  const size_t end = head.find('"', i + 1);
  if (end == std::string_view::npos) return false;
  const std::string_view key = head.substr(i + 1, end - i - 1);
  for (const char* aifKey : {"nodes", "edges", "locutions", "AIF", "OVA", "text", "participants", "analysis",
                             "schemefulfillments", "descriptorfulfillments", "cqdescriptorfulfillments"})
    if (key == aifKey) return true;
  return false;
}

}  // namespace zorvex
