// Reads the lines one by one. Relations hang under the nearest line above
// that is indented less; a premise-conclusion structure is the run of
// numbered statements and inference lines after an argument's title line
// (or standing alone), ended by the next line at the top that is neither.
// Names are resolved at the end, so anything may be named before it is defined.
#include <algorithm>
#include <unordered_map>

#include "argdown/ArgdownDocument.h"
#include "argdown/ArgdownLineKinds.h"

namespace zorvex::argdown {
namespace {

struct Open {
  int indent;
  int node;  // -1: a line that could not be read
};

// The structure being read.
struct OpenStructure {
  int index = -1;
  std::unordered_map<int64_t, int> numbered;  // the numbers written, to their nodes
  std::vector<int> premises;                  // since the last conclusion, that included
  bool awaiting = false;                      // an inference line waits for its conclusion
  bool dashesOnly = false;
  int ruleLine = 0;  // a line between two dash lines: the rule's text
  Inference pending;
  size_t statements = 0;
};

class Parser {
 public:
  Document run(std::string_view text) {
    PreparedText prepared = prepareLines(text);
    doc_.leftOut.frontMatter = prepared.frontMatter;
    doc_.unreadable = std::move(prepared.unreadable);
    for (const SourceLine& l : prepared.lines) line(l);
    closeStructure();
    std::sort(doc_.unreadable.begin(), doc_.unreadable.end());
    doc_.unreadable.erase(std::unique(doc_.unreadable.begin(), doc_.unreadable.end()), doc_.unreadable.end());
    return std::move(doc_);
  }

 private:
  void line(const SourceLine& l) {
    const int indent = indentOf(l.text);
    const std::string_view s = trimmed(l.text);
    try {
      if (l.text.size() > LineLimit) throw UnreadableLine{};
      if (indent == 0 && isHeading(s)) return heading();
      if (const auto inference = inferenceLine(s)) return inferenceAt(*inference, l.number);
      if (const auto numbered = numberedLine(s)) return numberedAt(*numbered, indent, l.number);
      if (const SignAt sign = relationSign(s); sign.sign != Sign::None)
        return relationAt(sign, trimmed(s.substr(sign.length)), indent, l.number);
      if (open_.awaiting && open_.dashesOnly && open_.ruleLine == 0) return void(open_.ruleLine = l.number);
      elementAt(s, indent, l.number);
    } catch (const UnreadableLine&) {
      doc_.unreadable.push_back(l.number);
      popTo(indent);
      stack_.push_back({indent, -1});
    }
  }

  void heading() {
    closeStructure();
    ++doc_.leftOut.headings;
    stack_.clear();
    lastArgument_ = -1;
  }

  void popTo(int indent) {
    while (!stack_.empty() && stack_.back().indent >= indent) stack_.pop_back();
  }

  void elementAt(std::string_view s, int indent, int number) {
    const ElementSyntax e = parseElement(s);
    closeStructure();
    const int node = define(e, number);
    stack_.clear();
    if (node >= 0) stack_.push_back({indent, node});
    lastArgument_ = e.argument ? node : -1;
  }

  void relationAt(SignAt sign, std::string_view rest, int indent, int number) {
    if (rest.empty()) throw UnreadableLine{};
    const ElementSyntax e = parseElement(rest);
    popTo(indent);
    if (stack_.empty()) throw UnreadableLine{};  // nothing above it to relate to
    const int parent = stack_.back().node;
    const int child = define(e, number);
    if (child < 0) throw UnreadableLine{};
    stack_.push_back({indent, child});
    if (parent < 0) return void(++doc_.leftOut.underUnreadable);
    const auto add = [&](RelationKind kind, int from, int to) { doc_.relations.push_back({kind, from, to, number}); };
    switch (sign.sign) {
      case Sign::SupportedBy: return add(RelationKind::Support, child, parent);
      case Sign::AttackedBy: return add(RelationKind::Attack, child, parent);
      case Sign::UndercutBy: return add(RelationKind::Undercut, child, parent);
      case Sign::Supports: return add(RelationKind::Support, parent, child);
      case Sign::Attacks: return add(RelationKind::Attack, parent, child);
      case Sign::Undercuts: return add(RelationKind::Undercut, parent, child);
      case Sign::Contradicts: return add(RelationKind::Contradiction, parent, child);
      case Sign::None: break;
    }
  }

  void inferenceAt(const InferenceSyntax& syntax, int number) {
    if (open_.index < 0) throw UnreadableLine{};
    if (open_.awaiting) {
      // The closing dashes of an inference written over three lines.
      if (!open_.dashesOnly || open_.ruleLine == 0 || !syntax.dashesOnly) throw UnreadableLine{};
      ++doc_.leftOut.inferenceRules;
      open_.dashesOnly = false;
      open_.ruleLine = 0;
      return;
    }
    doc_.leftOut.dataItems += syntax.data.others + (syntax.data.x || syntax.data.y || syntax.data.status ? 1 : 0);
    doc_.leftOut.inferenceRules += syntax.rule ? 1 : 0;
    open_.pending = Inference{};
    open_.pending.line = number;
    if (syntax.data.uses) {
      for (int64_t n : *syntax.data.uses) {
        const auto it = open_.numbered.find(n);
        if (it == open_.numbered.end()) ++doc_.leftOut.unknownUses;
        else if (std::find(open_.pending.premises.begin(), open_.pending.premises.end(), it->second) ==
                 open_.pending.premises.end())
          open_.pending.premises.push_back(it->second);
      }
    } else {
      open_.pending.premises = open_.premises;
    }
    open_.awaiting = true;
    open_.dashesOnly = syntax.dashesOnly;
    open_.ruleLine = 0;
  }

