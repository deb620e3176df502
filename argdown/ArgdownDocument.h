#pragma once
// An Argdown text as read, before it means anything for a diagram: its
// statements and arguments by title, the premise-conclusion structures of
// arguments, and the relations between them, each with its line.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "argdown/ArgdownSyntax.h"
#include "argdown/ArgdownText.h"

namespace zorvex::argdown {

// A line with its comments taken out; front matter and comment-only lines are gone.
struct SourceLine {
  int number = 0;  // from 1
  std::string text;
};

struct PreparedText {
  std::vector<SourceLine> lines;
  size_t frontMatter = 0;
  std::vector<int> unreadable;  // an unclosed comment or front matter
};

PreparedText prepareLines(std::string_view text);

// A statement or an argument.
struct Node {
  bool argument = false;
  std::string title;  // empty: a statement of its own
  std::string text;
  bool hasText = false;
  int line = 0;         // where it is defined (its text given), else first named
  uint64_t order = 0;   // the same, as a running count of what the text names
  std::optional<int64_t> x, y;
  std::optional<Status> status;
  int structure = -1;  // an argument's premise-conclusion structure
};

enum class RelationKind { Support, Attack, Undercut, Contradiction };

struct Relation {
  RelationKind kind = RelationKind::Support;
  int from = 0;  // nodes: `from` supports, attacks, undercuts or contradicts `to`
  int to = 0;
  int line = 0;
};

// One inference line with the statements it uses and the conclusion below
// it: a statement, or an attack (-> X, _> X) that the premises make together.
struct Inference {
  std::vector<int> premises;  // nodes
  int conclusion = -1;        // a node, or -1 for an attack
  bool attacks = false;
  RelationKind attack = RelationKind::Attack;
  int target = -1;
  int line = 0;
};

struct Structure {
  int argument = 0;
  std::vector<Inference> inferences;  // with a conclusion or an attack each
};

struct Document {
  std::vector<Node> nodes;
  std::vector<Structure> structures;
  std::vector<Relation> relations;
  ArgdownLeftOut leftOut;
  std::vector<int> unreadable;
};

Document parseDocument(std::string_view text);

}  // namespace zorvex::argdown
