// Random sessions of edits, status commands, undos and redos: the diagram
// must always be the one reached by replaying, from the same start, only the
// steps that are still done. Elements whose adding was undone keep their
// numbers as deleted elements; the replay holds deleted stand-ins there.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "eval/RandomDiagram.h"
#include "eval/Rounds.h"
#include "history/DiagramState.h"
#include "history/UndoHistory.h"

namespace zorvex {
namespace {

struct Op {
  enum class Kind { AddSentence, AddArrow, AddDefeater, Move, Delete, SetStatus, Evaluate, Jump, Reset };
  Kind kind = Kind::Reset;
  int32_t number = -1;  // the element an add made, or the one it acts on
  int32_t a = 0, b = 0;
  std::vector<ElementRef> refs;
  EvaluationOptions options;
};

const char* nameOf(Op::Kind k) {
  switch (k) {
    case Op::Kind::AddSentence: return "Add Sentence";
    case Op::Kind::AddArrow: return "Add Arrow";
    case Op::Kind::AddDefeater: return "Add Defeater";
    case Op::Kind::Move: return "Move Sentence";
    case Op::Kind::Delete: return "Delete";
    case Op::Kind::SetStatus: return "Set Status";
    case Op::Kind::Evaluate: return "Evaluate (one round)";
    case Op::Kind::Jump: return "Jump (one round)";
    case Op::Kind::Reset: return "Reset";
  }
  return "";
}

void centreArrow(Diagram& g, int32_t k) {
  TArrow& a = g.arrow(k);
  const TSentence& s1 = g.sentence(a.Sentence1);
  const TSentence& s2 = g.sentence(a.Sentence2);
  a.StartX = a.Center1X = (s1.Left + s1.Right) / 2, a.StartY = a.Center1Y = (s1.Top + s1.Bottom) / 2;
  a.EndX = a.Center2X = (s2.Left + s2.Right) / 2, a.EndY = a.Center2Y = (s2.Top + s2.Bottom) / 2;
  g.geometryChanged({ElementKind::Arrow, k});
}

// Stand-ins for numbers burnt by undone adds, so later numbers match.
void padTo(Diagram& g, ElementKind kind, int32_t count) {
  auto gone = [](auto r) {
    r.Deleted = true;
    r.Enabled = false;
    return r;
  };
  if (kind == ElementKind::Sentence)
    while (g.SentenceCount() < count) g.addSentence(gone(TSentence{}));
  if (kind == ElementKind::Arrow)
    while (g.ArrowCount() < count) g.addArrow(gone(TArrow{}));
  if (kind == ElementKind::Defeater)
    while (g.DefeaterCount() < count) g.addDefeater(gone(TDefeater{}));
}

// Applies an op and returns its step (the same on the session and the replay).
UndoStep apply(Diagram& g, const Op& op) {
  EvaluationLog log;
  ElementStepBuilder edit(g, nameOf(op.kind));
  switch (op.kind) {
    case Op::Kind::AddSentence: {
      padTo(g, ElementKind::Sentence, op.number);
      TSentence s;
      s.Left = op.a, s.Top = op.b, s.Right = op.a + 30, s.Bottom = op.b + 12, s.Width = 31, s.Height = 13;
      s.Text = "n" + std::to_string(op.number);
      const int32_t n = g.addSentence(s);
      edit.added({ElementKind::Sentence, n});
      break;
    }
    case Op::Kind::AddArrow: {
      padTo(g, ElementKind::Arrow, op.number);
      TArrow a;
      a.Sentence1 = op.a, a.Sentence2 = op.b;
      const int32_t k = g.addArrow(a);
      centreArrow(g, k);
      edit.added({ElementKind::Arrow, k});
      break;
    }
    case Op::Kind::AddDefeater: {
      padTo(g, ElementKind::Defeater, op.number);
      TDefeater d;
      d.ChallengingRect = {op.a, op.b, op.a + 80, op.b + 60};
      d.ChallengedRect = {op.b, op.a, op.b + 90, op.a + 70};
      edit.added({ElementKind::Defeater, g.addDefeater(d)});
      break;
    }
    case Op::Kind::Move: {
      edit.before({ElementKind::Sentence, op.number});
      std::vector<int32_t> joined;
      for (int32_t k = 0; k < g.ArrowCount(); ++k) {
        const TArrow& a = g.arrow(k);
        if (!a.Deleted && a.resolved() && (a.Sentence1 == op.number || a.Sentence2 == op.number)) joined.push_back(k);
      }
      for (int32_t k : joined) edit.before({ElementKind::Arrow, k});
      TSentence& s = g.sentence(op.number);
      s.Left += op.a, s.Right += op.a, s.Top += op.b, s.Bottom += op.b;
      g.geometryChanged({ElementKind::Sentence, op.number});
      for (int32_t k : joined) centreArrow(g, k);
      break;
    }
    case Op::Kind::Delete:
      for (ElementRef r : op.refs) {
        edit.before(r);
        if (r.kind == ElementKind::Sentence) g.sentence(r.index).Deleted = true, g.sentence(r.index).Enabled = false;
        if (r.kind == ElementKind::Arrow) g.arrow(r.index).Deleted = true, g.arrow(r.index).Enabled = false;
        if (r.kind == ElementKind::Defeater) g.defeater(r.index).Deleted = true, g.defeater(r.index).Enabled = false;
      }
      break;
    default: {
      StatusSnapshot before(g);
      if (op.kind == Op::Kind::SetStatus) SetStatusByUser(g, op.number, static_cast<UserStatus>(op.a), log);
      if (op.kind == Op::Kind::Evaluate) EvaluateOneRound(g, op.options, log);
      if (op.kind == Op::Kind::Jump) JumpOneRound(g, op.options, log);
      if (op.kind == Op::Kind::Reset) ResetAll(g, log);
      return StatusStep(nameOf(op.kind), before, g);
    }
  }
  return edit.take();
}

class Session {
 public:
  Session(uint32_t seed) : maker_(seed) {}
  testing::RandomDiagramMaker& maker() { return maker_; }
  int32_t pick(int32_t count, const std::function<bool(int32_t)>& live) {
    std::vector<int32_t> ok;
    for (int32_t n = 0; n < count; ++n)
      if (live(n)) ok.push_back(n);
    return ok.empty() ? -1 : ok[static_cast<size_t>(maker_.between(0, static_cast<int32_t>(ok.size()) - 1))];
  }

