// Builds the why tree breadth first, so that each event is explained at its
// shallowest mention and the depth limit cuts the deepest ones.
#include <deque>
#include <map>
#include <tuple>
#include <unordered_map>

#include "edit/DefeaterHolds.h"
#include "eval/Queries.h"
#include "explain/WhyLookup.h"
#include "explain/WhyTexts.h"
#include "explain/WhyTree.h"
#include "model/ZorvexError.h"

namespace zorvex {
namespace {

// A moment at which a pass read statuses: the end of a step, or (arrows)
// the middle of a round, after its arrow pass.
struct When {
  int32_t step = 0;
  bool mid = false;
};

// Which pass of a round set an arrow.
enum class Part : uint8_t { Whole, ArrowPass, CleanUp };

struct Event {
  ElementRef element;
  int32_t step = 0;
  Part part = Part::Whole;
  uint8_t status = 0;
  auto key() const { return std::make_tuple(int(element.kind), element.index, step, int(part)); }
};

bool justifiedStatus(uint8_t s) { return has(s, Undefeated); }

class WhyBuilder {
 public:
  WhyBuilder(const Diagram& d, const StatusRecord& r, const WhyLookup& look, int32_t maxDepth)
      : d_(d), r_(r), look_(look), maxDepth_(maxDepth) {}

  WhyTree build(ElementRef root) {
    mention(eventNow(root), 0);
    for (size_t n = 0; n < tree_.nodes.size(); ++n) expand(static_cast<int32_t>(n));
    return std::move(tree_);
  }

 private:
  // --- Statuses as they stood --------------------------------------------
  StatusAt sentenceAt(int32_t s, int32_t step) const { return r_.at(d_, {ElementKind::Sentence, s}, step); }

  bool sentenceJustified(int32_t s, int32_t step) const {
    return look_.sentenceTakesPart(s) && justifiedStatus(sentenceAt(s, step).status);
  }

  // The arrow after round `k`'s arrow pass, and whether that pass set it.
  StatusAt arrowMid(int32_t a, int32_t k, bool* setThere = nullptr) const {
    const StatusAt before = r_.at(d_, {ElementKind::Arrow, a}, k - 1);
    if (setThere) *setThere = false;
    if (!look_.arrowTakesPart(a) || has(before.status, SetByUser)) return before;
    if (!sentenceJustified(d_.arrow(a).Sentence1, k - 1)) return before;
    const bool attacked = arrowAttacked(a, k - 1);
    uint8_t mid = before.status;
    if (!attacked && !has(before.status, Undefeated)) mid = Undefeated;
    if (attacked && !has(before.status, Defeated)) mid = Defeated;
    if (mid == before.status) return before;
    if (setThere) *setThere = true;
    return {mid, k};
  }

  StatusAt arrowAt(int32_t a, When w) const {
    return w.mid ? arrowMid(a, w.step) : r_.at(d_, {ElementKind::Arrow, a}, w.step);
  }

  // A defeater's challenge, sentences read at the end of `sentencesAt`, arrows at `arrowsAt`.
  bool challenge(int32_t d, int32_t sentencesAt, When arrowsAt, std::vector<WhyGround>* parts) const {
    const RectangleHolds& holds = look_.challenging(d);
    bool justified = true;
    for (int32_t s : holds.sentences) {
      const uint8_t st = sentenceAt(s, sentencesAt).status;
      justified = justified && justifiedStatus(st);
      if (parts) parts->push_back(sentenceGround(s, st));
    }
    for (int32_t a : holds.arrows) {
      const uint8_t st = arrowAt(a, arrowsAt).status;
      const bool resolved = arrowResolved(d_, d_.arrow(a));
      justified = justified && resolved && justifiedStatus(st);
      if (parts) parts->push_back(arrowGround(a, st, resolved));
    }
    return justified;
  }

  bool arrowAttacked(int32_t a, int32_t step) const {
    for (int32_t d : look_.challengedHolding({ElementKind::Arrow, a}))
      if (challenge(d, step, {step, false}, nullptr)) return true;
    return false;
  }

  // --- Events ------------------------------------------------------------
  // Which pass set an arrow whose status after step `step` is `status`.
  Event arrowEvent(int32_t a, const StatusAt& at, bool midOfRound) const {
    Event e{{ElementKind::Arrow, a}, at.setBy, Part::Whole, at.status};
    if (r_.step(at.setBy).isRound())
      e.part = midOfRound || !has(at.status, NotEvaluated) ? Part::ArrowPass : Part::CleanUp;
    return e;
  }

  Event eventNow(ElementRef ref) const {
    const StatusAt at = r_.now(d_, ref);
    if (ref.kind == ElementKind::Arrow) return arrowEvent(ref.index, at, false);
    return {ref, at.setBy, Part::Whole, at.status};
  }

  Event sentenceEvent(int32_t s, int32_t step) const {
    const StatusAt at = sentenceAt(s, step);
    return {{ElementKind::Sentence, s}, at.setBy, Part::Whole, at.status};
  }

