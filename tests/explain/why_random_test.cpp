// Every claim of every explanation, on random diagrams after random steps,
// against the independent replay of WhyOracle: the step that set each
// status, the status then, the rule that fired, and every ground with the
// status the deciding pass read, the challenges' verdicts and their members.
#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "eval/RandomDiagram.h"
#include "explain/RecordedSteps.h"
#include "explain/UntilStable.h"
#include "explain/WhyTree.h"
#include "explain/WhyOracle.h"

namespace zorvex {
namespace {

using testing::RandomDiagramMaker;
using testing::WhyOracle;

class ClaimChecker {
 public:
  ClaimChecker(const WhyOracle& o, const WhyTree& t) : o_(o), t_(t) {}

  void check(ElementRef root) {
    const int last = (o_.steps() - 1) * 4 + 3;
    if (!t_.nodes[0].deleted) {
      EXPECT_EQ(moment(0), o_.lastAssigned(root, last)) << "root";
    }
    std::set<std::tuple<int, int32_t, int>> events;
    for (size_t n = 0; n < t_.nodes.size(); ++n) {
      const WhyNode& w = t_.nodes[n];
      SCOPED_TRACE("node " + std::to_string(n) + ": " + w.text);
      if (w.deleted) continue;
      EXPECT_TRUE(events.insert({int(w.element.kind), w.element.index, moment(int32_t(n))}).second) << "twice";
      EXPECT_TRUE(o_.assignedAt(w.element, moment(int32_t(n))));
      EXPECT_EQ(w.status, o_.status(w.element, moment(int32_t(n))));
      if (o_.kind(w.step) == WhyOracle::Evaluate || o_.kind(w.step) == WhyOracle::Jump) checkRound(w);
      else EXPECT_EQ(w.rule, WhyRule::None);
    }
  }

 private:
  // When the node's event happened, as the oracle numbers moments.
  int moment(int32_t n) const {
    const WhyNode& w = t_.nodes[static_cast<size_t>(n)];
    if (w.step == 0) return 3;
    if (w.element.kind == ElementKind::Sentence && w.rule != WhyRule::None) return w.step * 4 + 2;
    if (w.rule == WhyRule::NotAttacked || w.rule == WhyRule::Attacked) return w.step * 4 + 1;
    return w.step * 4 + 3;
  }

  void ground(const WhyGround& g, int read) {
    SCOPED_TRACE(g.text);
    if (g.element.kind != ElementKind::Defeater && g.takesPart) {
      EXPECT_EQ(g.status, o_.status(g.element, read));
    }
    if (g.node >= 0) {
      EXPECT_EQ(moment(g.node), o_.lastAssigned(g.element, read)) << "explained from the wrong step";
      EXPECT_EQ(t_.nodes[static_cast<size_t>(g.node)].status, o_.status(g.element, read));
    }
  }

  // The defeaters whose challenged rectangle holds the element, with their
  // verdicts and members, as read at `at`.
  void defeaters(const WhyNode& w, size_t from, int at, int sentencesRead, int arrowsRead) {
    const Diagram& g = o_.at(at);
    std::vector<int32_t> expected;
    for (int32_t d = 0; d < g.DefeaterCount(); ++d) {
      const TDefeater& def = g.defeater(d);
      if (def.Deleted) continue;
      const bool holds = w.element.kind == ElementKind::Sentence
                             ? reference::sentenceInRect(g.sentence(w.element.index), def.ChallengedRect)
                             : reference::arrowInRect(g.arrow(w.element.index), def.ChallengedRect);
      if (holds) expected.push_back(d);
    }
    ASSERT_EQ(w.grounds.size() - from, expected.size()) << "defeater grounds";
    for (size_t i = 0; i < expected.size(); ++i) {
      const WhyGround& gd = w.grounds[from + i];
      const int32_t d = expected[i];
      ASSERT_EQ(gd.element, (ElementRef{ElementKind::Defeater, d}));
      EXPECT_EQ(gd.status == 1, reference::IsJustifiedChallenge(g, d)) << "verdict of defeater " << d;
      std::vector<ElementRef> members;
      for (int32_t s = 0; s < g.SentenceCount(); ++s)
        if (!g.sentence(s).Deleted && reference::sentenceInRect(g.sentence(s), g.defeater(d).ChallengingRect))
          members.push_back({ElementKind::Sentence, s});
      for (int32_t a = 0; a < g.ArrowCount(); ++a)
        if (!g.arrow(a).Deleted && reference::arrowInRect(g.arrow(a), g.defeater(d).ChallengingRect))
          members.push_back({ElementKind::Arrow, a});
      ASSERT_EQ(gd.parts.size(), members.size()) << "members of defeater " << d;
      for (size_t m = 0; m < members.size(); ++m) {
        EXPECT_EQ(gd.parts[m].element, members[m]);
        ground(gd.parts[m], members[m].kind == ElementKind::Sentence ? sentencesRead : arrowsRead);
      }
    }
  }