  std::optional<Op> randomOp(const Diagram& g) {
    Op op;
    op.kind = static_cast<Op::Kind>(maker_.between(0, 8));
    auto liveSentence = [&](int32_t n) { return !g.sentence(n).Deleted; };
    switch (op.kind) {
      case Op::Kind::AddSentence: op.number = g.SentenceCount(); break;
      case Op::Kind::AddArrow: op.number = g.ArrowCount(); break;
      case Op::Kind::AddDefeater: op.number = g.DefeaterCount(); break;
      default: break;
    }
    op.a = maker_.between(-20, 300), op.b = maker_.between(-20, 300);
    if (op.kind == Op::Kind::AddArrow) {
      op.a = pick(g.SentenceCount(), liveSentence), op.b = pick(g.SentenceCount(), liveSentence);
      if (op.a < 0 || op.b < 0 || op.a == op.b) return std::nullopt;
    }
    if (op.kind == Op::Kind::Move || op.kind == Op::Kind::SetStatus) {
      op.number = pick(g.SentenceCount(), liveSentence);
      if (op.number < 0) return std::nullopt;
      op.a = op.kind == Op::Kind::Move ? maker_.between(-60, 60) : maker_.between(0, 2);
      op.b = maker_.between(-60, 60);
    }
    if (op.kind == Op::Kind::Delete) {
      for (int i = maker_.between(1, 3); i > 0; --i) {
        const auto kind = static_cast<ElementKind>(maker_.between(0, 2));
        const int32_t count = kind == ElementKind::Sentence ? g.SentenceCount()
                              : kind == ElementKind::Arrow  ? g.ArrowCount()
                                                            : g.DefeaterCount();
        const int32_t n = pick(count, [&](int32_t k) { return !std::visit([](const auto& e) { return e.Deleted; }, RecordOf(g, {kind, k})); });
        const ElementRef r{kind, n};
        if (n >= 0 && std::find(op.refs.begin(), op.refs.end(), r) == op.refs.end()) op.refs.push_back(r);
      }
      if (op.refs.empty()) return std::nullopt;
    }
    op.options.setEvaluationRules({maker_.chance(70), maker_.chance(70), maker_.chance(50), false});
    op.options.setJumpingRules({maker_.chance(70), maker_.chance(70), false, maker_.chance(50)});
    return op;
  }