  Event arrowEventAt(int32_t a, When w) const {
    bool setThere = false;
    const StatusAt at = w.mid ? arrowMid(a, w.step, &setThere) : r_.at(d_, {ElementKind::Arrow, a}, w.step);
    return arrowEvent(a, at, setThere);
  }

  // The node explaining an event, made on its first mention.
  int32_t mention(const Event& e, int32_t depth) {
    const auto found = nodeOf_.find(e.key());
    if (found != nodeOf_.end()) return found->second;
    const int32_t n = static_cast<int32_t>(tree_.nodes.size());
    WhyNode node;
    node.element = e.element;
    node.status = e.status;
    node.step = e.step;
    node.depth = depth;
    tree_.nodes.push_back(std::move(node));
    events_.push_back(e);
    nodeOf_.emplace(e.key(), n);
    return n;
  }

  // A ground whose status mattered is explained by a node of its own.
  void explainGround(WhyGround& g, const Event& e, int32_t parent) {
    if (tree_.nodes[static_cast<size_t>(parent)].depth >= maxDepth_) {
      tree_.nodes[static_cast<size_t>(parent)].beyondDepth = true;
      return;
    }
    g.node = mention(e, tree_.nodes[static_cast<size_t>(parent)].depth + 1);
  }

  // --- Grounds -----------------------------------------------------------
  WhyGround sentenceGround(int32_t s, uint8_t status) const {
    WhyGround g{{ElementKind::Sentence, s}, status, look_.sentenceTakesPart(s), {}, {}, -1};
    g.text = sentenceGroundText(d_, s, status, g.takesPart);
    if (g.takesPart) g.now = r_.now(d_, g.element).status;
    return g;
  }

  WhyGround arrowGround(int32_t a, uint8_t status, bool resolved) const {
    WhyGround g{{ElementKind::Arrow, a}, status, resolved, {}, {}, -1};
    g.text = arrowGroundText(d_, a, status, resolved);
    g.now = r_.now(d_, g.element).status;
    return g;
  }

  bool unresolvedArrow(ElementRef ref) const {
    return ref.kind == ElementKind::Arrow && !d_.arrow(ref.index).Deleted && !arrowResolved(d_, d_.arrow(ref.index));
  }

  void expand(int32_t n) {
    const Event e = events_[static_cast<size_t>(n)];
    WhyNode& node = tree_.nodes[static_cast<size_t>(n)];
    const RecordedStep& step = r_.step(e.step);
    if (!look_.takesPart(e.element) && !unresolvedArrow(e.element)) {
      node.deleted = true;
      node.text = deletedText(d_, e.element);
      return;
    }
    // No round reads an unresolved arrow: its status is as it was set.
    if (!step.isRound() || !look_.takesPart(e.element)) {
      node.text = setOutsideRoundsText(d_, e.element, e.status, step.kind);
      return;
    }
    switch (e.element.kind) {
      case ElementKind::Sentence: expandSentence(n, e, step); break;
      case ElementKind::Arrow:
        if (e.part == Part::CleanUp) expandCleanUp(n, e);
        else expandArrowPass(n, e);
        break;
      case ElementKind::Defeater: expandDefeater(n, e); break;
    }
  }

  void expandSentence(int32_t n, const Event& e, const RecordedStep& step);
  void expandArrowPass(int32_t n, const Event& e);
  void expandCleanUp(int32_t n, const Event& e);
  void expandDefeater(int32_t n, const Event& e);
  void addDefeaterGrounds(int32_t n, ElementRef held, int32_t sentencesAt, When arrowsAt, bool recurseJustified,
                          bool recurseUnjustified);

  WhyNode& node(int32_t n) { return tree_.nodes[static_cast<size_t>(n)]; }

