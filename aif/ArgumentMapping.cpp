#include <algorithm>
#include <set>
#include <unordered_map>

#include "aif/ArgumentMap.h"

namespace zorvex {
namespace {

struct Links {
  std::vector<std::vector<size_t>> in, out;  // node numbers, each edge once
};

Links linksOf(const AifGraph& g, const std::unordered_map<std::string, size_t>& number, LeftOutCounts& leftOut) {
  Links links{std::vector<std::vector<size_t>>(g.nodes.size()), std::vector<std::vector<size_t>>(g.nodes.size())};
  std::set<std::pair<size_t, size_t>> seen;
  for (const AifEdge& e : g.edges) {
    const auto from = number.find(e.from), to = number.find(e.to);
    if (from == number.end() || to == number.end()) {
      ++leftOut.edgesToMissingNodes;
      continue;
    }
    if (!seen.insert({from->second, to->second}).second) continue;
    links.out[from->second].push_back(to->second);
    links.in[to->second].push_back(from->second);
  }
  return links;
}

void countNode(const AifNode& n, LeftOutCounts& c) {
  switch (n.type) {
    case AifNodeType::MA: ++c.rephrases; break;
    case AifNodeType::PA: ++c.preferences; break;
    case AifNodeType::L:
    case AifNodeType::TA:
    case AifNodeType::YA: ++c.dialogueNodes; break;
    case AifNodeType::Other: ++c.otherNodes; break;
    default: break;
  }
  if (n.namesScheme) ++c.schemeNames;
  if (n.timestamped) ++c.timestamps;
}

class Mapper {
 public:
  explicit Mapper(const AifGraph& g) : g_(g), sentence_(g.nodes.size(), -1), arrowsOf_(g.nodes.size()) {
    map_.format = g.format;
    map_.leftOut.speakers = g.speakers;
    std::unordered_map<std::string, size_t> number;
    for (size_t i = 0; i < g.nodes.size(); ++i) {
      number.emplace(g.nodes[i].id, i);
      countNode(g.nodes[i], map_.leftOut);
      if (g.nodes[i].type != AifNodeType::I) continue;
      sentence_[i] = static_cast<int32_t>(map_.texts.size());
      map_.texts.push_back(collapseWhiteSpace(g.nodes[i].text));
    }
    links_ = linksOf(g, number, map_.leftOut);
  }

  ArgumentMap run() {
    for (size_t i = 0; i < g_.nodes.size(); ++i)
      if (g_.nodes[i].type == AifNodeType::RA) inference(i);
    for (size_t i = 0; i < g_.nodes.size(); ++i)
      if (g_.nodes[i].type == AifNodeType::CA) conflict(i);
    return std::move(map_);
  }

 private:
  bool isSentence(size_t node) const { return sentence_[node] >= 0; }

  // The I-nodes among `nodes`, by sentence number, each once.
  std::vector<int32_t> sentencesAmong(const std::vector<size_t>& nodes) const {
    std::vector<int32_t> out;
    for (size_t n : nodes)
      if (isSentence(n)) out.push_back(sentence_[n]);
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
  }

  void inference(size_t ra) {
    const std::vector<size_t>& out = links_.out[ra];
    if (out.size() != 1 || !isSentence(out[0])) {
      ++map_.leftOut.inferencesWithoutArrow;
      return;
    }
    const int32_t conclusion = sentence_[out[0]];
    std::vector<int32_t> premises;
    for (size_t p : links_.in[ra]) {
      if (!isSentence(p)) continue;
      if (sentence_[p] == conclusion)
        ++map_.leftOut.selfSupports;
      else
        premises.push_back(sentence_[p]);
    }
    if (premises.empty()) ++map_.leftOut.inferencesWithoutArrow;
    if (premises.size() > 1) {
      ++map_.jointInferences;
      map_.jointArrows += premises.size();
    }
    for (int32_t p : premises) {
      arrowsOf_[ra].push_back(static_cast<int32_t>(map_.arrows.size()));
      map_.arrows.push_back({p, conclusion});
    }
  }

  void conflict(size_t ca) {
    const std::vector<size_t>& targets = links_.out[ca];
    MapDefeater d;
    d.conflictId = g_.nodes[ca].id;
    d.attackers = sentencesAmong(links_.in[ca]);
    LeftOutCounts& c = map_.leftOut;
    if (targets.size() == 1 && g_.nodes[targets[0]].type == AifNodeType::CA) {
      ++c.conflictsOnConflicts;
    } else if (d.attackers.empty()) {
      ++c.conflictsWithoutAttacker;
    } else if (targets.size() != 1) {
      ++c.otherConflicts;
    } else if (isSentence(targets[0])) {
      d.targetSentence = sentence_[targets[0]];
      map_.defeaters.push_back(std::move(d));
    } else if (g_.nodes[targets[0]].type == AifNodeType::RA && !arrowsOf_[targets[0]].empty()) {
      d.targetArrows = arrowsOf_[targets[0]];
      map_.defeaters.push_back(std::move(d));
    } else {
      ++c.otherConflicts;
    }
  }

  const AifGraph& g_;
  ArgumentMap map_;
  std::vector<int32_t> sentence_;               // per node: its sentence, or -1
  std::vector<std::vector<int32_t>> arrowsOf_;  // per inference node: its arrows
  Links links_;
};

}  // namespace

ArgumentMap mapArguments(const AifGraph& graph) { return Mapper(graph).run(); }

}  // namespace zorvex
