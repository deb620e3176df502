#include <algorithm>
#include <numeric>
#include <set>

#include <nlohmann/json.hpp>

#include "aif/AifFiles.h"
#include "edit/DefeaterHolds.h"

namespace zorvex {
namespace {

using Json = nlohmann::ordered_json;

std::string sentenceId(int32_t n) { return std::to_string(3 * static_cast<int64_t>(n)); }
std::string inferenceId(int32_t n) { return std::to_string(3 * static_cast<int64_t>(n) + 1); }
std::string conflictId(int32_t n) { return std::to_string(3 * static_cast<int64_t>(n) + 2); }

bool liveArrow(const Diagram& d, int32_t n) {
  const TArrow& a = d.arrow(n);
  return !a.Deleted && a.resolved() && !d.sentence(a.Sentence1).Deleted && !d.sentence(a.Sentence2).Deleted;
}

bool liveDefeater(const TDefeater& f) { return !f.Deleted && !f.Incomplete; }

// Arrows that one defeater's challenged rectangle holds and that end at the
// same sentence are one inference with several premises: an undercut of it
// then has that one inference for its target. Per arrow: the lowest-numbered
// arrow of its inference.
class Inferences {
 public:
  Inferences(const Diagram& d, const std::vector<DefeaterHolding>& holds) : lead_(d.ArrowCount()) {
    std::iota(lead_.begin(), lead_.end(), 0);
    for (const DefeaterHolding& h : holds)
      for (int32_t a : h.challenged.arrows)
        for (int32_t b : h.challenged.arrows) {
          if (b >= a) break;
          if (liveArrow(d, a) && liveArrow(d, b) && d.arrow(a).Sentence2 == d.arrow(b).Sentence2) join(a, b);
        }
  }
  int32_t of(int32_t arrow) {
    while (lead_[arrow] != arrow) arrow = lead_[arrow] = lead_[lead_[arrow]];
    return arrow;
  }

 private:
  void join(int32_t a, int32_t b) {
    const int32_t x = of(a), y = of(b);
    if (x < y) lead_[y] = x;
    if (y < x) lead_[x] = y;
  }
  std::vector<int32_t> lead_;
};

class Writer {
 public:
  explicit Writer(const Diagram& d) : d_(d) {}

  std::string run() {
    std::vector<DefeaterHolding> holds(d_.DefeaterCount());
    for (int32_t n = 0; n < d_.DefeaterCount(); ++n)
      if (liveDefeater(d_.defeater(n))) holds[n] = defeaterHolds(d_, n);
    Inferences inference(d_, holds);
    std::set<std::pair<int32_t, int32_t>> joinedPremises;  // (inference, premise) of joined arrows
    for (int32_t n = 0; n < d_.SentenceCount(); ++n)
      if (!d_.sentence(n).Deleted) node(sentenceId(n), d_.sentence(n).Text, "I");
    for (int32_t n = 0; n < d_.ArrowCount(); ++n) {
      if (!liveArrow(d_, n)) continue;
      const int32_t lead = inference.of(n), premise = d_.arrow(n).Sentence1;
      if (lead == n) {
        node(inferenceId(n), "Default Inference", "RA");
        edge(sentenceId(premise), inferenceId(n));
        edge(inferenceId(n), sentenceId(d_.arrow(n).Sentence2));
        continue;
      }
      // Two arrows of one inference may come from the same premise: one edge.
      joinedPremises.insert({lead, d_.arrow(lead).Sentence1});
      if (joinedPremises.insert({lead, premise}).second) edge(sentenceId(premise), inferenceId(lead));
    }
    for (int32_t n = 0; n < d_.DefeaterCount(); ++n) {
      if (!liveDefeater(d_.defeater(n))) continue;
      node(conflictId(n), "Default Conflict", "CA");
      const DefeaterHolding& h = holds[n];
      for (int32_t s : h.challenging.sentences) edge(sentenceId(s), conflictId(n));
      for (int32_t s : h.challenged.sentences) edge(conflictId(n), sentenceId(s));
      std::vector<int32_t> targets;
      for (int32_t a : h.challenged.arrows)
        if (liveArrow(d_, a)) targets.push_back(inference.of(a));
      std::sort(targets.begin(), targets.end());
      targets.erase(std::unique(targets.begin(), targets.end()), targets.end());
      for (int32_t t : targets) edge(conflictId(n), inferenceId(t));
    }
    Json doc;
    doc["nodes"] = std::move(nodes_);
    doc["edges"] = std::move(edges_);
    doc["locutions"] = Json::array();
    return doc.dump(1) + "\n";
  }

 private:
  void node(const std::string& id, const std::string& text, const char* type) {
    nodes_.push_back({{"nodeID", id}, {"text", text}, {"type", type}});
  }
  void edge(const std::string& from, const std::string& to) {
    edges_.push_back({{"edgeID", std::to_string(edges_.size() + 1)}, {"fromID", from}, {"toID", to}});
  }

  const Diagram& d_;
  Json nodes_ = Json::array();
  Json edges_ = Json::array();
};

}  // namespace

std::string aifOfDiagram(const Diagram& d) { return Writer(d).run(); }

}  // namespace zorvex