  const Diagram& d_;
  const StatusRecord& r_;
  const WhyLookup& look_;
  const int32_t maxDepth_;
  WhyTree tree_;
  std::vector<Event> events_;
  std::map<std::tuple<int, int32_t, int32_t, int>, int32_t> nodeOf_;
};

// The challenges of the defeaters whose challenged rectangle holds `held`;
// the members of the justified ones (rule 2, attacked arrows) or the
// failing members of the others (not attacked) are explained in turn.
void WhyBuilder::addDefeaterGrounds(int32_t n, ElementRef held, int32_t sentencesAt, When arrowsAt,
                                    bool recurseJustified, bool recurseUnjustified) {
  for (int32_t d : look_.challengedHolding(held)) {
    WhyGround g{{ElementKind::Defeater, d}, 0, true, {}, {}, -1};
    const bool justified = challenge(d, sentencesAt, arrowsAt, &g.parts);
    g.status = justified ? 1 : 0;
    g.text = defeaterGroundText(d, justified, g.parts.empty());
    for (WhyGround& part : g.parts) {
      const bool good = part.takesPart && justifiedStatus(part.status);
      if (!(justified ? recurseJustified : recurseUnjustified && !good) || !part.takesPart) continue;
      const Event pe = part.element.kind == ElementKind::Sentence ? sentenceEvent(part.element.index, sentencesAt)
                                                                   : arrowEventAt(part.element.index, arrowsAt);
      explainGround(part, pe, n);
    }
    node(n).grounds.push_back(std::move(g));
  }
}

void WhyBuilder::expandSentence(int32_t n, const Event& e, const RecordedStep& step) {
  const int32_t s = e.element.index, k = e.step;
  bool supported = false;
  std::vector<WhyGround> arrows;
  for (int32_t a : look_.arrowsTo(s)) {
    const uint8_t as = arrowMid(a, k).status;
    const int32_t start = d_.arrow(a).Sentence1;
    WhyGround g = arrowGround(a, as, true);
    g.parts.push_back(sentenceGround(start, sentenceAt(start, k - 1).status));
    const bool startGood = sentenceJustified(start, k - 1);
    supported = supported || (justifiedStatus(as) && startGood);
    arrows.push_back(std::move(g));
  }
  WhyRule rule = WhyRule::Rule3a;
  if (justifiedStatus(e.status)) rule = supported ? WhyRule::Rule1 : WhyRule::Rule3b;
  else if (has(e.status, Defeated)) rule = WhyRule::Rule2;
  node(n).rule = rule;
  node(n).text = sentenceRuleText(d_.sentence(s).Text, rule, step.kind == StepKind::Jump);
  // Rule 1 rests on the first supporting arrow; the other rules on every
  // arrow failing to support.
  bool firstTaken = false;
  for (WhyGround& g : arrows) {
    WhyGround& start = g.parts.front();
    const bool arrowGood = justifiedStatus(g.status), startGood = start.takesPart && justifiedStatus(start.status);
    const bool recurse = rule == WhyRule::Rule1 ? (arrowGood && startGood && !firstTaken) : true;
    if (rule == WhyRule::Rule1 && arrowGood && startGood) firstTaken = true;
    if (recurse && (rule == WhyRule::Rule1 || !arrowGood)) explainGround(g, arrowEventAt(g.element.index, {k, true}), n);
    if (recurse && (rule == WhyRule::Rule1 || !startGood) && start.takesPart)
      explainGround(start, sentenceEvent(start.element.index, k - 1), n);
    node(n).grounds.push_back(std::move(g));
  }
  const bool attackMatters = rule != WhyRule::Rule1;
  addDefeaterGrounds(n, e.element, k - 1, {k, true}, attackMatters && rule == WhyRule::Rule2,
                     attackMatters && rule != WhyRule::Rule2);
}

void WhyBuilder::expandArrowPass(int32_t n, const Event& e) {
  const int32_t a = e.element.index, k = e.step;
  const bool attacked = has(e.status, Defeated);
  node(n).rule = attacked ? WhyRule::Attacked : WhyRule::NotAttacked;
  node(n).text = arrowRuleText(d_, a, node(n).rule);
  const int32_t start = d_.arrow(a).Sentence1;
  WhyGround g = sentenceGround(start, sentenceAt(start, k - 1).status);
  explainGround(g, sentenceEvent(start, k - 1), n);
  node(n).grounds.push_back(std::move(g));
  addDefeaterGrounds(n, e.element, k - 1, {k - 1, false}, attacked, !attacked);
}

void WhyBuilder::expandCleanUp(int32_t n, const Event& e) {
  const int32_t a = e.element.index, k = e.step;
  node(n).rule = WhyRule::StartNotJustified;
  node(n).text = arrowRuleText(d_, a, node(n).rule);
  const int32_t start = d_.arrow(a).Sentence1;
  WhyGround g = sentenceGround(start, sentenceAt(start, k).status);
  if (g.takesPart) explainGround(g, sentenceEvent(start, k), n);
  node(n).grounds.push_back(std::move(g));
}

void WhyBuilder::expandDefeater(int32_t n, const Event& e) {
  const int32_t d = e.element.index, k = e.step;
  const bool active = e.status == static_cast<uint8_t>(DefeaterState::Active);
  node(n).rule = active ? WhyRule::ChallengeJustified : WhyRule::ChallengeUnjustified;
  node(n).text = defeaterRuleText(d, node(n).rule, look_.challenging(d).sentences.empty());
  for (int32_t s : look_.challenging(d).sentences) {
    WhyGround g = sentenceGround(s, sentenceAt(s, k).status);
    if (active || has(g.status, Defeated)) explainGround(g, sentenceEvent(s, k), n);
    node(n).grounds.push_back(std::move(g));
  }
}

}  // namespace

WhyTree ExplainStatus(const Diagram& diagram, const StatusRecord& record, ElementRef element, int32_t maxDepth,
                      const WhyLookup* lookup) {
  if (!diagram.exists(element)) throw ZorvexError(Diagram::name(element.kind, element.index) + " not found");
  if (lookup) return WhyBuilder(diagram, record, *lookup, maxDepth).build(element);
  const WhyLookup made(diagram);
  return WhyBuilder(diagram, record, made, maxDepth).build(element);
}

}  // namespace zorvex
