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

class Writer {
 public:
  explicit Writer(const Diagram& d) : d_(d) {}

  std::string run() {
    for (int32_t n = 0; n < d_.SentenceCount(); ++n)
      if (!d_.sentence(n).Deleted) node(sentenceId(n), d_.sentence(n).Text, "I");
    for (int32_t n = 0; n < d_.ArrowCount(); ++n) {
      if (!liveArrow(d_, n)) continue;
      node(inferenceId(n), "Default Inference", "RA");
      edge(sentenceId(d_.arrow(n).Sentence1), inferenceId(n));
      edge(inferenceId(n), sentenceId(d_.arrow(n).Sentence2));
    }
    for (int32_t n = 0; n < d_.DefeaterCount(); ++n) {
      const TDefeater& f = d_.defeater(n);
      if (f.Deleted || f.Incomplete) continue;
      node(conflictId(n), "Default Conflict", "CA");
      const DefeaterHolding h = defeaterHolds(d_, n);
      for (int32_t s : h.challenging.sentences) edge(sentenceId(s), conflictId(n));
      for (int32_t s : h.challenged.sentences) edge(conflictId(n), sentenceId(s));
      for (int32_t a : h.challenged.arrows)
        if (liveArrow(d_, a)) edge(conflictId(n), inferenceId(a));
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