  void numberedAt(const NumberedSyntax& n, int indent, int number) {
    const SignAt sign = relationSign(n.rest);
    if (sign.sign == Sign::Attacks || sign.sign == Sign::Undercuts) return attackConclusion(sign, n, number);
    const ElementSyntax e = parseElement(n.rest);
    if (e.argument) throw UnreadableLine{};
    if (open_.index < 0) openStructure(number);
    const int node = define(e, number);
    if (node < 0) throw UnreadableLine{};
    open_.numbered[n.number] = node;
    ++open_.statements;
    if (open_.awaiting) {
      if (open_.ruleLine) doc_.unreadable.push_back(open_.ruleLine);
      open_.pending.conclusion = node;
      finishInference();
      open_.premises = {node};
    } else {
      open_.premises.push_back(node);
    }
    stack_.clear();
    stack_.push_back({indent, node});
  }

  // "(3) -> [Target]" below an inference line: the premises attack together.
  void attackConclusion(SignAt sign, const NumberedSyntax& n, int number) {
    if (!open_.awaiting) throw UnreadableLine{};
    const std::string_view rest = trimmed(n.rest.substr(sign.length));
    if (rest.empty()) throw UnreadableLine{};
    const int target = define(parseElement(rest), number);
    if (target < 0) throw UnreadableLine{};
    open_.pending.attacks = true;
    open_.pending.attack = sign.sign == Sign::Attacks ? RelationKind::Attack : RelationKind::Undercut;
    open_.pending.target = target;
    finishInference();
    open_.premises.clear();
    stack_.clear();
  }

  void finishInference() {
    doc_.structures[open_.index].inferences.push_back(std::move(open_.pending));
    open_.pending = Inference{};
    open_.awaiting = false;
    open_.ruleLine = 0;
  }

  void openStructure(int number) {
    int owner = lastArgument_;
    if (owner < 0 || doc_.nodes[owner].structure >= 0) owner = newNode(true, "", number);
    open_ = OpenStructure{};
    open_.index = static_cast<int>(doc_.structures.size());
    doc_.structures.push_back({owner, {}});
    doc_.nodes[owner].structure = open_.index;
    lastArgument_ = -1;
  }

  void closeStructure() {
    if (open_.index < 0) return;
    if (open_.awaiting) doc_.unreadable.push_back(open_.pending.line);
    if (open_.ruleLine) doc_.unreadable.push_back(open_.ruleLine);
    const Structure& s = doc_.structures[open_.index];
    if (s.inferences.empty()) {
      doc_.leftOut.withoutInference += open_.statements;
      doc_.nodes[s.argument].structure = -1;
    } else if (open_.premises.size() > 1 || (open_.premises.size() == 1 && s.inferences.back().attacks)) {
      // Premises after the last conclusion conclude nothing.
      doc_.leftOut.withoutInference += open_.premises.size() - (s.inferences.back().attacks ? 0 : 1);
    }
    open_ = OpenStructure{};
  }

  int newNode(bool argument, std::string title, int number) {
    Node n;
    n.argument = argument;
    n.title = std::move(title);
    n.line = number;
    n.order = seq_++;
    doc_.nodes.push_back(std::move(n));
    return static_cast<int>(doc_.nodes.size()) - 1;
  }

  int named(bool argument, const std::string& title, int number) {
    auto& names = argument ? arguments_ : statements_;
    const auto [it, added] = names.try_emplace(title, 0);
    if (added) it->second = newNode(argument, title, number);
    return it->second;
  }

  // The node a statement or argument line names, made when new; -1 for a
  // line of nothing but tags and data.
  int define(const ElementSyntax& e, int number) {
    ArgdownLeftOut& out = doc_.leftOut;
    out.tags += e.clean.tags;
    for (const Mention& m : e.clean.mentions) named(m.argument, m.title, number);
    if (e.title.empty() && e.clean.text.empty()) {
      out.dataItems += e.clean.data.others;
      return -1;
    }
    const int id = e.title.empty() ? newNode(false, "", number) : named(e.argument, e.title, number);
    Node& n = doc_.nodes[id];
    if (e.title.empty() || e.definition) {
      if (!n.hasText) {
        n.text = e.clean.text;
        n.hasText = true;
        n.line = number;
        n.order = seq_++;
      } else if (n.text != e.clean.text) {
        ++out.furtherTexts;
      }
    }
    const DataItems& data = e.clean.data;
    out.dataItems += data.others + (data.uses ? 1 : 0);
    if (data.x && data.y && !n.x) {
      n.x = data.x;
      n.y = data.y;
    } else if (data.x || data.y) {
      ++out.dataItems;
    }
    if (data.status && !n.status) n.status = data.status;
    return id;
  }

  Document doc_;
  std::vector<Open> stack_;
  OpenStructure open_;
  int lastArgument_ = -1;
  uint64_t seq_ = 0;
  std::unordered_map<std::string, int> statements_, arguments_;
};

}  // namespace

Document parseDocument(std::string_view text) { return Parser().run(text); }

}  // namespace zorvex::argdown
