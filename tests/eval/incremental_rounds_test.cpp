// Incremental rounds against the whole-diagram round on twin diagrams, after
// every step of random command lists: rounds of both kinds under changing
// rules, user statuses, Reset, edits of the drawing, deletions, undo and
// redo of status steps, statuses loaded anew. Statuses, round marks,
// defeater states, log lines, panel texts and the reported changes must
// agree every time.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "eval/IncrementalRounds.h"
#include "eval/RandomDiagram.h"
#include "eval/Rounds.h"

namespace zorvex {
namespace {

using testing::RandomDiagramMaker;

struct Statuses {
  std::vector<uint8_t> bytes[3];
  friend bool operator==(const Statuses&, const Statuses&) = default;
};

Statuses statusesOf(const Diagram& g) {
  Statuses out;
  for (const TSentence& s : g.sentences()) out.bytes[0].push_back(s.Status);
  for (const TArrow& a : g.arrows()) out.bytes[1].push_back(a.Status);
  for (const TDefeater& d : g.defeaters()) out.bytes[2].push_back(static_cast<uint8_t>(d.DefeaterState));
  return out;
}

void putStatuses(Diagram& g, const Statuses& s) {
  for (size_t i = 0; i < s.bytes[0].size(); ++i) g.sentencesForStatus()[i].Status = s.bytes[0][i];
  for (size_t i = 0; i < s.bytes[1].size(); ++i) g.arrowsForStatus()[i].Status = s.bytes[1][i];
  for (size_t i = 0; i < s.bytes[2].size(); ++i)
    g.defeatersForStatus()[i].DefeaterState = static_cast<DefeaterState>(s.bytes[2][i]);
}

// What undo or redo does: statuses put back, and the rounds told of each.
void restore(Diagram& whole, Diagram& incremental, IncrementalRounds& rounds, const Statuses& to) {
  const Statuses now = statusesOf(incremental);
  putStatuses(whole, to);
  putStatuses(incremental, to);
  for (size_t k = 0; k < 3; ++k)
    for (size_t i = 0; i < to.bytes[k].size(); ++i)
      if (to.bytes[k][i] != now.bytes[k][i]) rounds.statusChanged({static_cast<ElementKind>(k), static_cast<int32_t>(i)});
}

int32_t nudged(int32_t v, int32_t d) { return static_cast<int32_t>(std::clamp<int64_t>(int64_t{v} + d, INT32_MIN, INT32_MAX)); }

// A sentence, arrow end or rectangle moved, or something deleted or brought back.
void editDrawing(RandomDiagramMaker& r, Diagram& g) {
  const int kind = r.between(0, 2);
  const int32_t dx = r.between(-40, 40), dy = r.between(-40, 40);
  const bool toggle = r.chance(40);
  if (kind == 0 && g.SentenceCount() > 0) {
    TSentence& s = g.sentence(r.between(0, g.SentenceCount() - 1));
    if (toggle) s.Deleted = !s.Deleted;
    s.Left = nudged(s.Left, dx), s.Right = nudged(s.Right, dx), s.Top = nudged(s.Top, dy), s.Bottom = nudged(s.Bottom, dy);
  } else if (kind == 1 && g.ArrowCount() > 0) {
    TArrow& a = g.arrow(r.between(0, g.ArrowCount() - 1));
    if (toggle) a.Deleted = !a.Deleted;
    a.EndX = nudged(a.EndX, dx), a.EndY = nudged(a.EndY, dy);
  } else if (g.DefeaterCount() > 0) {
    TDefeater& d = g.defeater(r.between(0, g.DefeaterCount() - 1));
    if (toggle) d.Deleted = !d.Deleted;
    d.ChallengingRect.Left = nudged(d.ChallengingRect.Left, dx);
    d.ChallengedRect.Top = nudged(d.ChallengedRect.Top, dy);
  }
}

class Twins {
 public:
  Twins(RandomDiagramMaker& r, Diagram g) : r_(r), whole_(g), incremental_(std::move(g)), rounds_(incremental_) {
    options_.setEvaluationRules(randomRules());
    options_.setJumpingRules(randomRules());
  }

