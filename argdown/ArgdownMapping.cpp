// What a read text means for a diagram, in the shape AIF gives: a sentence
// per statement and per argument without a premise-conclusion structure;
// arrows from each inference's premises to its conclusion and from support
// relations; a rebuttal per attack on a statement and an undercutter per
// undercut of (or attack on) an argument with a structure, whose challenged
// rectangle holds the arrows into its final conclusion.
#include <algorithm>
#include <set>
#include <unordered_map>

#include "argdown/ArgdownDocument.h"
#include "model/ZorvexError.h"

namespace zorvex::argdown {
namespace {

class Mapping {
 public:
  explicit Mapping(const Document& doc) : doc_(doc), sentence_(doc.nodes.size(), -1) {
    out_.leftOut = doc.leftOut;
    out_.unreadableLines = doc.unreadable;
    finalArrows_.resize(doc.structures.size());
  }

  ArgdownMeaning run() {
    numberSentences();
    for (size_t s = 0; s < doc_.structures.size(); ++s) structureArrows(s);
    for (const Relation& r : doc_.relations) relation(r);
    for (const Structure& s : doc_.structures)
      for (const Inference& i : s.inferences)
        if (i.attacks) jointAttack(i);
    return std::move(out_);
  }

 private:
  bool structured(int node) const {
    const Node& n = doc_.nodes[node];
    return n.argument && n.structure >= 0 && !doc_.structures[n.structure].inferences.empty();
  }

  void numberSentences() {
    std::vector<int> nodes;
    for (size_t k = 0; k < doc_.nodes.size(); ++k) {
      const Node& n = doc_.nodes[k];
      if (structured(static_cast<int>(k)) || (n.title.empty() && n.text.empty())) continue;
      nodes.push_back(static_cast<int>(k));
    }
    std::stable_sort(nodes.begin(), nodes.end(), [&](int a, int b) { return doc_.nodes[a].order < doc_.nodes[b].order; });
    for (int k : nodes) {
      const Node& n = doc_.nodes[k];
      sentence_[k] = static_cast<int32_t>(out_.map.texts.size());
      out_.map.texts.push_back(n.hasText ? n.text : n.title);
      SentencePlace place;
      place.placed = n.x.has_value();
      if (place.placed) place.corner = {static_cast<int32_t>(*n.x), static_cast<int32_t>(*n.y)};
      place.hasStatus = n.status.has_value();
      place.status = n.status.value_or(NotEvaluated);
      out_.places.push_back(place);
      out_.sentenceLines.push_back(n.line);
    }
  }

  // The sentence an element stands for in a relation: a structured
  // argument's final conclusion; -1 when it has none.
  int32_t standFor(int node) const {
    if (!structured(node)) return sentence_[node];
    const Inference& last = doc_.structures[doc_.nodes[node].structure].inferences.back();
    return last.attacks ? -1 : sentence_[last.conclusion];
  }

  int32_t arrow(int32_t from, int32_t to) {
    const uint64_t key = (static_cast<uint64_t>(static_cast<uint32_t>(from)) << 32) | static_cast<uint32_t>(to);
    const auto [it, added] = arrows_.try_emplace(key, static_cast<int32_t>(out_.map.arrows.size()));
    if (added) out_.map.arrows.push_back({from, to});
    return it->second;
  }

  void structureArrows(size_t s) {
    const Structure& structure = doc_.structures[s];
    if (!structured(structure.argument)) return;
    ++out_.arguments;
    for (const Inference& i : structure.inferences) {
      if (i.attacks) continue;
      const int32_t conclusion = sentence_[i.conclusion];
      std::vector<int32_t> made;
      for (int p : i.premises) {
        if (sentence_[p] == conclusion) {
          ++out_.leftOut.selfSupports;
          continue;
        }
        const int32_t a = arrow(sentence_[p], conclusion);
        if (std::find(made.begin(), made.end(), a) == made.end()) made.push_back(a);
      }
      if (made.size() > 1) {
        ++out_.map.jointInferences;
        out_.map.jointArrows += made.size();
      }
      if (&i == &structure.inferences.back()) finalArrows_[s] = std::move(made);
    }
  }

