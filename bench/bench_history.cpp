// Undo and redo of rounds on a diagram of 1,000,000 sentences, 1,000,000
// arrows and 100,000 defeaters: the round itself, the round with its step
// recorded, undoing and redoing it, and the memory of 100 recorded steps.
#include <benchmark/benchmark.h>

#include <random>

#include "eval/Rounds.h"
#include "history/UndoHistory.h"

namespace zorvex {
namespace {

constexpr int32_t Columns = 1000;

// Boxes on a jittered grid, arrows between neighbours, defeaters whose
// rectangles each hold a sentence; a few sentences set by the user.
Diagram makeDiagram() {
  std::mt19937 rng(7);
  std::uniform_int_distribution<int32_t> jitter(0, 30), percent(0, 99), step(-2, 2);
  Diagram g;
  g.reserve(1000000, 1000000, 100000);
  for (int32_t n = 0; n < 1000000; ++n) {
    TSentence s;
    s.Left = (n % Columns) * 120 + jitter(rng), s.Top = (n / Columns) * 60 + jitter(rng);
    s.Width = 60, s.Height = 20, s.Right = s.Left + 60, s.Bottom = s.Top + 20;
    s.Text = "Sentence text " + std::to_string(n);
    const int32_t u = percent(rng);
    s.Status = u < 5 ? Status(Undefeated | SetByUser) : u < 6 ? Status(Defeated | SetByUser) : Status(NotEvaluated);
    g.addSentence(std::move(s));
  }
  for (int32_t n = 0; n < 1000000; ++n) {
    const int32_t from = static_cast<int32_t>(rng() % 1000000);
    int32_t to = from + step(rng) + step(rng) * Columns;
    if (to == from || to < 0 || to >= 1000000) to = (from + 1) % 1000000;
    TArrow a;
    a.Sentence1 = from, a.Sentence2 = to, a.Enabled = true;
    const TSentence &p = g.sentence(from), &q = g.sentence(to);
    a.StartX = (p.Left + p.Right) / 2, a.StartY = (p.Top + p.Bottom) / 2;
    a.EndX = (q.Left + q.Right) / 2, a.EndY = (q.Top + q.Bottom) / 2;
    g.addArrow(a);
  }
  for (int32_t n = 0; n < 100000; ++n) {
    const TSentence& p = g.sentence(static_cast<int32_t>(rng() % 1000000));
    const TSentence& q = g.sentence(static_cast<int32_t>(rng() % 1000000));
    TDefeater d;
    d.Enabled = true;
    d.ChallengingRect = {p.Left - 5, p.Top - 5, p.Right + 5, p.Bottom + 5};
    d.ChallengedRect = {q.Left - 5, q.Top - 5, q.Right + 5, q.Bottom + 5};
    g.addDefeater(d);
  }
  return g;
}

Diagram& shared() {
  static Diagram g = makeDiagram();
  return g;
}

void BM_Round(benchmark::State& state) {
  Diagram g = shared();
  EvaluationOptions options;
  EvaluationLog log;
  for (auto _ : state) {
    state.PauseTiming();
    g = shared();
    state.ResumeTiming();
    EvaluateOneRound(g, options, log);
  }
}
BENCHMARK(BM_Round)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_RoundRecorded(benchmark::State& state) {
  Diagram g = shared();
  EvaluationOptions options;
  EvaluationLog log;
  size_t changes = 0;
  for (auto _ : state) {
    state.PauseTiming();
    g = shared();
    state.ResumeTiming();
    const StatusSnapshot before(g);
    EvaluateOneRound(g, options, log);
    UndoStep step = StatusStep("Evaluate (one round)", before, g);
    changes = step.statuses.count();
  }
  state.counters["changed"] = static_cast<double>(changes);
}
BENCHMARK(BM_RoundRecorded)->Unit(benchmark::kMillisecond)->Iterations(3);

// Undo and redo, alternately, of the first round on the diagram.
void BM_UndoRedoRound(benchmark::State& state) {
  Diagram g = shared();
  EvaluationOptions options;
  EvaluationLog log;
  UndoHistory history;
  const StatusSnapshot before(g);
  EvaluateOneRound(g, options, log);
  history.record(StatusStep("Evaluate (one round)", before, g));
  bool undo = true;
  for (auto _ : state) {
    benchmark::DoNotOptimize(undo ? history.undo(g) : history.redo(g));
    undo = !undo;
  }
}
BENCHMARK(BM_UndoRedoRound)->Unit(benchmark::kMillisecond)->Iterations(20);

// 100 steps, each changing a tenth of all statuses at random places.
void BM_HistoryOf100TenthSteps(benchmark::State& state) {
  for (auto _ : state) {
    Diagram g = shared();
    UndoHistory history;
    std::mt19937 rng(11);
    for (int round = 0; round < 100; ++round) {
      const StatusSnapshot before(g);
      for (TSentence& s : g.sentencesForStatus())
        if (rng() % 10 == 0) s.Status = s.Status == NotEvaluated ? Status(Undefeated | JustEvaluated) : Status(NotEvaluated);
      for (TArrow& a : g.arrowsForStatus())
        if (rng() % 10 == 0) a.Status = a.Status == NotEvaluated ? Status(Undefeated | JustEvaluated) : Status(NotEvaluated);
      for (TDefeater& d : g.defeatersForStatus())
        if (rng() % 10 == 0)
          d.DefeaterState = d.DefeaterState == DefeaterState::Active ? DefeaterState::Inactive : DefeaterState::Active;
      history.record(StatusStep("Evaluate (one round)", before, g));
    }
    state.counters["history_MB"] = static_cast<double>(history.bytes()) / 1e6;
  }
}
BENCHMARK(BM_HistoryOf100TenthSteps)->Unit(benchmark::kMillisecond)->Iterations(1);

// 100 real rounds, evaluations and jumps alternating, kept in the history.
void BM_HistoryOf100Rounds(benchmark::State& state) {
  for (auto _ : state) {
    Diagram g = shared();
    EvaluationOptions options;
    EvaluationLog log;
    UndoHistory history;
    for (int round = 0; round < 100; ++round) {
      const StatusSnapshot before(g);
      if (round % 2) JumpOneRound(g, options, log);
      else EvaluateOneRound(g, options, log);
      history.record(StatusStep("Evaluate (one round)", before, g));
    }
    state.counters["history_MB"] = static_cast<double>(history.bytes()) / 1e6;
  }
}
BENCHMARK(BM_HistoryOf100Rounds)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace zorvex

BENCHMARK_MAIN();
