#pragma once
// An independent replay for checking explanations: the rounds are run by the
// plain reference, pass by pass, and the statuses are kept after every pass
// of every step, with the moment each element was last assigned. Moments are
// numbered step * 4 + phase: phase 0 before the step, 1 after the arrow
// pass, 2 after the sentence pass, 3 after the step. Step 0 is the start.
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "eval/ReferenceEvaluation.h"

namespace zorvex::testing {

inline uint8_t plain(Status s) { return static_cast<uint8_t>(s & ~0x18); }

class WhyOracle {
 public:
  enum Kind { Start, Evaluate, Jump, Reset, User };

  explicit WhyOracle(const Diagram& start) : g_(start) {
    for (int phase = 0; phase < 4; ++phase) snaps_.push_back(g_);
    kinds_.push_back(Start);
    rules_.push_back({});
  }

  const Diagram& now() const { return g_; }
  int32_t steps() const { return static_cast<int32_t>(kinds_.size()); }
  Kind kind(int32_t step) const { return kinds_[static_cast<size_t>(step)]; }
  const RuleSet& rules(int32_t step) const { return rules_[static_cast<size_t>(step)]; }
  const Diagram& at(int moment) const { return snaps_[static_cast<size_t>(moment)]; }

  void round(bool jump, const RuleSet& rules) {
    const int t = begin(jump ? Jump : Evaluate, rules);
    reference::Log log;
    reference::EvaluateArrows(g_);
    snaps_.push_back(g_);
    reference::SentencePass(g_, rules, jump, log);
    snaps_.push_back(g_);
    reference::UnevaluateArrows(g_);
    reference::EvaluateDefeaters(g_);
    snaps_.push_back(g_);
    for (int32_t a = 0; a < g_.ArrowCount(); ++a) {
      if (plain(at(t * 4).arrow(a).Status) != plain(at(t * 4 + 1).arrow(a).Status))
        assign(ElementKind::Arrow, a, t * 4 + 1);
      if (plain(at(t * 4 + 1).arrow(a).Status) != plain(at(t * 4 + 3).arrow(a).Status))
        assign(ElementKind::Arrow, a, t * 4 + 3);
    }
    for (int32_t s = 0; s < g_.SentenceCount(); ++s)
      if (!g_.sentence(s).Deleted && (g_.sentence(s).Status & JustEvaluated)) assign(ElementKind::Sentence, s, t * 4 + 2);
    for (int32_t d = 0; d < g_.DefeaterCount(); ++d)
      if (at(t * 4 + 2).defeater(d).DefeaterState != g_.defeater(d).DefeaterState)
        assign(ElementKind::Defeater, d, t * 4 + 3);
  }

  void reset() {
    const int t = begin(Reset, {});
    reference::Log log;
    reference::ResetAll(g_, log);
    fill();
    for (ElementKind k : {ElementKind::Sentence, ElementKind::Arrow, ElementKind::Defeater})
      for (int32_t n = 0; n < g_.count(k); ++n) assign(k, n, t * 4 + 3);
  }

  void user(int32_t sentence, UserStatus which) {
    const int t = begin(User, {});
    reference::Log log;
    reference::SetStatusByUser(g_, sentence, which, log);
    fill();
    assign(ElementKind::Sentence, sentence, t * 4 + 3);
  }

  // The moment at or before `moment` that last assigned the element (3: the start).
  int lastAssigned(ElementRef ref, int moment) const {
    int last = 3;
    const auto found = assigned_.find({int(ref.kind), ref.index});
    if (found != assigned_.end())
      for (int m : found->second)
        if (m <= moment) last = std::max(last, m);
    return last;
  }
  bool assignedAt(ElementRef ref, int moment) const {
    if (moment == 3) return true;
    const auto found = assigned_.find({int(ref.kind), ref.index});
    return found != assigned_.end() && found->second.count(moment) > 0;
  }
  // The status without round marks, or the defeater's state, at a moment.
  uint8_t status(ElementRef ref, int moment) const {
    const Diagram& g = at(moment);
    switch (ref.kind) {
      case ElementKind::Sentence: return plain(g.sentence(ref.index).Status);
      case ElementKind::Arrow: return plain(g.arrow(ref.index).Status);
      case ElementKind::Defeater: return static_cast<uint8_t>(g.defeater(ref.index).DefeaterState);
    }
    return 0;
  }

 private:
  int begin(Kind kind, const RuleSet& rules) {
    kinds_.push_back(kind);
    rules_.push_back(rules);
    snaps_.push_back(g_);
    return steps() - 1;
  }
  void fill() {
    while (snaps_.size() % 4 != 0) snaps_.push_back(g_);
  }
  void assign(ElementKind kind, int32_t n, int moment) { assigned_[{int(kind), n}].insert(moment); }

  Diagram g_;
  std::vector<Diagram> snaps_;
  std::vector<Kind> kinds_;
  std::vector<RuleSet> rules_;
  std::map<std::pair<int, int32_t>, std::set<int>> assigned_;
};

}  // namespace zorvex::testing