  void checkRound(const WhyNode& w) {
    const int k = w.step;
    switch (w.element.kind) {
      case ElementKind::Sentence: checkSentence(w, k); break;
      case ElementKind::Arrow:
        if (w.rule == WhyRule::StartNotJustified) {
          ASSERT_EQ(w.grounds.size(), 1u);
          ground(w.grounds[0], k * 4 + 2);
          EXPECT_FALSE(reference::startIsJustified(o_.at(k * 4 + 2), o_.at(0).arrow(w.element.index)));
        } else {
          EXPECT_EQ(w.rule == WhyRule::Attacked, reference::IsArrowAttacked(o_.at(k * 4), w.element.index));
          ASSERT_GE(w.grounds.size(), 1u);
          ground(w.grounds[0], k * 4);
          defeaters(w, 1, k * 4, k * 4, k * 4);
        }
        break;
      case ElementKind::Defeater: {
        EXPECT_EQ(w.rule == WhyRule::ChallengeJustified, w.status == uint8_t(DefeaterState::Active));
        const Diagram& g = o_.at(k * 4 + 3);
        size_t i = 0;
        for (int32_t s = 0; s < g.SentenceCount(); ++s)
          if (!g.sentence(s).Deleted && reference::sentenceInRect(g.sentence(s), g.defeater(w.element.index).ChallengingRect)) {
            ASSERT_LT(i, w.grounds.size());
            EXPECT_EQ(w.grounds[i].element, (ElementRef{ElementKind::Sentence, s}));
            ground(w.grounds[i++], k * 4 + 3);
          }
        EXPECT_EQ(i, w.grounds.size());
        break;
      }
    }
  }

  void checkSentence(const WhyNode& w, int k) {
    const Diagram& mid = o_.at(k * 4 + 1);  // sentences before the round, arrows after its arrow pass
    const int32_t s = w.element.index;
    const RuleSet& rules = o_.rules(k);
    const Status st = mid.sentence(s).Status;
    const bool support = reference::HasJustifiedSupport(mid, s), attacked = reference::IsAttacked(mid, s);
    const bool r1 = rules.rule1 && support && !(st & 2), r2 = rules.rule2 && !support && attacked && !(st & 1);
    const bool r3a = rules.rule3a && !support && !attacked && !(st & 4);
    const WhyRule fired = r3a ? WhyRule::Rule3a : r2 ? WhyRule::Rule2 : r1 ? WhyRule::Rule1 : WhyRule::Rule3b;
    EXPECT_EQ(w.rule, fired);
    size_t i = 0;
    bool explainedSupport = false;
    for (int32_t a = 0; a < mid.ArrowCount(); ++a) {
      const TArrow& arrow = mid.arrow(a);
      if (arrow.Deleted || !reference::isResolved(mid, arrow) || arrow.Sentence2 != s) continue;
      ASSERT_LT(i, w.grounds.size());
      const WhyGround& g = w.grounds[i++];
      ASSERT_EQ(g.element, (ElementRef{ElementKind::Arrow, a}));
      ground(g, k * 4 + 1);
      ASSERT_EQ(g.parts.size(), 1u);
      EXPECT_EQ(g.parts[0].element, (ElementRef{ElementKind::Sentence, arrow.Sentence1}));
      ground(g.parts[0], k * 4);
      const bool supports = reference::justified(arrow.Status) && reference::startIsJustified(mid, arrow);
      if (fired == WhyRule::Rule1 && supports && !explainedSupport && !w.beyondDepth) {
        EXPECT_GE(g.node, 0) << "the supporting arrow is explained";
        explainedSupport = true;
      }
    }
    defeaters(w, i, k * 4 + 1, k * 4, k * 4 + 1);
    if (fired != WhyRule::Rule2 || w.beyondDepth) return;
    for (size_t d = i; d < w.grounds.size(); ++d) {
      if (w.grounds[d].status != 1) continue;
      for (const WhyGround& p : w.grounds[d].parts) EXPECT_GE(p.node, 0) << "a justified challenge is explained";
    }
  }

