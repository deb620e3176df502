// Incremental rounds against whole-diagram rounds, in one run: evaluating
// until stable on chains (sentence 0 set justified, each sentence supporting
// the next), on the generated 1,000,000 / 1,000,000 / 100,000 diagram after
// three user statuses, one round after one user status there, and a round
// that has everything to visit (right after loading, after an option change).
#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <tuple>

#include "WhyBenchDiagram.h"
#include "eval/IncrementalRounds.h"
#include "eval/Rounds.h"
#include "explain/UntilStable.h"

namespace zorvex {
namespace {

Diagram chainOf(int32_t length) {
  Diagram g;
  g.reserve(static_cast<size_t>(length), static_cast<size_t>(length), 0);
  for (int32_t i = 0; i < length; ++i) {
    TSentence s;
    s.Left = (i % 1000) * 80, s.Top = (i / 1000) * 40, s.Right = s.Left + 60, s.Bottom = s.Top + 20;
    s.Width = 61, s.Height = 21;
    s.Text = "S" + std::to_string(i);
    g.addSentence(std::move(s));
  }
  for (int32_t i = 0; i + 1 < length; ++i) {
    TArrow a;
    a.Sentence1 = i, a.Sentence2 = i + 1;
    const TSentence &s = g.sentence(i), &t = g.sentence(i + 1);
    a.StartX = s.Right, a.StartY = s.Top + 10, a.EndX = t.Left, a.EndY = t.Top + 10;
    g.addArrow(a);
  }
  g.sentence(0).Status = Undefeated | SetByUser;
  return g;
}

template <RoundWay Way>
void BM_UntilStableChain(benchmark::State& state) {
  const Diagram chain = chainOf(static_cast<int32_t>(state.range(0)));
  std::string message;
  for (auto _ : state) {
    state.PauseTiming();
    auto g = std::make_unique<Diagram>(chain);
    auto record = std::make_unique<StatusRecord>(*g);
    auto log = std::make_unique<EvaluationLog>();
    state.ResumeTiming();
    message = EvaluateUntilStable(*g, *record, {}, *log, -1, {}, 0, Way).message;
    state.PauseTiming();
    record.reset(), log.reset(), g.reset();
    state.ResumeTiming();
  }
  state.SetLabel(message);
}
BENCHMARK(BM_UntilStableChain<RoundWay::Whole>)
    ->Name("UntilStableChain/whole")
    ->Arg(1000)
    ->Arg(4000)
    ->Arg(16000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UntilStableChain<RoundWay::Incremental>)
    ->Name("UntilStableChain/incremental")
    ->Arg(1000)
    ->Arg(16000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);

// The generated diagram settled by a run until stable, with rounds that
// have followed it.
struct Settled {
  bench::BenchDiagram g;
  std::unique_ptr<IncrementalRounds> rounds;
};

Settled& settled() {
  static Settled s = [] {
    Settled out;
    bench::makeBenchDiagram(out.g, 1000000, 1000000, 100000);
    out.rounds = std::make_unique<IncrementalRounds>(out.g.diagram);
    StatusRecord record(out.g.diagram);
    EvaluationLog log;
    EvaluateUntilStable(*out.rounds, out.g.diagram, record, {}, log);
    out.g.keepStatuses();
    return out;
  }();
  return s;
}

// Puts the settled statuses back, telling the rounds of every one it changes.
void backToSettled(Settled& s) {
  Diagram& d = s.g.diagram;
  for (int32_t n = 0; n < d.SentenceCount(); ++n)
    if (d.sentence(n).Status != s.g.sentenceStatus[static_cast<size_t>(n)]) {
      d.sentence(n).Status = s.g.sentenceStatus[static_cast<size_t>(n)];
      s.rounds->statusChanged({ElementKind::Sentence, n});
    }
  for (int32_t n = 0; n < d.ArrowCount(); ++n)
    if (d.arrow(n).Status != s.g.arrowStatus[static_cast<size_t>(n)]) {
      d.arrow(n).Status = s.g.arrowStatus[static_cast<size_t>(n)];
      s.rounds->statusChanged({ElementKind::Arrow, n});
    }
  for (int32_t n = 0; n < d.DefeaterCount(); ++n)
    if (d.defeater(n).DefeaterState != s.g.defeaterState[static_cast<size_t>(n)]) {
      d.defeater(n).DefeaterState = s.g.defeaterState[static_cast<size_t>(n)];
      s.rounds->statusChanged({ElementKind::Defeater, n});
    }
  EvaluationLog log;
  s.rounds->EvaluateOneRound({}, log);  // clears the marks the settled statuses carry
}

// Three sentences a user sets justified: not evaluated ones that start an
// arrow, so that each starts a change that spreads.
const std::vector<int32_t>& userSet() {
  static const std::vector<int32_t> set = [] {
    const Diagram& d = settled().g.diagram;
    std::vector<int32_t> out;
    for (int32_t from : {100000, 500000, 850000})
      for (int32_t a = from; a < d.ArrowCount(); ++a)
        if (d.sentence(d.arrow(a).Sentence1).Status == NotEvaluated) {
          out.push_back(d.arrow(a).Sentence1);
          break;
        }
    return out;
  }();
  return set;
}

void BM_UntilStableAfterUserStatuses(benchmark::State& state) {
  Settled& s = settled();
  std::string message;
  size_t changes = 0;
  for (auto _ : state) {
    state.PauseTiming();
    backToSettled(s);
    auto record = std::make_unique<StatusRecord>(s.g.diagram);
    auto log = std::make_unique<EvaluationLog>();
    state.ResumeTiming();
    for (int32_t n : userSet()) s.rounds->SetStatusByUser(n, UserStatus::Justified, *log);
    message = EvaluateUntilStable(*s.rounds, s.g.diagram, *record, {}, *log).message;
    state.PauseTiming();
    changes = 0;
    for (int32_t n = 1; n < record->stepCount(); ++n)
      for (const auto& list : record->step(n).assigned) changes += list.size();
    record.reset(), log.reset();
    state.ResumeTiming();
  }
  state.counters["assigned"] = static_cast<double>(changes);
  state.SetLabel(message);
}
BENCHMARK(BM_UntilStableAfterUserStatuses)->Iterations(5)->Unit(benchmark::kMillisecond);

// What the same run must do whatever the rounds cost: write every status it
// changes, its log lines and its steps of the record. Taken from a run made
// beforehand and replayed.
void BM_UntilStableChangesAlone(benchmark::State& state) {
  Settled& s = settled();
  backToSettled(s);
  EvaluationLog runLog;
  for (int32_t n : userSet()) s.rounds->SetStatusByUser(n, UserStatus::Justified, runLog);
  const size_t first = runLog.lines().size();
  std::vector<std::vector<StatusChange>> rounds[3];
  {
    StatusRecord record(s.g.diagram);
    EvaluateUntilStable(*s.rounds, s.g.diagram, record, {}, runLog, -1, [&](int32_t) {
      for (size_t k = 0; k < 3; ++k) rounds[k].push_back(s.rounds->lastChanges()[k]);
      return true;
    });
    for (size_t k = 0; k < 3; ++k) rounds[k].push_back(s.rounds->lastChanges()[k]);
  }
  const std::vector<std::string> lines(runLog.lines().begin() + static_cast<std::ptrdiff_t>(first), runLog.lines().end());
  constexpr ElementKind kinds[] = {ElementKind::Sentence, ElementKind::Arrow, ElementKind::Defeater};
  for (auto _ : state) {
    state.PauseTiming();
    backToSettled(s);
    auto record = std::make_unique<StatusRecord>(s.g.diagram);
    auto log = std::make_unique<EvaluationLog>();
    state.ResumeTiming();
    Diagram& d = s.g.diagram;
    for (size_t r = 0; r < rounds[0].size(); ++r) {
      record->before(d);
      StatusChanges changes;
      for (size_t k = 0; k < 3; ++k)
        for (const StatusChange& c : rounds[k][r]) {
          if (k == 0) d.sentencesForStatus()[static_cast<size_t>(c.index)].Status = c.after;
          if (k == 1) d.arrowsForStatus()[static_cast<size_t>(c.index)].Status = c.after;
          if (k == 2) d.defeatersForStatus()[static_cast<size_t>(c.index)].DefeaterState = DefeaterState(c.after);
          changes.add(kinds[k], c.index, c.before, c.after);
        }
      record->finishRoundFrom(d, changes, false, EvaluationOptions{}.evaluationRules(), -1, static_cast<int32_t>(r + 1));
    }
    for (const std::string& line : lines) log->AppendLogLine(line);
    state.PauseTiming();
    record.reset(), log.reset();
    s.rounds->statusesChanged();  // the replay wrote behind the rounds' back
    state.ResumeTiming();
  }
  state.counters["rounds"] = static_cast<double>(rounds[0].size());
}
BENCHMARK(BM_UntilStableChangesAlone)->Iterations(5)->Unit(benchmark::kMillisecond);

// One round after one user status, every earlier round done.
void BM_RoundAfterUserStatus(benchmark::State& state) {
  Settled& s = settled();
  backToSettled(s);
  int32_t next = 1000;
  for (auto _ : state) {
    state.PauseTiming();
    EvaluationLog log;
    for (int i = 0; i < 50 && !s.rounds->lastChanges()[0].empty(); ++i) s.rounds->EvaluateOneRound({}, log);
    next = (next + 7919) % 1000000;
    state.ResumeTiming();
    s.rounds->SetStatusByUser(next, UserStatus::Justified, log);
    benchmark::DoNotOptimize(s.rounds->EvaluateOneRound({}, log));
  }
  state.counters["bookkeeping_MB"] = static_cast<double>(s.rounds->bytes()) / 1e6;
}
BENCHMARK(BM_RoundAfterUserStatus)->Iterations(200)->Unit(benchmark::kMillisecond);

// A round with everything to visit: the first after loading (Whole: the
// plain round as today), or the first after the rules changed.
template <int What>
void BM_RoundVisitingAll(benchmark::State& state) {
  Settled& s = settled();
  for (auto _ : state) {
    state.PauseTiming();
    s.g.restore();
    s.rounds->statusesChanged();
    EvaluationLog log;
    std::unique_ptr<IncrementalRounds> fresh;
    EvaluationOptions options;
    if (What == 1) fresh = std::make_unique<IncrementalRounds>(s.g.diagram);
    if (What == 2) {
      s.rounds->EvaluateOneRound({}, log);
      options.EvaluationOption3a = false;
    }
    state.ResumeTiming();
    if (What == 0) benchmark::DoNotOptimize(EvaluateOneRound(s.g.diagram, options, log));
    if (What == 1) benchmark::DoNotOptimize(fresh->EvaluateOneRound(options, log));
    if (What == 2) benchmark::DoNotOptimize(s.rounds->EvaluateOneRound(options, log));
    state.PauseTiming();
    fresh.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_RoundVisitingAll<0>)->Name("RoundVisitingAll/whole_round")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RoundVisitingAll<1>)->Name("RoundVisitingAll/incremental_after_loading")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RoundVisitingAll<2>)->Name("RoundVisitingAll/incremental_after_option_change")->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zorvex

BENCHMARK_MAIN();
