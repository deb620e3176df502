#pragma once
// What kind of line a trimmed Argdown line is, and the syntax of its parts:
// a relation sign, a numbered statement, an inference line, a statement or
// argument with its title. Each throws UnreadableLine for what it cannot read.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "argdown/ArgdownSyntax.h"

namespace zorvex::argdown {

enum class Sign { None, SupportedBy, AttackedBy, UndercutBy, Supports, Attacks, Undercuts, Contradicts };

struct SignAt {
  Sign sign = Sign::None;
  size_t length = 0;
};
// A sign followed by a space or a tab.
SignAt relationSign(std::string_view s);

// "# Heading", "## Heading", "#" alone.
bool isHeading(std::string_view s);

struct ElementSyntax {
  bool argument = false;
  std::string title;  // empty: a statement of its own, without a title
  bool definition = false;  // "[Title]: text" with a text
  CleanText clean;
};
ElementSyntax parseElement(std::string_view s);

struct NumberedSyntax {
  int64_t number = 0;
  std::string_view rest;  // trimmed, not empty
};
// "(12) ...": nothing when the line does not start so.
std::optional<NumberedSyntax> numberedLine(std::string_view s);

struct InferenceSyntax {
  bool dashesOnly = false;
  bool rule = false;  // "-- text --"
  DataItems data;
};
// Two or more '-' not followed by '>' or a space: nothing when the line is no inference line.
std::optional<InferenceSyntax> inferenceLine(std::string_view s);

// Columns of leading spaces and tabs (a tab counting four).
int indentOf(std::string_view line);

}  // namespace zorvex::argdown