  const std::vector<int32_t>* undercutTarget(int node) const {
    if (!structured(node)) return nullptr;
    const std::vector<int32_t>& arrows = finalArrows_[doc_.nodes[node].structure];
    return arrows.empty() ? nullptr : &arrows;
  }

  void defeater(std::vector<int32_t> attackers, int32_t sentence, std::vector<int32_t> arrows, int line) {
    std::sort(attackers.begin(), attackers.end());
    attackers.erase(std::unique(attackers.begin(), attackers.end()), attackers.end());
    std::sort(arrows.begin(), arrows.end());
    if (sentence >= 0 && std::binary_search(attackers.begin(), attackers.end(), sentence))
      return void(++out_.leftOut.selfAttacks);
    if (!defeaters_.insert({attackers, sentence, arrows}).second) return;
    MapDefeater d;
    d.conflictId = "line " + std::to_string(line);
    d.attackers = std::move(attackers);
    d.targetSentence = sentence;
    d.targetArrows = std::move(arrows);
    out_.map.defeaters.push_back(std::move(d));
  }

  // An attack by `attackers` on a node: its sentence, or the inference of a structured argument.
  void attack(const std::vector<int32_t>& attackers, int target, bool undercut, int line) {
    if (const std::vector<int32_t>* arrows = undercutTarget(target)) {
      if (!undercut) out_.attacksReadAsUndercuts.push_back(line);
      return defeater(attackers, -1, *arrows, line);
    }
    if (undercut) return void(++out_.leftOut.undercutsOfNoInference);
    const int32_t sentence = structured(target) ? -1 : sentence_[target];
    if (sentence < 0) return void(++out_.leftOut.withoutConclusion);
    defeater(attackers, sentence, {}, line);
  }

  void relation(const Relation& r) {
    const int32_t from = standFor(r.from);
    if (r.kind == RelationKind::Support) {
      const int32_t to = standFor(r.to);
      if (from < 0 || to < 0) return void(++out_.leftOut.withoutConclusion);
      if (from != to) arrow(from, to);
      return;
    }
    if (from < 0) return void(++out_.leftOut.withoutConclusion);
    if (r.kind == RelationKind::Contradiction) {
      const int32_t to = standFor(r.to);
      if (to < 0) return void(++out_.leftOut.withoutConclusion);
      defeater({from}, to, {}, r.line);
      return defeater({to}, from, {}, r.line);
    }
    attack({from}, r.to, r.kind == RelationKind::Undercut, r.line);
  }

  void jointAttack(const Inference& i) {
    std::vector<int32_t> attackers;
    for (int p : i.premises) attackers.push_back(sentence_[p]);
    if (attackers.empty()) return void(++out_.leftOut.withoutConclusion);
    attack(attackers, i.target, i.attack == RelationKind::Undercut, i.line);
  }

  const Document& doc_;
  ArgdownMeaning out_;
  std::vector<int32_t> sentence_;                 // per node, or -1
  std::vector<std::vector<int32_t>> finalArrows_;  // per structure: the arrows into its final conclusion
  std::unordered_map<uint64_t, int32_t> arrows_;
  std::set<std::tuple<std::vector<int32_t>, int32_t, std::vector<int32_t>>> defeaters_;
};

}  // namespace
}  // namespace zorvex::argdown

namespace zorvex {

ArgdownMeaning readArgdown(std::string_view text) {
  if (text.size() > ArgdownSizeLimit) throw argdownTooLong();
  return argdown::Mapping(argdown::parseDocument(text)).run();
}

ZorvexError argdownTooLong() {
  return ZorvexError("the text is longer than " + std::to_string(ArgdownSizeLimit >> 20) + " MiB");
}

bool ArgdownMeaning::everySentencePlaced() const {
  return std::all_of(places.begin(), places.end(), [](const SentencePlace& p) { return p.placed; });
}

}  // namespace zorvex