  // One random step on both; returns what it was, for failure messages.
  std::string step() {
    const int kind = r_.between(0, 15);
    if (kind <= 7) return round(kind >= 5);
    if (kind == 8) {
      (r_.chance(50) ? options_.setEvaluationRules(randomRules()) : options_.setJumpingRules(randomRules()));
      return "options";
    }
    if (kind == 9 || (kind <= 11 && whole_.SentenceCount() == 0)) {
      noteBefore();
      ResetAll(whole_, wholeLog_);
      rounds_.ResetAll(incrementalLog_);
      return noteAfter(), "reset";
    }
    if (kind <= 11) {
      const int32_t s = r_.between(0, whole_.SentenceCount() - 1);
      const auto which = static_cast<UserStatus>(r_.between(0, 2));
      noteBefore();
      SetStatusByUser(whole_, s, which, wholeLog_);
      rounds_.SetStatusByUser(s, which, incrementalLog_);
      return noteAfter(), "user " + std::to_string(s);
    }
    if (kind == 12) {
      RandomDiagramMaker copy = r_;
      editDrawing(r_, whole_);
      editDrawing(copy, incremental_);
      rounds_.drawingChanged();
      return "edit";
    }
    if (kind == 13) {
      restore(whole_, incremental_, rounds_, undoing_ ? after_ : before_);
      undoing_ = !undoing_;
      return undoing_ ? "undo" : "redo";
    }
    if (kind == 14) {  // one status as a file might hold it, marks included
      const ElementKind k = static_cast<ElementKind>(r_.between(0, 1));
      if (whole_.count(k) == 0) return "nothing";
      const int32_t n = r_.between(0, whole_.count(k) - 1);
      const Status v = k == ElementKind::Sentence ? r_.sentenceStatus() : r_.arrowStatus();
      for (Diagram* g : {&whole_, &incremental_})
        (k == ElementKind::Sentence ? g->sentence(n).Status : g->arrow(n).Status) = v;
      rounds_.statusChanged({k, n});
      return "status " + std::to_string(n);
    }
    Statuses loaded = statusesOf(whole_);
    for (auto& b : loaded.bytes[0]) b = r_.chance(30) ? r_.sentenceStatus() : b;
    for (auto& b : loaded.bytes[1]) b = r_.chance(30) ? r_.arrowStatus() : b;
    putStatuses(whole_, loaded);
    putStatuses(incremental_, loaded);
    rounds_.statusesChanged();
    return "loaded";
  }

  void expectSame() const {
    ASSERT_EQ(incrementalLog_.lines(), wholeLog_.lines());
    const Statuses w = statusesOf(whole_), i = statusesOf(incremental_);
    for (size_t k = 0; k < 3; ++k)
      for (size_t n = 0; n < w.bytes[k].size(); ++n)
        ASSERT_EQ(int(i.bytes[k][n]), int(w.bytes[k][n])) << "kind " << k << " element " << n;
  }

 private:
  RuleSet randomRules() {
    RuleSet rules{r_.chance(70), r_.chance(70), r_.chance(50), r_.chance(50)};
    if (rules.rule3a && rules.rule3b && !r_.chance(10)) rules.rule3b = false;
    return rules;
  }
  void noteBefore() { before_ = statusesOf(whole_); }
  void noteAfter() {
    after_ = statusesOf(whole_);
    undoing_ = true;
  }

  std::string round(bool jump) {
    noteBefore();
    const std::string expected =
        jump ? JumpOneRound(whole_, options_, wholeLog_) : EvaluateOneRound(whole_, options_, wholeLog_);
    const std::string got =
        jump ? rounds_.JumpOneRound(options_, incrementalLog_) : rounds_.EvaluateOneRound(options_, incrementalLog_);
    noteAfter();
    EXPECT_EQ(got, expected);
    for (size_t k = 0; k < 3; ++k) {
      std::vector<int32_t> changed, reported;
      for (size_t n = 0; n < after_.bytes[k].size(); ++n)
        if (after_.bytes[k][n] != before_.bytes[k][n]) changed.push_back(static_cast<int32_t>(n));
      for (const StatusChange& c : rounds_.lastChanges()[k]) {
        reported.push_back(c.index);
        EXPECT_EQ(int(c.before), int(before_.bytes[k][static_cast<size_t>(c.index)]));
        EXPECT_EQ(int(c.after), int(after_.bytes[k][static_cast<size_t>(c.index)]));
      }
      EXPECT_EQ(reported, changed) << "changes of kind " << k;
    }
    return jump ? "jump" : "evaluate";
  }

  RandomDiagramMaker& r_;
  Diagram whole_, incremental_;
  IncrementalRounds rounds_;
  EvaluationOptions options_;
  EvaluationLog wholeLog_, incrementalLog_;
  Statuses before_, after_;
  bool undoing_ = false;
};

void compareTwins(uint32_t seed, int diagrams, int32_t most, int maxSteps) {
  RandomDiagramMaker r(seed);
  for (int i = 0; i < diagrams; ++i) {
    Twins twins(r, r.make(most, most * 3 / 2, most / 2, most * 18));
    const int steps = r.between(1, maxSteps);
    std::string done;
    for (int step = 0; step < steps; ++step) {
      done += twins.step() + "; ";
      SCOPED_TRACE("diagram " + std::to_string(i) + ", steps: " + done);
      twins.expectSame();
      if (::testing::Test::HasFailure()) return;
    }
  }
}

TEST(IncrementalRounds, MatchWholeRoundsOnSmallDiagramsAfterEveryStep) { compareTwins(5150, 3000, 14, 30); }

TEST(IncrementalRounds, MatchWholeRoundsOnLargerDiagramsAfterEveryStep) { compareTwins(8086, 60, 300, 40); }

}  // namespace
}  // namespace zorvex