 private:
  testing::RandomDiagramMaker maker_;
};

// Numbers of elements the replay holds only as stand-ins are compared only
// for being deleted and disabled in the session.
std::string compare(const Diagram& session, Diagram replay) {
  padTo(replay, ElementKind::Sentence, session.SentenceCount());
  padTo(replay, ElementKind::Arrow, session.ArrowCount());
  padTo(replay, ElementKind::Defeater, session.DefeaterCount());
  Diagram s = session;
  for (int32_t n = 0; n < replay.SentenceCount(); ++n)
    if (replay.sentence(n).Text.empty() && replay.sentence(n).Deleted) {
      if (!s.sentence(n).Deleted || s.sentence(n).Enabled) return "Sentence" + std::to_string(n) + " still live";
      s.sentence(n) = replay.sentence(n);
    }
  for (int32_t n = 0; n < replay.ArrowCount(); ++n)
    if (replay.arrow(n).Sentence1 == NoSentence && replay.arrow(n).Deleted) {
      if (!s.arrow(n).Deleted || s.arrow(n).Enabled) return "Arrow" + std::to_string(n) + " still live";
      s.arrow(n) = replay.arrow(n);
    }
  // Live elements' creation order must agree (absolute ZOrders differ by the stand-ins).
  auto order = [&replay](const Diagram& g) {
    std::vector<std::pair<uint64_t, ElementRef>> z;
    for (int32_t n = 0; n < g.SentenceCount(); ++n)
      if (!replay.sentence(n).Text.empty() || !replay.sentence(n).Deleted)
        z.push_back({g.sentence(n).ZOrder, {ElementKind::Sentence, n}});
    for (int32_t n = 0; n < g.ArrowCount(); ++n)
      if (replay.arrow(n).Sentence1 != NoSentence || !replay.arrow(n).Deleted)
        z.push_back({g.arrow(n).ZOrder, {ElementKind::Arrow, n}});
    std::sort(z.begin(), z.end(), [](auto& x, auto& y) { return x.first < y.first; });
    std::vector<ElementRef> refs;
    for (auto& [zz, r] : z) refs.push_back(r);
    return refs;
  };
  if (order(s) != order(replay)) return "creation order";
  for (TSentence& e : s.sentencesForStatus()) e.ZOrder = 0;
  for (TArrow& e : s.arrowsForStatus()) e.ZOrder = 0;
  for (TSentence& e : replay.sentencesForStatus()) e.ZOrder = 0;
  for (TArrow& e : replay.arrowsForStatus()) e.ZOrder = 0;
  for (int32_t n = 0; n < replay.DefeaterCount(); ++n)
    if (replay.defeater(n).ChallengingRect == Rect{} && replay.defeater(n).Deleted) {
      if (!s.defeater(n).Deleted || s.defeater(n).Enabled) return "Defeater" + std::to_string(n) + " still live";
      s.defeater(n) = replay.defeater(n);
    }
  return testing::diagramDiff(s, replay);
}

TEST(UndoReplay, AnySessionEqualsAReplayOfTheStepsStillDone) {
  for (uint32_t seed = 1; seed <= 60; ++seed) {
    Session session(seed);
    const Diagram start = session.maker().make(25, 35, 8, 250);
    Diagram g = start;
    UndoHistory history;
    std::vector<Op> done, undone;
    for (int step = 0; step < 120; ++step) {
      const int pick = session.maker().between(0, 9);
      if (pick < 2) {
        const bool had = !done.empty();
        ASSERT_EQ(history.undo(g).has_value(), had);
        if (had) undone.push_back(done.back()), done.pop_back();
      } else if (pick < 3) {
        const bool had = !undone.empty();
        ASSERT_EQ(history.redo(g).has_value(), had);
        if (had) done.push_back(undone.back()), undone.pop_back();
      } else if (std::optional<Op> op = session.randomOp(g)) {
        history.record(apply(g, *op));
        done.push_back(*op);
        undone.clear();
      }
      Diagram replay = start;
      for (const Op& op : done) apply(replay, op);
      ASSERT_EQ(compare(g, replay), "") << "seed " << seed << " step " << step;
    }
  }
}

}  // namespace
}  // namespace zorvex