  const WhyOracle& o_;
  const WhyTree& t_;
};

// What until-stable compares, read from the oracle's diagram.
std::vector<int> compared(const Diagram& g) {
  std::vector<int> out;
  for (const TSentence& s : g.sentences()) out.push_back(s.Status & 2 ? 2 : s.Status & 1 ? 1 : 0);
  for (const TArrow& a : g.arrows()) out.push_back(a.Status & 2 ? 2 : a.Status & 1 ? 1 : 0);
  for (const TDefeater& d : g.defeaters()) out.push_back(int(d.DefeaterState));
  return out;
}

// Rounds until a state repeats, every state compared with every earlier one.
int roundsUntilRepeat(WhyOracle& oracle, const RuleSet& rules, int limit) {
  std::vector<std::vector<int>> states{compared(oracle.now())};
  for (int r = 1;; ++r) {
    oracle.round(false, rules);
    states.push_back(compared(oracle.now()));
    for (size_t j = 0; j + 1 < states.size(); ++j)
      if (states[j] == states.back()) return r;
    if (r == limit) return r;
  }
}

RuleSet randomRules(RandomDiagramMaker& r) {
  RuleSet rules{r.chance(75), r.chance(75), r.chance(50), r.chance(50)};
  if (rules.rule3a && rules.rule3b) rules.rule3b = false;
  return rules;
}

TEST(WhyRandom, EveryClaimAgreesWithAnIndependentReplay) {
  RandomDiagramMaker r(20261208);
  for (int i = 0; i < 1500; ++i) {
    const Diagram start = r.make(10, 14, 6, 200);
    Diagram g = start;
    StatusRecord record(g);
    WhyOracle oracle(start);
    EvaluationLog log;
    std::string done;
    const int steps = r.between(1, 8);
    for (int s = 0; s < steps; ++s) {
      const int kind = r.between(0, 9);
      EvaluationOptions options;
      options.setEvaluationRules(randomRules(r));
      options.setJumpingRules(randomRules(r));
      if (kind == 9) {
        const UntilStableOutcome out = EvaluateUntilStable(g, record, options, log, -1, {}, 12);
        EXPECT_EQ(out.rounds, roundsUntilRepeat(oracle, options.evaluationRules(), 12)) << done;
        done += "until-stable ";
      } else if (kind <= 6 || g.SentenceCount() == 0) {
        const bool jump = kind >= 4;
        RecordedRound(g, record, jump, options, log);
        oracle.round(jump, jump ? options.jumpingRules() : options.evaluationRules());
        done += jump ? "jump " : "evaluate ";
      } else if (kind == 7) {
        RecordedReset(g, record, log);
        oracle.reset();
        done += "reset ";
      } else {
        const int32_t n = r.between(0, g.SentenceCount() - 1);
        const auto which = static_cast<UserStatus>(r.between(0, 2));
        RecordedUserStatus(g, record, n, which, log);
        oracle.user(n, which);
        done += "user ";
      }
    }
    SCOPED_TRACE("diagram " + std::to_string(i) + ", steps: " + done);
    for (ElementKind k : {ElementKind::Sentence, ElementKind::Arrow, ElementKind::Defeater})
      for (int32_t n = 0; n < g.count(k); ++n) {
        const WhyTree tree = ExplainStatus(g, record, {k, n}, r.between(0, 6));
        ClaimChecker(oracle, tree).check({k, n});
        if (::testing::Test::HasFailure()) {
          for (const std::string& line : whyLines(tree, record)) ADD_FAILURE() << line;
          return;
        }
      }
  }
}

}  // namespace
}  // namespace zorvex

namespace zorvex {
namespace {

bool sameAssignments(const StatusRecord& a, const StatusRecord& b) {
  if (a.stepCount() != b.stepCount()) return false;
  for (int32_t s = 0; s < a.stepCount(); ++s)
    for (size_t k = 0; k < 3; ++k) {
      const auto &x = a.step(s).assigned[k], &y = b.step(s).assigned[k];
      if (x.size() != y.size()) return false;
      for (size_t i = 0; i < x.size(); ++i)
        if (x[i].index != y[i].index || x[i].previous != y[i].previous || x[i].before != y[i].before ||
            x[i].after != y[i].after)
          return false;
    }
  return true;
}

// The window records a round from the changes of its undo step: the same
// record as a pass over the records gives.
TEST(WhyRandom, RecordFromUndoChangesEqualsRecordFromRecords) {
  RandomDiagramMaker r(99);
  for (int i = 0; i < 1500; ++i) {
    Diagram scanned = r.make(10, 14, 6, 200);
    Diagram fromChanges = scanned;
    StatusRecord a(scanned), b(fromChanges);
    EvaluationLog log;
    for (int s = 0; s < 8; ++s) {
      EvaluationOptions options;
      options.setEvaluationRules(randomRules(r));
      options.setJumpingRules(randomRules(r));
      const int kind = r.between(0, 9);
      if (kind == 9 && scanned.SentenceCount() > 0) {
        const int32_t n = r.between(0, scanned.SentenceCount() - 1);
        RecordedUserStatus(scanned, a, n, UserStatus::Justified, log);
        RecordedUserStatus(fromChanges, b, n, UserStatus::Justified, log);
        continue;
      }
      if (kind == 8) {
        RecordedReset(scanned, a, log);
        RecordedReset(fromChanges, b, log);
        continue;
      }
      const bool jump = kind >= 4;
      RecordedRound(scanned, a, jump, options, log);
      const StatusSnapshot before(fromChanges);
      jump ? JumpOneRound(fromChanges, options, log) : EvaluateOneRound(fromChanges, options, log);
      const UndoStep step = StatusStep("round", before, fromChanges);
      b.finishRoundFrom(fromChanges, step.statuses, jump, jump ? options.jumpingRules() : options.evaluationRules());
    }
    ASSERT_TRUE(sameAssignments(a, b)) << "diagram " << i;
  }
}

}  // namespace
}  // namespace zorvex
